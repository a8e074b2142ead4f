// An owned file descriptor, closed when it goes; the file code's own helper.
#pragma once

#include <unistd.h>

namespace platform::fs {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    // Gives the descriptor up to a new owner.
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Closes now; false when the close reported an error (a write that
    // did not reach the disk).
    bool close() { return ::close(release()) == 0; }

private:
    int fd_;
};

} // namespace platform::fs
