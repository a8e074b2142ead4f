// One row of the column browser: a title with its attributes, the enabled,
// leaf and highlighted flags, and the drawing of the title, the branch arrow
// and the disabled look. Subclasses add to the sizing and the drawing.
#pragma once

#include "platform/gui/AttributedString.h"

#include <QPalette>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <string>

class QPainter;

namespace platform {

// The view a cell draws into. Qt's coordinates grow downward, so the
// browser's views are flipped.
struct BrowserView {
    QPainter& painter;
    QPalette palette;
    bool flipped = true;
    bool isFlipped() const { return flipped; }
};

class BrowserCell {
public:
    BrowserCell() = default;
    virtual ~BrowserCell() = default;
    BrowserCell(const BrowserCell&) = delete;
    BrowserCell& operator=(const BrowserCell&) = delete;

    // The title is a byte string (an entry name, which need not be UTF-8);
    // it is what the browser's paths are made of.
    void setAttributedStringValue(const std::string& title, const TextAttributes& attributes);
    const std::string& stringValue() const { return title_; }
    const TextAttributes& attributes() const { return attributes_; }
    // What the row shows, reads out and names in its tooltip, where that is
    // not its title (a name in the user's words); "" for the title itself.
    // The browser's paths keep the title.
    void setDisplayTitle(const QString& shown) { displayTitle_ = shown; }
    QString displayTitle() const;

    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isEnabled() const { return enabled_; }
    void setLeaf(bool leaf) { leaf_ = leaf; }
    bool isLeaf() const { return leaf_; }
    void setHighlighted(bool highlighted) { highlighted_ = highlighted; }
    bool isHighlighted() const { return highlighted_; }

    QColor highlightColorInView(const BrowserView& view) const;

    // Room for the title and the branch arrow.
    virtual QSizeF cellSizeForBounds(const QRectF& bounds) const;
    // Title and branch arrow inside the frame.
    virtual void drawInteriorWithFrame(const QRectF& frame, BrowserView& view);

    static constexpr double kArrowWidth = 14.0;
    static constexpr double kTitleInset = 2.0;

private:
    std::string title_;
    QString displayTitle_;
    TextAttributes attributes_;
    bool enabled_ = true;
    bool leaf_ = false;
    bool highlighted_ = false;
};

} // namespace platform
