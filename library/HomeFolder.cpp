#include "HomeFolder.h"

#include "FileManager.h"
#include "Layout.h"
#include "PathString.h"

#include <string>

namespace library {

using platform::formatPath;
namespace fs = platform::fs;

namespace {

// Leftovers of a copy that was cut short: only the hidden temporary names
// under which the file manager builds a copy, and only in the staging folder.
void dropUnfinishedCopies(const std::string& staging) {
    for (const auto& name : fs::listFolder(staging)) {
        if (name.rfind(fs::kTemporaryCopyPrefix, 0) == 0)
            fs::removeTemporaryTree(formatPath(kExtraFolderPattern, {staging, name}));
    }
}

bool prepareBundle(const std::string& root, const std::string& menuExtras,
                   const std::string& entry) {
    const std::string extra = extraNameOfBundle(entry);

    const std::string extraFolder = formatPath(kExtraFolderPattern, {root, extra});
    if (!fs::exists(extraFolder) && !fs::createDirectory(extraFolder))
        return false;

    const std::string defaultSet = formatPath(kDefaultSetPattern, {root, extra});
    if (!fs::exists(defaultSet)) {
        const std::string info(kDefaultInfoText);
        if (!fs::createDirectory(defaultSet))
            return false;
        // Not tested: a set without an info file is still a set.
        fs::createFile(formatPath(kDefaultSetFilePattern, {root, extra, kInfoFileName}), info);
    }

    const auto resources = fs::listFolder(formatPath(kBundleResourcesPattern, {menuExtras, entry}));
    for (std::size_t i = 0; i < resources.size(); ++i) {
        const std::string& name = resources[i];
        if (!isPicture(name))
            continue;
        const std::string target = formatPath(kDefaultSetFilePattern, {root, extra, name});
        if (fs::exists(target))
            continue;
        if (!fs::copyPath(formatPath(kBundleResourcePattern, {menuExtras, entry, name}), target))
            return false;
    }
    return true;
}

} // namespace

bool setupHomeFolder(BackupProgress& progress) {
    const std::string root = libraryRoot();
    const std::string menuExtras = menuExtrasFolder();

    // On this platform a home folder need not have a "Library" folder yet;
    // it is made along with the root.
    if (!fs::exists(root) && !fs::createDirectoryChain(root))
        return false;

    const std::string backup = formatPath(kBackupFolderPattern, {root, kBackupSuffix});
    const std::string staging = formatPath(kBackupFolderPattern, {root, kBackupStagingSuffix});
    const bool makeBackup = !fs::exists(backup);
    if (makeBackup) {
        // Not tested: without the folder every backup copy fails, and that is
        // reported.
        if (fs::exists(staging))
            dropUnfinishedCopies(staging);
        else
            fs::createDirectory(staging);
        progress.openBackupWindow();
    }

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
                fs::copyPath(formatPath(kMenuExtrasEntryPattern, {menuExtras, entry}), copy);
            progress.incrementBy(step);
            progress.displayIfNeeded();
            if (!copied)
                return false;
        }
        if (isMenuBundle(entry) && !prepareBundle(root, menuExtras, entry))
            return false;
    }

    if (makeBackup) {
        if (!fs::moveNoReplace(staging, backup))
            return false;
        progress.closeBackupWindow();
    }
    return true;
}

} // namespace library
