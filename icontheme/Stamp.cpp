#include "icontheme/IconThemes.h"

#include <QFile>

#include <tuple>

#include <sys/stat.h>
#include <time.h>

namespace icontheme {
namespace {

// A change this soon after the time a folder shows may share that time:
// the file system's clock ticks coarsely (FAT's in 2 seconds).
constexpr qint64 kClockTick = 2'000'000'000;

qint64 nanoseconds(const timespec& time) {
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

qint64 now() {
    timespec time{};
    ::clock_gettime(CLOCK_REALTIME, &time);
    return nanoseconds(time);
}

} // namespace

Stamp Stamp::of(const QString& path) {
    Stamp stamp;
    stamp.taken = now();
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp;
    stamp.mtime = nanoseconds(info.st_mtim);
    stamp.ctime = nanoseconds(info.st_ctim);
    stamp.size = info.st_size;
    stamp.inode = info.st_ino;
    stamp.mode = info.st_mode;
    return stamp;
}

bool Stamp::stillHolds(const QString& path) const {
    const Stamp again = of(path);
    if (std::tie(again.mtime, again.ctime, again.size, again.inode, again.mode) !=
        std::tie(mtime, ctime, size, inode, mode))
        return false;
    return mtime < 0 || mtime + kClockTick <= taken;
}

} // namespace icontheme
