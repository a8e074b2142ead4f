#include "platform/widgets/BrowserCell.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace platform {

namespace {

QFont fontOf(const TextAttributes& attributes) {
    QFont font = attributes.font.value_or(systemFont());
    font.setUnderline(attributes.underlineStyle != 0);
    return font;
}

} // namespace

void BrowserCell::setAttributedStringValue(const std::string& title,
                                           const TextAttributes& attributes) {
    title_ = title;
    displayTitle_.clear();
    attributes_ = attributes;
}

QString BrowserCell::displayTitle() const {
    return displayTitle_.isEmpty() ? QString::fromUtf8(title_) : displayTitle_;
}

QColor BrowserCell::highlightColorInView(const BrowserView& view) const {
    return view.palette.color(QPalette::Active, QPalette::Highlight);
}

QSizeF BrowserCell::cellSizeForBounds(const QRectF&) const {
    QFontMetricsF metrics(fontOf(attributes_));
    const double width =
        metrics.horizontalAdvance(displayTitle()) + 2 * kTitleInset + (leaf_ ? 0.0 : kArrowWidth);
    return {width, metrics.height() + 2.0};
}

void BrowserCell::drawInteriorWithFrame(const QRectF& frame, BrowserView& view) {
    if (frame.width() <= 0)
        return;
    QPainter& p = view.painter;
    p.save();
    const QPalette::ColorGroup group = enabled_ ? QPalette::Active : QPalette::Disabled;
    const QColor ink = highlighted_ && enabled_
                           ? view.palette.color(group, QPalette::HighlightedText)
                           : view.palette.color(group, QPalette::Text);
    QRectF text = frame.adjusted(kTitleInset, 0, -kTitleInset, 0);
    if (!leaf_) {
        const double arrowWidth = std::min(kArrowWidth, text.width());
        const QRectF arrow(text.right() - arrowWidth, frame.top(), arrowWidth, frame.height());
        text.setRight(arrow.left());
        const QPointF c = arrow.center();
        QPainterPath triangle;
        triangle.moveTo(c.x() - 2.5, c.y() - 4.0);
        triangle.lineTo(c.x() + 2.5, c.y());
        triangle.lineTo(c.x() - 2.5, c.y() + 4.0);
        triangle.closeSubpath();
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(triangle, ink);
    }
    p.setFont(fontOf(attributes_));
    p.setPen(ink);
    QFontMetricsF metrics(p.font());
    const QString shown =
        metrics.elidedText(displayTitle(), Qt::ElideRight, std::max(0.0, text.width()));
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    p.restore();
}

} // namespace platform
