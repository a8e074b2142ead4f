#include "app/AppController.h"

#include "app/Commands.h"
#include "app/ReapplyOffer.h"
#include "app/SelectionViews.h"
#include "app/SetCommands.h"
#include "app/StartUp.h"
#include "browser/FSBrowserCell.h"
#include "browser/LibraryBrowserController.h"
#include "library/Layout.h"
#include "library/PictureSystem.h"
#include "library/SetReasons.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"
#include "platform/widgets/AlertPanel.h"
#include "platform/widgets/StatusMessages.h"
#include "privileged/AuthRunner.h"

#include "ui_MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>
#include <algorithm>
#include <cstdlib>

AppController::AppController()
    : mainUi_(std::make_unique<Ui::MainWindow>()), mainWindow_(std::make_unique<QMainWindow>()),
      terminate_([](int status) { std::exit(status); }),
      startUp_(std::make_unique<StartUp>([this](int status) { terminate_(status); })) {
    mainUi_->setupUi(mainWindow_.get());
    platform::elideStatusMessages(*mainWindow_->statusBar());
    connect(mainUi_->actionQuit, &QAction::triggered, this, [this] { exitApp(); });
    mainUi_->useButton->installEventFilter(this);
    // Alerts sit on the main window once it is shown.
    platform::setAlertParent(mainWindow_.get());
    mainUi_->nodeIconWell->setAccessibleName(
        platform::bundle::localizedString(QT_TRANSLATE_NOOP("Trayskin", "No icon")));
    // The inspector reads like part of the window, not like a text field.
    mainUi_->nodeInspector->viewport()->setAutoFillBackground(false);
    // What to do, while the inspector has nothing to show.
    const QString hint = platform::bundle::localizedString(
        QT_TRANSLATE_NOOP("Trayskin", "Choose a status item, then a set to see its pictures. "
                                      "Use This Set puts them in place."));
    mainUi_->nodeInspector->setPlaceholderText(hint);
    mainUi_->nodeInspector->setAccessibleDescription(hint);
    // Closing the main window is quitting: the authorization is freed too.
    mainWindow_->installEventFilter(this);
}

AppController::~AppController() {
    platform::setAlertParent(nullptr);
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

void AppController::awakeFromNib(std::shared_ptr<library::PictureSystem> system) {
    system_ = std::move(system);
    // The window's thread never waits out a pause.
    system_->pauseAside();
    libraryBrowser_ = std::make_unique<browser::LibraryBrowserController>(
        browser::LibraryBrowserController::Outlets{mainUi_->fsBrowser, mainUi_->nodeIconWell,
                                                   mainUi_->nodeInspector, mainUi_->useButton},
        system_->libraryRoot(),
        [system = system_.get()](std::string_view name) { return system->isPicture(name); });
    libraryBrowser_->setDescriber([system = system_.get()](const std::string& path) {
        const library::EntryWords words = system->describeEntry(path);
        return std::pair(words.type, words.note);
    });
    libraryBrowser_->setRowPicture(
        [system = system_.get()](const std::string& path) { return system->entryPicture(path); });
    libraryBrowser_->setItemTitle(
        [system = system_.get()](const std::string& item) { return system->itemTitle(item); });
    // The browser's data source is the controller's.
    mainUi_->fsBrowser->setDelegate(libraryBrowser_.get());
    libraryBrowser_->setInfostore(QStringLiteral("test "));
    selectionViews_ = std::make_unique<SelectionViews>(*mainWindow_, *mainUi_->setPreview,
                                                       *mainUi_->previewScroller, *system_);

    if (!startUp_->prepareLibrary(*system_))
        return;
    commands_ = std::make_unique<Commands>(*mainWindow_, *system_);
    connectActions();
    showSystemCommands();
    makeSetCommands();
    reapplyOffer_ = new ReapplyOffer(*mainWindow_, *mainUi_->fileMenu, mainUi_->actionRestore,
                                     *system_, [this](const library::PlaceReport& report) {
                                         commands_->tell(report);
                                         updateSelectionViews();
                                     });
    selectionViews_->show(std::string(), std::string());
    configureBrowser();
    loadLibrary();
    if (system_->startsOnFirstItem())
        mainUi_->fsBrowser->selectRow(0, 0);
    // The keyboard starts in the browser.
    mainUi_->fsBrowser->setFocus();
    privileged::authinit();
    // The theme may have changed under an installed set since the last start.
    reapplyOffer_->check();
    const QString backupNotice = startUp_->backupNotice();
    if (!backupNotice.isEmpty())
        mainWindow_->statusBar()->showMessage(backupNotice);
    // Said once at a start, such as a switch of the desktop's theme that the
    // user has replaced since; the desktop is left as it is.
    if (const auto notice = system_->startNotice()) {
        platform::runAlertPanel(notice->title, notice->message, notice->button);
        updateSelectionViews();
    }
    setCommands_->afterStart();
}

void AppController::connectActions() {
    connect(mainUi_->actionReload, &QAction::triggered, this, [this] { reloadData(); });
    connect(mainUi_->actionHelp, &QAction::triggered, this, [this] { showHelp(); });
    connect(mainUi_->actionAbout, &QAction::triggered, this, [this] { showAbout(); });
    connect(mainUi_->actionRestore, &QAction::triggered, this,
            [this] { restoreOriginalPictures(); });
    connect(mainUi_->actionRestoreAll, &QAction::triggered, this,
            [this] { restoreAllOriginalPictures(); });
    connect(mainUi_->useButton, &QPushButton::clicked, this, [this] { useButtonClick(); });
    // The menu item does what the button does, when the button may.
    connect(mainUi_->actionUse, &QAction::triggered, this, [this] {
        if (mainUi_->useButton->isEnabled())
            useButtonClick();
    });
}

void AppController::configureBrowser() {
    platform::ColumnBrowser& view = *mainUi_->fsBrowser;
    view.setCellClass<browser::FSBrowserCell>();
    view.setAction([this](platform::ColumnBrowser& sender) {
        beginAction();
        libraryBrowser_->browserSingleClick(sender);
        updateSelectionViews();
        explainSelection();
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

void AppController::beginAction() {
    // What the status bar said about the last action is old news now.
    mainWindow_->statusBar()->clearMessage();
}

void AppController::loadLibrary() {
    mainUi_->fsBrowser->setPath(system_->libraryRoot());
    mainUi_->fsBrowser->loadColumnZero();
}

void AppController::reloadData() {
    beginAction();
    loadLibrary();
    reapplyOffer_->check();
    // The inspector and the preview go with the old columns: the system's
    // first item is shown again, or nothing is, as a click on no row says.
    if (system_->startsOnFirstItem() && mainUi_->fsBrowser->numberOfRowsInColumn(0) > 0) {
        mainUi_->fsBrowser->selectRow(0, 0);
        return;
    }
    libraryBrowser_->browserSingleClick(*mainUi_->fsBrowser);
    updateSelectionViews();
}

void AppController::exitApp() {
    // A pause for the desktop's programs ends first: the user's settings are back then.
    if (system_)
        system_->endPausesAside();
    privileged::authdestroy();
    terminate_(0);
}

std::pair<std::string, std::string> AppController::selectedItemAndSet() const {
    const platform::ColumnBrowser& view = *mainUi_->fsBrowser;
    const auto components = platform::splitPath(view.path(), view.pathSeparator());
    std::string item = components.size() > 1 ? components[1] : std::string();
    std::string set = components.size() > 2 ? components[2] : std::string();
    if (!set.empty() && !platform::fs::isDirectory(platform::formatPath(
                            library::kPictureSetPattern, {system_->libraryRoot(), item, set})))
        set.clear();
    return {item, set};
}

void AppController::updateSelectionViews() {
    const auto [item, set] = selectedItemAndSet();
    mainUi_->actionRestore->setEnabled(!item.empty());
    setCommands_->follow(item, set);
    // The use button says why it cannot use the set, before it is tried.
    mainUi_->useButton->setToolTip(set.empty() ? QString()
                                               : library::setUnusableReason(*system_, item, set));
    showSystemCommands();
    selectionViews_->show(item, set);
}

void AppController::reapplySets() {
    reapplyOffer_->run();
}

void AppController::useButtonClick() {
    const platform::ColumnBrowser& view = *mainUi_->fsBrowser;
    const auto components = platform::splitPath(view.pathToColumn(2), view.pathSeparator());
    // Nothing to install until a set is selected in the second column.
    const bool chosen = components.size() >= 3 && !components[1].empty() && !components[2].empty();
    commands_->use(chosen ? components[1] : std::string(), chosen ? components[2] : std::string());
    if (chosen) {
        reapplyOffer_->check();
        updateSelectionViews();
    }
}

void AppController::restoreOriginalPictures() {
    const std::string item = selectedItemAndSet().first;
    commands_->restore(item);
    if (!item.empty()) {
        reapplyOffer_->check();
        updateSelectionViews();
    }
}

void AppController::restoreAllOriginalPictures() {
    commands_->restoreAll();
    reapplyOffer_->check();
    updateSelectionViews();
}

bool AppController::runSystemCommand(std::string_view name, bool checked) {
    const auto [item, set] = selectedItemAndSet();
    const library::PlaceReport report = commands_->run(name, checked);
    reapplyOffer_->check();
    // The columns show the sets a command made.
    if (report.setsChanged)
        showSet(item, set);
    else
        updateSelectionViews();
    return report.done;
}

void AppController::explainSelection() {
    const QString why = mainUi_->useButton->toolTip();
    if (!why.isEmpty())
        mainWindow_->statusBar()->showMessage(why);
    const platform::ColumnBrowser& view = *mainUi_->fsBrowser;
    const auto components = platform::splitPath(view.path(), view.pathSeparator());
    const auto [item, set] = selectedItemAndSet();
    if (components.size() != 4 || set.empty() || view.selectedCells().size() != 1)
        return;
    const QString refusal = system_->pictureRefusal(item, set, components[3]);
    if (!refusal.isEmpty())
        mainUi_->nodeInspector->append(
            platform::bundle::localizedString(
                QT_TRANSLATE_NOOP("Trayskin", "Use This Set leaves this file out: %1"))
                .arg(refusal));
}

void AppController::makeSetCommands() {
    SetCommands::Hooks hooks;
    hooks.selection = [this] { return selectedItemAndSet(); };
    hooks.inSetsColumn = [this] {
        const QWidget* sets = mainUi_->fsBrowser->columnView(1);
        const QWidget* focus = QApplication::focusWidget();
        return sets && focus && (focus == sets || sets->isAncestorOf(focus));
    };
    hooks.showSet = [this](const std::string& item, const std::string& set) { showSet(item, set); };
    hooks.reread = [this] { rereadColumns(); };
    hooks.system = system_.get();
    setCommands_ =
        std::make_unique<SetCommands>(*mainWindow_, *mainUi_->fileMenu, *mainUi_->fsBrowser,
                                      system_->libraryRoot(), std::move(hooks));
}

void AppController::rereadColumns() {
    platform::ColumnBrowser& view = *mainUi_->fsBrowser;
    const std::string before = view.path();
    view.reloadColumns();
    if (view.path() != before) {
        libraryBrowser_->browserSingleClick(view);
        updateSelectionViews();
    }
}

bool AppController::startWorkRunning() const {
    return setCommands_ && setCommands_->afterStartRunning();
}

void AppController::showSet(const std::string& item, const std::string& set) {
    platform::ColumnBrowser& view = *mainUi_->fsBrowser;
    view.loadColumnZero();
    if (!item.empty())
        view.setPath("/" + item + (set.empty() ? std::string() : "/" + set));
    libraryBrowser_->browserSingleClick(view);
    updateSelectionViews();
}

void AppController::showSystemCommands() {
    const QList<QAction*> items = mainUi_->fileMenu->actions();
    const qsizetype use = items.indexOf(mainUi_->actionUse);
    QAction* before = use >= 0 && use + 1 < items.size() ? items[use + 1] : nullptr;
    // A greyed command says why in its tooltip.
    mainUi_->fileMenu->setToolTipsVisible(true);
    for (const library::SystemCommand& command : system_->commands()) {
        QAction* action = systemAction(command, before);
        action->setText(command.text);
        action->setCheckable(command.checkable);
        action->setChecked(command.checked);
        action->setEnabled(command.enabled);
        action->setToolTip(command.whyNot);
        action->setStatusTip(command.whyNot);
    }
}

QAction* AppController::systemAction(const library::SystemCommand& command, QAction* before) {
    const QString name = QString::fromStdString(command.name);
    const auto known = std::find_if(systemActions_.begin(), systemActions_.end(),
                                    [&](QAction* action) { return action->objectName() == name; });
    if (known != systemActions_.end())
        return *known;
    auto* action = new QAction(mainWindow_.get());
    action->setObjectName(name);
    if (command.group.isEmpty()) {
        mainUi_->fileMenu->insertAction(before, action);
    } else {
        // A group is a submenu of its own whose commands exclude each other.
        QMenu*& menu = systemMenus_[command.group];
        if (!menu) {
            menu = new QMenu(command.group, mainUi_->fileMenu);
            mainUi_->fileMenu->insertMenu(before, menu);
            new QActionGroup(menu);
        }
        menu->addAction(action);
        menu->findChild<QActionGroup*>()->addAction(action);
    }
    connect(action, &QAction::triggered, this,
            [this, name = command.name](bool checked) { runSystemCommand(name, checked); });
    systemActions_.push_back(action);
    return action;
}

void AppController::showHelp() {
    commands_->showHelp();
}

void AppController::showAbout() {
    commands_->showAbout();
}
