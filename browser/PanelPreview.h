// The preview of a set as panels will show it: a light and a dark bar side
// by side, each with the set's pictures (grouped by icon name) in a row per
// panel size and per twice that size, every picture named with its size in
// its tooltip and accessible name. The pictures are drawn in a worker thread
// from the set's files at the screen's pixel ratio and shown when ready; a
// drawing for a selection that has changed since is never shown. Drawings
// are kept per set, pixel ratio and state of its files.
#pragma once

#include "browser/PanelPictures.h"

#include <QFutureWatcher>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QFrame;
class QLabel;
class QScrollArea;

namespace browser {

class PanelPreview final : public QWidget {
public:
    using IsPicture = std::function<bool(std::string_view)>;
    // Takes the scroller's place for its widget (the one there is hidden)
    // and sizes the scroller to show both bars while a set's pictures are
    // shown, and only a line of hint while none are. sizeText names the
    // panel's sizes.
    PanelPreview(QScrollArea& scroller, std::vector<int> sides, QString sizeText,
                 std::string libraryRoot, IsPicture isPicture);
    ~PanelPreview() override;

    // The set's pictures ("" for none: the preview is emptied).
    void showSet(const std::string& item, const std::string& set);
    // Whether a drawing is still being made for what was last asked.
    bool pending() const;
    // The bars (light, then dark); empty frames while nothing is shown.
    QFrame& bar(bool dark) const { return *bars_[dark ? 1 : 0]; }

    // As high as the least the preview takes: the room beyond is shared out
    // after the browser's.
    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Lays the bars out for the drawing (its pictures, where it has them).
    void show(std::shared_ptr<const PanelDrawing> drawing);
    // The drawing's pictures into the cells laid out for the same pictures.
    void paint(std::shared_ptr<const PanelDrawing> drawing);
    static bool sameCells(const PanelDrawing& a, const PanelDrawing& b);
    std::vector<int> allSides() const;
    void fillBar(QFrame& bar, bool dark);
    int picturesPerLine() const;
    // Whether the lines of perLine pictures have a gap before each place.
    static std::vector<bool> gapsBefore(const std::vector<PanelPicture>& pictures, int perLine);
    void placeInScroller();

    QScrollArea& scroller_;
    std::vector<int> sides_;
    QString sizeText_;
    std::string libraryRoot_;
    IsPicture isPicture_;
    QLabel* hint_;
    int reserved_ = 0; // the height of a line of the bars
    QFrame* bars_[2];
    std::vector<QLabel*> cells_[2]; // per bar: [picture * sides + side]
    QFutureWatcher<PanelDrawing> watcher_;
    QString wanted_; // the key of the drawing asked for last
    std::shared_ptr<const PanelDrawing> shown_;
    int perLine_ = 0;
    std::map<QString, std::shared_ptr<const PanelDrawing>> drawings_;
};

} // namespace browser
