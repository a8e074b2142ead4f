// The picture library on disk and every path that the program builds.
//
// Each path is a plain string made afresh at each use by substituting
// arguments, in order, into one of the patterns below (platform::formatPath).
// The first argument is the expanded library root, the Menu Extras folder or
// the application bundle path.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace library {

// Roots.
inline constexpr std::string_view kLibraryRoot = "~/Library/Trayskin";
inline constexpr std::string_view kMenuExtrasFolder = "/System/Library/CoreServices/Menu Extras";

// Names that have a meaning in the tree.
inline constexpr std::string_view kBackupFolderName = "backup";
inline constexpr std::string_view kInfoFileName = "trayskininfo.txt";
inline constexpr std::string_view kMenuExtension = "menu";
inline constexpr std::string_view kPictureExtension = "tif";
inline constexpr std::string_view kLongPictureExtension = "tiff";

// The lock that one running program holds on the library; hidden by its ".".
inline constexpr std::string_view kLockFileSuffix = "/.trayskin-lock";

// Arguments of the backup patterns.
inline constexpr std::string_view kBackupSuffix = "/backup";
// The backup is first gathered here and renamed to "backup" once complete.
inline constexpr std::string_view kBackupStagingSuffix = "/.backup-staging";
inline constexpr std::string_view kBackupStagingEntryPrefix = "/.backup-staging/";
// Every copy into the library is built here and renamed into place; each
// start empties it. Hidden from the browser by its leading ".".
inline constexpr std::string_view kWorkFolderSuffix = "/.trayskin-work";

// System side, first argument the Menu Extras folder.
inline constexpr std::string_view kMenuExtrasEntryPattern = "%@/%@";
inline constexpr std::string_view kBundleResourcesPattern = "%@/%@/Contents/Resources";
inline constexpr std::string_view kBundleResourcePattern = "%@/%@/Contents/Resources/%@";
inline constexpr std::string_view kInstallTargetPattern = "%@/%@.menu/Contents/Resources/%@";
// A bundle's own pictures: its Resources folder, by extra name.
inline constexpr std::string_view kExtraResourcesPattern = "%@/%@.menu/Contents/Resources";

// System Preferences panes, by pane file name (a system folder).
inline constexpr std::string_view kPreferencePanePattern =
    "/System/Library/PreferencePanes/%@.prefPane";

// Application bundle, first argument the bundle path.
inline constexpr std::string_view kExampleTreePattern = "%@/Contents/Resources/included";
inline constexpr std::string_view kExampleExtraPattern = "%@/Contents/Resources/included/%@";
inline constexpr std::string_view kExampleSetPattern = "%@/Contents/Resources/included/%@/%@";
inline constexpr std::string_view kExampleFilePattern = "%@/Contents/Resources/included/%@/%@/%@";
// The example tree of desktop mode (PNG and SVG pictures named by icon names).
inline constexpr std::string_view kDesktopExampleTreePattern =
    "%@/Contents/Resources/included-desktop";

// Library, first argument the expanded library root.
inline constexpr std::string_view kBackupFolderPattern = "%@%@";
inline constexpr std::string_view kBackupCopyPattern = "%@%@%@";
inline constexpr std::string_view kExtraFolderPattern = "%@/%@";
inline constexpr std::string_view kDefaultSetPattern = "%@/%@/default";
inline constexpr std::string_view kDefaultSetFilePattern = "%@/%@/default/%@";
inline constexpr std::string_view kPictureSetPattern = "%@/%@/%@";
inline constexpr std::string_view kSetFilePattern = "%@/%@/%@/%@";
// The backup's copy of a bundle's Resources folder, and a picture in it, by
// extra name.
inline constexpr std::string_view kBackupResourcesPattern = "%@/backup/%@.menu/Contents/Resources";
inline constexpr std::string_view kBackupPicturePattern = "%@/backup/%@.menu/Contents/Resources/%@";
// The library root followed by a browser path, which begins with "/".
inline constexpr std::string_view kBrowserFolderPattern = "%@%@";

// The info text written into every default set that the program creates: two
// lines of ASCII, each ended by a line feed, no terminator.
inline constexpr std::string_view kDefaultInfoText = "Original pictures by the maker of Mac OS X.\n"
                                                     "They came with Mac OS X\n";

// The Menu Extras' library root: "~/Library/Trayskin" with the home folder
// put in for "~". (Each picture system names its own root.)
std::string libraryRoot();

// The Menu Extras folder, behind the system root when one is set.
std::string menuExtrasFolder();

// A picture: the extension is exactly "tif" or "tiff".
bool isPicture(std::string_view name);

// A Menu Extra bundle: the extension is exactly "menu".
bool isMenuBundle(std::string_view entryName);

// The extra name of a bundle entry: the entry name less its extension.
std::string extraNameOfBundle(std::string_view entryName);

// Names that the browser never shows: "backup", the info file, the empty name
// and every name that begins with ".".
bool isHiddenName(std::string_view name);

// The library root's own entries (backup, its staging folder, the work
// folder, the lock): no extra folder may take one of these names.
bool isReservedExtraName(std::string_view name);

// The work folder that copies into the library at that root are built in.
std::string workFolder(const std::string& root);

// The lock file of the library at that root.
std::string lockFile(const std::string& root);

// One picture of a set and the bundle picture that an install replaces
// with it.
struct InstallCopy {
    std::string source; // in the library
    std::string target; // in the Menu Extra bundle
};

// The pictures of the set, in the order of the set folder's listing, each
// with its install target (the first `most` of them); none when the folder
// cannot be listed.
std::vector<InstallCopy> installCopies(const std::string& extra, const std::string& set,
                                       std::size_t most = static_cast<std::size_t>(-1));

// Why there is nothing to restore.
enum class RestoreProblem { None, NoBackup, BackupIncomplete, NoCopyOfBundle };

// The pictures of the backup's copy of the extra's bundle, each with the
// bundle picture it puts back, in listing order; a picture whose bundle
// picture already holds the same bytes is left out. Nothing, and the
// problem, when the backup is missing or incomplete or has no copy of that
// bundle.
std::vector<InstallCopy> restoreCopies(const std::string& extra, RestoreProblem& problem);

// The extras whose bundles are in the Menu Extras folder now, in listing
// order.
std::vector<std::string> installedExtras();

// The System Preferences pane of that file name (behind the system root when
// one is set).
std::string preferencePane(const std::string& paneFileName);

} // namespace library
