#include "library/HomeFolder.h"

#include "library/Layout.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <string>

namespace library {

using platform::formatPath;
namespace fs = platform::fs;

namespace {

bool prepareBundle(const std::string& root, const std::string& menuExtras, const std::string& entry,
                   const std::string& work) {
    const std::string extra = extraNameOfBundle(entry);
    // "backup.menu" would otherwise make an extra folder "backup" that stands
    // for the backup and keeps the real one from its name.
    if (isReservedExtraName(extra))
        return true;

    const std::string extraFolder = formatPath(kExtraFolderPattern, {root, extra});
    if (!fs::exists(extraFolder) && !fs::createDirectory(extraFolder))
        return false;

    const std::string defaultSet = formatPath(kDefaultSetPattern, {root, extra});
    if (!fs::exists(defaultSet)) {
        const std::string info(kDefaultInfoText);
        // Made with its info file in the work folder, then renamed into
        // place: a set that appears always has its info file, whenever the
        // start was cut short.
        const std::string made = fs::makeFolderIn(work);
        if (made.empty())
            return false;
        // Not tested: a set without an info file is still a set.
        fs::createFile(formatPath(kExtraFolderPattern, {made, kInfoFileName}), info);
        if (!fs::moveNoReplace(made, defaultSet))
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
            return false;
    }
    return true;
}

} // namespace

bool setupHomeFolder(BackupProgress& progress, SetupReport* report) {
    const std::string root = libraryRoot();
    const std::string menuExtras = menuExtrasFolder();

    // On this platform a home folder need not have a "Library" folder yet;
    // it is made along with the root.
    if (!fs::exists(root) && !fs::createDirectoryChain(root))
        return false;
    // Whatever an earlier start left half-copied is in here, and only here.
    const std::string work = workFolder();
    if (!fs::prepareWorkFolder(work))
        return false;

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

    std::vector<std::string> missing;
    const auto entries = fs::listFolder(menuExtras);
    const double step = entries.empty() ? 0.0 : static_cast<double>(100 / entries.size());

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
            progress.incrementBy(step);
            progress.displayIfNeeded();
            if (!copied && !resuming)
                return false;
            if (!copied)
                missing.push_back(entry);
        }
        if (isMenuBundle(entry) && !prepareBundle(root, menuExtras, entry, work))
            return false;
    }

    if (makeBackup) {
        if (missing.empty() && !fs::moveNoReplace(staging, backup))
            return false;
        progress.closeBackupWindow();
    }
    if (report)
        report->backupMissing = missing;
    return true;
}

} // namespace library
