#include "tests/privileged/tool/ToolHarness.h"

#include "platform/core/Posix.h"
#include "privileged/AuthRunner.h"
#include "privileged/Protocol.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

AuthorizationExternalForm ownExternalForm() {
    AuthorizationRef ref = nullptr;
    AuthorizationExternalForm form{};
    EXPECT_EQ(AuthorizationCreate(nullptr, nullptr, kAuthorizationFlagPreAuthorize, &ref), 0);
    EXPECT_EQ(AuthorizationMakeExternalForm(ref, &form), 0);
    AuthorizationFree(ref, 0);
    return form;
}

std::string requestBytes(const AuthorizationExternalForm& external, const std::string& source,
                         const std::string& destination, std::int32_t command) {
    namespace protocol = privileged::protocol;
    std::string bytes(external.bytes, sizeof external.bytes);
    bytes.append(reinterpret_cast<const char*>(&command), sizeof command);
    for (const std::string* path : {&source, &destination}) {
        std::string field(protocol::kPathFieldSize, '\0');
        std::vector<char> escaped(2 * path->size() + 1);
        std::memcpy(escaped.data(), path->c_str(), path->size() + 1);
        privileged::check_spaces(escaped.data());
        std::memcpy(field.data(), escaped.data(),
                    std::min(field.size() - 1, std::strlen(escaped.data())));
        bytes += field;
    }
    return bytes;
}

ToolRun runTool(const std::string& tool, const std::string& request, const ToolOptions& options) {
    int in[2], err[2];
    EXPECT_EQ(::pipe2(in, O_CLOEXEC), 0);
    EXPECT_EQ(::pipe2(err, O_CLOEXEC), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(in[0], 0);
        ::dup2(err[1], 2);
        // Only what the test chooses reaches the tool.
        ::close_range(3, ~0U, 0);
        if (options.closeStdout)
            ::close(1);
        if (options.extraDescriptor) {
            int extra = ::open("/dev/null", O_RDONLY);
            ::dup2(extra, 7);
        }
        if (options.fileSizeLimit >= 0) {
            rlimit limit{static_cast<rlim_t>(options.fileSizeLimit),
                         static_cast<rlim_t>(options.fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (options.descriptorLimit >= 0) {
            rlimit limit{static_cast<rlim_t>(options.descriptorLimit),
                         static_cast<rlim_t>(options.descriptorLimit)};
            ::setrlimit(RLIMIT_NOFILE, &limit);
        }
        if (options.runAs) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(options.runAsGroup) != 0 ||
                ::setuid(options.runAs) != 0)
                ::_exit(120);
        }
        std::vector<char*> envp;
        for (const auto& e : options.environment)
            envp.push_back(const_cast<char*>(e.c_str()));
        envp.push_back(nullptr);
        char* argv0 = const_cast<char*>(tool.c_str());
        char* argvWith[] = {argv0, nullptr};
        char* argvNone[] = {nullptr};
        ::execve(tool.c_str(), options.noArguments ? argvNone : argvWith, envp.data());
        ::_exit(121);
    }
    ::close(in[0]);
    ::close(err[1]);
    ::signal(SIGPIPE, SIG_IGN);
    std::size_t written = 0;
    while (written < request.size()) {
        ssize_t n = ::write(in[1], request.data() + written, request.size() - written);
        if (n <= 0)
            break;
        written += static_cast<std::size_t>(n);
    }
    int stalled = -1;
    if (options.stall)
        stalled = in[1];
    else
        ::close(in[1]);
    if (options.whileRunning)
        options.whileRunning(child);
    ToolRun result;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(err[0], buffer, sizeof buffer)) > 0)
        result.err.append(buffer, static_cast<std::size_t>(n));
    ::close(err[0]);
    int status = 0;
    platform::posix::waitForChild(child, &status);
    if (stalled >= 0)
        ::close(stalled);
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    return result;
}

int asUser(uid_t uid, gid_t gid, const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setresgid(gid, gid, gid) != 0 ||
            ::setresuid(uid, uid, uid) != 0)
            ::_exit(250);
        ::_exit(body());
    }
    int status = 0;
    platform::posix::waitForChild(child, &status);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Watch::Watch(const std::string& path, std::uint32_t mask) {
    fd_ = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (fd_ >= 0)
        watch_ = ::inotify_add_watch(fd_, path.c_str(), mask);
}

Watch::~Watch() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool Watch::next(int limitMs) {
    pollfd ready{fd_, POLLIN, 0};
    if (watch_ < 0 || ::poll(&ready, 1, limitMs) != 1)
        return false;
    alignas(inotify_event) char buffer[4096];
    return ::read(fd_, buffer, sizeof buffer) > 0;
}

} // namespace testing_support
