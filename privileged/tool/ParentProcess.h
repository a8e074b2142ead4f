// The process that started the privileged tool, held by its /proc folder.
//
// A pid alone names whichever process holds it when it is looked up. The
// folder is opened while the pid is still the tool's parent (checked after
// the open: the parent's pid cannot be taken by another process before the
// tool is handed to a new parent), so every later read through it is about
// that process, or fails once it is gone; it never answers for a process
// that took the pid afterwards.
#pragma once

#include <cstdint>
#include <sys/types.h>

namespace trayskin_tool {

class ParentProcess {
public:
    ParentProcess() = default;
    ~ParentProcess();
    ParentProcess(const ParentProcess&) = delete;
    ParentProcess& operator=(const ParentProcess&) = delete;

    // Opens the folder of pid in /proc with the caller's rights; false when
    // it cannot be opened, is not on the proc file system, or pid is no
    // longer the caller's parent.
    bool open(pid_t pid);
    // Its start time in clock ticks after boot, or 0 when it cannot be read.
    std::uint64_t startTime() const;
    // Whether its real, effective, saved and file system user ids are all
    // uid; false when they cannot be read.
    bool runsWhollyAs(uid_t uid) const;

private:
    int folder_ = -1;
};

} // namespace trayskin_tool
