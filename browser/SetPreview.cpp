#include "browser/SetPreview.h"

#include "library/Layout.h"
#include "platform/gui/Image.h"

#include <QPainter>
#include <algorithm>

namespace browser {

namespace {

constexpr int kPad = 6;
constexpr int kGap = 6;
constexpr int kSeparator = 18;

QImage load(const std::string& path) {
    auto image = platform::Image::fromFile(path);
    return image ? image->pixels() : QImage();
}

} // namespace

std::vector<PreviewPicture> previewPicturesOf(const std::string& extra, const std::string& set) {
    std::vector<PreviewPicture> pictures;
    for (const library::InstallCopy& copy : library::installCopies(extra, set))
        pictures.push_back({load(copy.source), load(copy.target)});
    return pictures;
}

SetPreview renderSetPreview(const std::vector<PreviewPicture>& pictures) {
    SetPreview preview;
    if (pictures.empty())
        return preview;
    // Every picture gets a cell as large as the largest, at each size.
    QSize cell(1, 1);
    for (const auto& p : pictures)
        for (const QImage* image : {&p.set, &p.current})
            if (!image->isNull())
                cell = cell.expandedTo(image->size());
    const int n = static_cast<int>(pictures.size());
    const int width =
        kPad + n * (cell.width() + kGap) + kSeparator + n * (2 * cell.width() + kGap) + kPad - kGap;
    const int barHeight = kPad + 2 * (2 * cell.height()) + kGap + kPad;
    // The two bars side by side, so that the strip stays low.
    preview.image = QImage(2 * width + kSeparator, barHeight, QImage::Format_ARGB32_Premultiplied);
    preview.image.fill(Qt::transparent);
    QPainter painter(&preview.image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    auto drawBar = [&](SetPreview::Bar& bar, int left, const QColor& colour) {
        const int top = 0;
        bar.area = QRect(left, top, width, barHeight);
        painter.fillRect(bar.area, colour);
        const int rows[2] = {top + kPad, top + kPad + 2 * cell.height() + kGap};
        // A picture at its own size (times the scale), centred in its cell.
        auto place = [&](const QImage& image, int x, int y, int scale) {
            const QSize size = image.isNull() ? QSize() : image.size() * scale;
            const QSize box(cell.width() * scale, 2 * cell.height());
            const QRect target(x + (box.width() - size.width()) / 2,
                               y + (box.height() - size.height()) / 2, size.width(), size.height());
            if (!image.isNull())
                painter.drawImage(target, image);
            return target;
        };
        int x = left + kPad;
        for (const auto& p : pictures) {
            bar.set.push_back(place(p.set, x, rows[0], 1));
            bar.current.push_back(place(p.current, x, rows[1], 1));
            x += cell.width() + kGap;
        }
        x += kSeparator - kGap;
        for (const auto& p : pictures) {
            bar.setTwice.push_back(place(p.set, x, rows[0], 2));
            bar.currentTwice.push_back(place(p.current, x, rows[1], 2));
            x += 2 * cell.width() + kGap;
        }
    };
    drawBar(preview.light, 0, QColor(0xf2, 0xf2, 0xf2));
    drawBar(preview.dark, width + kSeparator, QColor(0x2b, 0x2b, 0x2b));
    return preview;
}

} // namespace browser
