#include "platform/core/KeptOutput.h"

#include "platform/core/Posix.h"
#include "platform/core/Stamps.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::kept {
namespace {

constexpr char kFormat[4] = {'T', 'S', 'K', '1'};
// A kept file bigger than this is not read (nor written).
constexpr std::uint64_t kMostBytes = 64 << 20;

template <typename T> void put(std::string& bytes, const T& value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

// A part of the kept file: its size, then its bytes.
void putPart(std::string& bytes, const std::string& part) {
    put(bytes, std::uint64_t(part.size()));
    bytes.append(part);
}

bool takePart(const std::string& bytes, std::size_t& at, const char*& part, std::size_t& size) {
    std::uint64_t length = 0;
    if (bytes.size() - at < sizeof(length))
        return false;
    std::memcpy(&length, bytes.data() + at, sizeof(length));
    at += sizeof(length);
    if (bytes.size() - at < length)
        return false;
    part = bytes.data() + at;
    size = std::size_t(length);
    at += size;
    return true;
}

bool readFile(const std::string& path, std::string& bytes) {
    // O_NONBLOCK: a FIFO in its place is never waited on (and then refused).
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info {};
    bool read = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                std::uint64_t(info.st_size) <= kMostBytes;
    if (read) {
        bytes.resize(std::size_t(info.st_size));
        read = posix::readAll(fd, bytes.data(), bytes.size());
    }
    ::close(fd);
    return read;
}

// 64-bit FNV-1a: a file name per key (the key itself is compared whole).
std::string hashName(const std::string& key) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const unsigned char byte : key)
        hash = (hash ^ byte) * 0x100000001b3ULL;
    static const char digits[] = "0123456789abcdef";
    std::string name(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4)
        name[std::size_t(i)] = digits[hash & 0xf];
    return name;
}

// Removes the oldest kept outputs of the folder beyond the most kept.
void prune(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    std::vector<std::pair<std::int64_t, std::string>> kept;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        struct stat info {};
        if (name.rfind("command-", 0) == 0 && name.size() > 5 &&
            name.compare(name.size() - 5, 5, ".kept") == 0 &&
            ::fstatat(::dirfd(dir), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
            kept.emplace_back(
                std::int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec, name);
    }
    std::sort(kept.begin(), kept.end());
    for (std::size_t i = 0; i + kMostKept < kept.size(); ++i)
        ::unlinkat(::dirfd(dir), kept[i].second.c_str(), 0);
    ::closedir(dir);
}

// Whether the program, Qt Core, ICU or the C library may read the variable
// ("NAME=value"): its own and the desktop's folders and settings, the
// language and locale, the time zone, the loader's and allocator's.
bool readVariable(const char* variable) {
    static const char* const prefixes[] = {"XDG_",       "TRAYSKIN_", "QT_",  "LC_",     "LD_",
                                           "DBUS_",      "KDE_",      "GTK_", "GDK_",    "GIO_",
                                           "GSETTINGS_", "DCONF_",    "ICU_", "MALLOC_", "GLIBC_"};
    static const char* const names[] = {"HOME",
                                        "LANG",
                                        "LANGUAGE",
                                        "PATH",
                                        "DESKTOP_SESSION",
                                        "DISPLAY",
                                        "WAYLAND_DISPLAY",
                                        "TZ",
                                        "TZDIR",
                                        "TMPDIR",
                                        "USER",
                                        "LOGNAME",
                                        "NLSPATH",
                                        "LOCPATH",
                                        "GCONV_PATH",
                                        "POSIXLY_CORRECT",
                                        "BROWSER"};
    const char* equals = std::strchr(variable, '=');
    if (equals == nullptr)
        return false;
    const std::size_t size = std::size_t(equals - variable);
    for (const char* prefix : prefixes)
        if (std::strncmp(variable, prefix, std::strlen(prefix)) == 0)
            return true;
    for (const char* name : names)
        if (std::strlen(name) == size && std::strncmp(variable, name, size) == 0)
            return true;
    return false;
}

} // namespace

std::string commandKey(int argc, char** argv, char** environment) {
    // The folder of the programs first: another installation's output is
    // its own, even where its files hold.
    char self[PATH_MAX + 1];
    const ssize_t size = ::readlink("/proc/self/exe", self, PATH_MAX);
    std::string key = size > 0 ? std::string(self, std::size_t(size)) : std::string();
    key.erase(key.rfind('/') == std::string::npos ? 0 : key.rfind('/'));
    key.push_back('\0');
    for (int i = 1; i < argc; ++i)
        key.append(argv[i]).push_back('\0');
    key.push_back('\0');
    // A relative path in a variable is read from the working folder.
    char folder[PATH_MAX + 1];
    key.append(::getcwd(folder, sizeof folder) != nullptr ? folder : "").push_back('\0');
    std::vector<std::string> variables;
    for (char** variable = environment; variable != nullptr && *variable != nullptr; ++variable)
        if (readVariable(*variable))
            variables.emplace_back(*variable);
    std::sort(variables.begin(), variables.end());
    for (const std::string& variable : variables)
        key.append(variable).push_back('\0');
    return key;
}

std::string keptPath(const std::string& key, char** environment) {
    std::string cache;
    std::string home;
    for (char** variable = environment; variable != nullptr && *variable != nullptr; ++variable) {
        if (std::strncmp(*variable, "XDG_CACHE_HOME=", 15) == 0)
            cache = *variable + 15;
        else if (std::strncmp(*variable, "HOME=", 5) == 0)
            home = *variable + 5;
    }
    // A relative XDG_CACHE_HOME is ignored, as the XDG rules say.
    if (cache.empty() || cache[0] != '/')
        cache = home.empty() || home[0] != '/' ? std::string() : home + "/.cache";
    if (cache.empty())
        return {};
    return cache + "/trayskin/command-" + hashName(key) + ".kept";
}

int giveKept(const std::string& path, const std::string& key, int fd) {
    std::string bytes;
    if (!readFile(path, bytes) || bytes.size() < sizeof(kFormat) + sizeof(std::int32_t) ||
        std::memcmp(bytes.data(), kFormat, sizeof(kFormat)) != 0)
        return -1;
    std::int32_t status = -1;
    std::memcpy(&status, bytes.data() + sizeof(kFormat), sizeof(status));
    std::size_t at = sizeof(kFormat) + sizeof(status);
    const char* part = nullptr;
    std::size_t size = 0;
    if (!takePart(bytes, at, part, size) || std::string_view(part, size) != key)
        return -1;
    const char* output = nullptr;
    std::size_t outputSize = 0;
    if (!takePart(bytes, at, output, outputSize))
        return -1;
    while (at < bytes.size())
        if (!takePart(bytes, at, part, size) || !stamps::holds(part, size))
            return -1;
    if (status < 0)
        return -1;
    // Once begun, the output is never given twice: a reader that went away
    // (a pipe to head) is the command's own business, as it is the
    // program's.
    posix::writeAll(fd, output, outputSize);
    return status;
}

bool keep(const std::string& path, const std::string& key, int status, const std::string& output,
          const std::vector<std::string>& stampLists) {
    std::string bytes(kFormat, sizeof(kFormat));
    put(bytes, std::int32_t(status));
    putPart(bytes, key);
    putPart(bytes, output);
    for (const std::string& list : stampLists)
        putPart(bytes, list);
    if (bytes.size() > kMostBytes)
        return false;
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return false;
    if (!posix::replaceFile(path, bytes))
        return false;
    prune(path.substr(0, slash));
    return true;
}

} // namespace platform::kept
