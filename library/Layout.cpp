#include "library/Layout.h"

#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"
#include "platform/core/SystemFolders.h"

namespace library {

std::string libraryRoot() {
    return platform::expandTilde(kLibraryRoot);
}

std::string menuExtrasFolder() {
    return platform::systemFolder(kMenuExtrasFolder);
}

bool isPicture(std::string_view name) {
    std::string ext = platform::pathExtension(name);
    return ext == kPictureExtension || ext == kLongPictureExtension;
}

bool isMenuBundle(std::string_view entryName) {
    return platform::pathExtension(entryName) == kMenuExtension;
}

std::string extraNameOfBundle(std::string_view entryName) {
    return platform::deletingPathExtension(entryName);
}

bool isHiddenName(std::string_view name) {
    return name == kBackupFolderName || name == kInfoFileName || name.empty() || name[0] == '.';
}

bool isReservedExtraName(std::string_view name) {
    // The suffixes are the names with the "/" that joins them to the root.
    return name == kBackupFolderName || name == kBackupStagingSuffix.substr(1) ||
           name == kWorkFolderSuffix.substr(1) || name == kLockFileSuffix.substr(1);
}

std::string lockFile(const std::string& root) {
    return platform::formatPath(kBackupFolderPattern, {root, kLockFileSuffix});
}

std::string workFolder(const std::string& root) {
    return platform::formatPath(kBackupFolderPattern, {root, kWorkFolderSuffix});
}

std::vector<InstallCopy> installCopies(const std::string& extra, const std::string& set,
                                       std::size_t most) {
    const std::string root = libraryRoot();
    const std::string menuExtras = menuExtrasFolder();
    std::vector<InstallCopy> copies;
    const auto entries =
        platform::fs::listFolder(platform::formatPath(kPictureSetPattern, {root, extra, set}));
    for (const std::string& name : entries) {
        if (!isPicture(name))
            continue;
        if (copies.size() == most)
            break;
        copies.push_back({platform::formatPath(kSetFilePattern, {root, extra, set, name}),
                          platform::formatPath(kInstallTargetPattern, {menuExtras, extra, name})});
    }
    return copies;
}

std::vector<InstallCopy> restoreCopies(const std::string& extra, RestoreProblem& problem) {
    const std::string root = libraryRoot();
    const std::string menuExtras = menuExtrasFolder();
    std::vector<InstallCopy> copies;
    // Only a complete backup has its name; a staged one is not yet the backup.
    if (!platform::fs::isDirectory(
            platform::formatPath(kBackupFolderPattern, {root, kBackupSuffix}))) {
        problem = platform::fs::exists(
                      platform::formatPath(kBackupFolderPattern, {root, kBackupStagingSuffix}))
                      ? RestoreProblem::BackupIncomplete
                      : RestoreProblem::NoBackup;
        return copies;
    }
    const std::string saved = platform::formatPath(kBackupResourcesPattern, {root, extra});
    if (!platform::fs::isDirectory(saved)) {
        problem = RestoreProblem::NoCopyOfBundle;
        return copies;
    }
    problem = RestoreProblem::None;
    for (const std::string& name : platform::fs::listFolder(saved)) {
        if (!isPicture(name))
            continue;
        InstallCopy copy{platform::formatPath(kBackupPicturePattern, {root, extra, name}),
                         platform::formatPath(kInstallTargetPattern, {menuExtras, extra, name})};
        if (!platform::fs::sameContents(copy.source, copy.target))
            copies.push_back(std::move(copy));
    }
    return copies;
}

std::vector<std::string> installedExtras() {
    std::vector<std::string> extras;
    for (const std::string& entry : platform::fs::listFolder(menuExtrasFolder()))
        if (isMenuBundle(entry))
            extras.push_back(extraNameOfBundle(entry));
    return extras;
}

std::string preferencePane(const std::string& paneFileName) {
    return platform::systemFolder(platform::formatPath(kPreferencePanePattern, {paneFileName}));
}

} // namespace library
