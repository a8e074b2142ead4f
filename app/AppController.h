// The one controller of the application: the main window, the start-up
// sequence, reload and quit. Its rooms do the rest: the start-up's library
// work and backup window, the views that follow the selection, and the
// commands with their alerts.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QAction;
class QMenu;
class QMainWindow;
class Commands;
class ReapplyOffer;
class SetCommands;
class SelectionViews;
class StartUp;

namespace browser {
class LibraryBrowserController;
} // namespace browser

namespace library {
class PictureSystem;
struct SystemCommand;
} // namespace library

namespace Ui {
class MainWindow;
} // namespace Ui

class AppController final : public QObject {
    Q_OBJECT

public:
    AppController();
    ~AppController() override;

    // Runs the whole start-up on the system's pictures before the user can
    // act. On a failure of the library set-up it reports it and ends the
    // process with status 0.
    void awakeFromNib(std::shared_ptr<library::PictureSystem> system);

    void reloadData();
    void exitApp();
    // Puts the set selected in the browser's second column in place.
    void useButtonClick();
    void showHelp();
    void showAbout();
    // File > Restore Original Pictures: the selected item's; File > Restore
    // All Original Pictures: every item's.
    void restoreOriginalPictures();
    void restoreAllOriginalPictures();
    // The system's own command of that name; whether it was carried out.
    bool runSystemCommand(std::string_view name, bool checked);
    // After every click in the browser and every command: the status bar
    // names the set the selected item shows now, the preview shows the
    // selected set, and the commands follow the selection.
    void updateSelectionViews();
    // Reapply the installed sets, as File > Reapply Sets does.
    void reapplySets();

    QMainWindow* mainWindow() const { return mainWindow_.get(); }
    // Whether the work the start left until the window is up has not ended.
    bool startWorkRunning() const;

    // How the process ends; tests put their own in place. It must not return
    // for the program to behave as shipped; when it does, the caller stops.
    using Terminator = std::function<void(int)>;
    void setTerminator(Terminator terminator) { terminate_ = std::move(terminator); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectActions();
    void configureBrowser();
    // Column 0 afresh from the library root, with nothing selected.
    void loadLibrary();
    // The system's own commands in the File menu, after Use This Set, as
    // they stand now; made at their first showing.
    void showSystemCommands();
    // The menu item of the command, made at its first showing.
    QAction* systemAction(const library::SystemCommand& command, QAction* before);
    // Every action of the window starts here: a status line about the last
    // one goes.
    void beginAction();
    // The item and set of the browser's selection ("" when none).
    std::pair<std::string, std::string> selectedItemAndSet() const;
    // Reads the library again and selects the item's set ("" for the item
    // alone), as a click on it would.
    void showSet(const std::string& item, const std::string& set);
    void makeSetCommands();
    // The columns read again, their selection and scrolling kept; the views
    // follow when a selected entry is gone.
    void rereadColumns();
    // After a click: why the selected set cannot be used, in the status bar;
    // why Use would leave the selected picture out, in the inspector.
    void explainSelection();

    std::unique_ptr<Ui::MainWindow> mainUi_;
    std::unique_ptr<QMainWindow> mainWindow_;
    Terminator terminate_;
    std::unique_ptr<StartUp> startUp_;
    // Made at the start, for the system the program works on.
    std::shared_ptr<library::PictureSystem> system_;
    std::unique_ptr<browser::LibraryBrowserController> libraryBrowser_;
    std::unique_ptr<SelectionViews> selectionViews_;
    std::unique_ptr<Commands> commands_;
    std::unique_ptr<SetCommands> setCommands_;
    ReapplyOffer* reapplyOffer_ = nullptr;  // the window's child
    std::vector<QAction*> systemActions_;   // named by the system's commands
    std::map<QString, QMenu*> systemMenus_; // the commands' groups, by title
};
