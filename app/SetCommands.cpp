#include "app/SetCommands.h"

#include "app/NewSetDialog.h"
#include "library/PictureSystem.h"
#include "library/SetArchive.h"
#include "library/SetOperations.h"
#include "platform/core/Bundle.h"
#include "platform/gui/Workspace.h"
#include "platform/widgets/AlertPanel.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QShortcut>
#include <QStatusBar>
#include <QThread>
#include <memory>

using platform::bundle::localizedString;

SetCommands::SetCommands(QMainWindow& window, QMenu& fileMenu, QWidget& browser, std::string root,
                         Hooks hooks)
    : window_(window), root_(std::move(root)), hooks_(std::move(hooks)) {
    // Before Quit, the menu's last item, when there is one.
    const QList<QAction*> items = fileMenu.actions();
    QAction* before = items.isEmpty() ? nullptr : items.back();
    fileMenu.insertSeparator(before);
    QAction* make =
        addItem(fileMenu, before, "actionNewSet", QT_TRANSLATE_NOOP("Trayskin", "Ne&w Set..."),
                [](SetCommands& c) { c.newSet(); });
    make->setShortcut(QKeySequence::New);
    addItem(fileMenu, before, "actionImportSets", QT_TRANSLATE_NOOP("Trayskin", "&Import Sets..."),
            &SetCommands::importSets);
    addItem(fileMenu, before, "actionImportFolder",
            QT_TRANSLATE_NOOP("Trayskin", "Import Sets from &Folder..."),
            &SetCommands::importFolder);
    export_ = addItem(fileMenu, before, "actionExportSet",
                      QT_TRANSLATE_NOOP("Trayskin", "&Export Set..."), &SetCommands::exportSet);
    trash_ =
        addItem(fileMenu, before, "actionMoveSetToTrash",
                QT_TRANSLATE_NOOP("Trayskin", "Move Set to &Trash"), &SetCommands::moveToTrash);
    duplicate_ =
        addItem(fileMenu, before, "actionDuplicateSet",
                QT_TRANSLATE_NOOP("Trayskin", "D&uplicate Set..."), &SetCommands::duplicate);
    rename_ = addItem(fileMenu, before, "actionRenameSet",
                      QT_TRANSLATE_NOOP("Trayskin", "Re&name Set..."), &SetCommands::rename);
    addItem(fileMenu, before, "actionOpenLibraryFolder",
            QT_TRANSLATE_NOOP("Trayskin", "Open &Library Folder"), &SetCommands::openLibraryFolder);
    fileMenu.insertSeparator(before);
    // The Delete key in the sets column.
    auto* key = new QShortcut(QKeySequence::Delete, &browser, nullptr, nullptr,
                              Qt::WidgetWithChildrenShortcut);
    connect(key, &QShortcut::activated, this, [this] {
        if (hooks_.inSetsColumn())
            moveToTrash();
    });
    // The set commands in the library browser's context menu too.
    setActions_ = {make, duplicate_, rename_, export_, trash_};
    browser.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&browser, &QWidget::customContextMenuRequested, this, [this, &browser](QPoint at) {
        QMenu menu(&browser);
        menu.addActions(setActions_);
        menu.exec(browser.mapToGlobal(at));
    });
    // Files dropped anywhere on the window.
    window_.setAcceptDrops(true);
    window_.installEventFilter(this);
    follow(std::string(), std::string());
}

SetCommands::~SetCommands() {
    if (later_)
        later_->wait();
}

void SetCommands::afterStart() {
    auto work = hooks_.system->laterStartWork();
    if (!work || later_)
        return;
    auto report = std::make_shared<library::PlaceReport>();
    later_ = QThread::create([work, report] { *report = work(); });
    connect(later_, &QThread::finished, this, [this, report] {
        later_->deleteLater();
        later_ = nullptr;
        for (const library::Notice& notice : report->notices)
            platform::runAlertPanel({notice.title, notice.message, notice.button, notice.detail});
        // The open columns list the new sets, with the selection and the
        // scroll positions kept.
        if (report->setsChanged) {
            hooks_.reread();
            window_.statusBar()->showMessage(report->statusLine);
        }
    });
    later_->start(QThread::LowPriority);
}

bool SetCommands::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched != &window_ ||
        (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop))
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList files = droppedFiles(drop->mimeData());
    if (files.isEmpty())
        return false;
    drop->acceptProposedAction();
    if (type == QEvent::Drop)
        dropFiles(files);
    return true;
}

void SetCommands::dropFiles(const QStringList& paths) {
    QStringList pictures;
    for (const QString& path : paths) {
        const QString lower = path.toLower();
        const bool archive = lower.endsWith(u".tar.gz") || lower.endsWith(u".tgz") ||
                             lower.endsWith(u".tar.xz") || lower.endsWith(u".tar.bz2") ||
                             lower.endsWith(u".zip");
        if (archive || QFileInfo(path).isDir())
            importFrom(path);
        else
            pictures.append(path);
    }
    if (!pictures.isEmpty())
        newSet()->addFiles(pictures);
}

NewSetDialog* SetCommands::newSet() {
    if (!newSet_) {
        newSet_ = new NewSetDialog(&window_, *hooks_.system, hooks_.selection().first);
        newSet_->onMade([this](const std::string& item, const std::string& set) {
            hooks_.showSet(item, set);
            window_.statusBar()->showMessage(
                localizedString(QT_TRANSLATE_NOOP("Trayskin", "Set made: %1"))
                    .arg(QString::fromStdString(set)));
        });
    }
    newSet_->show();
    newSet_->raise();
    newSet_->activateWindow();
    return newSet_;
}

QAction* SetCommands::addItem(QMenu& menu, QAction* before, const char* name, const char* key,
                              std::function<void(SetCommands&)> command) {
    auto* action = new QAction(localizedString(key), &window_);
    action->setObjectName(QString::fromLatin1(name));
    menu.insertAction(before, action);
    connect(action, &QAction::triggered, this, [this, command] { command(*this); });
    return action;
}

void SetCommands::follow(const std::string& item, const std::string& set) {
    const bool chosen = !item.empty() && !set.empty();
    export_->setEnabled(chosen);
    trash_->setEnabled(chosen && set != "default");
    duplicate_->setEnabled(chosen);
    rename_->setEnabled(chosen && set != "default");
}

std::optional<QString> SetCommands::askName(const char* titleKey, const char* labelKey,
                                            const QString& proposed) {
    bool ok = false;
    const QString name =
        QInputDialog::getText(&window_, localizedString(titleKey), localizedString(labelKey),
                              QLineEdit::Normal, proposed, &ok);
    return ok ? std::optional<QString>(name) : std::nullopt;
}

bool SetCommands::tell(bool done, const QString& reason, const QString& doneLine) {
    window_.statusBar()->clearMessage();
    if (!done) {
        platform::runAlertPanel(localizedString(QT_TRANSLATE_NOOP("Trayskin", "Not Done")), reason,
                                localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK")));
        return false;
    }
    window_.statusBar()->showMessage(doneLine);
    return true;
}

void SetCommands::importSets() {
    const QString file = QFileDialog::getOpenFileName(
        &window_, localizedString(QT_TRANSLATE_NOOP("Trayskin", "Import Sets")), QString(),
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "Archives")) +
            QStringLiteral(" (*.tar.gz *.tgz *.tar.xz *.tar.bz2 *.zip)"));
    if (!file.isEmpty())
        importFrom(file);
}

void SetCommands::importFolder() {
    const QString folder = QFileDialog::getExistingDirectory(
        &window_, localizedString(QT_TRANSLATE_NOOP("Trayskin", "Import Sets")));
    if (!folder.isEmpty())
        importFrom(folder);
}

void SetCommands::importFrom(const QString& source) {
    const library::ImportResult result = library::importSets(root_, source.toStdString());
    const QString made = localizedString(QT_TRANSLATE_NOOP("Trayskin", "Sets imported: %1"))
                             .arg(result.made.join(QStringLiteral(", ")));
    // Some sets may be made while others are refused: both are said.
    if (!tell(result.done, result.reason, made) && !result.made.isEmpty())
        window_.statusBar()->showMessage(made);
    if (!result.made.isEmpty()) {
        const QStringList first = result.made.front().split(u'/');
        hooks_.showSet(first.front().toStdString(), first.back().toStdString());
    }
}

void SetCommands::exportSet() {
    const auto [item, set] = hooks_.selection();
    if (item.empty() || set.empty())
        return;
    const QString file = QFileDialog::getSaveFileName(
        &window_, localizedString(QT_TRANSLATE_NOOP("Trayskin", "Export Set")),
        QString::fromStdString(set) + QStringLiteral(".tar.gz"), QString(), nullptr,
        QFileDialog::DontConfirmOverwrite);
    if (file.isEmpty())
        return;
    const library::ExportResult result = library::exportSet(root_, item, set, file.toStdString());
    tell(result.done, result.reason,
         localizedString(QT_TRANSLATE_NOOP("Trayskin", "Set exported to %1")).arg(file));
}

void SetCommands::moveToTrash() {
    const auto [item, set] = hooks_.selection();
    if (item.empty() || set.empty())
        return;
    const library::SetOutcome outcome = library::moveSetToTrash(root_, item, set);
    if (tell(outcome.done, outcome.reason,
             localizedString(QT_TRANSLATE_NOOP("Trayskin", "Moved to the trash: %1"))
                 .arg(QString::fromStdString(set))))
        hooks_.showSet(item, std::string());
}

void SetCommands::duplicate() {
    const auto [item, set] = hooks_.selection();
    if (item.empty() || set.empty())
        return;
    const auto name = askName(QT_TRANSLATE_NOOP("Trayskin", "Duplicate Set"),
                              QT_TRANSLATE_NOOP("Trayskin", "Name of the copy:"),
                              library::freeCopyName(root_, item, set));
    if (!name)
        return;
    const library::SetOutcome outcome = library::duplicateSet(root_, item, set, *name);
    if (tell(outcome.done, outcome.reason,
             localizedString(QT_TRANSLATE_NOOP("Trayskin", "Set copied: %1")).arg(*name)))
        hooks_.showSet(item, name->toStdString());
}

void SetCommands::rename() {
    const auto [item, set] = hooks_.selection();
    if (item.empty() || set.empty())
        return;
    const auto name =
        askName(QT_TRANSLATE_NOOP("Trayskin", "Rename Set"),
                QT_TRANSLATE_NOOP("Trayskin", "New name:"), QString::fromStdString(set));
    if (!name)
        return;
    const library::SetOutcome outcome = library::renameSet(root_, item, set, *name);
    if (tell(outcome.done, outcome.reason,
             localizedString(QT_TRANSLATE_NOOP("Trayskin", "Set renamed: %1")).arg(*name)))
        hooks_.showSet(item, name->toStdString());
}

void SetCommands::openLibraryFolder() {
    window_.statusBar()->clearMessage();
    // The opener may give up later, when the window may be gone.
    QPointer<QMainWindow> window(&window_);
    const std::string root = root_;
    const auto failed = [window, root] {
        if (window)
            window->statusBar()->showMessage(
                localizedString(
                    QT_TRANSLATE_NOOP("Trayskin", "The library folder could not be opened:")) +
                u' ' + QString::fromStdString(root));
    };
    if (!platform::sharedWorkspace().openFile(root_, failed))
        failed();
}
