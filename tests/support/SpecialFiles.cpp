#include "tests/support/SpecialFiles.h"

#include "tests/support/Sandbox.h"

#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace testing_support {

const char* nameOf(Special kind) {
    static const char* const names[] = {"FIFO", "socket", "device"};
    return names[static_cast<int>(kind)];
}

void makeSpecial(Special kind, const std::string& path) {
    makeFolders(path.substr(0, path.rfind('/')));
    switch (kind) {
    case Special::Fifo:
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
        break;
    case Special::Socket:
        makeSocket(path);
        break;
    case Special::Device:
        if (::geteuid() == 0)
            ASSERT_EQ(::mknod(path.c_str(), S_IFCHR | 0644, makedev(1, 5)), 0) << path;
        else
            ASSERT_EQ(::symlink("/dev/zero", path.c_str()), 0) << path;
        break;
    }
}

FifoWatchdog::FifoWatchdog(std::vector<std::string> folders, int seconds)
    : folders_(std::move(folders)), thread_([this, seconds] { watch(seconds); }) {}

FifoWatchdog::~FifoWatchdog() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    stop_.notify_all();
    thread_.join();
}

void FifoWatchdog::watch(int seconds) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (stop_.wait_for(lock, std::chrono::seconds(seconds), [this] { return stopping_; }))
        return;
    fired_ = true;
    while (!stopping_) {
        for (const auto& folder : folders_) {
            for (const auto& [path, kind] : snapshot(folder)) {
                // Succeeds only at a FIFO a reader waits on; the close gives
                // it end of file.
                const int fd = kind == "o" ? ::open((folder + "/" + path).c_str(),
                                                    O_WRONLY | O_NONBLOCK | O_CLOEXEC)
                                           : -1;
                if (fd >= 0)
                    ::close(fd);
            }
        }
        stop_.wait_for(lock, std::chrono::milliseconds(20), [this] { return stopping_; });
    }
}

} // namespace testing_support
