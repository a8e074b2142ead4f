// Entries that no reader of the library may wait on or read without end: a
// FIFO without a writer, a socket and a device node; and a watchdog that
// keeps a test that regresses on them from hanging the suite.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

enum class Special { Fifo, Socket, Device };
inline constexpr Special kAllSpecials[] = {Special::Fifo, Special::Socket, Special::Device};
const char* nameOf(Special kind);

// Makes the entry at the path (folders above made too). The device is a
// character device made with mknod when the test runs as root (the zero
// device: endless bytes), else a link to /dev/zero.
void makeSpecial(Special kind, const std::string& path);

// While it lives, waits for the time limit; once that passes it opens every
// FIFO below the folders for writing, again and again, so that a reader
// blocked in open() wakes up, and fired() says the limit was passed.
class FifoWatchdog {
public:
    explicit FifoWatchdog(std::vector<std::string> folders, int seconds = 20);
    ~FifoWatchdog();
    FifoWatchdog(const FifoWatchdog&) = delete;
    FifoWatchdog& operator=(const FifoWatchdog&) = delete;
    bool fired() const { return fired_; }

private:
    void watch(int seconds);

    std::vector<std::string> folders_;
    std::mutex mutex_;
    std::condition_variable stop_;
    bool stopping_ = false;
    std::atomic<bool> fired_{false};
    std::thread thread_;
};

} // namespace testing_support
