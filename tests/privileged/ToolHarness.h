// Runs a privileged tool binary the way anyone could: with chosen arguments,
// environment, descriptors and request bytes.
#pragma once

#include "Authorization.h"

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
    bool stall = false;      // write the request but never close the pipe
    long fileSizeLimit = -1; // RLIMIT_FSIZE for the tool, bytes
    int killAfterMicroseconds = -1;
    uid_t runAs = 0; // 0: as the test itself
    gid_t runAsGroup = 0;
};

// An external form naming this process, as the program would send it.
AuthorizationExternalForm ownExternalForm();
// The request bytes for a copy from source to destination (escaped here).
std::string requestBytes(const AuthorizationExternalForm& external, const std::string& source,
                         const std::string& destination, std::int32_t command = 1);

ToolRun runTool(const std::string& tool, const std::string& request,
                const ToolOptions& options = {});

} // namespace testing_support
