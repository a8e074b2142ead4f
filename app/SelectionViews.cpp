#include "app/SelectionViews.h"

#include "browser/PanelPreview.h"
#include "browser/SetPreview.h"
#include "library/InUse.h"
#include "library/PictureSystem.h"
#include "platform/core/Bundle.h"

#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>

using platform::bundle::localizedString;

SelectionViews::SelectionViews(QMainWindow& window, QLabel& preview, QScrollArea& scroller,
                               library::PictureSystem& system)
    : inUse_(new QLabel(&window)), mode_(new QLabel(&window)), preview_(preview),
      scroller_(scroller), system_(system) {
    inUse_->setObjectName(QStringLiteral("inUse"));
    inUse_->setTextFormat(Qt::PlainText);
    // A long line is cut rather than widening the window.
    inUse_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // A normal widget, so that a message of the status bar shows in its place
    // until it is cleared; a permanent one would leave the message no room.
    window.statusBar()->addWidget(inUse_, 1);
    showPreviewInPlace();
    if (const std::vector<int> sides = system.panelSides(); !sides.empty())
        panel_ = new browser::PanelPreview(
            scroller, sides, system.shownSizeText(), system.libraryRoot(),
            [&system](std::string_view name) { return system.isPicture(name); });
    // Which system's pictures the program works on.
    mode_->setObjectName(QStringLiteral("mode"));
    mode_->setTextFormat(Qt::PlainText);
    window.statusBar()->addPermanentWidget(mode_);
}

void SelectionViews::show(const std::string& item, const std::string& set) {
    mode_->setText(system_.statusLabel());
    showInUse(item);
    showPreview(item, set);
}

void SelectionViews::showInUse(const std::string& item) {
    if (item.empty()) {
        inUse_->clear();
        return;
    }
    const library::InUse inUse = system_.inUse(item);
    const QString label =
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "In use:")) + QLatin1Char(' ');
    switch (inUse.kind) {
    case library::InUse::Kind::Set:
        inUse_->setText(label + QString::fromUtf8(inUse.set));
        break;
    case library::InUse::Kind::Mix:
        inUse_->setText(label + localizedString(QT_TRANSLATE_NOOP("Trayskin", "a mix of sets")));
        break;
    case library::InUse::Kind::Unknown:
        inUse_->setText(
            label + localizedString(QT_TRANSLATE_NOOP("Trayskin", "pictures that no set holds")));
        break;
    case library::InUse::Kind::NoBundle:
        inUse_->setText(system_.nothingShownText());
        break;
    }
}

void SelectionViews::showPreview(const std::string& item, const std::string& set) {
    if (panel_) {
        panel_->showSet(item, set);
        return;
    }
    // The preview is drawn from the files now and dropped with the next one.
    const browser::SetPreview preview =
        set.empty()
            ? browser::SetPreview{}
            : browser::renderSetPreview(browser::previewPicturesOf(system_, item, set),
                                        preview_.devicePixelRatioF(), system_.shownSizeText());
    if (preview.image.isNull()) {
        preview_.clear();
        preview_.setAccessibleDescription(QString());
    } else {
        preview_.setPixmap(QPixmap::fromImage(preview.image));
        preview_.setAccessibleDescription(preview.description);
    }
    showPreviewInPlace();
}

void SelectionViews::showPreviewInPlace() {
    // The strip scrolls inside the width the window has, never widening it;
    // it is as high as the preview (up to a limit) and its scroll bar.
    const bool empty = preview_.pixmap().isNull();
    preview_.adjustSize();
    const bool fits = preview_.height() <= kPreviewMaxHeight;
    scroller_.setVerticalScrollBarPolicy(fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    const int bar = scroller_.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &scroller_);
    scroller_.setFixedHeight(empty ? 0
                                   : std::min(preview_.height(), kPreviewMaxHeight) + bar +
                                         2 * scroller_.frameWidth());
    scroller_.setVisible(!empty);
}
