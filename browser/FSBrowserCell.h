// The library browser's row: a 16 x 16 icon in a strip at the left, then the
// entry's name, underlined for a symbolic link.
#pragma once

#include "platform/widgets/BrowserCell.h"

#include <memory>

namespace platform {
class Image;
}

namespace browser {

class FSNodeInfo;

class FSBrowserCell : public platform::BrowserCell {
public:
    FSBrowserCell() = default;
    ~FSBrowserCell() override;

    // Title, icon, enabled and leaf flags from the node, all at once.
    void setAttributedStringValueFromFSNodeInfo(const FSNodeInfo& node);

    const std::shared_ptr<platform::Image>& iconImage() const { return iconImage_; }
    // Keeps a private copy of the image shown at 16 x 16; the image passed in
    // is left as it is. No image clears the icon.
    void setIconImage(const std::shared_ptr<platform::Image>& image);

    static platform::TextAttributes stringAttributesForNode(const FSNodeInfo& node);

    QSizeF cellSizeForBounds(const QRectF& bounds) const override;
    void drawInteriorWithFrame(const QRectF& frame, platform::BrowserView& view) override;

    static constexpr double kIconSide = 16.0;
    static constexpr double kRowHeight = 20.0;

private:
    std::shared_ptr<platform::Image> iconImage_;
};

} // namespace browser
