// A preview of a picture set as the menu bar would show it: each picture of
// the set above the bundle's current picture of the same name, at the size
// they have in the menu bar and at twice that size, on a light and on a
// dark bar. Rows and sizes are labelled, each bar has an edge that shows on
// a light and on a dark window, and the image is drawn at the screen's pixel
// ratio. Made from the files when asked; nothing is kept.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstddef>
#include <string>
#include <vector>

namespace library {
class PictureSystem;
}

namespace browser {

struct PreviewPicture {
    QImage set;     // the set's picture (null when it cannot be read)
    QImage current; // the bundle's picture of that name now (null when none)
};

struct SetPreview {
    // Its device pixel ratio is the one asked for; places below are in
    // device-independent pixels.
    QImage image;
    // Where each picture went, per bar (light, then dark): index i of each
    // list is picture i of the set.
    struct Bar {
        QRect area;
        std::vector<QRect> set, current, setTwice, currentTwice;
        QRect setLabel, currentLabel, sizeLabel, twiceLabel;
    };
    Bar light, dark;
    // What the preview shows, in words, for an assistive client.
    QString description;
};

// What a preview decodes at most, whatever the set holds: its first pictures,
// each decoded no larger than this (a menu bar picture is far smaller).
inline constexpr std::size_t kPreviewMostPictures = 24;
inline constexpr QSize kPreviewPictureFit{64, 64};

// The set's pictures and the ones the system shows now, read from the files
// (at most kPreviewMostPictures of them, each at most kPreviewPictureFit).
std::vector<PreviewPicture> previewPicturesOf(library::PictureSystem& system,
                                              const std::string& extra, const std::string& set);

// Draws the preview at the pixel ratio; an empty list gives a null image.
// sizeText names the size the pictures are shown at ("" for the menu bar's).
SetPreview renderSetPreview(const std::vector<PreviewPicture>& pictures,
                            double devicePixelRatio = 1.0, const QString& sizeText = QString());

} // namespace browser
