// What the program needs of the system's pictures, whichever system holds
// them: the status items and the pictures each shows now, the library root,
// where the backup comes from, how a set is put in place and restored, and
// which set is in use. Menu Extras bundles are one such system, the user's
// icon theme another; the program picks one at start and everything else
// asks the active one.
#pragma once

#include "library/HomeFolder.h"
#include "library/InUse.h"
#include "library/Layout.h"

#include <QString>
#include <functional>
#include <memory>
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
};

// What putting a set in place or restoring did.
struct PlaceReport {
    // The Menu Extras' completion alert (and the extra's settings pane) to
    // show, by what was done.
    enum class Completion { None, Installed, Restored, RestoredAll };

    bool done = false; // every picture in place
    Completion menuExtraCompletion = Completion::None;
    // Why nothing was restored, or that every picture was already the
    // original (Menu Extras).
    RestoreProblem problem = RestoreProblem::None;
    bool nothingNeeded = false;
    std::vector<Notice> notices; // shown in order
};

// Copies pictures over system pictures with the user's permission, saying
// itself what went wrong; false at the first failure.
using PrivilegedCopier = std::function<bool(const std::vector<InstallCopy>&)>;

class PictureSystem {
public:
    enum class Mode { MenuExtras, IconTheme };

    virtual ~PictureSystem() = default;

    virtual Mode mode() const = 0;
    // For the status bar: the mode and, where there is one, the theme.
    virtual QString description() const = 0;

    virtual std::string libraryRoot() const = 0;
    // The bundle's example tree for this system.
    virtual std::string exampleTree(const std::string& bundlePath) const = 0;
    // Whether a file of a set is a picture of this system (by its name).
    virtual bool isPicture(std::string_view name) const = 0;
    // The side at which a panel shows the pictures; 0 for their own size.
    virtual int panelSide() const = 0;

    // The root, the one-time backup and the default sets.
    virtual bool setupLibrary(BackupProgress& progress, SetupReport* report) = 0;
    // The items the system shows now, by their folder names in the library.
    virtual std::vector<std::string> items() = 0;
    virtual InUse inUse(const std::string& item) = 0;
    // Each picture of the set (source) with the picture the system shows
    // now for it (target, "" when none); the first `most` of them.
    virtual std::vector<InstallCopy> currentPictures(const std::string& item,
                                                     const std::string& set, std::size_t most) = 0;

    virtual PlaceReport install(const std::string& item, const std::string& set,
                                const PrivilegedCopier& copier) = 0;
    virtual PlaceReport restore(const std::string& item, const PrivilegedCopier& copier) = 0;
    virtual PlaceReport restoreAll(const PrivilegedCopier& copier) = 0;
};

// The system the program works on; Menu Extras until another is set.
PictureSystem& activeSystem();
// Makes the system active (none: Menu Extras again); returns the one before.
std::shared_ptr<PictureSystem> setActiveSystem(std::shared_ptr<PictureSystem> system);

} // namespace library
