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
    int signal = 0;
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

// How a user makes the tool the child of a process that did not start it.
enum class Adoption {
    CloneParent, // cloned with CLONE_PARENT: the clone's parent is its creator's
    Orphan,      // started by a process that ends first: handed to a subreaper
};
// In a root process that adopts orphans (a child subreaper, as init and
// session managers are), a process of the user (uid, gid) starts the tool the
// given way, so that the tool's parent is that root process, with the request
// made from an external form naming the root process (anyone may read its pid
// and start time). Returns the exit code the tool wrote on standard error, or
// 250 and up when the attack could not be set up.
int startAdoptedBelowRoot(
    const std::string& tool, Adoption adoption, uid_t uid, gid_t gid,
    const std::function<std::string(const AuthorizationExternalForm& root)>& request);

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
