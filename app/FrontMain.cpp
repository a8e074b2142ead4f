// The trayskin command as the user starts it: plain C++, no Qt. It gives
// the output kept for the very same command line in the very same
// environment while everything it was worked out from still holds
// (platform/core/KeptOutput.h; status keeps its output), and otherwise hands
// its process to the command's program beside it, with the same pid and
// arguments, which parses them, runs the verb or starts the window.
#include "platform/core/KeptOutput.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// Where no program could be started (sysexits' EX_OSFILE: a file of the
// installation is missing).
constexpr int kMissingProgram = 72;

} // namespace

int main(int argc, char** argv) {
    const std::string key = platform::kept::commandKey(argc, argv, environ);
    const std::string kept = platform::kept::keptPath(key, environ);
    if (!kept.empty()) {
        const int status = platform::kept::giveKept(kept, key, STDOUT_FILENO);
        if (status >= 0)
            return status;
    }
    char self[PATH_MAX + 1];
    const ssize_t size = ::readlink("/proc/self/exe", self, PATH_MAX);
    std::string program = size > 0 ? std::string(self, std::size_t(size)) : std::string();
    program = program.substr(0, program.rfind('/') + 1) + "trayskin-command";
    ::execv(program.c_str(), argv);
    std::fprintf(stderr, "Could not start %s: %s\n", program.c_str(), std::strerror(errno));
    return kMissingProgram;
}
