#include "privileged/tool/Replacement.h"

#include "platform/core/Posix.h"
#include "privileged/Protocol.h"
#include "privileged/tool/Refuse.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef TRAYSKIN_TOOL_MENU_EXTRAS
#define TRAYSKIN_TOOL_MENU_EXTRAS "/System/Library/CoreServices/Menu Extras"
#endif

namespace trayskin_tool {
namespace {

namespace protocol = privileged::protocol;
using enum protocol::ToolExit;

constexpr const char* kMenuExtras = TRAYSKIN_TOOL_MENU_EXTRAS;

bool endsWith(const std::string& s, const char* suffix) {
    const std::size_t n = std::strlen(suffix);
    return s.size() > n && s.compare(s.size() - n, n, suffix) == 0;
}

int openBeneath(int dirfd, const char* name) {
    open_how how{};
    how.flags = static_cast<unsigned long long>(O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS | RESOLVE_NO_XDEV;
    return static_cast<int>(::syscall(SYS_openat2, dirfd, name, &how, sizeof how));
}

// Root's, and nobody else may write it.
void requireSafeFolder(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode))
        refuse(kDestinationOpen, "a folder of the destination cannot be examined");
    if (st.st_uid != 0 || (st.st_mode & (S_IWGRP | S_IWOTH)))
        refuse(kFolderUnsafe, "a folder of the destination is not safe");
}

bool holds(int fd, const std::vector<unsigned char>& bytes) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size != static_cast<off_t>(bytes.size()))
        return false;
    unsigned char buffer[65536];
    for (std::size_t at = 0; at < bytes.size();) {
        const ssize_t n =
            ::pread(fd, buffer, std::min(sizeof buffer, bytes.size() - at), static_cast<off_t>(at));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || std::memcmp(buffer, bytes.data() + at, static_cast<std::size_t>(n)) != 0)
            return false;
        at += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

// The folder of the destination, opened for the replacement, and the file's
// name in it.
int openDestinationFolder(const std::string& destination, bool elevated, std::string& file) {
    const auto slash = destination.rfind('/');
    file = destination.substr(slash + 1);
    if (!endsWith(file, ".tif") && !endsWith(file, ".tiff"))
        refuse(kDestinationNotPicture, "the destination is not a picture");
    if (!elevated) {
        const std::string folder = slash == 0 ? "/" : destination.substr(0, slash);
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            refuse(kDestinationOpen, "the destination folder cannot be opened");
        return fd;
    }
    // <Menu Extras>/<name>.menu/Contents/Resources/<file>
    const std::string root = std::string(kMenuExtras) + "/";
    if (destination.compare(0, root.size(), root) != 0)
        refuse(kDestinationOutside, "the destination is not in the Menu Extras folder");
    const std::string inside = destination.substr(root.size());
    const auto bundleEnd = inside.find('/');
    const std::string bundle = inside.substr(0, bundleEnd);
    const std::string rest = bundleEnd == std::string::npos ? "" : inside.substr(bundleEnd);
    if (bundle.size() <= 5 || !endsWith(bundle, ".menu") || rest != "/Contents/Resources/" + file)
        refuse(kDestinationOutside, "the destination is not a picture of a Menu Extra");

    int folder = ::open(kMenuExtras, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0)
        refuse(kDestinationOpen, "the Menu Extras folder cannot be opened");
    requireSafeFolder(folder);
    for (const std::string& step : {bundle, std::string("Contents"), std::string("Resources")}) {
        const int next = openBeneath(folder, step.c_str());
        ::close(folder);
        if (next < 0)
            refuse(kDestinationOpen, "the bundle's Resources folder cannot be reached safely");
        requireSafeFolder(next);
        folder = next;
    }
    return folder;
}

void replace(const std::vector<unsigned char>& bytes, int folder, const std::string& file,
             pid_t parent) {
    struct stat target {};
    if (::fstatat(folder, file.c_str(), &target, AT_SYMLINK_NOFOLLOW) != 0)
        refuse(kDestinationOpen, "the destination does not exist");
    if (!S_ISREG(target.st_mode) || target.st_nlink != 1)
        refuse(kDestinationNotRegular, "the destination is not a plain file");

    // Nothing that can be caught interrupts the replacement.
    sigset_t all;
    sigfillset(&all);
    ::sigprocmask(SIG_BLOCK, &all, nullptr);

    const std::string temporary = protocol::replacementName(file);
    if (::unlinkat(folder, temporary.c_str(), 0) != 0 && errno != ENOENT)
        refuse(kTemporary, "an earlier copy cannot be removed");
    // An unnamed file: until it is linked in, no name exists that an
    // interruption could leave behind.
    const int copy = ::openat(folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (copy < 0)
        refuse(kTemporary, "no temporary file can be made beside the destination");
    if (!platform::posix::writeAll(copy, bytes.data(), bytes.size()))
        refuse(kWrite, "the copy cannot be written");
    if (::fchown(copy, target.st_uid, target.st_gid) != 0) {
        struct stat mine {};
        if (::fstat(copy, &mine) != 0 || mine.st_uid != target.st_uid ||
            mine.st_gid != target.st_gid)
            refuse(kAttributes, "the copy cannot get the destination's owner");
    }
    // The target's permissions, never a set-user-id, set-group-id or
    // sticky bit.
    if (::fchmod(copy, target.st_mode & 0777) != 0)
        refuse(kAttributes, "the copy cannot get the destination's mode");
    if (::fsync(copy) != 0)
        refuse(kSync, "the copy cannot be flushed");
    if (!holds(copy, bytes))
        refuse(kVerify, "the copy does not hold the source's bytes");

    char procPath[64];
    std::snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", copy);
    if (::linkat(AT_FDCWD, procPath, folder, temporary.c_str(), AT_SYMLINK_FOLLOW) != 0)
        refuse(kTemporary, "the copy cannot be given a name");
    if (::getppid() != parent) {
        ::unlinkat(folder, temporary.c_str(), 0);
        refuse(kParentGone, "the program that started the tool is gone");
    }
    if (::renameat(folder, temporary.c_str(), folder, file.c_str()) != 0) {
        ::unlinkat(folder, temporary.c_str(), 0);
        refuse(kRename, "the copy cannot replace the destination");
    }
    if (::fsync(folder) != 0)
        refuse(kSync, "the folder cannot be flushed");
    struct stat placed {
    }, made{};
    if (::fstatat(folder, file.c_str(), &placed, AT_SYMLINK_NOFOLLOW) != 0 ||
        ::fstat(copy, &made) != 0 || placed.st_ino != made.st_ino || placed.st_dev != made.st_dev)
        refuse(kVerify, "the destination is not the copy");
}

} // namespace trayskin_tool
