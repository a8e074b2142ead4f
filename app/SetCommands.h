// The commands on the library's sets as wholes, in the File menu and the
// library browser's context menu: New Set, Import Sets, Export Set, Move Set
// to Trash (also the Delete key in the sets column), Duplicate Set, Rename
// Set, and Open Library Folder. The menu items are added here, after the
// menu's last item but Quit. Folders and archives dropped onto the window are
// imported; pictures dropped go into the New Set being made, or start one.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>
#include <utility>

class QAction;
class QMainWindow;
class QMenu;
class QWidget;
class NewSetDialog;
class QThread;

namespace library {
class PictureSystem;
} // namespace library

class SetCommands final : public QObject {
public:
    struct Hooks {
        // The item and set selected now ("" when none).
        std::function<std::pair<std::string, std::string>()> selection;
        // Whether the keyboard is in the sets column.
        std::function<bool()> inSetsColumn;
        // Shows the library again with the set selected ("" for the item).
        std::function<void(const std::string& item, const std::string& set)> showSet;
        // Reads the library's columns again, keeping what they show.
        std::function<void()> reread;
        // The system whose pictures New Set checks.
        library::PictureSystem* system = nullptr;
    };
    SetCommands(QMainWindow& window, QMenu& fileMenu, QWidget& browser, std::string root,
                Hooks hooks);
    // Waits for the start's work, which writes into the library.
    ~SetCommands() override;

    // The work a start leaves until the window is up, on a thread of its own;
    // when it ends, the columns are read again and the status bar names the
    // themes whose sets it made.
    void afterStart();
    // Whether that work has not ended yet.
    bool afterStartRunning() const { return later_ != nullptr; }

    // Asks for an archive (or a folder) and makes its sets; asks where the
    // selected set's archive goes and writes it.
    // Opens the New Set dialog (or brings the open one forward).
    NewSetDialog* newSet();
    // Files dropped onto the window: folders and archives are imported, the
    // other files go into the New Set being made (one is opened for them).
    void dropFiles(const QStringList& paths);
    void importSets();
    void importFolder();
    void exportSet();
    void moveToTrash();
    void duplicate();
    void rename();
    void openLibraryFolder();
    // The items follow the selection: a set for the set commands.
    void follow(const std::string& item, const std::string& set);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addItem(QMenu& menu, QAction* before, const char* name, const char* key,
                     std::function<void(SetCommands&)> command);
    // Asks a name in a dialog: none when cancelled.
    std::optional<QString> askName(const char* titleKey, const char* labelKey,
                                   const QString& proposed);
    // A refusal is an alert with its reason; what was done goes in the status bar.
    bool tell(bool done, const QString& reason, const QString& doneLine);
    void importFrom(const QString& source);

    QMainWindow& window_;
    std::string root_;
    Hooks hooks_;
    QPointer<NewSetDialog> newSet_;
    QThread* later_ = nullptr;
    QList<QAction*> setActions_; // the context menu's
    QAction* export_ = nullptr;
    QAction* trash_ = nullptr;
    QAction* duplicate_ = nullptr;
    QAction* rename_ = nullptr;
};
