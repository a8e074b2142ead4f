// Copying and removing whole trees. Every folder is walked through a
// descriptor of its own (openat, mkdirat, fdopendir), so no path longer than
// one name is ever given to the system and a tree of any depth (within the
// descriptors a process may hold: two a level) is copied and removed.
#include "platform/core/FileDescriptor.h"
#include "platform/core/FileManager.h"
#include "platform/core/Posix.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::fs {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Copies the bytes with the kernel's copy path, falling back to read/write
// where copy_file_range is not offered for these two files.
bool copyContents(int in, int out) {
    bool fallback = false;
    for (;;) {
        if (!fallback) {
            ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
            if (n > 0)
                continue;
            if (n == 0)
                return true;
            if (errno == EINTR)
                continue;
            if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP &&
                errno != EBADF)
                return false;
            fallback = true;
        }
        char buffer[1 << 16];
        ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (!posix::writeAll(out, buffer, static_cast<std::size_t>(n)))
            return false;
    }
}

// The names in an open folder, without "." and ".."; the descriptor stays
// open for the caller. False when the folder cannot be read.
bool namesIn(int folder, std::vector<std::string>& names) {
    const int own = ::dup(folder);
    if (own < 0)
        return false;
    DIR* dir = ::fdopendir(own);
    if (!dir) {
        ::close(own);
        return false;
    }
    errno = 0;
    while (dirent* e = ::readdir(dir)) {
        const char* n = e->d_name;
        if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0')))
            continue;
        names.emplace_back(n);
    }
    const bool complete = errno == 0;
    ::closedir(dir);
    return complete;
}

// A file is whole only when every write and the close succeeded.
bool copyFileAt(int fromFolder, const char* from, int toFolder, const char* to, mode_t mode) {
    Fd in(::openat(fromFolder, from, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!in.ok())
        return false;
    struct stat st {};
    if (::fstat(in.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    Fd out(::openat(toFolder, to, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    (mode & 07777) | S_IWUSR));
    if (!out.ok())
        return false;
    if (!copyContents(in.get(), out.get()))
        return false;
    if (::fchmod(out.get(), mode & 07777) != 0)
        return false;
    return out.close();
}

bool copyEntryAt(int fromFolder, const char* from, int toFolder, const char* to) {
    struct stat st {};
    if (::fstatat(fromFolder, from, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    if (S_ISLNK(st.st_mode)) {
        std::string target(static_cast<std::size_t>(st.st_size) + 1, '\0');
        ssize_t n = ::readlinkat(fromFolder, from, target.data(), target.size());
        if (n < 0 || static_cast<std::size_t>(n) >= target.size())
            return false;
        target.resize(static_cast<std::size_t>(n));
        return ::symlinkat(target.c_str(), toFolder, to) == 0;
    }
    if (S_ISREG(st.st_mode))
        return copyFileAt(fromFolder, from, toFolder, to, st.st_mode);
    if (S_ISDIR(st.st_mode)) {
        Fd source(::openat(fromFolder, from, kFolderFlags));
        if (!source.ok())
            return false;
        // Made writable for its owner while it is filled; its own mode at the end.
        if (::mkdirat(toFolder, to, (st.st_mode & 07777) | S_IRWXU) != 0)
            return false;
        Fd made(::openat(toFolder, to, kFolderFlags));
        if (!made.ok())
            return false;
        std::vector<std::string> names;
        if (!namesIn(source.get(), names))
            return false;
        for (const auto& name : names)
            if (!copyEntryAt(source.get(), name.c_str(), made.get(), name.c_str()))
                return false;
        return ::fchmod(made.get(), st.st_mode & 07777) == 0;
    }
    if (S_ISFIFO(st.st_mode))
        return ::mkfifoat(toFolder, to, st.st_mode & 07777) == 0;
    // Devices and sockets have no place in a picture bundle.
    errno = ENOTSUP;
    return false;
}

// Removes the entry and, for a folder, everything in it (made writable
// first, so that a read-only tree goes too).
bool removeAt(int folder, const char* name) {
    struct stat st {};
    if (::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(st.st_mode))
        return ::unlinkat(folder, name, 0) == 0;
    ::fchmodat(folder, name, (st.st_mode & 07777) | S_IRWXU, 0);
    bool emptied = true;
    {
        Fd inner(::openat(folder, name, kFolderFlags));
        if (!inner.ok())
            return false;
        std::vector<std::string> names;
        emptied = namesIn(inner.get(), names);
        for (const auto& child : names)
            emptied = removeAt(inner.get(), child.c_str()) && emptied;
    }
    return ::unlinkat(folder, name, AT_REMOVEDIR) == 0 && emptied;
}

// The folder part and the last name of a path ("." for a bare name).
std::pair<std::string, std::string> splitLast(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// A fresh name in the work folder.
std::string temporaryIn(const std::string& workFolder) {
    // One generator a thread: default sets are made by several at once.
    thread_local std::mt19937_64 rng{std::random_device{}()};
    // Built in one buffer: GCC 12 reports a false -Wrestrict on string assembly here.
    char name[PATH_MAX + 64];
    int n = std::snprintf(name, sizeof name, "%s/%s%016llx", workFolder.c_str(),
                          kTemporaryCopyPrefix, static_cast<unsigned long long>(rng()));
    if (n < 0 || static_cast<size_t>(n) >= sizeof name)
        return std::string();
    return std::string(name, static_cast<size_t>(n));
}

} // namespace

bool copyPath(const std::string& source, const std::string& destination,
              const std::string& workFolder) {
    if (exists(destination))
        return false;
    const std::string temporary = temporaryIn(workFolder);
    if (temporary.empty()) {
        errno = ENAMETOOLONG;
        return false;
    }
    const auto [from, fromName] = splitLast(source);
    const auto [to, toName] = splitLast(temporary);
    Fd fromFolder(::open(from.c_str(), kFolderFlags & ~O_NOFOLLOW));
    Fd toFolder(::open(to.c_str(), kFolderFlags & ~O_NOFOLLOW));
    if (!fromFolder.ok() || !toFolder.ok())
        return false;
    if (copyEntryAt(fromFolder.get(), fromName.c_str(), toFolder.get(), toName.c_str()) &&
        moveNoReplace(temporary, destination))
        return true;
    const int saved = errno;
    removeAt(toFolder.get(), toName.c_str());
    errno = saved;
    return false;
}

std::string makeFolderIn(const std::string& workFolder) {
    const std::string folder = temporaryIn(workFolder);
    if (folder.empty() || !createDirectory(folder))
        return std::string();
    return folder;
}

bool prepareWorkFolder(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return errno == ENOENT && createDirectory(path);
    if (!S_ISDIR(st.st_mode)) {
        errno = ENOTDIR;
        return false;
    }
    Fd folder(::open(path.c_str(), kFolderFlags));
    std::vector<std::string> names;
    if (!folder.ok() || !namesIn(folder.get(), names))
        return false;
    bool emptied = true;
    for (const auto& name : names)
        emptied = removeAt(folder.get(), name.c_str()) && emptied;
    return emptied;
}

} // namespace platform::fs
