// Pictures with a display size, as the drawing code sees them: the pixels are
// loaded once and shared between copies; each copy has its own display size,
// and is always drawn scaled to it.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <memory>
#include <string>

class QPainter;
class QPointF;

namespace platform {

class Image {
public:
    explicit Image(QImage pixels);

    // The picture in the file, or nothing when the file is not a regular
    // file holding a picture of at most kPixelLimit pixels (a larger one is
    // refused from its header, with a line in the log). With a size to fit
    // in, a larger picture is decoded at most that large (aspect kept); its
    // display size stays the picture's own.
    static std::shared_ptr<Image> fromFile(const std::string& path, QSize fitIn = QSize());
    // An SVG picture at its own size, drawn sharp for several times that size;
    // nothing when the bytes are not an SVG.
    static std::shared_ptr<Image> fromSvg(const QByteArray& data);
    // The application's image resource "<name>.png", loaded once and shared by
    // every caller; nothing when the bundle lacks it.
    static std::shared_ptr<Image> named(const std::string& name);

    // Largest picture, in megabytes of decoded pixels, that fromFile reads.
    static constexpr int kAllocationLimitMB = 64;
    // Most pixels a picture may have to be read at all: 16 MB decoded.
    static constexpr qint64 kPixelLimit = 2048 * 2048;
    // Side of the pixels an SVG is drawn into, its largest display side, and
    // the largest SVG file read.
    static constexpr int kSvgSide = 256;
    static constexpr int kSvgMaxSide = 4096;
    static constexpr qint64 kSvgMaxBytes = 16 << 20;

    std::shared_ptr<Image> copy() const;

    QSizeF size() const { return size_; }
    void setSize(QSizeF size);
    const QImage& pixels() const { return pixels_; }

    // Draws the picture at its display size with its lower-left corner at the
    // point, blending over what is there. In a flipped view y grows downward,
    // so the picture extends upward from the point.
    void compositeToPoint(QPainter& painter, const QPointF& point, bool flipped) const;

private:
    QImage pixels_;
    QSizeF size_;
};

} // namespace platform
