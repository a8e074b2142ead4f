#include "platform/gui/Image.h"

#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <map>
#include <string>
#include <unistd.h>

namespace platform {

namespace {

// An SVG document by its first bytes: the element, perhaps after an XML
// declaration, comments or a doctype.
bool looksLikeSvg(const QByteArray& head) {
    const QByteArray text = head.trimmed();
    return text.startsWith("<svg") ||
           ((text.startsWith("<?xml") || text.startsWith("<!")) && text.contains("<svg"));
}

} // namespace

Image::Image(QImage pixels) : pixels_(std::move(pixels)), size_(pixels_.size()) {}

std::shared_ptr<Image> Image::fromFile(const std::string& path, QSize fitIn) {
    // Read through a descriptor that never waits (no FIFO, socket or device)
    // and by the path's bytes, so that a name that is no UTF-8 is no obstacle.
    QFile file;
    const int fd = fs::openForReading(path);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return nullptr;
    }
    // An SVG is drawn from its text, sharp at several times its size.
    if (looksLikeSvg(file.peek(4096))) {
        const QByteArray data = file.read(kSvgMaxBytes + 1);
        return data.size() > kSvgMaxBytes ? nullptr : fromSvg(data);
    }
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(kAllocationLimitMB);
    // Refuse from the header alone what is too large, before decoding.
    const QSize declared = reader.size();
    if (declared.isValid() &&
        static_cast<qint64>(declared.width()) * declared.height() > kPixelLimit) {
        logLine("Picture not read, " + std::to_string(declared.width()) + " x " +
                std::to_string(declared.height()) + " pixels is more than " +
                std::to_string(kPixelLimit) + ": " + path);
        return nullptr;
    }
    const bool shrink = declared.isValid() && fitIn.isValid() &&
                        (declared.width() > fitIn.width() || declared.height() > fitIn.height());
    if (shrink)
        reader.setScaledSize(declared.scaled(fitIn, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    QImage pixels = reader.read();
    if (pixels.isNull())
        return nullptr;
    auto image = std::make_shared<Image>(std::move(pixels));
    if (shrink)
        image->setSize(QSizeF(declared));
    return image;
}

std::shared_ptr<Image> Image::fromSvg(const QByteArray& data) {
    if (!looksLikeSvg(data.left(4096)))
        return nullptr;
    QSvgRenderer renderer(data);
    if (!renderer.isValid())
        return nullptr;
    QSize size = renderer.defaultSize();
    if (size.isEmpty())
        size = QSize(kSvgSide, kSvgSide);
    size = size.boundedTo(QSize(kSvgMaxSide, kSvgMaxSide));
    // Drawn large enough to stay sharp at several times its display size.
    const double scale = std::max(1.0, double(kSvgSide) / std::max(size.width(), size.height()));
    QImage pixels((QSizeF(size) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    pixels.fill(Qt::transparent);
    QPainter painter(&pixels);
    renderer.render(&painter);
    painter.end();
    auto image = std::make_shared<Image>(std::move(pixels));
    image->setSize(QSizeF(size));
    return image;
}

std::shared_ptr<Image> Image::named(const std::string& name) {
    static std::map<std::string, std::shared_ptr<Image>> loaded;
    const std::string path = bundle::pathForResource(name, "png");
    auto key = path + '\n' + name;
    auto found = loaded.find(key);
    if (found != loaded.end())
        return found->second;
    std::shared_ptr<Image> image;
    if (!path.empty())
        image = fromFile(path);
    loaded.emplace(key, image);
    return image;
}

std::shared_ptr<Image> Image::copy() const {
    return std::make_shared<Image>(*this);
}

void Image::setSize(QSizeF size) {
    size_ = size;
}

void Image::compositeToPoint(QPainter& painter, const QPointF& point, bool flipped) const {
    const QRectF target(point.x(), flipped ? point.y() - size_.height() : point.y(), size_.width(),
                        size_.height());
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!flipped) {
        // An unflipped view has y growing upward: mirror the picture's rows.
        painter.translate(0, target.top() + target.bottom());
        painter.scale(1, -1);
    }
    painter.drawImage(target, pixels_);
    painter.restore();
}

} // namespace platform
