// The privileged tool: replaces one picture of a Menu Extra bundle with the
// bytes of another file, for the program that started it.
//
// It may be installed setuid root, so it trusts nothing it inherits: it can be
// started by anyone, with any arguments, environment, descriptors, limits and
// signal state. It reads one request (Protocol.h) from standard input and
// exits with one of the codes of Protocol.h, writing one line to standard
// error for every refusal. In this order:
//
//  1. start-up: nothing inherited is kept; the effective user becomes the real
//     one (root stays only as the saved user id);
//  2. the request is read and checked;
//  3. the source is read whole into memory with the real user's rights;
//  4. the parent process must be the user's own, and polkit decides whether
//     it holds the command right, asked through pkcheck running wholly as
//     root;
//  5. only then the tool becomes root in all its ids, so that the user can no
//     longer signal, stop or trace it;
//  6. the destination is reached from the Menu Extras folder without links,
//     through root-owned folders that nobody else may write;
//  7. the picture is replaced atomically.
//
// When not elevated (started by root, or not installed setuid) the tool can
// do no more than its user: any picture file the user may replace is a
// destination, and there is no right to ask for.
#include "platform/core/Authorization.h"
#include "platform/core/Posix.h"
#include "privileged/Protocol.h"
#include "privileged/tool/ParentProcess.h"
#include "privileged/tool/Refuse.h"
#include "privileged/tool/Replacement.h"
#include "privileged/tool/Request.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <linux/magic.h>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <time.h>
#include <unistd.h>
#include <vector>

#ifndef TRAYSKIN_TOOL_PKCHECK
#define TRAYSKIN_TOOL_PKCHECK "/usr/bin/pkcheck"
#endif
// The system's pkcheck asks polkit over the system bus; a test's stand-in
// does not.
#ifndef TRAYSKIN_TOOL_VIA_SYSTEM_BUS
#define TRAYSKIN_TOOL_VIA_SYSTEM_BUS true
#endif
#ifndef TRAYSKIN_TOOL_TIMEOUT_MS
#define TRAYSKIN_TOOL_TIMEOUT_MS 10000
#endif

extern char** environ;

namespace {

namespace protocol = privileged::protocol;

// Exit codes (Protocol.h): 0 is success; every refusal has its own.
using enum protocol::ToolExit;
using trayskin_tool::refuse;

constexpr off_t kMaxSource = 16 * 1024 * 1024;
constexpr int kRequestTimeoutMs = TRAYSKIN_TOOL_TIMEOUT_MS;
constexpr rlim_t kDescriptors = 64;

uid_t realUid = 0;
bool elevated = false;
pid_t parent = 0;

// The kernel clears the parent-death signal at every change of credentials:
// armed again after each, then the parent is checked to be still there.
void armParentDeath() {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (parent != 0 && ::getppid() != parent)
        refuse(kParentGone, "the program that started the tool is gone");
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

// No core file; enough descriptors to work (raised as root when elevated, to
// the hard limit otherwise). Other limits can only make the tool fail, and a
// failure leaves the target as it was.
void resetLimits() {
    const rlimit none{0, 0};
    ::setrlimit(RLIMIT_CORE, &none);
    rlimit files{kDescriptors, kDescriptors};
    if (::setrlimit(RLIMIT_NOFILE, &files) != 0) {
        rlimit have{};
        if (::getrlimit(RLIMIT_NOFILE, &have) != 0 || have.rlim_max < 16)
            refuse(kLimits, "too few descriptors are allowed");
        have.rlim_cur = std::min(have.rlim_max, kDescriptors);
        ::setrlimit(RLIMIT_NOFILE, &have);
    }
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
    resetLimits();
    if (::chdir("/") != 0)
        refuse(kIdentity, "cannot change to /");
    ::umask(077);

    uid_t r, e, s;
    if (::getresuid(&r, &e, &s) != 0)
        refuse(kIdentity, "cannot read user ids");
    realUid = r;
    elevated = (e != r || s != r) && r != 0;
    if (elevated && e != 0 && s != 0)
        refuse(kIdentity, "set-user-id to someone other than root");
    if (elevated) {
        // Root stays only as the saved id, for step 5.
        if (::setresuid(r, r, 0) != 0)
            refuse(kIdentity, "cannot drop privileges");
        uid_t r2, e2, s2;
        if (::getresuid(&r2, &e2, &s2) != 0 || r2 != r || e2 != r || s2 != 0)
            refuse(kIdentity, "privileges were not dropped");
    }
    parent = ::getppid();
    armParentDeath();

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
        const bool wantEnd = have == protocol::kRequestSize;
        ssize_t n = ::read(0, wantEnd ? &extra : buffer + have,
                           wantEnd ? 1 : protocol::kRequestSize - have);
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

bool isPseudoFileSystem(long type) {
    switch (static_cast<unsigned long>(type)) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case BPF_FS_MAGIC:
    case DEVPTS_SUPER_MAGIC:
    case EFIVARFS_MAGIC:
    case PSTOREFS_MAGIC:
    case SELINUX_MAGIC:
    case SMACK_MAGIC:
    case BINFMTFS_MAGIC:
    case NSFS_MAGIC:
    case 0x62656570: // configfs
    case 0x65735543: // fusectl
        return true;
    default:
        return false;
    }
}

// The source, read with the real user's rights only (a link is followed with
// them too), exactly as many bytes as its size says, into memory.
std::vector<unsigned char> readSource(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        refuse(kSourceOpen, "the source cannot be opened");
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        refuse(kSourceNotRegular, "the source is not a regular file");
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0 || isPseudoFileSystem(fs.f_type))
        refuse(kSourcePseudo, "the source is on a pseudo file system");
    if (st.st_size > kMaxSource)
        refuse(kSourceTooLarge, "the source is too large");
    std::vector<unsigned char> bytes(static_cast<std::size_t>(st.st_size));
    if (!platform::posix::readAll(fd, bytes.data(), bytes.size()))
        refuse(kSourceChanged, "the source is shorter than its size");
    unsigned char more = 0;
    ssize_t n;
    do {
        n = ::read(fd, &more, 1);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        refuse(kSourceRead, "the source cannot be read");
    if (n > 0)
        refuse(kSourceChanged, "the source grew while it was read");
    ::close(fd);
    static const unsigned char kIntel[4] = {'I', 'I', 42, 0};
    static const unsigned char kMotorola[4] = {'M', 'M', 0, 42};
    if (bytes.size() < 4 ||
        (std::memcmp(bytes.data(), kIntel, 4) != 0 && std::memcmp(bytes.data(), kMotorola, 4) != 0))
        refuse(kSourceNotPicture, "the source is not a TIFF picture");
    return bytes;
}

// The external form must name the parent, and the parent must run wholly as
// the tool's real user: the tool's parent is not always the process that
// started it (an orphan is handed to another; a process cloned with
// CLONE_PARENT gets its creator's parent), and polkit must not be asked about
// someone else's process. polkit then decides, for the parent as subject,
// with the real user's id from the kernel. Everything about the parent is
// read through its /proc folder, opened while it is the parent, with the
// user's rights.
void checkAuthorization(const AuthorizationExternalForm& external) {
    AuthorizationRef authorization = nullptr;
    if (AuthorizationCreateFromExternalForm(&external, &authorization) != 0)
        refuse(kBadExternalForm, "the authorization is malformed");
    const auto subject = platform::auth::subjectOf(authorization);
    AuthorizationFree(authorization, 0);
    trayskin_tool::ParentProcess caller;
    if (!caller.open(parent)) {
        if (::getppid() != parent)
            refuse(kParentGone, "the program that started the tool is gone");
        // Its /proc folder is hidden from the user: not the user's process.
        refuse(kParentNotUsers, "the parent process is not the user's own");
    }
    const std::uint64_t parentStart = caller.startTime();
    if (parentStart == 0 || ::getppid() != parent)
        refuse(kParentGone, "the program that started the tool is gone");
    if (subject.pid != parent || subject.startTime != parentStart)
        refuse(kNotFromParent, "the authorization is not the parent's");
    if (!caller.runsWhollyAs(realUid))
        refuse(kParentNotUsers, "the parent process is not the user's own");
    if (!elevated)
        return; // nothing to grant: the tool acts with its user's own rights
    // pkcheck runs wholly as root: the user can neither trace it nor forge
    // its answer.
    platform::auth::PkcheckAuthority polkit(TRAYSKIN_TOOL_PKCHECK, /*asRoot=*/true,
                                            TRAYSKIN_TOOL_VIA_SYSTEM_BUS);
    const auto answer = polkit.check(protocol::kCommandRight, {parent, parentStart}, ::getuid(),
                                     /*allowInteraction=*/true);
    using A = platform::auth::PolkitAnswer;
    switch (answer) {
    case A::Authorized:
        // Still the same process, still wholly the user's (it may have run
        // a set-user-id program while polkit was asked).
        if (!caller.runsWhollyAs(realUid))
            refuse(kParentNotUsers, "the parent process is not the user's own");
        if (::getppid() != parent)
            refuse(kParentGone, "the program that started the tool is gone");
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
    refuse(kPolkitError, "the authority gave no answer");
}

// Limits and an out-of-memory score the user set before starting the tool
// would otherwise still end it as root, between naming its copy in the
// system folder and the rename: root lifts them.
void liftUsersLimits() {
    // Where even root may not raise a hard limit (a container without
    // CAP_SYS_RESOURCE), the soft limit goes up to it.
    for (int resource : {RLIMIT_CPU, RLIMIT_FSIZE, RLIMIT_AS, RLIMIT_DATA}) {
        rlimit limit{RLIM_INFINITY, RLIM_INFINITY};
        if (::setrlimit(resource, &limit) != 0 && ::getrlimit(resource, &limit) == 0) {
            limit.rlim_cur = limit.rlim_max;
            ::setrlimit(resource, &limit);
        }
    }
    const int score = ::open("/proc/self/oom_score_adj", O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    if (score >= 0) {
        [[maybe_unused]] const ssize_t written = ::write(score, "0", 1);
        ::close(score);
    }
}

// Root in every id: from here on the user can neither signal nor trace the
// tool. Nothing can interrupt the replacement but the parent's death.
void elevate() {
    if (!elevated)
        return;
    if (::setresuid(0, 0, 0) != 0 || ::setgroups(0, nullptr) != 0 || ::setresgid(0, 0, 0) != 0)
        refuse(kIdentity, "cannot become root");
    uid_t r, e, s;
    if (::getresuid(&r, &e, &s) != 0 || r != 0 || e != 0 || s != 0)
        refuse(kIdentity, "did not become root");
    ::prctl(PR_SET_DUMPABLE, 0);
    liftUsersLimits();
    armParentDeath();
}

} // namespace

int main(int argc, char** argv) {
    startUp(argc, argv);
    unsigned char bytes[protocol::kRequestSize];
    readRequest(bytes);
    trayskin_tool::Request request;
    checkRequest(trayskin_tool::parseRequest(bytes, request));
    const std::vector<unsigned char> source = readSource(request.source);
    checkAuthorization(request.external);
    elevate();
    std::string file;
    const int folder = trayskin_tool::openDestinationFolder(request.destination, elevated, file);
    trayskin_tool::replace(source, folder, file, parent);
    return static_cast<int>(kOk);
}
