#include "platform/core/FileManager.h"

#include "platform/core/FileDescriptor.h"
#include "platform/core/PathString.h"
#include "platform/core/Posix.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::fs {

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool isDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isSymbolicLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool isReadable(const std::string& path) {
    return ::access(path.c_str(), R_OK) == 0;
}

bool createDirectory(const std::string& path) {
    return ::mkdir(path.c_str(), 0777) == 0;
}

bool createDirectoryChain(const std::string& path) {
    if (path.empty())
        return false;
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string partial = path.substr(0, end);
        // Another process may make the same folder at the same moment.
        if (!isDirectory(partial) && !createDirectory(partial)) {
            if (errno != EEXIST)
                return false;
            if (!isDirectory(partial)) {
                errno = ENOTDIR;
                return false;
            }
        }
        if (end == std::string::npos)
            return true;
    }
}

bool moveNoReplace(const std::string& source, const std::string& destination) {
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without RENAME_NOREPLACE: test, then rename.
    if (exists(destination))
        return false;
    return ::rename(source.c_str(), destination.c_str()) == 0;
}

bool createFile(const std::string& path, const std::string& contents) {
    Fd out(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!out.ok())
        return false;
    if (!posix::writeAll(out.get(), contents.data(), contents.size()))
        return false;
    return out.close();
}

namespace {

std::atomic<unsigned long long> listings{0};

// Byte-wise order: std::string compares its bytes as unsigned chars.
void sortNames(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end());
}

} // namespace

std::string folderVersion(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::string();
    char text[160];
    std::snprintf(text, sizeof text, "%llu:%llu:%lld.%ld:%lld.%ld",
                  static_cast<unsigned long long>(st.st_dev),
                  static_cast<unsigned long long>(st.st_ino),
                  static_cast<long long>(st.st_mtim.tv_sec), st.st_mtim.tv_nsec,
                  static_cast<long long>(st.st_ctim.tv_sec), st.st_ctim.tv_nsec);
    return text;
}

unsigned long long listingCount() {
    return listings.load(std::memory_order_relaxed);
}

std::vector<std::string> listFolder(const std::string& path) {
    listings.fetch_add(1, std::memory_order_relaxed);
    std::vector<std::string> names;
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return names;
    while (dirent* e = ::readdir(dir)) {
        const char* n = e->d_name;
        if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0')))
            continue;
        names.emplace_back(n);
    }
    ::closedir(dir);
    sortNames(names);
    return names;
}

int openForReading(const std::string& path, long long* size) {
    // O_NONBLOCK: the open of a FIFO without a writer returns at once
    // instead of waiting for one; O_NOCTTY: a terminal never becomes ours.
    Fd in(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!in.ok())
        return -1;
    struct stat st {};
    if (::fstat(in.get(), &st) != 0)
        return -1;
    if (!S_ISREG(st.st_mode)) {
        errno = EINVAL;
        return -1;
    }
    if (size)
        *size = static_cast<long long>(st.st_size);
    return in.release();
}

bool sameContents(const std::string& a, const std::string& b) {
    long long sizeA = 0, sizeB = 0;
    Fd first(openForReading(a, &sizeA));
    if (!first.ok())
        return false;
    Fd second(openForReading(b, &sizeB));
    if (!second.ok() || sizeA != sizeB)
        return false;
    std::array<char, 65536> x{}, y{};
    for (long long left = sizeA; left > 0;) {
        const auto chunk = static_cast<std::size_t>(std::min<long long>(left, x.size()));
        if (!posix::readAll(first.get(), x.data(), chunk) ||
            !posix::readAll(second.get(), y.data(), chunk) ||
            std::memcmp(x.data(), y.data(), chunk) != 0)
            return false;
        left -= static_cast<long long>(chunk);
    }
    return true;
}

std::optional<FilePrefix> readFilePrefix(const std::string& path, std::size_t limit) {
    long long size = 0;
    Fd in(openForReading(path, &size));
    if (!in.ok())
        return std::nullopt;
    FilePrefix prefix;
    // The size is a hint only: the file may grow or shrink while it is read.
    prefix.bytes.reserve(std::min<std::size_t>(limit, static_cast<std::size_t>(size)));
    char buffer[1 << 16];
    for (;;) {
        const std::size_t room = limit - prefix.bytes.size();
        // One byte past the limit tells whether more follows.
        const std::size_t want = std::min<std::size_t>(sizeof buffer, room == 0 ? 1 : room);
        ssize_t n = ::read(in.get(), buffer, want);
        if (n == 0)
            return prefix;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (room == 0) {
            prefix.whole = false;
            return prefix;
        }
        prefix.bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

std::optional<std::string> readFile(const std::string& path) {
    auto prefix = readFilePrefix(path, static_cast<std::size_t>(-1));
    if (!prefix)
        return std::nullopt;
    return std::move(prefix->bytes);
}

} // namespace platform::fs
