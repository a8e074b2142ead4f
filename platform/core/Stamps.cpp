#include "platform/core/Stamps.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace platform::stamps {
namespace {

std::int64_t nanoseconds(const timespec& time) {
    return std::int64_t(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

// Below this many stamps a second thread costs more than it saves.
constexpr std::size_t kStampsPerThread = 1000;

// A stamp's numbers as they are kept, before its name.
struct Numbers {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = -1; // -1: absent
    std::int64_t mtime = 0;
    std::int64_t ctime = 0;
    std::uint32_t mode = 0;
    std::uint32_t nameSize = 0;
    bool operator==(const Numbers&) const = default;
};

Numbers numbersOf(const struct stat& info) {
    return {info.st_dev,
            info.st_ino,
            info.st_size,
            nanoseconds(info.st_mtim),
            nanoseconds(info.st_ctim),
            info.st_mode,
            0};
}

// Kept bytes, read front to back without a copy.
class Reader {
public:
    Reader(const char* data, std::size_t size) : at_(data), end_(data + size) {}
    template <typename T> bool take(T& value) {
        if (std::size_t(end_ - at_) < sizeof(T))
            return false;
        std::memcpy(&value, at_, sizeof(T));
        at_ += sizeof(T);
        return true;
    }
    // A name of at most max bytes, with its final NUL.
    const char* name(std::uint32_t size, std::uint32_t max) {
        if (size > max || std::size_t(end_ - at_) < std::size_t(size) + 1 || at_[size] != '\0')
            return nullptr;
        const char* name = at_;
        at_ += size + 1;
        return name;
    }
    bool atEnd() const { return at_ == end_; }
    const char* at() const { return at_; }
    // Past one folder's stamps, with their count.
    bool skipFolder(std::uint32_t& entries) {
        std::uint32_t size = 0;
        if (!take(size) || !take(entries) || name(size, PATH_MAX) == nullptr)
            return false;
        for (std::uint32_t i = 0; i < entries; ++i) {
            Numbers numbers;
            if (!take(numbers) || name(numbers.nameSize, NAME_MAX) == nullptr)
                return false;
        }
        return true;
    }

private:
    const char* at_;
    const char* end_;
};

template <typename T> void put(std::string& bytes, const T& value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

// Whether the entries of one folder, as kept, still hold.
bool folderHolds(Reader& in, std::int64_t taken, std::int64_t tick) {
    std::uint32_t size = 0;
    std::uint32_t entries = 0;
    if (!in.take(size) || !in.take(entries))
        return false;
    const char* path = in.name(size, PATH_MAX);
    if (path == nullptr)
        return false;
    const int folder = ::open(path, O_PATH | O_DIRECTORY | O_CLOEXEC);
    bool holding = true;
    for (std::uint32_t i = 0; i < entries && holding; ++i) {
        Numbers kept;
        const char* name = in.take(kept) ? in.name(kept.nameSize, NAME_MAX) : nullptr;
        struct stat info {};
        if (name == nullptr)
            holding = false;
        else if (folder < 0)
            holding = kept.size < 0; // still absent with its folder
        else {
            Numbers now = ::fstatat(folder, name, &info, 0) == 0 ? numbersOf(info) : Numbers{};
            now.nameSize = kept.nameSize;
            // A path that changed within a tick of the stamp may have
            // changed again since without its times showing it. Its change
            // time says when it changed: the kernel sets it at every change,
            // while anyone may set the modification time ahead or back.
            const bool settled = kept.size < 0 || kept.ctime + tick <= taken;
            holding = settled && now == kept;
        }
    }
    if (folder >= 0)
        ::close(folder);
    return holding;
}

} // namespace

std::int64_t now() {
    timespec time{};
    ::clock_gettime(CLOCK_REALTIME, &time);
    return nanoseconds(time);
}

// The file systems whose times have the kernel clock's fine grain: ext2 to
// ext4, tmpfs, btrfs, XFS, overlayfs, F2FS and ZFS. Anything else (FAT's
// 2 s, a network file system's server clock) is given the coarse tick.
std::int64_t tickOf(const std::string& path) {
    struct statfs info {};
    if (::statfs(path.c_str(), &info) != 0)
        return kCoarseTick;
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0xEF53UL:
    case 0x01021994UL:
    case 0x9123683EUL:
    case 0x58465342UL:
    case 0x794C7630UL:
    case 0xF2F52010UL:
    case 0x2FC12FC1UL:
        return kFineTick;
    default:
        return kCoarseTick;
    }
}

Stamp StampList::note(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    Stamp stamp;
    stamp.name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (stamp.name.empty() || stamp.name.size() > NAME_MAX || slash == std::string::npos ||
        !noted_.insert(path).second)
        return stamp; // "/" itself, a relative path, or noted before
    const std::string folder = slash > 0 ? path.substr(0, slash) : std::string("/");
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        const Numbers numbers = numbersOf(info);
        stamp.device = numbers.device;
        stamp.inode = numbers.inode;
        stamp.mode = numbers.mode;
        stamp.size = numbers.size;
        stamp.mtime = numbers.mtime;
        stamp.ctime = numbers.ctime;
        if (std::find(devices_.begin(), devices_.end(), stamp.device) == devices_.end()) {
            devices_.push_back(stamp.device);
            tick_ = std::max(tick_, tickOf(path));
        }
    }
    const auto [group, added] = index_.emplace(folder, folders_.size());
    if (added)
        folders_.push_back({folder, {}});
    folders_[group->second].stamps.push_back(stamp);
    return stamp;
}

std::string StampList::bytes() const {
    std::string bytes;
    put(bytes, taken_);
    put(bytes, tick_);
    for (const Folder& folder : folders_) {
        put(bytes, std::uint32_t(folder.path.size()));
        put(bytes, std::uint32_t(folder.stamps.size()));
        bytes.append(folder.path).push_back('\0');
        for (const Stamp& stamp : folder.stamps) {
            put(bytes, Numbers{stamp.device, stamp.inode, stamp.size, stamp.mtime, stamp.ctime,
                               stamp.mode, std::uint32_t(stamp.name.size())});
            bytes.append(stamp.name).push_back('\0');
        }
    }
    return bytes;
}

bool holds(const char* data, std::size_t size) {
    Reader in(data, size);
    std::int64_t taken = 0;
    std::int64_t tick = 0;
    if (!in.take(taken) || !in.take(tick) || tick < kFineTick)
        return false;
    // Where the folders begin, to share them out by their stamps.
    std::vector<const char*> folders;
    std::vector<std::size_t> before; // the stamps of the folders before each
    std::size_t stamps = 0;
    for (Reader skip = in; !skip.atEnd();) {
        folders.push_back(skip.at());
        before.push_back(stamps);
        std::uint32_t entries = 0;
        if (!skip.skipFolder(entries))
            return false;
        stamps += entries;
    }
    folders.push_back(data + size);
    // Folder by folder, each opened once and its entries asked by name; a
    // long list on two threads where there are two processors: each stamp
    // is asked of the kernel, which answers both at once.
    const auto check = [&folders, taken, tick](std::size_t first, std::size_t last,
                                               const std::atomic<bool>& failed) {
        Reader part(folders[first], std::size_t(folders[last] - folders[first]));
        for (std::size_t i = first; i < last && !failed.load(std::memory_order_relaxed); ++i)
            if (!folderHolds(part, taken, tick))
                return false;
        return true;
    };
    std::atomic<bool> failed = false;
    const std::size_t count = folders.size() - 1;
    if (stamps < kStampsPerThread || std::thread::hardware_concurrency() < 2)
        return check(0, count, failed);
    const std::size_t half =
        std::size_t(std::lower_bound(before.begin(), before.end(), stamps / 2) - before.begin());
    bool secondHolds = true;
    std::thread second([&] {
        secondHolds = check(half, count, failed);
        if (!secondHolds)
            failed = true;
    });
    const bool firstHolds = check(0, half, failed);
    if (!firstHolds)
        failed = true;
    second.join();
    return firstHolds && secondHolds;
}

} // namespace platform::stamps
