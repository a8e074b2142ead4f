#include "platform/core/Posix.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform::posix {

namespace {

// The loop of both directions: one call moves some bytes, or fails.
template <typename Byte, typename Call> bool transferAll(Byte* p, std::size_t size, Call call) {
    while (size > 0) {
        const ssize_t n = call(p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool writeAll(int fd, const void* data, std::size_t size) {
    return transferAll(static_cast<const char*>(data), size,
                       [fd](const char* p, std::size_t n) { return ::write(fd, p, n); });
}

bool readAll(int fd, void* data, std::size_t size) {
    return transferAll(static_cast<char*>(data), size,
                       [fd](char* p, std::size_t n) { return ::read(fd, p, n); });
}

pid_t waitForChild(pid_t child, int* status) {
    pid_t waited;
    do {
        waited = ::waitpid(child, status, 0);
    } while (waited < 0 && errno == EINTR);
    return waited;
}

bool replaceFile(const std::string& path, const std::string& bytes) {
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes.data(), bytes.size());
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace platform::posix
