#include "browser/SetPreview.h"

#include "library/PictureSystem.h"
#include "platform/core/Bundle.h"
#include "platform/core/PathString.h"
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

// The picture fitted for the preview; where the system's panel shows its
// pictures at one side, no larger than that.
QImage load(const std::string& path, int panelSide) {
    auto image = path.empty() ? nullptr : platform::Image::fromFile(path, kPreviewPictureFit);
    if (!image)
        return QImage();
    if (panelSide <= 0)
        return image->pixels();
    const QSize shown =
        image->size().toSize().scaled(QSize(panelSide, panelSide), Qt::KeepAspectRatio);
    if (shown == image->pixels().size())
        return image->pixels();
    return image->pixels().scaled(shown, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// A symbolic picture as panels draw it: its shape in the bar's text colour.
QImage inInk(const QImage& image, const QColor& ink) {
    QImage shape = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&shape);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(shape.rect(), ink);
    return shape;
}

} // namespace

bool isSymbolicPicture(const std::string& path) {
    const std::string name = platform::lastPathComponent(path);
    const std::string stem = platform::deletingPathExtension(name);
    return name.ends_with(".symbolic.png") || stem.ends_with("-symbolic") ||
           stem.ends_with("-symbolic-ltr") || stem.ends_with("-symbolic-rtl");
}

std::vector<PreviewPicture> previewPicturesOf(library::PictureSystem& system,
                                              const std::string& extra, const std::string& set) {
    std::vector<PreviewPicture> pictures;
    for (const library::InstallCopy& copy :
         system.currentPictures(extra, set, kPreviewMostPictures))
        pictures.push_back({load(copy.source, system.panelSide()),
                            load(copy.target, system.panelSide()), isSymbolicPicture(copy.source),
                            isSymbolicPicture(copy.target)});
    return pictures;
}

SetPreview renderSetPreview(const std::vector<PreviewPicture>& pictures, double devicePixelRatio) {
    using platform::bundle::localizedString;
    SetPreview preview;
    if (pictures.empty())
        return preview;
    const QString setText = localizedString(QT_TRANSLATE_NOOP("Trayskin", "This set"));
    const QString currentText = localizedString(QT_TRANSLATE_NOOP("Trayskin", "In use now"));
    const QString sizeText = localizedString(QT_TRANSLATE_NOOP("Trayskin", "Menu bar size"));
    const QString twiceText = localizedString(QT_TRANSLATE_NOOP("Trayskin", "Twice the size"));
    const int n = static_cast<int>(pictures.size());
    preview.description =
        localizedString(QT_TRANSLATE_NOOP("Trayskin",
                                          "%1 pictures of this set above the pictures in use "
                                          "now, at menu bar size and at twice that size, on a "
                                          "light and on a dark bar."))
            .arg(n);

    // Every picture gets a cell as large as the largest, at each size.
    QSize cell(1, 1);
    for (const auto& p : pictures)
        for (const QImage* image : {&p.set, &p.current})
            if (!image->isNull())
                cell = cell.expandedTo(image->size());
    const QFont font = platform::systemFont();
    const QFontMetrics metrics(font);
    const int labelWidth =
        std::max(metrics.horizontalAdvance(setText), metrics.horizontalAdvance(currentText));
    const int once =
        std::max(n * (cell.width() + kGap) - kGap, metrics.horizontalAdvance(sizeText));
    const int twice =
        std::max(n * (2 * cell.width() + kGap) - kGap, metrics.horizontalAdvance(twiceText));
    const int header = metrics.height();
    const int rowHeight = std::max(2 * cell.height(), metrics.height());
    const int width = kPad + labelWidth + kGap + once + kSeparator + twice + kPad;
    const int barHeight = kPad + header + kRowGap + 2 * rowHeight + kRowGap + kPad;

    // The two bars side by side, so that the strip stays low.
    const double ratio = std::max(1.0, devicePixelRatio);
    const QSize logical(2 * width + kSeparator, barHeight);
    preview.image = QImage(QSize(static_cast<int>(std::ceil(logical.width() * ratio)),
                                 static_cast<int>(std::ceil(logical.height() * ratio))),
                           QImage::Format_ARGB32_Premultiplied);
    preview.image.setDevicePixelRatio(ratio);
    preview.image.fill(Qt::transparent);
    QPainter painter(&preview.image);
    painter.setFont(font);

    auto drawBar = [&](SetPreview::Bar& bar, int left, const QColor& colour, const QColor& ink) {
        bar.area = QRect(left, 0, width, barHeight);
        painter.fillRect(bar.area, colour);
        painter.setPen(kEdge);
        painter.drawRect(bar.area.adjusted(0, 0, -1, -1));
        painter.setPen(ink);
        const int labelsLeft = left + kPad;
        const int onceLeft = labelsLeft + labelWidth + kGap;
        const int twiceLeft = onceLeft + once + kSeparator;
        const int rows[2] = {kPad + header + kRowGap,
                             kPad + header + kRowGap + rowHeight + kRowGap};
        auto text = [&](const QRect& box, const QString& words, int flags) {
            painter.drawText(box, flags | Qt::TextSingleLine, words);
            return box;
        };
        bar.sizeLabel = text(QRect(onceLeft, kPad, once, header), sizeText, Qt::AlignLeft);
        bar.twiceLabel = text(QRect(twiceLeft, kPad, twice, header), twiceText, Qt::AlignLeft);
        bar.setLabel = text(QRect(labelsLeft, rows[0], labelWidth, rowHeight), setText,
                            Qt::AlignLeft | Qt::AlignVCenter);
        bar.currentLabel = text(QRect(labelsLeft, rows[1], labelWidth, rowHeight), currentText,
                                Qt::AlignLeft | Qt::AlignVCenter);
        // A picture at its own size (times the scale), centred in its cell.
        auto place = [&](const QImage& image, bool symbolic, int x, int y, int scale) {
            const QSize size = image.isNull() ? QSize() : image.size() * scale;
            const QSize box(cell.width() * scale, rowHeight);
            const QRect target(x + (box.width() - size.width()) / 2,
                               y + (box.height() - size.height()) / 2, size.width(), size.height());
            if (!image.isNull())
                painter.drawImage(target, symbolic ? inInk(image, ink) : image);
            return target;
        };
        int x = onceLeft;
        for (const auto& p : pictures) {
            bar.set.push_back(place(p.set, p.setSymbolic, x, rows[0], 1));
            bar.current.push_back(place(p.current, p.currentSymbolic, x, rows[1], 1));
            x += cell.width() + kGap;
        }
        x = twiceLeft;
        for (const auto& p : pictures) {
            bar.setTwice.push_back(place(p.set, p.setSymbolic, x, rows[0], 2));
            bar.currentTwice.push_back(place(p.current, p.currentSymbolic, x, rows[1], 2));
            x += 2 * cell.width() + kGap;
        }
    };
    drawBar(preview.light, 0, QColor(0xf2, 0xf2, 0xf2), QColor(0x20, 0x20, 0x20));
    drawBar(preview.dark, width + kSeparator, QColor(0x2b, 0x2b, 0x2b), QColor(0xf0, 0xf0, 0xf0));
    return preview;
}

} // namespace browser
