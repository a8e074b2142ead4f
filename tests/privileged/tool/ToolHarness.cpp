#include "tests/privileged/tool/ToolHarness.h"

#include "platform/core/Posix.h"
#include "privileged/AuthRunner.h"
#include "privileged/Protocol.h"

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

std::string escaped(const std::string& path) {
    std::vector<char> buffer(2 * path.size() + 1);
    std::memcpy(buffer.data(), path.c_str(), path.size() + 1);
    return privileged::check_spaces(buffer.data());
}

std::string requestBytes(const AuthorizationExternalForm& external, const std::string& source,
                         const std::string& destination, std::int32_t command) {
    std::string bytes(external.bytes, sizeof external.bytes);
    bytes.append(reinterpret_cast<const char*>(&command), sizeof command);
    for (const std::string& path : {source, destination}) {
        std::string field = escaped(path).substr(0, privileged::protocol::kPathFieldSize - 1);
        field.resize(privileged::protocol::kPathFieldSize, '\0');
        bytes += field;
    }
    return bytes;
}

namespace {

// In a child: the tool with the request on standard input, standard error
// into err, and of the rest only what the options give it.
[[noreturn]] void execTool(const std::string& tool, int in, int err, const ToolOptions& options) {
    ::dup2(in, 0);
    ::dup2(err, 2);
    ::close_range(3, ~0U, 0);
    if (options.closeStdout)
        ::close(1);
    if (options.extraDescriptor)
        ::dup2(::open("/dev/null", O_RDONLY), 7);
    if (options.uid &&
        (::setgroups(0, nullptr) != 0 || ::setresgid(options.gid, options.gid, options.gid) != 0 ||
         ::setresuid(options.uid, options.uid, options.uid) != 0))
        ::_exit(122);
    for (const auto& [resource, value] : {std::pair{RLIMIT_FSIZE, options.fileSizeLimit},
                                          {RLIMIT_NOFILE, options.descriptorLimit}}) {
        const rlimit limit{static_cast<rlim_t>(value), static_cast<rlim_t>(value)};
        if (value >= 0)
            ::setrlimit(resource, &limit);
    }
    std::vector<char*> envp;
    for (const auto& e : options.environment)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    char* argvWith[] = {const_cast<char*>(tool.c_str()), nullptr};
    char* argvNone[] = {nullptr};
    ::execve(tool.c_str(), options.noArguments ? argvNone : argvWith, envp.data());
    ::_exit(121);
}

} // namespace

ToolRun runTool(const std::string& tool, const std::string& request, const ToolOptions& options) {
    int in[2], err[2];
    EXPECT_EQ(::pipe2(in, O_CLOEXEC), 0);
    EXPECT_EQ(::pipe2(err, O_CLOEXEC), 0);
    const pid_t child = ::fork();
    if (child == 0)
        execTool(tool, in[0], err[1], options);
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
