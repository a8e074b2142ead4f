#include "library/HomeFolder.h"

#include "library/Layout.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <cerrno>
#include <cstdio>
#include <string>

namespace library {

using platform::formatPath;
namespace fs = platform::fs;

namespace {

// Notes what failed, with the system's error of the step, for the caller.
bool failedAt(SetupReport* report, const std::string& path) {
    if (report) {
        report->failedError = errno;
        report->failedPath = path;
    }
    return false;
}

// Gives a default set's info file its whole text again when an earlier start
// could write only its beginning (a full disk). A text of the user's own is
// never touched.
bool repairDefaultInfo(const std::string& defaultSet, const std::string& work,
                       SetupReport* report) {
    const std::string infoFile = formatPath(kExtraFolderPattern, {defaultSet, kInfoFileName});
    const auto stored = fs::readFilePrefix(infoFile, kDefaultInfoText.size());
    if (!stored || !stored->whole || stored->bytes.size() == kDefaultInfoText.size() ||
        kDefaultInfoText.substr(0, stored->bytes.size()) != stored->bytes)
        return true;
    const std::string made = fs::makeFolderIn(work);
    if (made.empty())
        return failedAt(report, work);
    const std::string whole = formatPath(kExtraFolderPattern, {made, kInfoFileName});
    if (!fs::createFile(whole, std::string(kDefaultInfoText)))
        return failedAt(report, whole);
    if (std::rename(whole.c_str(), infoFile.c_str()) != 0)
        return failedAt(report, infoFile);
    return true;
}

bool prepareBundle(const std::string& root, const std::string& menuExtras, const std::string& entry,
                   const std::string& work, SetupReport* report) {
    const std::string extra = extraNameOfBundle(entry);
    // "backup.menu" would otherwise make an extra folder "backup" that stands
    // for the backup and keeps the real one from its name.
    if (isReservedExtraName(extra))
        return true;

    const std::string extraFolder = formatPath(kExtraFolderPattern, {root, extra});
    if (!fs::exists(extraFolder) && !fs::createDirectory(extraFolder))
        return failedAt(report, extraFolder);

    const std::string defaultSet = formatPath(kDefaultSetPattern, {root, extra});
    if (!fs::exists(defaultSet)) {
        const std::string info(kDefaultInfoText);
        // Made with its info file in the work folder, then renamed into
        // place: a set that appears always has its info file, whenever the
        // start was cut short.
        const std::string made = fs::makeFolderIn(work);
        if (made.empty())
            return failedAt(report, work);
        // Only a whole info file, written and closed without an error, lets
        // the set appear.
        const std::string infoFile = formatPath(kExtraFolderPattern, {made, kInfoFileName});
        if (!fs::createFile(infoFile, info))
            return failedAt(report, infoFile);
        if (!fs::moveNoReplace(made, defaultSet))
            return failedAt(report, defaultSet);
    } else if (!repairDefaultInfo(defaultSet, work, report)) {
        return false;
    }

    const auto resources = fs::listFolder(formatPath(kBundleResourcesPattern, {menuExtras, entry}));
    for (std::size_t i = 0; i < resources.size(); ++i) {
        const std::string& name = resources[i];
        if (!isPicture(name))
            continue;
        const std::string target = formatPath(kDefaultSetFilePattern, {root, extra, name});
        if (fs::exists(target))
            continue;
        if (!fs::copyPath(formatPath(kBundleResourcePattern, {menuExtras, entry, name}), target,
                          work))
            return failedAt(report, target);
    }
    return true;
}

} // namespace

BackupRun::BackupRun(BackupProgress& progress, std::size_t entries, bool resuming)
    : progress_(progress), step_(entries == 0 ? 0.0 : static_cast<double>(100 / entries)),
      resuming_(resuming) {}

bool BackupRun::entryDone(bool copied, const std::string& entry) {
    progress_.incrementBy(step_);
    progress_.displayIfNeeded();
    if (!copied && !resuming_)
        return false;
    if (!copied)
        missing_.push_back(entry);
    return true;
}

bool BackupRun::finish(const std::string& staging, const std::string& backup) {
    if (missing_.empty() && !fs::moveNoReplace(staging, backup))
        return false;
    progress_.closeBackupWindow();
    return true;
}

bool setupHomeFolder(BackupProgress& progress, SetupReport* report) {
    const std::string root = libraryRoot();
    const std::string menuExtras = menuExtrasFolder();

    // On this platform a home folder need not have a "Library" folder yet;
    // it is made along with the root.
    if (!fs::exists(root) && !fs::createDirectoryChain(root))
        return failedAt(report, root);
    // Whatever an earlier start left half-copied is in here, and only here.
    const std::string work = workFolder(root);
    if (!fs::prepareWorkFolder(work))
        return failedAt(report, work);

    const std::string backup = formatPath(kBackupFolderPattern, {root, kBackupSuffix});
    const std::string staging = formatPath(kBackupFolderPattern, {root, kBackupStagingSuffix});
    const bool makeBackup = !fs::exists(backup);
    // An unfinished backup of an earlier start is resumed, not started anew.
    const bool resuming = makeBackup && fs::exists(staging);
    if (makeBackup) {
        // Not tested: without the folder every backup copy fails, and that is
        // reported.
        if (!resuming)
            fs::createDirectory(staging);
        progress.openBackupWindow();
    }

    const auto entries = fs::listFolder(menuExtras);
    BackupRun run(progress, entries.size(), resuming);

    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        if (makeBackup) {
            const std::string copy =
                formatPath(kBackupCopyPattern, {root, kBackupStagingEntryPrefix, entry});
            // An entry already in the staging folder arrived whole in an
            // earlier start.
            const bool copied =
                fs::exists(copy) ||
                fs::copyPath(formatPath(kMenuExtrasEntryPattern, {menuExtras, entry}), copy, work);
            if (!run.entryDone(copied, entry))
                return failedAt(report, copy);
        }
        if (isMenuBundle(entry) && !prepareBundle(root, menuExtras, entry, work, report))
            return false;
    }

    if (makeBackup && !run.finish(staging, backup))
        return failedAt(report, backup);
    if (report)
        report->backupMissing = run.missing();
    return true;
}

} // namespace library
