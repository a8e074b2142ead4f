// What the program needs of the system's pictures, whichever system holds
// them: the status items and the pictures each shows now, the library root,
// where the backup comes from, how a set is put in place and restored, which
// set is in use, and the system's own commands. Menu Extras bundles are one
// such system, the user's icon theme another; the program picks one at start
// and hands it to whoever needs it. Everything a system tells the user comes
// back finished, in the user's words.
#pragma once

#include "library/HomeFolder.h"
#include "library/InUse.h"
#include "library/Layout.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace library {

// An alert a command asks the program to show, already in the user's words.
struct Notice {
    QString title;
    QString message;
    QString button;
    QString detail{}; // beneath the message: what failed and why
    // A second button ("" for none): a cancel of a question, or an offer of
    // the system's command of that name beside the button.
    QString other{};
    bool otherCancels = false;
    std::string otherCommand{};
};

// What a command did, as the window shows it: the alerts in order, a line
// for the status bar, and a settings pane to open after the alerts.
struct PlaceReport {
    bool done = false; // every picture in place (or the command carried out)
    // Nothing was changed, and nothing needed to be tried: nothing to
    // restore from, no picture the system could take.
    bool nothingChanged = false;
    bool partly = false; // done, but some of the set's files were left out
    std::vector<Notice> notices;
    QString statusLine;       // why it failed, kept in the status bar; "" for none
    bool setsChanged = false; // sets were made: the window reads the library again
    // After the alerts: the settings pane, opened where it exists; else the
    // application, started by name ("" for neither).
    std::string pane;
    std::string paneApplication;
};

// What the inspector says of an entry of the library beyond its name, in
// the user's words: its kind ("" for the file system's word) and a note
// beneath the description ("" for none).
struct EntryWords {
    QString type;
    QString note;
};

// A command of the system's own besides using and restoring sets, as the
// window's File menu offers it.
struct SystemCommand {
    std::string name; // stable: the menu item's object name
    QString text;     // in the user's words, with its mnemonic
    bool enabled = false;
    bool checkable = false;
    bool checked = false;
    // Commands of one group are shown together under this title, one of
    // them checked ("" for a command on its own).
    QString group{};
    // Why the command cannot be run now ("" when it can).
    QString whyNot{};
};

// A set that an install put in place for an item, and whether the system
// has changed under it since (a theme that gained folders or pictures where
// the install would now write more).
struct InstalledSet {
    std::string item;
    std::string set;
    bool outdated = false;
    // What the system gained since the install, where it can tell: the
    // places ("<folder>/<picture name>") that hold a name of the set's and
    // that the install did not write.
    std::optional<QStringList> gained;
};

// An item and what it shows now, as status tells it.
struct ItemInUse {
    std::string item;
    InUse inUse;
};

// The command that chooses where the next installs go (desktop mode's own
// theme); the command line can ask for it too.
inline constexpr std::string_view kOwnThemeRouteCommand = "ownThemeRoute";
// The command that starts the running panel (and the status programs that
// show the pictures changed) again, as the completion alerts of Use This
// Set and the restores offer it; the command line can ask for it too.
inline constexpr std::string_view kRestartPanelCommand = "restartPanel";

class PictureSystem {
public:
    virtual ~PictureSystem() = default;

    // The mode and, where there is one, the theme.
    virtual QString description() const = 0;
    // What the program does, in the system's words, for About; "" for the
    // program's own.
    virtual QString purpose() const { return {}; }
    // For the status bar: the description, and what the desktop shows now.
    virtual QString statusLabel() { return description(); }
    // The item's title in the user's words; its folder name by default.
    virtual QString itemTitle(const std::string& item) const {
        return QString::fromStdString(item);
    }
    // The help page's section about this system (its anchor); "" for the top.
    virtual std::string helpSection() const { return {}; }
    // The in-use line of an item that the system shows no picture of.
    virtual QString nothingShownText() const = 0;

    virtual std::string libraryRoot() const = 0;
    // The bundle's example tree for this system.
    virtual std::string exampleTree(const std::string& bundlePath) const = 0;
    // Whether a file of a set is a picture of this system (by its name).
    virtual bool isPicture(std::string_view name) const = 0;
    // The preview's words for the size the pictures are shown at; "" for
    // the program's own.
    virtual QString shownSizeText() const { return {}; }
    // The side at which a panel shows the pictures; 0 for their own size.
    virtual int panelSide() const = 0;
    // The sides panels show the pictures at, for a preview of each; none
    // for a preview at the pictures' own size.
    virtual std::vector<int> panelSides() const { return {}; }

    // The root, the one-time backup and the default sets.
    virtual bool setupLibrary(BackupProgress& progress, SetupReport* report) = 0;
    // Whether a killed run left the desktop's own state (not the library)
    // half changed: a look costing no more than one stat. None by default.
    virtual bool desktopStateUnfinished() const { return false; }
    // Puts back what such a run left set; setupLibrary() does it too.
    virtual void finishDesktopState() {}
    // For the window: from now on, what a change would wait through without
    // working (a pause for the desktop's running programs) passes on a
    // thread of its own; endPausesAside() waits for it to end, at quit.
    virtual void pauseAside() {}
    virtual void endPausesAside() {}
    // Work a start leaves until the window is up, none by default: it shares
    // nothing with the system, so it may run on another thread while the
    // user works, and says what it made. A start without a window runs it
    // at once.
    virtual std::function<PlaceReport()> laterStartWork() { return {}; }
    // Said once at a start, after the library is ready; none by default.
    virtual std::optional<Notice> startNotice() { return std::nullopt; }
    // The items the system shows now, by their folder names in the library.
    virtual std::vector<std::string> items() = 0;
    // The inspector's words for the entry at the path; none by default.
    virtual EntryWords describeEntry(const std::string& path) {
        (void)path;
        return {};
    }
    // The picture a row of the library shows for the entry at the path (an
    // item: what the system shows of it now; a set: its picture of that);
    // "" for the file system's icon.
    virtual std::string entryPicture(const std::string& path) {
        (void)path;
        return {};
    }
    // Whether the window starts (and reloads) with the first item selected,
    // rather than with nothing.
    virtual bool startsOnFirstItem() const { return false; }
    virtual InUse inUse(const std::string& item) = 0;
    // Every item with what it shows now, in the order of items().
    virtual std::vector<ItemInUse> itemsInUse() {
        std::vector<ItemInUse> answer;
        for (const std::string& item : items())
            answer.push_back({item, inUse(item)});
        return answer;
    }
    // For a status kept whole (platform/core/KeptOutput.h): the lists of
    // stamps (platform/core/Stamps.h) of what the system read before
    // itemsInUse() to say what it shows, each taken before it was read;
    // none where such a status cannot be kept.
    virtual std::vector<std::string> statusInputStamps() { return {}; }
    // The stamps of what the last itemsInUse() answer was worked out from;
    // "" where there are none.
    virtual std::string statusStamps() const { return {}; }
    // The sets installs put in place, other than the system's own pictures,
    // by what the system recorded of them; by default each item's set in
    // use, which nothing can change under.
    virtual std::vector<InstalledSet> installedSets() {
        std::vector<InstalledSet> sets;
        for (const std::string& item : items())
            if (const InUse now = inUse(item); now.kind == InUse::Kind::Set && now.set != "default")
                sets.push_back({item, now.set, false, std::nullopt});
        return sets;
    }
    // What inUse(item) says, as work that may run off the window's thread
    // while the system goes on being used on it; none where inUse() is
    // quick enough to be asked on the window's thread.
    virtual std::function<InUse()> inUseTask(const std::string& item) {
        (void)item;
        return {};
    }
    // Each picture of the set (source) with the picture the system shows
    // now for it (target, "" when none); the first `most` of them.
    virtual std::vector<InstallCopy> currentPictures(const std::string& item,
                                                     const std::string& set, std::size_t most) = 0;

    virtual PlaceReport install(const std::string& item, const std::string& set) = 0;
    virtual PlaceReport restore(const std::string& item) = 0;
    virtual PlaceReport restoreAll() = 0;
    // The question asked before Restore All, with its cancel; none asks
    // nothing.
    virtual std::optional<Notice> restoreAllQuestion() { return std::nullopt; }
    // The command the completion alert of an install offers beside its
    // button, as things stand after it; none by default.
    virtual std::optional<SystemCommand> offerAfterInstall() { return std::nullopt; }

    // Why Use This Set would leave the set's file out, in the user's words;
    // "" when it would put it in place (by default: when it is a picture).
    // (SetReasons.cpp)
    virtual QString pictureRefusal(const std::string& item, const std::string& set,
                                   const std::string& name);
    // Why the file at path, named as it is, cannot be a picture of a set of
    // the item: Use would leave it out, or the system would refuse it; "" when
    // it would be put in place. New Set asks this of each picture added. By
    // default: the name alone, as above. (SetReasons.cpp)
    virtual QString fileRefusal(const std::string& item, const std::string& path);

    // The system's own commands as they stand now; none by default.
    virtual std::vector<SystemCommand> commands() { return {}; }
    // The command line speaks instead of the window: its alerts name no
    // button of the window, and with restartPanel the running panel is
    // started again as soon as a change the desktop shows is in place, the
    // command kRestartPanelCommand then telling how that went. Nothing by
    // default.
    virtual void useCommandLine(bool restartPanel) { (void)restartPanel; }
    // Runs the command of that name (checked: the state a checkable one is
    // asked to take); a name the system does not offer does nothing.
    virtual PlaceReport runCommand(std::string_view name, bool checked) {
        (void)name;
        (void)checked;
        return {};
    }
};

} // namespace library
