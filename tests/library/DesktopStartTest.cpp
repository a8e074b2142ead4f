// Desktop mode's first start makes the items' default sets on several
// threads: an item that cannot be made is reported, the others are made
// whole anyway, and the next start makes the one that was missing. What an
// install and the restores do with the user's own entries in the overlay,
// whatever they are and whatever became of them and of the record.
#include "platform/core/FileManager.h"
#include "tests/library/NoProgress.h"
#include "tests/library/SystemWorld.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using testing_support::SystemWorld;
using testing_support::ThemeWorld;

namespace {

TEST(DesktopStart, EveryItemIsMadeWholeAndTheFirstFailureInTheItemsOrderIsReported) {
    // Eight items of two names each, in PNG and SVG (tests/icontheme/themes/start).
    SystemWorld w("start");
    std::map<std::string, std::string> expected; // file name -> "f:" and its bytes
    for (const char* dir : {"/Made/24x24/status", "/Made/scalable/status"})
        expected.merge(testing_support::snapshot((w.world.systemIcons() + dir).toStdString()));
    ASSERT_EQ(expected.size(), 32u);
    const std::string library = w.data.toStdString() + "/trayskin";
    // Two items cannot be made: a plain file holds each one's folder name.
    ThemeWorld::put(w.data, "trayskin/Bluetooth", "not a folder");
    ThemeWorld::put(w.data, "trayskin/Volume", "not a folder");

    library::SetupReport report;
    EXPECT_FALSE(w.start(&report));
    EXPECT_EQ(report.failedPath, library + "/Bluetooth/default");
    EXPECT_EQ(report.failedError, ENOTDIR);

    // Every other item's set is there, whole, with no file of another item's.
    const auto check = [&](const std::set<std::string>& missing) {
        const std::vector<std::string> titles = w.system().items();
        EXPECT_EQ(titles.size(), 8u);
        for (const std::string& title : titles) {
            SCOPED_TRACE(title);
            const std::string set = library + "/" + title + "/default";
            if (missing.count(title)) {
                EXPECT_FALSE(platform::fs::isDirectory(set));
                continue;
            }
            auto files = testing_support::snapshot(set);
            EXPECT_NE(files["trayskininfo.txt"].find("icon theme Made"), std::string::npos);
            files.erase("trayskininfo.txt");
            EXPECT_EQ(files.size(), 4u);
            for (const auto& [name, bytes] : files)
                EXPECT_EQ(expected.at(name), bytes) << name;
        }
    };
    check({"Bluetooth", "Volume"});

    ASSERT_EQ(::unlink((library + "/Bluetooth").c_str()), 0);
    ASSERT_EQ(::unlink((library + "/Volume").c_str()), 0);
    library::SetupReport again;
    EXPECT_TRUE(w.start(&again)) << again.failedPath;
    check({});
    // Nothing is left in the work folder of the failed start.
    EXPECT_TRUE(platform::fs::listFolder(library + "/.trayskin-work").empty());
}

// "Made" holds six names of the Volume item in 24x24/legacy; set A has a
// picture of each, and the overlay the user's own entry of each, of a kind
// (the files in tests/icontheme/themes/keep, the rest made here).
struct KeepWorld : SystemWorld {
    QString legacy = world.userIcons() + "/Made/24x24/legacy/";
    const char* names[6] = {"edited", "link", "dangling", "fifo", "deleted", "sparse"};
    QByteArray setA;

    KeepWorld() : SystemWorld("keep") {
        setA = ThemeWorld::get(file(data + "/trayskin/Volume/A/", "edited"));
        QFile::link(world.root() + "/Pictures/low.png", file(legacy, "link"));
        QFile::link("/nonexistent/dangling.png", file(legacy, "dangling"));
        ::mkfifo(file(legacy, "fifo").toUtf8().constData(), 0644);
        std::ofstream(file(legacy, "sparse").toStdString()).close();
        ::truncate(file(legacy, "sparse").toUtf8().constData(), 2LL << 30);
    }
    static QString file(const QString& folder, const char* name) {
        return folder + "audio-volume-" + name + ".png";
    }
    std::string lstatOf(const char* name) {
        struct stat info {};
        if (::lstat(file(legacy, name).toUtf8().constData(), &info) != 0)
            return "none";
        return std::to_string(info.st_ino) + " " + std::to_string(info.st_mode & S_IFMT) + " " +
               std::to_string(info.st_size) + " " +
               QFileInfo(file(legacy, name)).symLinkTarget().toStdString();
    }
};

// Bytes this process has read, by the kernel's count.
long long bytesRead() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value)
        if (key == "rchar:")
            return value;
    return -1;
}

TEST(DesktopKeep, AnInstallMovesTheUsersEntriesAsideAndEachEndPutsBackExactlyThose) {
    const struct {
        const char* end;
        const char* title;
        const char* says;
    } ends[] = {
        {"restore", "Original Pictures Restored", "The icon theme Made shows its own pictures"},
        {"default", "Installation Complete", "shows its own pictures of Volume again"},
        {"restore all", "Original Pictures Restored", "The icon theme Made shows its own"},
    };
    for (const auto& c : ends) {
        SCOPED_TRACE(c.end);
        KeepWorld w;
        ASSERT_TRUE(w.start());
        // The first start copies nothing of the user's, not even 2 GiB.
        EXPECT_FALSE(QFileInfo::exists(w.data + "/trayskin/backup"));
        ThemeWorld::put(w.legacy, KeepWorld::file("", "edited"), "v2");
        ASSERT_TRUE(QFile::remove(KeepWorld::file(w.legacy, "deleted")));
        std::map<std::string, std::string> before;
        for (const char* name : w.names)
            before[name] = w.lstatOf(name);

        const long long read = bytesRead();
        ASSERT_TRUE(w.system().install("Volume", "A").done);
        EXPECT_LT(bytesRead() - read, 64 << 20) << "the sparse file was read";
        for (const char* name : w.names)
            EXPECT_EQ(ThemeWorld::get(KeepWorld::file(w.legacy, name)), w.setA) << name;
        const QString sparse =
            w.data + "/trayskin/.kept/Made/1/24x24/legacy/audio-volume-sparse.png";
        struct stat kept {};
        ASSERT_EQ(::stat(QFile::encodeName(sparse).constData(), &kept), 0);
        EXPECT_LT(kept.st_blocks, 64);

        auto system = w.system();
        const library::PlaceReport place =
            c.end == std::string("restore")   ? system.restore("Volume")
            : c.end == std::string("default") ? system.install("Volume", "default")
                                              : system.restoreAll();
        ASSERT_TRUE(place.done);
        EXPECT_EQ(place.notices.back().title, c.title);
        EXPECT_TRUE(place.notices.back().message.contains(c.says))
            << place.notices.back().message.toStdString();
        EXPECT_TRUE(place.notices.back().message.contains("moved aside are back: 5"));
        for (const char* name : w.names)
            EXPECT_EQ(w.lstatOf(name), before[name]) << name;
        EXPECT_EQ(ThemeWorld::get(KeepWorld::file(w.legacy, "edited")), "v2");
        // Nothing of the theme was copied; the keep folder holds nothing more.
        EXPECT_EQ(
            QDir(w.legacy).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(),
            5);
        EXPECT_TRUE(QDir(w.data + "/trayskin/.kept/Made").isEmpty());
    }
}

TEST(DesktopKeep, ARestoreLeavesWhatTheUserChangedAndSurvivesADamagedRecord) {
    const struct {
        const char* what;
        std::vector<const char*> damaged; // record files
        bool salvaged;                    // found by their bytes
    } cases[] = {
        {"no damage", {}, false},
        {"a damaged record", {".overlay-Made.json"}, false},
        {"both records damaged", {".overlay-Made.json", ".overlay-Made.json.previous"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        KeepWorld w;
        ASSERT_TRUE(w.start());
        std::map<std::string, std::string> before;
        for (const char* name : w.names)
            before[name] = w.lstatOf(name);
        ASSERT_TRUE(w.system().install("Volume", "A").done);
        ThemeWorld::put(w.legacy, KeepWorld::file("", "edited"), "v3");
        for (const char* record : c.damaged)
            ThemeWorld::put(w.data + "/trayskin", record, "{ damaged");
        // A theme picked since: Restore All still covers Made, and says so.
        ThemeWorld::put(w.world.systemIcons(), "Other/index.theme",
                        "[Icon Theme]\nDirectories=24x24/legacy\n[24x24/legacy]\nSize=24\n");
        const library::PlaceReport place = w.system("Other").restoreAll();
        ASSERT_TRUE(place.done);
        const QString message = place.notices.back().message;
        EXPECT_TRUE(message.contains("The icon theme Made shows its own pictures"))
            << message.toStdString();
        // Without a record, the user's picture is known only as no picture of the library.
        EXPECT_TRUE(message.contains(c.salvaged ? "audio-volume-edited.png: left, as its bytes"
                                                : "audio-volume-edited.png: you changed it"))
            << message.toStdString();
        EXPECT_TRUE(message.contains("moved aside are back: 5"));
        EXPECT_EQ(message.contains("Neither the record of what Trayskin wrote"), c.salvaged);
        EXPECT_EQ(ThemeWorld::get(KeepWorld::file(w.legacy, "edited")), "v3");
        for (const char* name : {"link", "dangling", "fifo", "deleted", "sparse"})
            EXPECT_EQ(w.lstatOf(name), before[name]) << name;
        // The next install is not held up by what was damaged.
        EXPECT_TRUE(w.system().install("Volume", "A").done);
    }
}

// The window reads the overlay again for an install, however shortly
// after its start recovered it: a file of ours that the user replaced since
// is the user's, moved aside, never written over.
TEST(DesktopKeep, TheWindowsInstallSeesWhatTheUserPutInPlaceOfOursAfterTheStart) {
    SystemWorld w("keep");
    const QString ours = KeepWorld::file(w.world.userIcons() + "/Made/24x24/legacy/", "fifo");
    ASSERT_TRUE(w.start());
    ASSERT_TRUE(w.system().install("Volume", "A").done);
    auto window = w.system();
    testing_support::NoProgress progress;
    ASSERT_TRUE(window.setupLibrary(progress, nullptr));
    const QByteArray setA = ThemeWorld::get(ours);
    ThemeWorld::put(QFileInfo(ours).path(), QFileInfo(ours).fileName(), "mine");
    ASSERT_TRUE(window.install("Volume", "A").done);
    EXPECT_EQ(ThemeWorld::get(ours), setA);
    QStringList kept;
    QDirIterator it(w.data + "/trayskin/.kept", QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        if (ThemeWorld::get(it.next()) == "mine")
            kept.append(it.filePath());
    EXPECT_EQ(kept.size(), 1);
}

TEST(DesktopKeep, AnInstallThatPlacesNothingOrFailsSaysWhatAndWhere) {
    enum class Overlay { Plain, FolderIsAFile, OnAnotherFileSystem };
    const struct {
        const char* set;
        Overlay overlay;
        QStringList titles;
        const char* says; // in an alert, after the overlay's folder
    } cases[] = {
        // A name that would split its line of output is refused first.
        {"Odd",
         Overlay::Plain,
         {"Some Pictures Not Used", "Nothing Put in Place"},
         "audio-volume-edited\\x0a.png: the name holds a control character"},
        {"A",
         Overlay::FolderIsAFile,
         {"My Apologies"},
         "could not be written, removed or moved: %1/24x24/legacy/audio-volume-dangling.png"},
        // Never copied instead: that one place is left as it was.
        {"A",
         Overlay::OnAnotherFileSystem,
         {"Some Pictures Not Used", "Installation Complete"},
         "%1/24x24/legacy/audio-volume-edited.png: your own file there is on another file "
         "system"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.overlay));
        KeepWorld w;
        ThemeWorld::put(w.data, "trayskin/Volume/Odd/audio-volume-edited\n.png", w.setA);
        QTemporaryDir shm("/dev/shm/trayskin-test-XXXXXX");
        if (c.overlay == Overlay::OnAnotherFileSystem) {
            w.dirs.userIcons = w.dirs.bases[1] = shm.path();
            ThemeWorld::put(shm.path(), "Made/24x24/legacy/audio-volume-edited.png", "v1");
        }
        ASSERT_TRUE(w.start());
        if (c.overlay == Overlay::FolderIsAFile) {
            QFile::rename(w.legacy, w.legacy.chopped(1) + ".moved");
            ThemeWorld::put(w.world.userIcons(), "Made/24x24/legacy", "a file");
        }
        ::testing::internal::CaptureStdout();
        const library::PlaceReport place = w.system().install("Volume", c.set);
        const std::string out = ::testing::internal::GetCapturedStdout();
        EXPECT_EQ(place.done, c.overlay == Overlay::OnAnotherFileSystem);
        QStringList titles, messages;
        for (const library::Notice& notice : place.notices) {
            titles.append(notice.title);
            messages.append(notice.message);
        }
        EXPECT_EQ(titles, c.titles);
        const QString says = QString(c.says).arg(w.dirs.userIcons + "/Made");
        EXPECT_TRUE(messages.join('\n').contains(says)) << messages.join('\n').toStdString();
        EXPECT_EQ(out.find("\n.png"), std::string::npos) << out;
        if (c.overlay == Overlay::OnAnotherFileSystem) {
            EXPECT_EQ(ThemeWorld::get(shm.path() + "/Made/24x24/legacy/audio-volume-edited.png"),
                      "v1");
        }
    }
}

} // namespace
