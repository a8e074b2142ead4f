#include "browser/SetPreview.h"

#include "library/PictureSystem.h"
#include "platform/core/Bundle.h"
#include "platform/gui/AttributedString.h"
#include "platform/gui/Image.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace browser {

namespace {

constexpr int kPad = 4;
constexpr int kGap = 6;
constexpr int kRowGap = 2; // between the header and the rows, and the rows
constexpr int kSeparator = 18;
// An edge that shows against a light and against a dark window.
const QColor kEdge(0x80, 0x80, 0x80);

// The picture fitted for the preview.
QImage load(const std::string& path) {
    auto image = path.empty() ? nullptr : platform::Image::fromFile(path, kPreviewPictureFit);
    return image ? image->pixels() : QImage();
}

} // namespace

std::vector<PreviewPicture> previewPicturesOf(library::PictureSystem& system,
                                              const std::string& extra, const std::string& set) {
    std::vector<PreviewPicture> pictures;
    for (const library::InstallCopy& copy :
         system.currentPictures(extra, set, kPreviewMostPictures))
        pictures.push_back({load(copy.source), load(copy.target)});
    return pictures;
}

namespace {

// The words of a bar and the sizes of its parts, from the pictures and the
// font: every picture gets a cell as large as the largest, at each size.
struct BarLayout {
    QString setText, currentText, sizeText, twiceText;
    QSize cell{1, 1};
    int labelWidth = 0, once = 0, twice = 0, header = 0, rowHeight = 0, width = 0, height = 0;
};

BarLayout layoutOf(const std::vector<PreviewPicture>& pictures, const QFontMetrics& metrics,
                   const QString& sizeText) {
    using platform::bundle::localizedString;
    BarLayout l;
    l.setText = localizedString(QT_TRANSLATE_NOOP("Trayskin", "This set"));
    l.currentText = localizedString(QT_TRANSLATE_NOOP("Trayskin", "In use now"));
    l.sizeText = sizeText;
    l.twiceText = localizedString(QT_TRANSLATE_NOOP("Trayskin", "Twice the size"));
    for (const auto& p : pictures)
        for (const QImage* image : {&p.set, &p.current})
            if (!image->isNull())
                l.cell = l.cell.expandedTo(image->size());
    const int n = static_cast<int>(pictures.size());
    l.labelWidth =
        std::max(metrics.horizontalAdvance(l.setText), metrics.horizontalAdvance(l.currentText));
    l.once = std::max(n * (l.cell.width() + kGap) - kGap, metrics.horizontalAdvance(l.sizeText));
    l.twice =
        std::max(n * (2 * l.cell.width() + kGap) - kGap, metrics.horizontalAdvance(l.twiceText));
    l.header = metrics.height();
    l.rowHeight = std::max(2 * l.cell.height(), metrics.height());
    l.width = kPad + l.labelWidth + kGap + l.once + kSeparator + l.twice + kPad;
    l.height = kPad + l.header + kRowGap + 2 * l.rowHeight + kRowGap + kPad;
    return l;
}

// One bar at its left edge: its labels, then each picture over the current
// one at its own size and at twice that.
void drawBar(QPainter& painter, const BarLayout& l, const std::vector<PreviewPicture>& pictures,
             SetPreview::Bar& bar, int left, const QColor& colour, const QColor& ink) {
    bar.area = QRect(left, 0, l.width, l.height);
    painter.fillRect(bar.area, colour);
    painter.setPen(kEdge);
    painter.drawRect(bar.area.adjusted(0, 0, -1, -1));
    painter.setPen(ink);
    const int labelsLeft = left + kPad;
    const int onceLeft = labelsLeft + l.labelWidth + kGap;
    const int twiceLeft = onceLeft + l.once + kSeparator;
    const int rows[2] = {kPad + l.header + kRowGap,
                         kPad + l.header + kRowGap + l.rowHeight + kRowGap};
    auto text = [&](const QRect& box, const QString& words, int flags) {
        painter.drawText(box, flags | Qt::TextSingleLine, words);
        return box;
    };
    bar.sizeLabel = text(QRect(onceLeft, kPad, l.once, l.header), l.sizeText, Qt::AlignLeft);
    bar.twiceLabel = text(QRect(twiceLeft, kPad, l.twice, l.header), l.twiceText, Qt::AlignLeft);
    bar.setLabel = text(QRect(labelsLeft, rows[0], l.labelWidth, l.rowHeight), l.setText,
                        Qt::AlignLeft | Qt::AlignVCenter);
    bar.currentLabel = text(QRect(labelsLeft, rows[1], l.labelWidth, l.rowHeight), l.currentText,
                            Qt::AlignLeft | Qt::AlignVCenter);
    // A picture at its own size (times the scale), centred in its cell.
    auto place = [&](const QImage& image, int x, int y, int scale) {
        const QSize size = image.isNull() ? QSize() : image.size() * scale;
        const QSize box(l.cell.width() * scale, l.rowHeight);
        const QRect target(x + (box.width() - size.width()) / 2,
                           y + (box.height() - size.height()) / 2, size.width(), size.height());
        if (!image.isNull())
            painter.drawImage(target, image);
        return target;
    };
    for (int scale : {1, 2}) {
        int x = scale == 1 ? onceLeft : twiceLeft;
        for (const auto& p : pictures) {
            (scale == 1 ? bar.set : bar.setTwice).push_back(place(p.set, x, rows[0], scale));
            (scale == 1 ? bar.current : bar.currentTwice)
                .push_back(place(p.current, x, rows[1], scale));
            x += scale * l.cell.width() + kGap;
        }
    }
}

} // namespace

SetPreview renderSetPreview(const std::vector<PreviewPicture>& pictures, double devicePixelRatio,
                            const QString& sizeText) {
    using platform::bundle::localizedString;
    SetPreview preview;
    if (pictures.empty())
        return preview;
    const QString size = sizeText.isEmpty()
                             ? localizedString(QT_TRANSLATE_NOOP("Trayskin", "Menu bar size"))
                             : sizeText;
    preview.description =
        localizedString(QT_TRANSLATE_NOOP("Trayskin",
                                          "%1 pictures of this set above the pictures in use "
                                          "now, shown at: %2, and at twice that size, on a "
                                          "light and on a dark bar."))
            .arg(static_cast<int>(pictures.size()))
            .arg(size);
    const QFont font = platform::systemFont();
    const BarLayout l = layoutOf(pictures, QFontMetrics(font), size);

    // The two bars side by side, so that the strip stays low.
    const double ratio = std::max(1.0, devicePixelRatio);
    const QSize logical(2 * l.width + kSeparator, l.height);
    preview.image = QImage(QSize(static_cast<int>(std::ceil(logical.width() * ratio)),
                                 static_cast<int>(std::ceil(logical.height() * ratio))),
                           QImage::Format_ARGB32_Premultiplied);
    preview.image.setDevicePixelRatio(ratio);
    preview.image.fill(Qt::transparent);
    QPainter painter(&preview.image);
    painter.setFont(font);
    drawBar(painter, l, pictures, preview.light, 0, QColor(0xf2, 0xf2, 0xf2),
            QColor(0x20, 0x20, 0x20));
    drawBar(painter, l, pictures, preview.dark, l.width + kSeparator, QColor(0x2b, 0x2b, 0x2b),
            QColor(0xf0, 0xf0, 0xf0));
    return preview;
}

} // namespace browser
