// A list of stamps holds while nothing it stamped changed, and only where
// each change was a tick old, by the change time, when it was taken.
#include "platform/core/Stamps.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using platform::stamps::kFineTick;

void write(const std::string& path, const char* bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, bytes, std::strlen(bytes)), ssize_t(std::strlen(bytes)));
    ::close(fd);
}

TEST(Stamps, HoldWhileNothingChangedAndEachChangeWasATickOldWhenTaken) {
    struct Case {
        const char* what;
        std::int64_t taken; // after the file's change time
        std::function<void(const std::string& file, const std::string& absent)> change;
        bool holds;
    };
    const auto none = [](const std::string&, const std::string&) {};
    const Case cases[] = {
        {"nothing changed", kFineTick, none, true},
        {"taken within the tick of the change", kFineTick / 2, none, false},
        {"taken by a clock behind the change", -1'000'000'000, none, false},
        {"rewritten in place with its size and times", kFineTick,
         [](const std::string& file, const std::string&) {
             struct stat before {};
             ASSERT_EQ(::stat(file.c_str(), &before), 0);
             write(file, "BYTES");
             const timespec times[2] = {before.st_atim, before.st_mtim};
             ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
         },
         false},
        {"dated an hour ahead", kFineTick,
         [](const std::string& file, const std::string&) {
             const timespec ahead[2] = {{::time(nullptr) + 3600, 0}, {::time(nullptr) + 3600, 0}};
             ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), ahead, 0), 0);
         },
         false},
        {"removed", kFineTick,
         [](const std::string& file, const std::string&) { ::unlink(file.c_str()); }, false},
        {"the absent one made", kFineTick,
         [](const std::string&, const std::string& absent) {
             ASSERT_EQ(::mkdir(absent.substr(0, absent.rfind('/')).c_str(), 0755), 0);
             write(absent, "new");
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const std::string file = dir.path().toStdString() + "/picture.png";
        const std::string absent = dir.path().toStdString() + "/absent/picture.png";
        write(file, "bytes");
        struct stat info {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        platform::stamps::StampList list(std::int64_t(info.st_ctim.tv_sec) * 1'000'000'000 +
                                         info.st_ctim.tv_nsec + c.taken);
        list.note(file);
        list.note(absent);
        const std::string bytes = list.bytes();
        c.change(file, absent);
        EXPECT_EQ(platform::stamps::holds(bytes.data(), bytes.size()), c.holds);
        // Bytes cut short never hold.
        EXPECT_FALSE(platform::stamps::holds(bytes.data(), bytes.size() - 1));
    }
}

} // namespace
