// The system-call loops that the program, the privileged tool and the tests
// share, and the whole write of a file: plain C++, no Qt.
#pragma once

#include <cstddef>
#include <string>
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

// Writes the bytes beside the path and renames them over it, so that a
// reader sees the old file or the new one whole. Whatever entry had the
// name (a link, to anywhere, included) is replaced, never written through.
bool replaceFile(const std::string& path, const std::string& bytes);

} // namespace platform::posix
