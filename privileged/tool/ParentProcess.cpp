#include "privileged/tool/ParentProcess.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace trayskin_tool {

namespace {

// Reads the start of a file in the folder into buffer, NUL-terminated; its
// length, or -1. What does not fit is left unread.
ssize_t readStart(int folder, const char* name, char* buffer, std::size_t size) {
    const int fd = ::openat(folder, name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY);
    if (fd < 0)
        return -1;
    std::size_t have = 0;
    while (have < size - 1) {
        const ssize_t n = ::read(fd, buffer + have, size - 1 - have);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return -1;
        }
        if (n == 0)
            break;
        have += static_cast<std::size_t>(n);
    }
    ::close(fd);
    buffer[have] = '\0';
    return static_cast<ssize_t>(have);
}

// One unsigned decimal number at *p, moved past; false when there is none.
bool number(const char*& p, unsigned long long& value) {
    if (*p < '0' || *p > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoull(p, &end, 10);
    if (errno != 0)
        return false;
    p = end;
    return true;
}

} // namespace

ParentProcess::~ParentProcess() {
    if (folder_ >= 0)
        ::close(folder_);
}

bool ParentProcess::open(pid_t pid) {
    if (pid <= 0 || folder_ >= 0)
        return false;
    char path[32];
    std::snprintf(path, sizeof path, "/proc/%d", static_cast<int>(pid));
    folder_ = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    struct statfs fs {};
    return folder_ >= 0 && ::fstatfs(folder_, &fs) == 0 &&
           static_cast<unsigned long>(fs.f_type) == PROC_SUPER_MAGIC && ::getppid() == pid;
}

std::uint64_t ParentProcess::startTime() const {
    char buffer[1024];
    if (folder_ < 0 || readStart(folder_, "stat", buffer, sizeof buffer) <= 0)
        return 0;
    // The command name may hold spaces and parentheses: fields are counted
    // from the last ")". Start time is field 22; field 3 follows the ")".
    const char* p = std::strrchr(buffer, ')');
    if (!p)
        return 0;
    ++p;
    for (int field = 3; field <= 22; ++field) {
        if (*p != ' ')
            return 0;
        ++p;
        if (field < 22)
            p += std::strcspn(p, " ");
    }
    unsigned long long start = 0;
    return number(p, start) && *p == ' ' ? start : 0;
}

bool ParentProcess::runsWhollyAs(uid_t uid) const {
    // The Uid line comes early, well inside the first few hundred bytes; the
    // name before it is escaped by the kernel, so it cannot hold a line of
    // its own.
    char buffer[4096];
    if (folder_ < 0 || readStart(folder_, "status", buffer, sizeof buffer) <= 0)
        return false;
    const char* line = std::strstr(buffer, "\nUid:");
    if (!line)
        return false;
    const char* p = line + 5;
    for (int id = 0; id < 4; ++id) {
        if (*p != '\t')
            return false;
        ++p;
        unsigned long long value = 0;
        if (!number(p, value) || value != static_cast<unsigned long long>(uid))
            return false;
    }
    return *p == '\n';
}

} // namespace trayskin_tool
