#include "browser/FSBrowserCell.h"

#include "browser/FSNodeInfo.h"
#include "platform/gui/Image.h"

#include <QPainter>
#include <cmath>

namespace browser {

FSBrowserCell::~FSBrowserCell() {
    iconImage_.reset();
}

void FSBrowserCell::setAttributedStringValueFromFSNodeInfo(const FSNodeInfo& node) {
    setAttributedStringValue(node.lastPathComponent(), stringAttributesForNode(node));
    setIconImage(node.iconImageOfSize(kIconSide, kIconSide));
    setEnabled(node.isReadable());
    setLeaf(!node.isDirectory());
}

void FSBrowserCell::setIconImage(const std::shared_ptr<platform::Image>& image) {
    // Whoever still holds the old icon keeps it alive; the cell lets go.
    iconImage_ = image ? image->copy() : nullptr;
    if (iconImage_)
        iconImage_->setSize(QSizeF(kIconSide, kIconSide));
}

platform::TextAttributes FSBrowserCell::stringAttributesForNode(const FSNodeInfo& node) {
    platform::TextAttributes attributes;
    attributes.font = platform::systemFont();
    if (node.isLink())
        attributes.underlineStyle = 1;
    return attributes;
}

QSizeF FSBrowserCell::cellSizeForBounds(const QRectF& bounds) const {
    const QSizeF base = BrowserCell::cellSizeForBounds(bounds);
    // A cell without an icon reserves no room for one.
    const double iconWidth = iconImage_ ? iconImage_->size().width() : 0.0;
    const float width = static_cast<float>(base.width() + (iconWidth + 4.0 + 4.0));
    return QSizeF(width, kRowHeight);
}

void FSBrowserCell::drawInteriorWithFrame(const QRectF& frame, platform::BrowserView& view) {
    if (!iconImage_) {
        BrowserCell::drawInteriorWithFrame(frame, view);
        return;
    }
    const QSizeF iconSize = iconImage_->size();
    // Split the frame at its left edge into the icon strip and the text.
    const double stripWidth = std::min(iconSize.width() + 6.0, std::max(0.0, frame.width()));
    const QRectF strip(frame.x(), frame.y(), stripWidth, frame.height());
    const QRectF text(frame.x() + stripWidth, frame.y(), frame.width() - stripWidth,
                      frame.height());

    const float textHeight = static_cast<float>(text.height());
    const float iconHeight = static_cast<float>(iconSize.height());
    const double offset = view.isFlipped() ? std::ceil((textHeight + iconHeight) * 0.5f)
                                           : std::ceil((textHeight - iconHeight) * 0.5f);
    const QPointF at(strip.x() + 4.0, strip.y() + offset);

    const QColor background = isHighlighted()
                                  ? highlightColorInView(view)
                                  : view.palette.color(QPalette::Active, QPalette::Base);
    view.painter.fillRect(
        QRectF(frame.x(), frame.y(), frame.width() - text.width(), frame.height()), background);
    iconImage_->compositeToPoint(view.painter, at, view.isFlipped());
    BrowserCell::drawInteriorWithFrame(text, view);
}

} // namespace browser
