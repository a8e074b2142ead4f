// The two system-call loops that the program, the privileged tool and the
// tests share: plain C++, no Qt.
#pragma once

#include <cstddef>
#include <sys/types.h>

namespace platform::posix {

// Writes every byte, going on after short writes and interruptions; false
// at the first failure.
bool writeAll(int fd, const void* data, std::size_t size);

// Reads exactly size bytes, going on after short reads and interruptions;
// false at end of file before that, or at a failure.
bool readAll(int fd, void* data, std::size_t size);

// Waits for the child to end, going on after interruptions; returns what
// waitpid returned last (the child's pid, or -1).
pid_t waitForChild(pid_t child, int* status);

} // namespace platform::posix
