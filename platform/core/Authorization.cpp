#include "platform/core/Authorization.h"

#include "platform/core/Posix.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <string>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

struct AuthorizationOpaqueRef {
    platform::auth::Subject subject;
    unsigned char tag[16];
    platform::auth::Authority* authority;
};

namespace platform::auth {

namespace {

constexpr const char* kSystemBusSocket = "/run/dbus/system_bus_socket";

// External form: "TSA1", pid (4 bytes), start time (8 bytes), tag (16 bytes),
// all in the machine's byte order.
constexpr char kMagic[4] = {'T', 'S', 'A', '1'};

} // namespace

std::uint64_t processStartTime(pid_t pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(pid));
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    char buffer[1024];
    ssize_t n = ::read(fd, buffer, sizeof buffer - 1);
    ::close(fd);
    if (n <= 0)
        return 0;
    buffer[n] = '\0';
    // The command name may hold spaces and parentheses: fields are counted
    // from the last ")". Start time is field 22; field 3 follows the ")".
    char* p = std::strrchr(buffer, ')');
    if (!p)
        return 0;
    ++p;
    for (int field = 3; field < 22; ++field) {
        p = std::strchr(p + 1, ' ');
        if (!p)
            return 0;
    }
    return std::strtoull(p + 1, nullptr, 10);
}

Subject subjectOf(AuthorizationRef authorization) {
    return authorization ? authorization->subject : Subject{};
}

OSStatus Authority::identify(Subject& subject) {
    subject.pid = ::getpid();
    subject.startTime = processStartTime(subject.pid);
    return subject.startTime == 0 ? errAuthorizationInternal : errAuthorizationSuccess;
}

PkcheckAuthority::PkcheckAuthority(std::string pkcheck, bool asRoot, bool viaSystemBus)
    : pkcheck_(std::move(pkcheck)), asRoot_(asRoot), viaSystemBus_(viaSystemBus) {}

PolkitAnswer PkcheckAuthority::check(const std::string& action, const Subject& subject, uid_t uid,
                                     bool allowInteraction) {
    if (pkcheck_.empty() || ::access(pkcheck_.c_str(), X_OK) != 0)
        return PolkitAnswer::NoPolkit;
    struct stat bus {};
    if (viaSystemBus_ && (::stat(kSystemBusSocket, &bus) != 0 || !S_ISSOCK(bus.st_mode)))
        return PolkitAnswer::NoPolkit;
    char process[96];
    std::snprintf(process, sizeof process, "%d,%llu,%u", static_cast<int>(subject.pid),
                  static_cast<unsigned long long>(subject.startTime), static_cast<unsigned>(uid));
    std::string actionCopy = action;
    std::string command = pkcheck_;
    char flagAction[] = "--action-id";
    char flagProcess[] = "--process";
    char flagInteraction[] = "--allow-user-interaction";
    char* argv[] = {command.data(), flagAction, actionCopy.data(),
                    flagProcess,    process,    allowInteraction ? flagInteraction : nullptr,
                    nullptr};
    char* envp[] = {nullptr};

    // Only async-signal-safe calls between fork and exec.
    const pid_t child = ::fork();
    if (child < 0)
        return PolkitAnswer::Error;
    if (child == 0) {
        if (asRoot_ && (::setresuid(0, 0, 0) != 0 || ::setgroups(0, nullptr) != 0 ||
                        ::setresgid(0, 0, 0) != 0))
            ::_exit(127);
        // pkcheck's details are not ours to show; its questions, if any, go
        // to the user through the authentication agent, not through these.
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null < 0 || ::dup2(null, 1) < 0 || (!allowInteraction && ::dup2(null, 2) < 0))
            ::_exit(127);
        ::execve(command.c_str(), argv, envp);
        ::_exit(127);
    }
    int status = 0;
    if (posix::waitForChild(child, &status) != child || !WIFEXITED(status))
        return PolkitAnswer::Error;
    switch (WEXITSTATUS(status)) {
    case 0:
        return PolkitAnswer::Authorized;
    case 1:
        return PolkitAnswer::NotAuthorized;
    case 2:
        return PolkitAnswer::Challenge;
    case 3:
        return PolkitAnswer::Dismissed;
    default:
        return PolkitAnswer::Error;
    }
}

} // namespace platform::auth

using platform::auth::PolkitAnswer;

OSStatus AuthorizationCreate(const AuthorizationRights* rights,
                             const AuthorizationEnvironment* environment, AuthorizationFlags flags,
                             AuthorizationRef* authorization) {
    if (!authorization)
        return errAuthorizationInvalidPointer;
    auto* made = new AuthorizationOpaqueRef{};
    made->authority = &platform::auth::processAuthority();
    const OSStatus identified = made->authority->identify(made->subject);
    if (identified != errAuthorizationSuccess) {
        delete made;
        return identified;
    }
    if (::getrandom(made->tag, sizeof made->tag, 0) != static_cast<ssize_t>(sizeof made->tag)) {
        delete made;
        return errAuthorizationInternal;
    }
    if (rights && rights->count > 0) {
        OSStatus status = AuthorizationCopyRights(made, rights, environment, flags, nullptr);
        if (status != errAuthorizationSuccess) {
            delete made;
            return status;
        }
    }
    *authorization = made;
    return errAuthorizationSuccess;
}

OSStatus AuthorizationFree(AuthorizationRef authorization, AuthorizationFlags) {
    if (!authorization)
        return errAuthorizationInvalidRef;
    delete authorization;
    return errAuthorizationSuccess;
}

OSStatus AuthorizationCopyRights(AuthorizationRef authorization, const AuthorizationRights* rights,
                                 const AuthorizationEnvironment*, AuthorizationFlags flags,
                                 AuthorizationRights** authorizedRights) {
    if (!authorization)
        return errAuthorizationInvalidRef;
    if (authorizedRights)
        *authorizedRights = nullptr;
    if (!rights || (rights->count > 0 && !rights->items))
        return errAuthorizationInvalidSet;
    const bool interaction = flags & kAuthorizationFlagInteractionAllowed;
    for (std::uint32_t i = 0; i < rights->count; ++i) {
        const AuthorizationItem& item = rights->items[i];
        if (!item.name)
            return errAuthorizationInvalidSet;
        const auto answer = authorization->authority->check(item.name, authorization->subject,
                                                            ::getuid(), interaction);
        switch (answer) {
        case PolkitAnswer::Authorized:
            continue;
        case PolkitAnswer::NoPolkit:
        case PolkitAnswer::Error:
            // No authority to ask (not installed, or its daemon unreachable):
            // only root holds a right.
            if (::getuid() == 0)
                continue;
            return errAuthorizationDenied;
        case PolkitAnswer::NotAuthorized:
            return errAuthorizationDenied;
        case PolkitAnswer::Challenge:
            // A password would be needed: without interaction that is a no.
            return interaction ? errAuthorizationCanceled : errAuthorizationDenied;
        case PolkitAnswer::Dismissed:
            return errAuthorizationCanceled;
        }
    }
    return errAuthorizationSuccess;
}

OSStatus AuthorizationMakeExternalForm(AuthorizationRef authorization,
                                       AuthorizationExternalForm* externalForm) {
    if (!authorization)
        return errAuthorizationInvalidRef;
    if (!externalForm)
        return errAuthorizationInvalidPointer;
    char* out = externalForm->bytes;
    const std::int32_t pid = authorization->subject.pid;
    const std::uint64_t start = authorization->subject.startTime;
    std::memcpy(out, platform::auth::kMagic, 4);
    std::memcpy(out + 4, &pid, 4);
    std::memcpy(out + 8, &start, 8);
    std::memcpy(out + 16, authorization->tag, 16);
    return errAuthorizationSuccess;
}

OSStatus AuthorizationCreateFromExternalForm(const AuthorizationExternalForm* externalForm,
                                             AuthorizationRef* authorization) {
    if (!externalForm || !authorization)
        return errAuthorizationInvalidPointer;
    const char* in = externalForm->bytes;
    if (std::memcmp(in, platform::auth::kMagic, 4) != 0)
        return errAuthorizationInvalidRef;
    std::int32_t pid = 0;
    std::uint64_t start = 0;
    std::memcpy(&pid, in + 4, 4);
    std::memcpy(&start, in + 8, 8);
    if (pid <= 0 || start == 0)
        return errAuthorizationInvalidRef;
    auto* made = new AuthorizationOpaqueRef{};
    made->authority = &platform::auth::processAuthority();
    made->subject.pid = pid;
    made->subject.startTime = start;
    std::memcpy(made->tag, in + 16, 16);
    *authorization = made;
    return errAuthorizationSuccess;
}
