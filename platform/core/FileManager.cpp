#include "platform/core/FileManager.h"

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
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::fs {

namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    bool close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

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

bool copyFile(const std::string& source, const std::string& destination, mode_t mode) {
    Fd in(::open(source.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!in.ok())
        return false;
    struct stat st {};
    if (::fstat(in.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    Fd out(::open(destination.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                  (mode & 07777) | S_IWUSR));
    if (!out.ok())
        return false;
    if (!copyContents(in.get(), out.get()))
        return false;
    if (::fchmod(out.get(), mode & 07777) != 0)
        return false;
    return out.close();
}

bool copyEntry(const std::string& source, const std::string& destination) {
    struct stat st {};
    if (::lstat(source.c_str(), &st) != 0)
        return false;
    if (S_ISLNK(st.st_mode)) {
        std::string target(static_cast<std::size_t>(st.st_size) + 1, '\0');
        ssize_t n = ::readlink(source.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<std::size_t>(n) >= target.size())
            return false;
        target.resize(static_cast<std::size_t>(n));
        return ::symlink(target.c_str(), destination.c_str()) == 0;
    }
    if (S_ISREG(st.st_mode))
        return copyFile(source, destination, st.st_mode);
    if (S_ISDIR(st.st_mode)) {
        // Made writable for its owner while it is filled; its own mode at the end.
        if (::mkdir(destination.c_str(), (st.st_mode & 07777) | S_IRWXU) != 0)
            return false;
        DIR* dir = ::opendir(source.c_str());
        if (!dir)
            return false;
        std::vector<std::string> names;
        while (dirent* e = ::readdir(dir)) {
            std::string name = e->d_name;
            if (name != "." && name != "..")
                names.push_back(std::move(name));
        }
        ::closedir(dir);
        for (const auto& name : names) {
            if (!copyEntry(source + "/" + name, destination + "/" + name))
                return false;
        }
        return ::chmod(destination.c_str(), st.st_mode & 07777) == 0;
    }
    if (S_ISFIFO(st.st_mode))
        return ::mkfifo(destination.c_str(), st.st_mode & 07777) == 0;
    // Devices and sockets have no place in a picture bundle.
    errno = ENOTSUP;
    return false;
}

// A fresh name in the work folder.
std::string temporaryIn(const std::string& workFolder) {
    static std::mt19937_64 rng{std::random_device{}()};
    // Built in one buffer: GCC 12 reports a false -Wrestrict on string assembly here.
    char name[PATH_MAX + 64];
    int n = std::snprintf(name, sizeof name, "%s/%s%016llx", workFolder.c_str(),
                          kTemporaryCopyPrefix, static_cast<unsigned long long>(rng()));
    if (n < 0 || static_cast<size_t>(n) >= sizeof name)
        return std::string();
    return std::string(name, static_cast<size_t>(n));
}

bool removeTree(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return errno == ENOENT;
    if (S_ISDIR(st.st_mode)) {
        ::chmod(path.c_str(), (st.st_mode & 07777) | S_IRWXU);
        for (const auto& name : listFolder(path))
            removeTree(path + "/" + name);
        return ::rmdir(path.c_str()) == 0;
    }
    return ::unlink(path.c_str()) == 0;
}

} // namespace

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
        if (!isDirectory(partial) && !createDirectory(partial))
            return false;
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

bool copyPath(const std::string& source, const std::string& destination,
              const std::string& workFolder) {
    if (exists(destination))
        return false;
    struct stat st {};
    if (::lstat(source.c_str(), &st) != 0)
        return false;
    std::string temporary = temporaryIn(workFolder);
    if (temporary.empty()) {
        errno = ENAMETOOLONG;
        return false;
    }
    if (copyEntry(source, temporary) && moveNoReplace(temporary, destination))
        return true;
    int saved = errno;
    removeTree(temporary);
    errno = saved;
    return false;
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

// Byte-wise order in time linear in the bytes that tell the names apart: an
// MSD radix sort on pointers, small groups finished by std::sort. Listings
// are sorted on every call, so this keeps long folders cheap.
void radixSort(std::vector<const std::string*>& v, std::size_t lo, std::size_t hi,
               std::size_t depth, std::vector<const std::string*>& scratch) {
    constexpr std::size_t kSmall = 48;
    auto bucketOf = [](const std::string& s, std::size_t at) -> std::size_t {
        // Bucket 0 holds names that end before this byte.
        return at < s.size() ? static_cast<unsigned char>(s[at]) + 1u : 0u;
    };
    while (hi - lo > 1) {
        if (hi - lo < kSmall) {
            std::sort(v.begin() + static_cast<std::ptrdiff_t>(lo),
                      v.begin() + static_cast<std::ptrdiff_t>(hi),
                      [depth](const std::string* a, const std::string* b) {
                          return a->compare(std::min(depth, a->size()), std::string::npos, *b,
                                            std::min(depth, b->size())) < 0;
                      });
            return;
        }
        std::array<std::size_t, 258> start{};
        for (std::size_t i = lo; i < hi; ++i)
            ++start[bucketOf(*v[i], depth) + 1];
        for (std::size_t b = 1; b < start.size(); ++b)
            start[b] += start[b - 1];
        std::array<std::size_t, 258> next = start;
        for (std::size_t i = lo; i < hi; ++i)
            scratch[lo + next[bucketOf(*v[i], depth)]++] = v[i];
        std::copy(scratch.begin() + static_cast<std::ptrdiff_t>(lo),
                  scratch.begin() + static_cast<std::ptrdiff_t>(hi),
                  v.begin() + static_cast<std::ptrdiff_t>(lo));
        // Recurse into every byte bucket but the largest, which the loop takes.
        std::size_t bigLo = lo, bigHi = lo;
        for (std::size_t b = 1; b < 257; ++b) {
            const std::size_t from = lo + start[b], to = lo + start[b + 1];
            if (to - from > bigHi - bigLo) {
                if (bigHi - bigLo > 1)
                    radixSort(v, bigLo, bigHi, depth + 1, scratch);
                bigLo = from;
                bigHi = to;
            } else if (to - from > 1) {
                radixSort(v, from, to, depth + 1, scratch);
            }
        }
        lo = bigLo;
        hi = bigHi;
        ++depth;
    }
}

void sortNames(std::vector<std::string>& names) {
    std::vector<const std::string*> order;
    order.reserve(names.size());
    for (const auto& name : names)
        order.push_back(&name);
    std::vector<const std::string*> scratch(order.size());
    radixSort(order, 0, order.size(), 0, scratch);
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const std::string* name : order)
        sorted.push_back(std::move(*const_cast<std::string*>(name)));
    names.swap(sorted);
}

} // namespace

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

bool sameContents(const std::string& a, const std::string& b) {
    Fd first(::open(a.c_str(), O_RDONLY | O_CLOEXEC));
    Fd second(::open(b.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat sa {
    }, sb{};
    if (!first.ok() || !second.ok() || ::fstat(first.get(), &sa) != 0 ||
        ::fstat(second.get(), &sb) != 0 || !S_ISREG(sa.st_mode) || !S_ISREG(sb.st_mode) ||
        sa.st_size != sb.st_size)
        return false;
    std::array<char, 65536> x{}, y{};
    for (off_t left = sa.st_size; left > 0;) {
        const auto chunk = static_cast<std::size_t>(std::min<off_t>(left, x.size()));
        if (!posix::readAll(first.get(), x.data(), chunk) ||
            !posix::readAll(second.get(), y.data(), chunk) ||
            std::memcmp(x.data(), y.data(), chunk) != 0)
            return false;
        left -= static_cast<off_t>(chunk);
    }
    return true;
}

std::optional<std::string> readFile(const std::string& path) {
    Fd in(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.ok())
        return std::nullopt;
    struct stat st {};
    if (::fstat(in.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    std::string data;
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(in.get(), buffer, sizeof buffer);
        if (n == 0)
            return data;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        data.append(buffer, static_cast<std::size_t>(n));
    }
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
    if (!S_ISDIR(st.st_mode))
        return false;
    bool emptied = true;
    for (const auto& name : listFolder(path))
        emptied = removeTree(path + "/" + name) && emptied;
    return emptied;
}

} // namespace platform::fs
