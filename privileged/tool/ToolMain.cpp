// The privileged tool: replaces one picture of a Menu Extra bundle with the
// bytes of another file, for the program that started it.
//
// It may be installed setuid root, so it trusts nothing it inherits: it can be
// started by anyone, with any arguments, environment and descriptors. It
// reads one request (see Request.h) from standard input and exits with one of
// the codes below, writing one line to standard error for every refusal.
//
// When elevated (setuid, real user not root) the destination must be an
// existing picture "<Menu Extras>/<name>.menu/Contents/Resources/<file>.tif"
// or ".tiff", reached without symbolic links, and polkit must say that the
// parent process holds the command right. When not elevated the tool can do
// no more than its user: any existing picture file the user may replace is a
// destination, and there is no right to ask for.
#include "AuthRunner.h"
#include "Authorization.h"
#include "Request.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/random.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#ifndef TRAYSKIN_TOOL_MENU_EXTRAS
#define TRAYSKIN_TOOL_MENU_EXTRAS "/System/Library/CoreServices/Menu Extras"
#endif
#ifndef TRAYSKIN_TOOL_PKCHECK
#define TRAYSKIN_TOOL_PKCHECK "/usr/bin/pkcheck"
#endif

extern char** environ;

namespace {

// Exit codes. 0 is success; every refusal has its own.
enum Exit : int {
    kOk = 0,
    // Start-up
    kNoArguments = 10,     // argc is 0 (or argv[0] empty)
    kEnvironment = 11,     // the environment was not empty
    kClosedStdio = 12,     // one of descriptors 0-2 was closed
    kExtraDescriptor = 13, // descriptors beyond 2 were open
    kIdentity = 14,        // user ids could not be read or set
    // Request
    kShortRequest = 20, // end of file before the whole request
    kLongRequest = 21,  // more bytes after the request
    kStalled = 22,      // the writer neither wrote nor closed in time
    kReadError = 23,
    kWrongCommand = 24,
    kSourceNoNul = 25,
    kDestinationNoNul = 26,
    kSourceNotAbsolute = 27,
    kDestinationNotAbsolute = 28,
    kSourceDotComponent = 29,
    kDestinationDotComponent = 30,
    // Authorization
    kBadExternalForm = 40, // not an external form of ours
    kNotFromParent = 41,   // it names another process than the parent
    kParentGone = 42,
    kNotAuthorized = 43, // polkit said no
    kChallenge = 44,     // polkit wanted a password nobody gave
    kDismissed = 45,
    kPolkitError = 46, // polkit could not be asked or did not answer
    // Source
    kSourceOpen = 50,       // missing, a link, or not readable by the user
    kSourceNotRegular = 51, // a folder, FIFO, device or socket
    kSourceTooLarge = 52,
    kSourceRead = 53,
    // Destination
    kDestinationOutside = 60,    // not in a bundle's Resources in Menu Extras
    kDestinationNotPicture = 61, // the file name does not end in .tif or .tiff
    kDestinationOpen = 62,       // missing, or reached through a link
    kDestinationNotRegular = 63, // not a regular file with one link
    kMenuExtrasUnsafe = 64,      // not root-owned, or writable by others
    // Replacement
    kTemporary = 70,  // no temporary file could be made
    kWrite = 71,      // a write failed (full disk, size limit)
    kAttributes = 72, // owner or mode could not be set
    kSync = 73,
    kRename = 74,
    kVerify = 75, // the result does not hold the source's bytes
};

constexpr off_t kMaxSource = 16 * 1024 * 1024;
#ifndef TRAYSKIN_TOOL_TIMEOUT_MS
#define TRAYSKIN_TOOL_TIMEOUT_MS 10000
#endif
constexpr int kRequestTimeoutMs = TRAYSKIN_TOOL_TIMEOUT_MS;
constexpr const char* kMenuExtras = TRAYSKIN_TOOL_MENU_EXTRAS;

[[noreturn]] void refuse(Exit code, const char* why) {
    char line[256];
    const int n = std::snprintf(line, sizeof line, "Trayskin tool: %s (exit %d)\n", why,
                                static_cast<int>(code));
    if (n > 0) {
        ssize_t ignored = ::write(2, line, static_cast<std::size_t>(std::min(n, 255)));
        (void)ignored;
    }
    ::_exit(code);
}

uid_t realUid = 0;
bool elevated = false;

// The effective user is the real one except around the privileged steps.
void becomeRoot() {
    if (elevated && ::seteuid(0) != 0)
        refuse(kIdentity, "cannot raise privileges");
}
void becomeUser() {
    if (elevated && ::seteuid(realUid) != 0)
        refuse(kIdentity, "cannot drop privileges");
}

// Whether any descriptor beyond 2 is open, from the kernel's list of them.
bool extraDescriptorsOpen() {
    DIR* dir = ::opendir("/proc/self/fd");
    if (!dir) {
        for (int fd = 3; fd < 4096; ++fd)
            if (::fcntl(fd, F_GETFD) != -1)
                return true;
        return false;
    }
    const int own = ::dirfd(dir);
    bool extra = false;
    while (dirent* entry = ::readdir(dir)) {
        char* end = nullptr;
        const long fd = std::strtol(entry->d_name, &end, 10);
        if (end != entry->d_name && *end == '\0' && fd > 2 && fd != own)
            extra = true;
    }
    ::closedir(dir);
    return extra;
}

void startUp(int argc, char** argv) {
    // The kernel gives a program started with no arguments an empty argv[0].
    if (argc <= 0 || !argv || !argv[0] || !argv[0][0])
        refuse(kNoArguments, "started without arguments");
    const bool hadEnvironment = environ && environ[0];
    ::clearenv();

    // Standard descriptors valid, every other one closed.
    bool closedStdio = false;
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1) {
            closedStdio = true;
            int null = ::open("/dev/null", O_RDWR);
            if (null != fd && null >= 0) {
                ::dup2(null, fd);
                ::close(null);
            }
        }
    }
    const bool extra = extraDescriptorsOpen();
    ::close_range(3, ~0U, 0);

    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    for (int sig = 1; sig < NSIG; ++sig) {
        if (sig != SIGKILL && sig != SIGSTOP)
            ::signal(sig, SIG_DFL);
    }
    // A size limit makes writes fail instead of ending the tool mid-copy.
    ::signal(SIGXFSZ, SIG_IGN);
    ::signal(SIGPIPE, SIG_IGN);

    ::prctl(PR_SET_DUMPABLE, 0);
    struct rlimit noCore {
        0, 0
    };
    ::setrlimit(RLIMIT_CORE, &noCore);
    if (::chdir("/") != 0)
        refuse(kIdentity, "cannot change to /");
    ::umask(077);

    uid_t r, e, s;
    if (::getresuid(&r, &e, &s) != 0)
        refuse(kIdentity, "cannot read user ids");
    realUid = r;
    elevated = (e != r || s != r) && r != 0;
    if (elevated && (e != 0 && s != 0))
        refuse(kIdentity, "set-user-id to someone other than root");
    becomeUser();

    if (hadEnvironment)
        refuse(kEnvironment, "started with an environment");
    if (closedStdio)
        refuse(kClosedStdio, "a standard descriptor was closed");
    if (extra)
        refuse(kExtraDescriptor, "extra descriptors were open");
}

long long nowMs() {
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// Reads exactly the request, then requires end of file.
void readRequest(unsigned char* buffer) {
    const long long deadline = nowMs() + kRequestTimeoutMs;
    std::size_t have = 0;
    unsigned char extra = 0;
    for (;;) {
        const long long left = deadline - nowMs();
        if (left <= 0)
            refuse(kStalled, "the request did not arrive in time");
        pollfd in{0, POLLIN, 0};
        const int ready = ::poll(&in, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            refuse(kReadError, "cannot wait for the request");
        if (ready == 0)
            continue;
        const bool wantEnd = have == trayskin_tool::kRequestBytes;
        ssize_t n = ::read(0, wantEnd ? &extra : buffer + have,
                           wantEnd ? 1 : trayskin_tool::kRequestBytes - have);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n < 0)
            refuse(kReadError, "cannot read the request");
        if (n == 0) {
            if (!wantEnd)
                refuse(kShortRequest, "the request is incomplete");
            return;
        }
        if (wantEnd)
            refuse(kLongRequest, "more bytes follow the request");
        have += static_cast<std::size_t>(n);
    }
}

void checkRequest(trayskin_tool::RequestError error) {
    using E = trayskin_tool::RequestError;
    switch (error) {
    case E::None:
        return;
    case E::WrongCommand:
        refuse(kWrongCommand, "unknown command");
    case E::SourceNoNul:
        refuse(kSourceNoNul, "the source path has no end");
    case E::DestinationNoNul:
        refuse(kDestinationNoNul, "the destination path has no end");
    case E::SourceNotAbsolute:
        refuse(kSourceNotAbsolute, "the source path is not absolute");
    case E::DestinationNotAbsolute:
        refuse(kDestinationNotAbsolute, "the destination path is not absolute");
    case E::SourceDotComponent:
        refuse(kSourceDotComponent, "the source path has a . or .. component");
    case E::DestinationDotComponent:
        refuse(kDestinationDotComponent, "the destination path has a . or .. component");
    }
    refuse(kReadError, "unreadable request");
}

void checkAuthorization(const AuthorizationExternalForm& external) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    const pid_t parent = ::getppid();
    if (parent == 1)
        refuse(kParentGone, "the program that started the tool is gone");
    AuthorizationRef authorization = nullptr;
    if (AuthorizationCreateFromExternalForm(&external, &authorization) != 0)
        refuse(kBadExternalForm, "the authorization is malformed");
    const auto subject = platform::auth::subjectOf(authorization);
    if (subject.pid != parent || subject.startTime != platform::auth::processStartTime(parent)) {
        AuthorizationFree(authorization, 0);
        refuse(kNotFromParent, "the authorization is not the parent's");
    }
    if (!elevated) {
        // Nothing to grant: the tool acts with its user's own rights.
        AuthorizationFree(authorization, 0);
        return;
    }
    const auto answer = platform::auth::askPolkit(TRAYSKIN_TOOL_PKCHECK, privileged::kCommandRight,
                                                  subject.pid, subject.startTime, realUid, true);
    AuthorizationFree(authorization, 0);
    using A = platform::auth::PolkitAnswer;
    switch (answer) {
    case A::Authorized:
        return;
    case A::NotAuthorized:
        refuse(kNotAuthorized, "not authorized");
    case A::Challenge:
        refuse(kChallenge, "authentication is needed and was not given");
    case A::Dismissed:
        refuse(kDismissed, "authentication was dismissed");
    case A::Error:
    case A::NoPolkit:
        refuse(kPolkitError, "the authority cannot be asked");
    }
}

int openSource(const std::string& path, struct stat& st) {
    // With the user's own rights: the tool never reads what its user cannot.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        refuse(kSourceOpen, "the source cannot be opened");
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        refuse(kSourceNotRegular, "the source is not a regular file");
    if (st.st_size > kMaxSource)
        refuse(kSourceTooLarge, "the source is too large");
    return fd;
}

bool endsWith(const std::string& s, const char* suffix) {
    const std::size_t n = std::strlen(suffix);
    return s.size() > n && s.compare(s.size() - n, n, suffix) == 0;
}

long openatBeneath(int dirfd, const char* path, int flags) {
    open_how how{};
    how.flags = static_cast<unsigned long long>(flags);
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS | RESOLVE_NO_XDEV;
    return ::syscall(SYS_openat2, dirfd, path, &how, sizeof how);
}

// The folder of the destination, opened for the replacement, and the file's
// name in it.
int openDestinationFolder(const std::string& destination, std::string& file) {
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
    if (bundle.size() <= 5 || !endsWith(bundle, ".menu") || rest != "/Contents/Resources/" + file ||
        file.find('/') != std::string::npos)
        refuse(kDestinationOutside, "the destination is not a picture of a Menu Extra");

    becomeRoot();
    const int menu = ::open(kMenuExtras, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st {};
    if (menu < 0 || ::fstat(menu, &st) != 0)
        refuse(kDestinationOpen, "the Menu Extras folder cannot be opened");
    if (st.st_uid != 0 || (st.st_mode & (S_IWGRP | S_IWOTH)))
        refuse(kMenuExtrasUnsafe, "the Menu Extras folder is not safe");
    const std::string resources = bundle + "/Contents/Resources";
    const long fd = openatBeneath(menu, resources.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::close(menu);
    becomeUser();
    if (fd < 0)
        refuse(kDestinationOpen, "the bundle's Resources folder cannot be reached safely");
    return static_cast<int>(fd);
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool sameBytes(int a, int b) {
    char x[65536], y[65536];
    off_t at = 0;
    for (;;) {
        ssize_t n = ::pread(a, x, sizeof x, at);
        ssize_t m = ::pread(b, y, sizeof y, at);
        if (n < 0 || m < 0 || n != m)
            return false;
        if (n == 0)
            return true;
        if (std::memcmp(x, y, static_cast<std::size_t>(n)) != 0)
            return false;
        at += n;
    }
}

void replace(int source, int folder, const std::string& file) {
    becomeRoot();
    struct stat target {};
    if (::fstatat(folder, file.c_str(), &target, AT_SYMLINK_NOFOLLOW) != 0)
        refuse(kDestinationOpen, "the destination does not exist");
    if (!S_ISREG(target.st_mode) || target.st_nlink != 1)
        refuse(kDestinationNotRegular, "the destination is not a plain file");

    // Nothing that can be caught interrupts the replacement.
    sigset_t all;
    sigfillset(&all);
    ::sigprocmask(SIG_BLOCK, &all, nullptr);

    // An unnamed file: until it is linked in, no name exists that an
    // interruption could leave behind.
    const int temp = ::openat(folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (temp < 0)
        refuse(kTemporary, "no temporary file can be made beside the destination");
    char buffer[65536];
    for (off_t at = 0;;) {
        ssize_t n = ::pread(source, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            refuse(kSourceRead, "the source cannot be read");
        if (n == 0)
            break;
        if (!writeAll(temp, buffer, static_cast<std::size_t>(n)))
            refuse(kWrite, "the copy cannot be written");
        at += n;
    }
    if (::fchown(temp, target.st_uid, target.st_gid) != 0) {
        struct stat mine {};
        if (::fstat(temp, &mine) != 0 || mine.st_uid != target.st_uid ||
            mine.st_gid != target.st_gid)
            refuse(kAttributes, "the copy cannot get the destination's owner");
    }
    if (::fchmod(temp, target.st_mode & 07777) != 0)
        refuse(kAttributes, "the copy cannot get the destination's mode");
    if (::fsync(temp) != 0)
        refuse(kSync, "the copy cannot be flushed");
    if (!sameBytes(source, temp))
        refuse(kVerify, "the copy does not hold the source's bytes");

    unsigned char tag[8];
    if (::getrandom(tag, sizeof tag, 0) != static_cast<ssize_t>(sizeof tag))
        refuse(kTemporary, "no name for the copy");
    char name[64];
    std::snprintf(name, sizeof name, ".trayskin-new-%02x%02x%02x%02x%02x%02x%02x%02x", tag[0],
                  tag[1], tag[2], tag[3], tag[4], tag[5], tag[6], tag[7]);
    char procPath[64];
    std::snprintf(procPath, sizeof procPath, "/proc/self/fd/%d", temp);
    if (::linkat(AT_FDCWD, procPath, folder, name, AT_SYMLINK_FOLLOW) != 0)
        refuse(kTemporary, "the copy cannot be given a name");
    if (::renameat(folder, name, folder, file.c_str()) != 0) {
        ::unlinkat(folder, name, 0);
        refuse(kRename, "the copy cannot replace the destination");
    }
    ::fsync(folder);
    struct stat placed {
    }, copy{};
    if (::fstatat(folder, file.c_str(), &placed, AT_SYMLINK_NOFOLLOW) != 0 ||
        ::fstat(temp, &copy) != 0 || placed.st_ino != copy.st_ino || placed.st_dev != copy.st_dev)
        refuse(kVerify, "the destination is not the copy");
    becomeUser();
}

} // namespace

int main(int argc, char** argv) {
    startUp(argc, argv);
    unsigned char bytes[trayskin_tool::kRequestBytes];
    readRequest(bytes);
    trayskin_tool::Request request;
    checkRequest(trayskin_tool::parseRequest(bytes, request));
    checkAuthorization(request.external);
    struct stat sourceStat {};
    const int source = openSource(request.source, sourceStat);
    std::string file;
    const int folder = openDestinationFolder(request.destination, file);
    replace(source, folder, file);
    return kOk;
}
