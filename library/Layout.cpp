#include "Layout.h"

#include "PathString.h"
#include "SystemFolders.h"

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

} // namespace library
