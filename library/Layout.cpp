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
    return name == kBackupFolderName || "/" + std::string(name) == kBackupStagingSuffix ||
           "/" + std::string(name) == kWorkFolderSuffix;
}

std::string workFolder() {
    return platform::formatPath(kBackupFolderPattern, {libraryRoot(), kWorkFolderSuffix});
}

std::vector<InstallCopy> installCopies(const std::string& extra, const std::string& set) {
    const std::string root = libraryRoot();
    const std::string menuExtras = menuExtrasFolder();
    std::vector<InstallCopy> copies;
    const auto entries =
        platform::fs::listFolder(platform::formatPath(kPictureSetPattern, {root, extra, set}));
    for (const std::string& name : entries) {
        if (!isPicture(name))
            continue;
        copies.push_back({platform::formatPath(kSetFilePattern, {root, extra, set, name}),
                          platform::formatPath(kInstallTargetPattern, {menuExtras, extra, name})});
    }
    return copies;
}

std::string preferencePane(const std::string& paneFileName) {
    return platform::systemFolder(platform::formatPath(kPreferencePanePattern, {paneFileName}));
}

} // namespace library
