#include "privileged/AuthRunner.h"

#include "platform/core/Bundle.h"
#include "platform/core/Posix.h"
#include "privileged/Protocol.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace privileged {

namespace {

OSStatus AuthStatus = 0;
AuthorizationRef authorizationRefMain = nullptr;

using namespace protocol;

OSStatus fail(OSStatus status) {
    std::fprintf(stderr, "performCommand returned : %ld\n", static_cast<long>(status));
    return status;
}

// Copies a path into its field and escapes it there; false when the escaped
// form with its NUL does not fit.
bool fillPathField(char (&field)[kPathFieldSize], const char* path) {
    if (escapedLength(path) + 1 > kPathFieldSize)
        return false;
    std::strcpy(field, path);
    check_spaces(field);
    return true;
}

} // namespace

int authinit() {
    AuthStatus = AuthorizationCreate(nullptr, nullptr, kAuthorizationFlagPreAuthorize,
                                     &authorizationRefMain);
    return 0;
}

int authdestroy() {
    if (authorizationRefMain)
        AuthorizationFree(authorizationRefMain, kAuthorizationFlagDefaults);
    authorizationRefMain = nullptr;
    return 0;
}

char* check_spaces(char* path) {
    // One "\ " for every space, so that the tool gets back the very path.
    return escapeSpaces(path);
}

OSStatus authmain(const char* source, const char* destination) {
    AuthorizationItem right{kCommandRight, 0, nullptr, 0};
    AuthorizationRights rights{1, &right};

    std::puts("Going into auth");
    std::fflush(stdout);
    if (AuthStatus != 0)
        return AuthStatus;
    std::puts("Call authcopyrights");
    std::fflush(stdout);
    const OSStatus copied = AuthorizationCopyRights(authorizationRefMain, &rights, nullptr,
                                                    kAuthorizationFlagPreAuthorize, nullptr);
    if (copied != errAuthorizationSuccess && copied != errAuthorizationDenied)
        return copied;
    std::puts("Into status = errsuccess or denied");
    std::puts(copied == errAuthorizationSuccess ? "Success" : "Denied");
    std::fflush(stdout);

    CommandBlock block{};
    block.command = kCopyCommand;
    // A path too long for its field is refused before any tool is started.
    if (!fillPathField(block.source, source) || !fillPathField(block.destination, destination))
        return fail(-1);

    const std::string resources = platform::bundle::resourcesFolder();
    const std::string tool = resources.empty() ? std::string() : resources + "/" + kToolName;
    if (tool.empty() || tool.size() >= kPathFieldSize || ::access(tool.c_str(), X_OK) != 0) {
        std::fwrite("The authtool could not be found.\n", 1, 33, stderr);
        return fail(-1);
    }

    AuthorizationExternalForm external{};
    if (AuthorizationMakeExternalForm(authorizationRefMain, &external) != 0)
        return fail(-1);

    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return fail(-1);
    std::fflush(nullptr);
    // vfork: the child only arranges its descriptors and runs the tool, so
    // the program's memory need not be copied for it (a large Qt process
    // otherwise pays for that on every picture).
    const pid_t child = ::vfork();
    if (child == -1) {
        ::close(ends[0]);
        ::close(ends[1]);
        return fail(-1);
    }
    if (child == 0) {
        // dup2 clears close-on-exec on the copy only (and an end that is
        // already descriptor 0 stays open).
        if (ends[0] != 0) {
            ::dup2(ends[0], 0);
            ::close(ends[0]);
        } else {
            ::fcntl(0, F_SETFD, 0);
        }
        ::close(ends[1]);
        // Nothing of the program's but the three standard descriptors goes
        // to the tool.
        ::close_range(3, ~0U, 0);
        char* const envp[] = {nullptr};
        ::execle(tool.c_str(), tool.c_str(), static_cast<char*>(nullptr), envp);
        ::_exit(1);
    }

    ::signal(SIGPIPE, SIG_IGN);
    ::close(ends[0]);
    if (!platform::posix::writeAll(ends[1], external.bytes, sizeof external.bytes)) {
        ::close(ends[1]);
        return fail(-1);
    }
    const bool wrote = platform::posix::writeAll(ends[1], &block, sizeof block);
    ::close(ends[1]);
    if (!wrote)
        return fail(-1);

    int status = 0;
    if (platform::posix::waitForChild(child, &status) != child)
        return fail(-1);
    if ((status & 0x7f) != 0)
        return fail(-1);
    const int code = (status >> 8) & 0xff;
    if (code == 0)
        return 0;
    return fail(code);
}

} // namespace privileged
