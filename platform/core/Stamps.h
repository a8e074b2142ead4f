// Stamps of paths, and whether they still hold: plain C++, no Qt, so that
// the command's front (app/FrontMain.cpp) can check a kept answer before
// any library of Qt is loaded.
//
// A stamp is a path's device, inode, type, size, modification time and
// change time, or its absence. A file rewritten by hand always changes its
// change time, even when it keeps its size and its modification time is
// set back with touch (no user can set a change time). The one change a
// stamp cannot show is a second write in the same tick of the file system's
// clock as the one it saw; so a stamp is trusted only when the path had not
// changed for a whole tick when it was taken (100 ms on the file systems
// with fine times, 2 s elsewhere), by its change time: the kernel sets that
// one at every change, while the modification time may be anything (an
// install sets a theme folder's ahead of the clock, so that clients see each
// change). A change time ahead of the clock that took the stamp (a clock set
// back since, a server's) is never settled, so it is not trusted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace platform::stamps {

constexpr std::int64_t kFineTick = 100'000'000;
constexpr std::int64_t kCoarseTick = 2'000'000'000;

// The real-time clock in nanoseconds.
std::int64_t now();

// How long a stamp of the path's file system must have held before it is
// trusted: kFineTick where times have the kernel clock's grain.
std::int64_t tickOf(const std::string& path);

struct Stamp {
    std::string name; // in its folder
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint32_t mode = 0;
    std::int64_t size = -1; // -1: absent
    std::int64_t mtime = 0;
    std::int64_t ctime = 0;
};

// The stamps of one folder's entries, kept together so that a check opens
// the folder once and asks each entry by its name.
struct Folder {
    std::string path;
    std::vector<Stamp> stamps;
};

// Stamps noted at one moment: taken before the first of them, with the
// largest tick of their file systems.
class StampList {
public:
    explicit StampList(std::int64_t taken = now()) : taken_(taken) {}

    // Stamps the path as it is now (absent, a file or a folder), and
    // returns the stamp; a path noted before is noted once.
    Stamp note(const std::string& path);

    // The list as bytes that holds() reads back.
    std::string bytes() const;
    std::int64_t tick() const { return tick_; }

private:
    std::int64_t taken_;
    std::int64_t tick_ = kFineTick;
    std::vector<Folder> folders_;
    std::unordered_map<std::string, std::size_t> index_; // folder -> place in folders_
    std::unordered_set<std::string> noted_;
    std::vector<std::uint64_t> devices_; // whose tick is known
};

// Whether every stamp of a list (StampList::bytes) still holds; false too
// for bytes that are not a whole list.
bool holds(const char* data, std::size_t size);

} // namespace platform::stamps
