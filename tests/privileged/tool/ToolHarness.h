// Runs a privileged tool binary the way anyone could: with chosen arguments,
// environment, descriptors and request bytes.
#pragma once

#include "platform/core/Authorization.h"

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testing_support {

struct ToolRun {
    int exitCode = -1; // -1 when it did not exit normally
    std::string err;
};

struct ToolOptions {
    bool noArguments = false;
    std::vector<std::string> environment;
    bool closeStdout = false;
    bool extraDescriptor = false;
    bool stall = false;        // write the request but never close the pipe
    long fileSizeLimit = -1;   // RLIMIT_FSIZE for the tool, bytes
    long descriptorLimit = -1; // RLIMIT_NOFILE for the tool
    uid_t uid = 0;             // started by this user (with gid) when not 0
    gid_t gid = 0;
    // Called with the tool's pid once the whole request is written, while
    // the tool runs: to watch it, signal it, or attack it.
    std::function<void(pid_t)> whileRunning;
};

// An external form naming this process, as the program would send it.
AuthorizationExternalForm ownExternalForm();
// The path with its spaces escaped, as the runner sends it.
std::string escaped(const std::string& path);
// The request bytes for a copy from source to destination (escaped here).
std::string requestBytes(const AuthorizationExternalForm& external, const std::string& source,
                         const std::string& destination, std::int32_t command = 1);

ToolRun runTool(const std::string& tool, const std::string& request,
                const ToolOptions& options = {});

// Runs body in a child process with all ids of the user (no groups but its
// own), as an unprivileged attacker would act; returns body's result, or -1
// when the child did not end normally.
int asUser(uid_t uid, gid_t gid, const std::function<int()>& body);

// Waits up to the limit for one inotify event of the mask on path, set up
// before the thing it waits for can happen.
class Watch {
public:
    Watch(const std::string& path, std::uint32_t mask);
    ~Watch();
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;
    bool valid() const { return watch_ >= 0; }
    // True when an event came; false after the limit.
    bool next(int limitMs = 30000);

private:
    int fd_ = -1;
    int watch_ = -1;
};

} // namespace testing_support
