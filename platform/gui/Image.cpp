#include "platform/gui/Image.h"

#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <map>

namespace platform {

Image::Image(QImage pixels) : pixels_(std::move(pixels)), size_(pixels_.size()) {}

std::shared_ptr<Image> Image::fromFile(const std::string& path) {
    // Read by its bytes, so that a name that is no UTF-8 is no obstacle.
    const auto bytes = fs::readFile(path);
    if (!bytes)
        return nullptr;
    QByteArray data = QByteArray::fromStdString(*bytes);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(kAllocationLimitMB);
    // Refuse from the header alone what would not fit, before decoding.
    const QSize declared = reader.size();
    if (declared.isValid() && static_cast<qint64>(declared.width()) * declared.height() * 4 >
                                  static_cast<qint64>(kAllocationLimitMB) * 1024 * 1024)
        return nullptr;
    QImage pixels = reader.read();
    if (pixels.isNull())
        return nullptr;
    return std::make_shared<Image>(std::move(pixels));
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
