// The file operations that the program relies on, with the results it needs.
// Paths are byte strings; nothing here throws.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::fs {

// True when any entry (file, folder, link, even a dangling one) is at the path.
bool exists(const std::string& path);

// True when the path names a folder, following a final symbolic link.
bool isDirectory(const std::string& path);

// True when the path itself is a symbolic link (the link is not followed).
bool isSymbolicLink(const std::string& path);

// True when the current user may read the item (a final link is followed).
bool isReadable(const std::string& path);

// Creates one folder with the default attributes; the parent must exist.
bool createDirectory(const std::string& path);

// Creates the folder and every missing folder above it. Fails when an entry
// on the way is not a folder or cannot be made; folders made before that stay.
bool createDirectoryChain(const std::string& path);

// Copies a file, a symbolic link (as a link) or a folder with everything in
// it to a destination that must not exist yet. Links inside are copied as
// links and never followed. The copy is built in the work folder (which must
// be on the destination's file system) and renamed into place without
// replacing anything, so the destination either appears whole or not at all,
// and whatever a kill leaves is inside the work folder. Folders are walked
// by descriptor, so a tree deeper than the longest path is copied too.
bool copyPath(const std::string& source, const std::string& destination,
              const std::string& workFolder);

// Makes a new empty folder under a fresh name in the work folder, where a
// folder can be filled before it is renamed into place; "" on failure.
std::string makeFolderIn(const std::string& workFolder);

// Makes the work folder, or empties it of what earlier runs left. Refuses an
// entry of that name that is not a plain folder (a link, a file): nothing
// but a folder of ours is ever emptied. The caller must hold the library's
// lock: another process may be building copies in it.
bool prepareWorkFolder(const std::string& path);

// Writes the bytes as a new file; an existing entry is never replaced.
bool createFile(const std::string& path, const std::string& contents);

// Names of the folder's entries without "." and "..", sorted byte-wise so that
// two listings of an unchanged folder agree; empty when it cannot be listed.
std::vector<std::string> listFolder(const std::string& path);

// A text that changes whenever the folder's entries may have changed (its
// device, inode, and modification and change times to the nanosecond);
// empty when the folder cannot be examined.
std::string folderVersion(const std::string& path);

// How many folder listings this process has made (for benchmarks).
unsigned long long listingCount();

// Opens a file of the library for reading without ever waiting: a FIFO, a
// socket or a device (also behind a link, /dev/zero say) is refused at once
// like a file that cannot be read. The descriptor of a regular file (close
// on exec), or -1 with errno set (EINVAL for what is no regular file). The
// file's size goes to *size when asked.
int openForReading(const std::string& path, long long* size = nullptr);

// Whether both are regular files (links followed) with the same bytes:
// sizes are compared first, then the contents.
bool sameContents(const std::string& a, const std::string& b);

// The whole of a regular file, or nothing when it cannot be read.
std::optional<std::string> readFile(const std::string& path);

// At most the first limit bytes of a regular file, and whether that is all
// of it; nothing when it cannot be read.
struct FilePrefix {
    std::string bytes;
    bool whole = true;
};
std::optional<FilePrefix> readFilePrefix(const std::string& path, std::size_t limit);

// Renames an entry; fails rather than replace an existing destination.
bool moveNoReplace(const std::string& source, const std::string& destination);

// The prefix of the names under which copyPath builds copies.
inline constexpr const char* kTemporaryCopyPrefix = ".trayskin-copy-";

} // namespace platform::fs
