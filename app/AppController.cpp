#include "app/AppController.h"

#include "browser/FSBrowserCell.h"
#include "browser/SetPreview.h"
#include "library/Examples.h"
#include "library/IconThemeSystem.h"
#include "library/InUse.h"
#include "library/Layout.h"
#include "library/PictureSystem.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"
#include "platform/core/SystemFolders.h"
#include "platform/gui/Workspace.h"
#include "platform/widgets/AlertPanel.h"
#include "privileged/AuthRunner.h"

#include "ui_BackupWindow.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStringList>
#include <QStyle>
#include <QTextEdit>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

AppController::AppController()
    : mainUi_(std::make_unique<Ui::MainWindow>()), backupUi_(std::make_unique<Ui::BackupWindow>()),
      mainWindow_(std::make_unique<QMainWindow>()), backupWindow_(std::make_unique<QWidget>()),
      terminate_([](int status) { std::exit(status); }) {
    mainUi_->setupUi(mainWindow_.get());
    backupUi_->setupUi(backupWindow_.get());
    backupWindow_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    backupProgress_ = backupUi_->backupProgress;
    libraryBrowser_ = std::make_unique<browser::LibraryBrowserController>(
        browser::LibraryBrowserController::Outlets{mainUi_->fsBrowser, mainUi_->nodeIconWell,
                                                   mainUi_->nodeInspector, mainUi_->useButton});
    // The browser's data source is the controller's.
    mainUi_->fsBrowser->setDelegate(libraryBrowser_.get());

    connect(mainUi_->actionReload, &QAction::triggered, this, [this] { reloadData(); });
    connect(mainUi_->actionQuit, &QAction::triggered, this, [this] { exitApp(); });
    connect(mainUi_->actionHelp, &QAction::triggered, this, [this] { showHelp(); });
    connect(mainUi_->actionAbout, &QAction::triggered, this, [this] { showAbout(); });
    connect(mainUi_->actionRestore, &QAction::triggered, this,
            [this] { restoreOriginalPictures(); });
    connect(mainUi_->actionRestoreAll, &QAction::triggered, this,
            [this] { restoreAllOriginalPictures(); });
    connect(mainUi_->actionOwnTheme, &QAction::triggered, this,
            [this](bool on) { setOwnThemeRoute(on); });
    connect(mainUi_->actionSwitchTheme, &QAction::triggered, this,
            [this] { switchDesktopTheme(); });
    inUse_ = new QLabel(mainWindow_.get());
    inUse_->setObjectName(QStringLiteral("inUse"));
    inUse_->setTextFormat(Qt::PlainText);
    // A long line is cut rather than widening the window.
    inUse_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // A normal widget, so that a message of the status bar shows in its place
    // until it is cleared; a permanent one would leave the message no room.
    mainWindow_->statusBar()->addWidget(inUse_, 1);
    showPreviewInPlace();
    // Which system's pictures the program works on.
    mode_ = new QLabel(mainWindow_.get());
    mode_->setObjectName(QStringLiteral("mode"));
    mode_->setTextFormat(Qt::PlainText);
    mainWindow_->statusBar()->addPermanentWidget(mode_);
    connect(mainUi_->useButton, &QPushButton::clicked, this, [this] { useButtonClick(); });
    // The menu item does what the button does, when the button may.
    connect(mainUi_->actionUse, &QAction::triggered, this, [this] {
        if (mainUi_->useButton->isEnabled())
            useButtonClick();
    });
    mainUi_->useButton->installEventFilter(this);
    // Alerts sit on the main window once it is shown.
    platform::setAlertParent(mainWindow_.get());
    mainUi_->nodeIconWell->setAccessibleName(
        platform::bundle::localizedString(QT_TRANSLATE_NOOP("Trayskin", "No icon")));
    // The inspector reads like part of the window, not like a text field.
    mainUi_->nodeInspector->viewport()->setAutoFillBackground(false);
    // Closing the main window is quitting: the authorization is freed too.
    mainWindow_->installEventFilter(this);
}

bool AppController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mainUi_->useButton && event->type() == QEvent::EnabledChange)
        mainUi_->actionUse->setEnabled(mainUi_->useButton->isEnabled());
    if (watched == mainWindow_.get() && event->type() == QEvent::Close) {
        event->ignore();
        exitApp();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

AppController::~AppController() {
    platform::setAlertParent(nullptr);
}

library::IconThemeSystem* AppController::desktopSystem() {
    return dynamic_cast<library::IconThemeSystem*>(&library::activeSystem());
}

platform::ColumnBrowser* AppController::fsBrowser() const {
    return mainUi_->fsBrowser;
}

QPushButton* AppController::useButton() const {
    return mainUi_->useButton;
}

QTextEdit* AppController::nodeInspector() const {
    return mainUi_->nodeInspector;
}

QLabel* AppController::nodeIconWell() const {
    return mainUi_->nodeIconWell;
}

QLabel* AppController::setPreview() const {
    return mainUi_->setPreview;
}

QAction* AppController::restoreAction() const {
    return mainUi_->actionRestore;
}

QAction* AppController::useAction() const {
    return mainUi_->actionUse;
}

QAction* AppController::ownThemeAction() const {
    return mainUi_->actionOwnTheme;
}

QAction* AppController::switchThemeAction() const {
    return mainUi_->actionSwitchTheme;
}

void AppController::awakeFromNib() {
    libraryBrowser_->setInfostore(QStringLiteral("test "));

    if (!setupHomeFolder()) {
        using platform::bundle::localizedString;
        const QString error = setupFailedError_ != 0
                                  ? QString::fromLocal8Bit(std::strerror(setupFailedError_))
                                  : localizedString(QT_TRANSLATE_NOOP("Trayskin", "unknown error"));
        failStartUp("Problem setting up home folder!",
                    QT_TRANSLATE_NOOP("Trayskin", "Bad setup prefs"),
                    localizedString(QT_TRANSLATE_NOOP("Trayskin", "Could not set up %1: %2"))
                        .arg(QString::fromUtf8(setupFailedPath_), error));
        return;
    }
    if (!includeExamples()) {
        failStartUp("Problem including examples!", QT_TRANSLATE_NOOP("Trayskin", "Bad copy"));
        return;
    }
    updateDesktopActions();
    configureBrowser();
    reloadData();
    // The keyboard starts in the browser.
    fsBrowser()->setFocus();
    privileged::authinit();
    showBackupNotice();
    // A switch of the desktop's theme that the user has replaced since is
    // said once; the desktop is left as it is.
    if (library::IconThemeSystem* system = desktopSystem()) {
        if (const auto notice = system->startNotice()) {
            platform::runAlertPanel(notice->title, notice->message, notice->button);
            updateDesktopActions();
        }
    }
}

void AppController::showBackupNotice() {
    if (backupMissing_.empty())
        return;
    QStringList names;
    for (const std::string& entry : backupMissing_)
        names << QString::fromUtf8(entry);
    mainWindow_->statusBar()->showMessage(
        platform::bundle::localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "Backup not complete, tried again at the next start:")) +
        QLatin1Char(' ') + names.join(QStringLiteral(", ")));
}

void AppController::configureBrowser() {
    platform::ColumnBrowser& view = *fsBrowser();
    view.setCellClass<browser::FSBrowserCell>();
    view.setAction([this](platform::ColumnBrowser& sender) {
        beginAction();
        libraryBrowser_->browserSingleClick(sender);
        updateSelectionViews();
    });
    view.setDoubleAction(
        [this](platform::ColumnBrowser& sender) { libraryBrowser_->browserDoubleClick(sender); });
    view.setMaxVisibleColumns(4);
    using platform::bundle::localizedString;
    view.setColumnNames({localizedString(QT_TRANSLATE_NOOP("Trayskin", "Status Items")),
                         localizedString(QT_TRANSLATE_NOOP("Trayskin", "Sets")),
                         localizedString(QT_TRANSLATE_NOOP("Trayskin", "Pictures"))});
    // A quarter of the width that the window's layout gives the browser.
    mainWindow_->layout()->activate();
    mainWindow_->centralWidget()->layout()->activate();
    const float width = static_cast<float>(view.rect().width());
    view.setMinColumnWidth(width * 0.25f);
}

void AppController::failStartUp(const char* line, const char* messageKey, const QString& detail) {
    std::puts(line);
    std::fflush(stdout);
    if (!detail.isEmpty()) {
        std::fprintf(stderr, "%s\n", detail.toLocal8Bit().constData());
        std::fflush(stderr);
    }
    using platform::bundle::localizedString;
    platform::runAlertPanel(localizedString(QT_TRANSLATE_NOOP("Trayskin", "My Apologies")),
                            localizedString(messageKey),
                            localizedString(QT_TRANSLATE_NOOP("Trayskin", "Quit")), detail);
    terminate_(0);
}

void AppController::setBarValue(double value) {
    progressValue_ = value;
    backupProgress_->setValue(static_cast<int>(std::lround(value)));
}

void AppController::openBackupWindow() {
    backupWindow_->show();
    backupWindow_->raise();
    backupWindow_->activateWindow();
    setBarValue(5.0);
    displayIfNeeded();
}

void AppController::closeBackupWindow() {
    setBarValue(100.0);
    backupWindow_->hide();
}

void AppController::incrementBy(double delta) {
    // The bar stops at its end: with a few entries the steps add up to more.
    setBarValue(std::min(100.0, progressValue_ + delta));
}

void AppController::displayIfNeeded() {
    // The event loop is not running during start-up: paint now, and let the
    // window system see the window, but hand no user input to anyone.
    if (backupWindow_->isVisible())
        backupWindow_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool AppController::includeExamples() {
    return library::includeExampleTree(
        library::activeSystem().exampleTree(platform::bundle::bundlePath()));
}

bool AppController::setupHomeFolder() {
    library::SetupReport report;
    if (!library::activeSystem().setupLibrary(*this, &report)) {
        setupFailedPath_ = report.failedPath;
        setupFailedError_ = report.failedError;
        return false;
    }
    backupMissing_ = report.backupMissing;
    for (const std::string& entry : backupMissing_) {
        std::printf("Backup not complete: could not copy %s\n", entry.c_str());
        std::fflush(stdout);
    }
    return true;
}

void AppController::beginAction() {
    // What the status bar said about the last action is old news now.
    mainWindow_->statusBar()->clearMessage();
}

void AppController::reloadData() {
    beginAction();
    fsBrowser()->setPath(library::libraryRoot());
    fsBrowser()->loadColumnZero();
}

void AppController::exitApp() {
    privileged::authdestroy();
    terminate_(0);
}

std::pair<std::string, std::string> AppController::selectedExtraAndSet() const {
    const auto components = platform::splitPath(fsBrowser()->path(), fsBrowser()->pathSeparator());
    std::string extra = components.size() > 1 ? components[1] : std::string();
    std::string set = components.size() > 2 ? components[2] : std::string();
    if (!set.empty() && !platform::fs::isDirectory(platform::formatPath(
                            library::kPictureSetPattern, {library::libraryRoot(), extra, set})))
        set.clear();
    return {extra, set};
}

void AppController::updateSelectionViews() {
    using platform::bundle::localizedString;
    const auto [extra, set] = selectedExtraAndSet();
    mainUi_->actionRestore->setEnabled(!extra.empty());
    updateDesktopActions();
    if (extra.empty()) {
        inUse_->clear();
    } else {
        const library::InUse inUse = library::activeSystem().inUse(extra);
        const QString label =
            localizedString(QT_TRANSLATE_NOOP("Trayskin", "In use:")) + QLatin1Char(' ');
        switch (inUse.kind) {
        case library::InUse::Kind::Set:
            inUse_->setText(label + QString::fromUtf8(inUse.set));
            break;
        case library::InUse::Kind::Mix:
            inUse_->setText(label +
                            localizedString(QT_TRANSLATE_NOOP("Trayskin", "a mix of sets")));
            break;
        case library::InUse::Kind::Unknown:
            inUse_->setText(label + localizedString(QT_TRANSLATE_NOOP(
                                        "Trayskin", "pictures that no set holds")));
            break;
        case library::InUse::Kind::NoBundle:
            inUse_->setText(localizedString(
                library::activeSystem().mode() == library::PictureSystem::Mode::IconTheme
                    ? QT_TRANSLATE_NOOP("Trayskin", "The icon theme shows no picture of this item.")
                    : QT_TRANSLATE_NOOP("Trayskin", "No Menu Extra of this name is installed.")));
            break;
        }
    }
    // The preview is drawn from the files now and dropped with the next one.
    QLabel& shown = *mainUi_->setPreview;
    const browser::SetPreview preview =
        set.empty() ? browser::SetPreview{}
                    : browser::renderSetPreview(browser::previewPicturesOf(extra, set),
                                                shown.devicePixelRatioF());
    if (preview.image.isNull()) {
        shown.clear();
        shown.setAccessibleDescription(QString());
    } else {
        shown.setPixmap(QPixmap::fromImage(preview.image));
        shown.setAccessibleDescription(preview.description);
    }
    showPreviewInPlace();
}

void AppController::showPreviewInPlace() {
    // The strip scrolls inside the width the window has, never widening it;
    // it is as high as the preview (up to a limit) and its scroll bar.
    QLabel& shown = *mainUi_->setPreview;
    QScrollArea& scroller = *mainUi_->previewScroller;
    const bool empty = shown.pixmap().isNull();
    shown.adjustSize();
    const bool fits = shown.height() <= kPreviewMaxHeight;
    scroller.setVerticalScrollBarPolicy(fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    const int bar = scroller.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &scroller);
    scroller.setFixedHeight(
        empty ? 0 : std::min(shown.height(), kPreviewMaxHeight) + bar + 2 * scroller.frameWidth());
    scroller.setVisible(!empty);
}

void AppController::showHelp() {
    beginAction();
    const std::string path = platform::bundle::pathForResource("ReadMe", "html");
    if (!path.empty())
        openReporting(path, QT_TRANSLATE_NOOP("Trayskin", "The help page could not be opened:"));
}

void AppController::openReporting(const std::string& path, const char* failureKey) {
    // The opener may fail at once, or later when it finds nothing to open
    // the file with; the controller may be gone by then.
    QPointer<AppController> self(this);
    const auto failed = [self, path, failureKey] {
        if (self)
            self->tellInStatusBar(failureKey, path);
    };
    if (!platform::sharedWorkspace().openFile(path, failed))
        failed();
}

void AppController::showAbout() {
    beginAction();
    using platform::bundle::localizedString;
    const QString text =
        QStringLiteral("Trayskin ") + QStringLiteral(TRAYSKIN_VERSION) + QStringLiteral("\n\n") +
        localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "Chooses the pictures of the menu bar's status items.")) +
        QStringLiteral("\n\n") +
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "Free software under the MIT License."));
    platform::runAlertPanel(localizedString(QT_TRANSLATE_NOOP("Trayskin", "About Trayskin")), text,
                            localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK")));
}

void AppController::tellInStatusBar(const char* key, const std::string& path) {
    mainWindow_->statusBar()->showMessage(platform::bundle::localizedString(key) +
                                          QLatin1Char(' ') + QString::fromUtf8(path));
}
