#include "app/CommandVerbs.h"

#include "app/CountingTool.h"
#include "app/Reapply.h"
#include "app/SetVerbs.h"
#include "app/VerbOutput.h"
#include "library/Examples.h"
#include "library/Layout.h"
#include "library/SystemChoice.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/KeptOutput.h"
#include "platform/core/PathString.h"
#include "privileged/AuthRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

using platform::bundle::localizedString;

void sayError(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

// The library's one-program lock, as the window takes it, but without
// waiting: a window that holds it is never raced.
class LibraryLock {
public:
    ~LibraryLock() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    // False only when another process holds the lock; a library that
    // cannot hold a lock file is left to the set-up to report.
    bool take(const std::string& root) {
        platform::fs::createDirectoryChain(root);
        fd_ = ::open(library::lockFile(root).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC,
                     0600);
        if (fd_ < 0)
            return true;
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0)
            if (errno != EINTR)
                return false;
        return true;
    }

private:
    int fd_ = -1;
};

// The backup window's part of the set-up, with nobody to show it to.
class NoProgress final : public library::BackupProgress {
    void openBackupWindow() override {}
    void closeBackupWindow() override {}
    void incrementBy(double) override {}
    void displayIfNeeded() override {}
};

// The library as the window's start makes it: root, backup, default sets and
// examples. 0, or the exit status of the failure, said on standard error.
int setUpLibrary(library::PictureSystem& system) {
    library::SetupReport report;
    NoProgress progress;
    if (!system.setupLibrary(progress, &report)) {
        const QString error = report.failedError != 0
                                  ? QString::fromLocal8Bit(std::strerror(report.failedError))
                                  : localizedString(QT_TRANSLATE_NOOP("Trayskin", "unknown error"));
        sayError(localizedString(QT_TRANSLATE_NOOP("Trayskin", "Could not set up %1: %2"))
                     .arg(QString::fromStdString(report.failedPath), error));
        return exitstatus::kCannotWrite;
    }
    for (const std::string& entry : report.backupMissing)
        std::printf("Backup not complete: could not copy %s\n", entry.c_str());
    if (!library::includeExampleTree(system.exampleTree(platform::bundle::bundlePath()),
                                     system.libraryRoot())) {
        sayError(localizedString(QT_TRANSLATE_NOOP("Trayskin", "Bad copy")));
        return exitstatus::kCannotWrite;
    }
    // What the window leaves until it is up, done before the verb.
    if (const auto later = system.laterStartWork())
        later();
    return exitstatus::kDone;
}

// The item named by its folder name or by its title in the user's words
// (as list shows it); the folder name, or "" when no item has that name.
std::string itemNamed(library::PictureSystem& system, const QString& name) {
    for (const std::string& item : system.items())
        if (name == QString::fromStdString(item) || name == system.itemTitle(item))
            return item;
    return {};
}

// The item the name gives, in item; false, said, when there is none.
bool knownItem(library::PictureSystem& system, const QString& name, std::string& item) {
    item = itemNamed(system, name);
    if (!item.empty())
        return true;
    sayError(localizedString(QT_TRANSLATE_NOOP("Trayskin", "No such item: %1")).arg(name));
    return false;
}

// A set the window would let the user use: a visible folder of the item's
// that holds an info file.
bool usableSet(const library::PictureSystem& system, const std::string& item,
               const std::string& set) {
    const auto sets = setsOf(system, item);
    const std::string folder =
        platform::formatPath(library::kPictureSetPattern, {system.libraryRoot(), item, set});
    const auto names = platform::fs::listFolder(folder);
    if (std::find(sets.begin(), sets.end(), set) != sets.end() &&
        std::find(names.begin(), names.end(), library::kInfoFileName) != names.end())
        return true;
    sayError(localizedString(QT_TRANSLATE_NOOP("Trayskin", "No such set of %1: %2"))
                 .arg(QString::fromStdString(item), QString::fromStdString(set)));
    return false;
}

// --restart-panel after a change that was made: the system's Restart
// Panel, said as its alert says it; a restart that could not be done makes
// the change's status "partly".
int restartPanel(library::PictureSystem& system, const CountingTool& tool, int status) {
    const library::PlaceReport restart = system.runCommand(library::kRestartPanelCommand, true);
    if (restart.notices.empty()) {
        sayError(localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "There is no panel to restart in this mode.")));
        return exitstatus::kPartly;
    }
    const int restarted = tellReport(restart, tool);
    return restarted == exitstatus::kDone ? status : exitstatus::kPartly;
}

// --switch-desktop after an install into the own theme: the switch that
// its completion alert offers, where the desktop does not show the own
// theme yet; one that fails makes the install's status "partly".
int switchDesktop(library::PictureSystem& system, const CountingTool& tool, int status) {
    const auto offer = system.offerAfterInstall();
    if (!offer)
        return status;
    const int switched = tellReport(system.runCommand(offer->name, true), tool);
    return switched == exitstatus::kDone ? status : exitstatus::kPartly;
}

// use, restore and reapply: under the lock, on a library set up as the window does.
int change(library::PictureSystem& system, const CountingTool& tool, const StartOptions& options) {
    LibraryLock lock;
    if (!lock.take(system.libraryRoot())) {
        sayError(localizedString(
                     QT_TRANSLATE_NOOP(
                         "Trayskin", "Another Trayskin holds the library %1; nothing was changed."))
                     .arg(QString::fromStdString(system.libraryRoot())));
        return exitstatus::kHeld;
    }
    // Said to the system before its set-up, which keeps for the change what
    // it reads then.
    system.useCommandLine(options.restartPanel);
    if (const int status = setUpLibrary(system); status != exitstatus::kDone)
        return status;
    if (options.verb == Verb::Import)
        return importVerb(system, options.operands.value(0));
    // The program's one authorization, as the window makes it at its start.
    privileged::authinit();
    if (options.verb == Verb::Reapply)
        return reapplySets(system, tool);
    std::string item;
    const std::string set = options.operands.value(1).toStdString();
    if (!options.all && !knownItem(system, options.operands.value(0), item))
        return exitstatus::kNoSuch;
    if (options.verb == Verb::Use && !usableSet(system, item, set))
        return exitstatus::kNoSuch;
    // --own-theme chooses the route from now on, as it does for the window.
    if (options.ownTheme && !system.runCommand(library::kOwnThemeRouteCommand, true).done) {
        sayError(localizedString(QT_TRANSLATE_NOOP(
            "Trayskin", "The own-theme route could not be kept in the library.")));
        return exitstatus::kCannotWrite;
    }
    const library::PlaceReport report = options.verb == Verb::Use ? system.install(item, set)
                                        : options.all             ? system.restoreAll()
                                                                  : system.restore(item);
    int status = tellReport(report, tool);
    if (options.switchDesktop && report.done)
        status = switchDesktop(system, tool, status);
    if (!options.restartPanel || !report.done)
        return status;
    return restartPanel(system, tool, status);
}

// Prints what status says, and keeps it whole for the same command where
// every input of it has a stamp.
int status(library::PictureSystem& system, const StartOptions& options, const CommandStart& start,
           std::vector<std::string> inputs) {
    const QByteArray text = statusText(system, options.json);
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
    std::fflush(stdout);
    const std::string stamps = system.statusStamps();
    const std::string kept = platform::kept::keptPath(start.key, environ);
    if (!start.key.empty() && !inputs.empty() && !stamps.empty() && !kept.empty() &&
        QDir().mkpath(QFileInfo(QFile::decodeName(kept.c_str())).path())) {
        inputs.push_back(start.programStamps);
        inputs.push_back(stamps);
        platform::kept::keep(kept, start.key, exitstatus::kDone, text.toStdString(), inputs);
    }
    return exitstatus::kDone;
}

} // namespace

int runVerb(const StartOptions& options, const CommandStart& start) {
    // The system as the window chooses it, copying through the same tool;
    // Qt's own theme name is a GUI application's answer and plays no part.
    const auto tool = std::make_shared<CountingTool>();
    const std::shared_ptr<library::PictureSystem> system =
        library::chooseSystem(options.request, options.iconTheme, QString(), tool);
    // Taken before anything they stand for is read.
    const std::vector<std::string> inputs =
        options.verb == Verb::Status ? system->statusInputStamps() : std::vector<std::string>();
    // What a killed run left set on the desktop is put back before any verb
    // reads it, unless a running Trayskin holds the library: a change of
    // its own may be under way then, and it ends what it starts.
    if (system->desktopStateUnfinished()) {
        LibraryLock lock;
        if (lock.take(system->libraryRoot()))
            system->finishDesktopState();
    }
    switch (options.verb) {
    case Verb::List: {
        std::string item;
        if (!options.operands.isEmpty() && !knownItem(*system, options.operands.value(0), item))
            return exitstatus::kNoSuch;
        printList(*system, item, options.json);
        return exitstatus::kDone;
    }
    case Verb::Status:
        return status(*system, options, start, inputs);
    case Verb::Export: {
        std::string item;
        const std::string set = options.operands.value(1).toStdString();
        if (!knownItem(*system, options.operands.value(0), item) || !usableSet(*system, item, set))
            return exitstatus::kNoSuch;
        return exportVerb(*system, item, set, options.operands.value(2));
    }
    case Verb::Use:
    case Verb::Restore:
    case Verb::Reapply:
    case Verb::Import:
        return change(*system, *tool, options);
    case Verb::Window:
        break;
    }
    return exitstatus::kUsage;
}
