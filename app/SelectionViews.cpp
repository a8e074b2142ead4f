#include "app/SelectionViews.h"

#include "browser/PanelPreview.h"
#include "browser/SetPreview.h"
#include "library/InUse.h"
#include "library/PictureSystem.h"
#include "platform/core/Bundle.h"

#include <QFutureWatcher>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QPromise>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QThreadPool>
#include <algorithm>

using platform::bundle::localizedString;

SelectionViews::SelectionViews(QMainWindow& window, QLabel& preview, QScrollArea& scroller,
                               library::PictureSystem& system, Runner runner)
    : inUse_(new QLabel(&window)), mode_(new QLabel(&window)), preview_(preview),
      scroller_(scroller), system_(system), runner_(std::move(runner)) {
    if (!runner_)
        runner_ = [](std::function<void()> work) {
            QThreadPool::globalInstance()->start(std::move(work));
        };
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
    const unsigned mine = ++*asked_;
    // Nothing of an earlier item stays while this one's answer is worked out.
    inUse_->clear();
    std::function<library::InUse()> task = item.empty() ? nullptr : system_.inUseTask(item);
    inUse_->setProperty("pending", bool(task));
    if (!task) {
        if (!item.empty())
            showAnswer(*inUse_, system_, system_.inUse(item));
        return;
    }
    auto promise = std::make_shared<QPromise<library::InUse>>();
    auto* watcher = new QFutureWatcher<library::InUse>(inUse_);
    QLabel* label = inUse_;
    library::PictureSystem& system = system_;
    QObject::connect(watcher, &QFutureWatcherBase::finished, label,
                     [watcher, label, &system, asked = asked_, mine] {
                         if (*asked == mine && watcher->future().resultCount() > 0) {
                             showAnswer(*label, system, watcher->result());
                             label->setProperty("pending", false);
                         }
                         watcher->deleteLater();
                     });
    watcher->setFuture(promise->future());
    promise->start();
    runner_([promise, task = std::move(task), asked = asked_, mine] {
        if (*asked == mine)
            promise->addResult(task());
        promise->finish();
    });
}

void SelectionViews::showAnswer(QLabel& label, library::PictureSystem& system,
                                const library::InUse& inUse) {
    const QString prefix =
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "In use:")) + QLatin1Char(' ');
    switch (inUse.kind) {
    case library::InUse::Kind::Set:
        label.setText(prefix + QString::fromUtf8(inUse.set));
        break;
    case library::InUse::Kind::Mix:
        label.setText(prefix + localizedString(QT_TRANSLATE_NOOP("Trayskin", "a mix of sets")));
        break;
    case library::InUse::Kind::Unknown:
        label.setText(prefix +
                      localizedString(QT_TRANSLATE_NOOP("Trayskin", "pictures that no set holds")));
        break;
    case library::InUse::Kind::NoBundle:
        label.setText(system.nothingShownText());
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
