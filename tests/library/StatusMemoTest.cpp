// status in desktop mode keeps its answer between runs: given again while
// nothing it was worked out from changed, worked out again (and then the
// same as a fresh reading) after any change, however it was made.
#include "library/icontheme/IconThemeSystem.h"
#include "tests/icontheme/ThemeWorld.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <thread>

using testing_support::pngBytes;
using testing_support::ThemeWorld;

namespace {

struct StatusWorld {
    ThemeWorld world;
    icontheme::BaseDirs dirs{world.bases(), world.homeIcons(), world.userIcons()};
    QString data = world.root() + "/data";
    QString theirs = world.systemIcons() + "/Made/24x24/legacy/audio-volume-high.png";
    QString mine = data + "/trayskin/Volume/Mine/audio-volume-high.png";
    QString overlay = world.userIcons() + "/Made/24x24/legacy/audio-volume-high.png";

    StatusWorld() {
        world.copy(TRAYSKIN_THEMES "/own");
        ThemeWorld::put(data, "trayskin/Volume/Mine/trayskininfo.txt", "mine");
        ThemeWorld::put(data, "trayskin/Volume/Blue/trayskininfo.txt", "blue");
        ThemeWorld::put(data, "trayskin/Volume/Mine/audio-volume-high.png",
                        ThemeWorld::get(theirs));
        ThemeWorld::put(data, "trayskin/Volume/Blue/audio-volume-high.png", pngBytes(24, 0xff));
    }
    library::IconThemeSystem system() { return {dirs, "Made", data}; }
    // Waits for the clock to pass the tick (100 ms on this file system) in
    // which a stamp of what was just changed is not yet trusted.
    static void settle() {
        const auto settled = std::chrono::system_clock::now() + std::chrono::milliseconds(150);
        while (std::chrono::system_clock::now() < settled)
            std::this_thread::sleep_for(std::chrono::milliseconds(10)); // polling interval only
    }
};

// Rewrites a file in place, one byte changed, and sets its time back.
void rewriteInPlace(const QString& path) {
    QByteArray bytes = ThemeWorld::get(path);
    bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 0x55);
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_EQ(file.write(bytes), bytes.size());
    file.close();
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

std::vector<std::pair<std::string, library::InUse::Kind>>
kinds(const std::vector<library::ItemInUse>& answer) {
    std::vector<std::pair<std::string, library::InUse::Kind>> out;
    for (const auto& [item, inUse] : answer)
        out.emplace_back(item + ":" + inUse.set, inUse.kind);
    return out;
}

TEST(StatusMemo, TheKeptAnswerIsGivenOnlyWhileEverythingItWasWorkedOutFromHolds) {
    struct Case {
        const char* what;
        bool installBlue;
        std::function<void(StatusWorld&)> change;
        bool settled; // nothing had changed for a tick when the answer was kept
        bool kept;
    };
    const Case cases[] = {
        {"nothing changed", false, [](StatusWorld&) {}, true, true},
        {"nothing changed since the install", true, [](StatusWorld&) {}, true, true},
        {"a set's picture rewritten in place, its time set back", false,
         [](StatusWorld& w) { rewriteInPlace(w.mine); }, true, false},
        {"the installed picture rewritten in place, its time set back", true,
         [](StatusWorld& w) { rewriteInPlace(w.overlay); }, true, false},
        {"a set added", false,
         [](StatusWorld& w) {
             ThemeWorld::put(w.data, "trayskin/Volume/Copy/audio-volume-high.png",
                             ThemeWorld::get(w.theirs));
         },
         true, false},
        {"the theme gains a folder", false,
         [](StatusWorld& w) {
             ThemeWorld::put(w.world.systemIcons(), "Made/32x32/legacy/audio-volume-high.png",
                             pngBytes(32, 0xff00));
         },
         true, false},
        {"kept in the tick of a change", false, [](StatusWorld&) {}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StatusWorld w;
        if (c.installBlue) {
            ASSERT_TRUE(w.system().install("Volume", "Blue").done);
        }
        testing_support::age(w.world.root());
        if (c.settled)
            w.settle();
        const auto first = w.system().itemsInUse();
        ASSERT_EQ(kinds(first), kinds(w.system().library::PictureSystem::itemsInUse()));
        c.change(w);
        w.settle();
        library::IconThemeSystem system = w.system();
        const auto again = system.itemsInUse();
        EXPECT_EQ(system.themeReads() == 0, c.kept);
        // Kept or not, what a fresh reading says.
        EXPECT_EQ(kinds(again), kinds(w.system().library::PictureSystem::itemsInUse()));
        if (c.kept) {
            EXPECT_EQ(kinds(again), kinds(first));
        }
    }
}

// The command as a user starts it (the front, which gives what is kept)
// and the command's own program, in the world's folders.
struct Command {
    StatusWorld& w;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    explicit Command(StatusWorld& world) : w(world) {
        env.insert("HOME", w.world.root() + "/home");
        env.insert("XDG_DATA_HOME", w.data);
        env.insert("XDG_DATA_DIRS", w.world.root() + "/sys");
        env.insert("XDG_CACHE_HOME", w.world.root() + "/cache");
        env.remove("XDG_STATE_HOME");
    }
    QByteArray run(const char* program, const QString& cache = {}) {
        QProcess process;
        QProcessEnvironment with = env;
        if (!cache.isEmpty())
            with.insert("XDG_CACHE_HOME", cache);
        process.setProcessEnvironment(with);
        process.start(TRAYSKIN_TEST_BUNDLE "/Contents/MacOS/" + QString::fromLatin1(program),
                      {"--icon-theme", "Made", "status"});
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput();
    }
    // The identity of the newest kept output (each is written beside and
    // renamed over); 0 without one.
    ino_t kept() const {
        const QString folder = w.world.root() + "/cache/trayskin/";
        const QStringList files =
            QDir(folder).entryList({"command-*.kept"}, QDir::Files, QDir::Time);
        struct stat info {};
        if (files.isEmpty() || ::stat(QFile::encodeName(folder + files.first()).constData(), &info))
            return 0;
        return info.st_ino;
    }
};

TEST(StatusMemo, TheCommandGivesWhatItKeptOnlyToTheSameCommandWhileEverythingHolds) {
    struct Case {
        const char* what;
        std::function<void(StatusWorld&, Command&)> change;
        bool kept; // the next status is the kept output (the one after it always is)
    };
    const Case cases[] = {
        {"nothing changed", [](StatusWorld&, Command&) {}, true},
        {"a set's picture rewritten in place, its time set back",
         [](StatusWorld& w, Command&) { rewriteInPlace(w.mine); }, false},
        {"the installed picture rewritten in place, its time set back",
         [](StatusWorld& w, Command&) { rewriteInPlace(w.overlay); }, false},
        {"a set added",
         [](StatusWorld& w, Command&) {
             ThemeWorld::put(w.data, "trayskin/Volume/Copy/trayskininfo.txt", "copy");
         },
         false},
        {"the theme gains a folder",
         [](StatusWorld& w, Command&) {
             ThemeWorld::put(w.world.systemIcons(), "Made/32x32/legacy/audio-volume-high.png",
                             pngBytes(32, 0xff00));
         },
         false},
        {"another language",
         [](StatusWorld&, Command& c) { c.env.insert("LC_ALL", "de_DE.UTF-8"); }, false},
        {"the own-theme route chosen",
         [](StatusWorld& w, Command&) {
             ThemeWorld::put(w.data, "trayskin/.own-theme-route", "on\n");
         },
         false},
        // Trusted again once its change time is a tick old.
        {"a set's picture dated an hour ahead",
         [](StatusWorld& w, Command&) {
             const timespec ahead[2] = {{::time(nullptr) + 3600, 0}, {::time(nullptr) + 3600, 0}};
             ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(w.mine).constData(), ahead, 0), 0);
         },
         false},
        {"a variable nothing reads", [](StatusWorld&, Command& c) { c.env.insert("OLDPWD", "/"); },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StatusWorld w;
        ASSERT_TRUE(w.system().install("Volume", "Blue").done);
        testing_support::age(w.world.root());
        w.settle();
        Command command(w);
        const QByteArray first = command.run("trayskin");
        const ino_t kept = command.kept();
        ASSERT_NE(kept, 0u);
        ASSERT_EQ(command.run("trayskin"), first);
        ASSERT_EQ(command.kept(), kept); // given by the front
        c.change(w, command);
        w.settle();
        for (const bool given : {c.kept, true}) {
            const ino_t before = command.kept();
            const QByteArray again = command.run("trayskin");
            EXPECT_EQ(command.kept() == before, given);
            // Kept or not, what the command works out afresh.
            QTemporaryDir fresh;
            EXPECT_EQ(again, command.run("trayskin-command", fresh.path()));
        }
    }
}

} // namespace
