// The pictures of a set as panels draw them: grouped by icon name (the plain
// picture beside its symbolic one), each drawn at a panel's sizes from its
// own file at the device's pixel size, symbolic ones in the colours of a
// light and of a dark bar. No widgets: the drawing runs in a worker thread.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace browser {

// The colours of a bar: its ground, and what a symbolic picture is drawn in
// on it (the text colour, and the colours of the parts marked as success,
// warning and error), as GTK's own light and dark themes give them.
struct BarInk {
    QColor ground, foreground, success, warning, error;
};
const BarInk& lightBarInk();
const BarInk& darkBarInk();

// Whether the file is a symbolic icon's picture: "<name>-symbolic.svg" or
// ".png" (and its -ltr, -rtl forms), or GTK's "<name>.symbolic.png".
bool isSymbolicPicture(const std::string& path);

struct PanelPicture {
    std::string path;
    QString icon;  // the icon name: the file's name without its extension
    QString group; // the icon name without its symbolic ending
    bool symbolic = false;
};

// The files as pictures, ordered by group, the plain one before the
// symbolic one, then by icon name.
std::vector<PanelPicture> groupedPictures(const std::vector<std::string>& paths);

// The pictures of a set of the library ("" for none), isPicture telling
// them by their names.
std::vector<PanelPicture> setPictures(const std::string& libraryRoot, const std::string& item,
                                      const std::string& set,
                                      const std::function<bool(std::string_view)>& isPicture);

// The panel's sides and twice each, every side once (twice 16 is 32), in order.
std::vector<int> withTwice(std::vector<int> sides);

// A symbolic SVG as GTK draws it on the bar: every painted fill and stroke
// in the text colour, those of an element of class "success", "warning" or
// "error" in that colour, opacities kept. Empty when the text is no XML.
QByteArray recolouredSvg(const QByteArray& svg, const BarInk& ink);

// The picture drawn side x side at the pixel ratio (an image of side x ratio
// device pixels with that ratio), from its SVG text or its PNG (or other)
// pixels, kept in proportion and centred; symbolic ones in the bar's ink. A
// null image when the bytes are no picture.
QImage drawPicture(const QByteArray& bytes, bool symbolic, const BarInk& ink, int side,
                   double ratio);

// Every picture at every side, on the light and on the dark bar, read from
// its file (at most kMostPictureBytes) and drawn at the ratio.
struct PanelDrawing {
    std::vector<PanelPicture> pictures;
    std::vector<int> sides;
    double ratio = 1;
    // [picture][side], per bar; a null image where a file is no picture.
    std::vector<std::vector<QImage>> light, dark;
};
inline constexpr long long kMostPictureBytes = 4 << 20;
PanelDrawing drawPanelPictures(std::vector<PanelPicture> pictures, std::vector<int> sides,
                               double ratio);

} // namespace browser
