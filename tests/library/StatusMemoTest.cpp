// Answers kept between runs: given again while nothing they were worked out
// from changed, worked out again (and then the same as a fresh reading)
// after any change, however it was made. status in desktop mode keeps
// every item's set in use; a start keeps which items the theme holds once
// their default sets are made, and reads the themes again only to fill a
// set that a change left lacking.
#include "tests/library/SystemWorld.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <thread>

using testing_support::pngBytes;
using testing_support::ThemeWorld;

namespace {

struct StatusWorld : testing_support::SystemWorld {
    QString theirs = world.systemIcons() + "/Made/24x24/legacy/audio-volume-high.png";
    QString mine = data + "/trayskin/Volume/Mine/audio-volume-high.png";
    QString overlay = world.userIcons() + "/Made/24x24/legacy/audio-volume-high.png";

    StatusWorld() : SystemWorld("own") {
        ThemeWorld::put(data, "trayskin/Volume/Mine/trayskininfo.txt", "mine");
        ThemeWorld::put(data, "trayskin/Volume/Blue/trayskininfo.txt", "blue");
        ThemeWorld::put(data, "trayskin/Volume/Mine/audio-volume-high.png",
                        ThemeWorld::get(theirs));
        ThemeWorld::put(data, "trayskin/Volume/Blue/audio-volume-high.png", pngBytes(24, 0xff));
    }
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

// What changes refuse the kept answer, and that a change in its tick does,
// is the command's test below and the start's; here, that it is given.
TEST(StatusMemo, AnUnchangedLibraryAndThemeGiveTheKeptAnswerAndReadNoTheme) {
    StatusWorld w;
    ASSERT_TRUE(w.system().install("Volume", "Blue").done);
    testing_support::age(w.world.root());
    w.settle();
    const auto first = w.system().itemsInUse();
    EXPECT_EQ(kinds(first), kinds(w.system().library::PictureSystem::itemsInUse()));
    library::IconThemeSystem system = w.system();
    EXPECT_EQ(kinds(system.itemsInUse()), kinds(first));
    EXPECT_EQ(system.themeReads(), 0);
}

TEST(StatusMemo, AStartReadsTheThemesAgainOnlyWhenTheyOrTheDefaultSetsChanged) {
    const QString low = "audio-volume-low.png";
    const QString set = "trayskin/Volume/default/";
    const QByteArray twoDirs = "[Icon Theme]\nDirectories=24x24/legacy,32x32/legacy\n"
                               "[24x24/legacy]\nSize=24\nType=Fixed\n"
                               "[32x32/legacy]\nSize=32\nType=Fixed\n";
    struct Case {
        const char* what;
        std::function<void(StatusWorld&)> change;
        bool settled;
        const char* lacking; // the default set's picture that the change leaves it without
        std::function<void(StatusWorld&)> before = [](StatusWorld&) {};
        bool kept = lacking == nullptr;
    };
    const Case cases[] = {
        {"nothing changed", [](StatusWorld&) {}, true, nullptr},
        {"a default set's picture removed",
         [&](StatusWorld& w) { QFile::remove(w.data + u'/' + set + "audio-volume-high.png"); },
         true, "audio-volume-high.png"},
        {"the theme gains a picture in a folder it has",
         [&](StatusWorld& w) {
             ThemeWorld::put(w.world.systemIcons(), "Made/24x24/legacy/" + low, pngBytes(24, 1));
         },
         true, "audio-volume-low.png"},
        {"the theme's index names a new folder",
         [&](StatusWorld& w) {
             ThemeWorld::put(w.world.systemIcons(), "Made/32x32/legacy/" + low, pngBytes(32, 1));
             ThemeWorld::put(w.world.systemIcons(), "Made/index.theme", twoDirs);
         },
         true, "audio-volume-low.png"},
        {"its index in the overlay's base, the first, names a folder it has",
         [&](StatusWorld& w) { ThemeWorld::put(w.world.userIcons(), "Made/index.theme", twoDirs); },
         true, "audio-volume-low.png",
         [&](StatusWorld& w) {
             ThemeWorld::put(w.world.systemIcons(), "Made/32x32/legacy/" + low, pngBytes(32, 1));
         }},
        {"the folder a link of the theme leads to comes",
         [&](StatusWorld& w) { ThemeWorld::put(w.world.root(), "later/" + low, pngBytes(32, 1)); },
         true, "audio-volume-low.png",
         [&](StatusWorld& w) {
             ThemeWorld::put(w.world.systemIcons(), "Made/index.theme", twoDirs);
             ASSERT_TRUE(QDir().mkpath(w.world.systemIcons() + "/Made/32x32"));
             ASSERT_TRUE(QFile::link(w.world.root() + "/later",
                                     w.world.systemIcons() + "/Made/32x32/legacy"));
         }},
        {"a folder no lookup reads (below a directory) changes", // as a link to / would
         [&](StatusWorld& w) {
             ThemeWorld::put(w.world.systemIcons(), "Made/24x24/legacy/below/" + low);
         },
         true, nullptr,
         [&](StatusWorld& w) {
             ThemeWorld::put(w.world.systemIcons(), "Made/24x24/legacy/below/x");
         }},
        {"a file of the theme made a picture in place",
         [&](StatusWorld& w) {
             ThemeWorld::put(w.world.systemIcons(), "Made/24x24/legacy/" + low, pngBytes(24, 1));
         },
         true, "audio-volume-low.png",
         [&](StatusWorld& w) {
             ThemeWorld::put(w.world.systemIcons(), "Made/24x24/legacy/" + low);
         }},
        {"a FIFO in the memo's place", // never waited on
         [](StatusWorld& w) {
             const QByteArray memo = QFile::encodeName(w.system().memoPath("items"));
             ASSERT_TRUE(QFile::remove(memo) && ::mkfifo(memo.constData(), 0600) == 0);
         },
         true, nullptr, [](StatusWorld&) {}, false},
        {"the memo's answer damaged in place",
         [](StatusWorld& w) {
             QFile memo(w.system().memoPath("items"));
             ASSERT_TRUE(memo.open(QIODevice::ReadWrite));
             const QByteArray bytes = memo.readAll().replace("Volume\n", "Vol/me\n");
             ASSERT_TRUE(memo.seek(0) && memo.write(bytes) == bytes.size());
         },
         true, nullptr, [](StatusWorld&) {}, false},
        {"kept in the tick of a change", [](StatusWorld&) {}, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StatusWorld w;
        c.before(w);
        ASSERT_TRUE(w.start());
        testing_support::age(w.world.root());
        if (c.settled)
            w.settle();
        ASSERT_TRUE(w.start()); // finds nothing to make
        c.change(w);
        w.settle();
        library::IconThemeSystem system = w.system();
        testing_support::NoProgress progress;
        ASSERT_TRUE(system.setupLibrary(progress, nullptr));
        EXPECT_EQ(system.themeReads() == 0, c.settled && c.kept);
        EXPECT_EQ(system.items(), std::vector<std::string>{"Volume"});
        if (c.lacking) {
            EXPECT_TRUE(QFileInfo::exists(w.data + u'/' + set + c.lacking));
        }
    }
}

// The command as a user starts it (the front, which gives what is kept)
// and the command's own program, in the world's folders, from a bundle of
// their links where the front hands its process to a script that counts
// the runs of the command.
struct Command {
    StatusWorld& w;
    QStringList arguments = {"--icon-theme", "Made", "status"};
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QTemporaryDir bundles{TRAYSKIN_TEST_BUNDLE "/../counting-XXXXXX"};
    QString macos;
    explicit Command(StatusWorld& world) : w(world) {
        // The world's folders are in the environment while it lives.
        env.insert("TRAYSKIN_SYSROOT", w.world.root() + "/nosys");
        env.remove("XDG_CURRENT_DESKTOP");
        env.remove("DESKTOP_SESSION");
        ThemeWorld::put(w.world.root(), "config/gtk-3.0/settings.ini",
                        "[Settings]\ngtk-icon-theme-name=Made\n");
        install("A.app");
    }
    // The bundle, as the program installed in another folder: of links, or
    // of copies that leave the first one's files as they are.
    void install(const QString& name, bool copies = false) {
        const QString built = TRAYSKIN_TEST_BUNDLE "/Contents/";
        const QString bundle = bundles.path() + u'/' + name;
        macos = bundle + "/Contents/MacOS/";
        EXPECT_TRUE(QDir().mkpath(macos));
        EXPECT_TRUE(QFile::link(built + "Resources", bundle + "/Contents/Resources"));
        // Linked from this test's own copy: another test that links the
        // build's files changes their link count, so their stamps, meanwhile.
        static const QTemporaryDir own{TRAYSKIN_TEST_BUNDLE "/../programs-XXXXXX"};
        for (const QString program : {"trayskin", "trayskin-command"}) {
            const QString from = own.path() + u'/' + program, to = macos + program + ".built";
            if (!QFileInfo::exists(from)) {
                EXPECT_TRUE(QFile::copy(built + "MacOS/" + program, from));
            }
            EXPECT_TRUE(copies ? QFile::copy(from, to)
                               : ::link(QFile::encodeName(from).constData(),
                                        QFile::encodeName(to).constData()) == 0);
        }
        EXPECT_TRUE(QFile::rename(macos + "trayskin.built", macos + "trayskin"));
        ThemeWorld::put(macos, "trayskin-command",
                        ("#!/bin/sh\necho >> '" + macos + "runs'\nexec '" + macos +
                         "trayskin-command.built' \"$@\"\n")
                            .toUtf8());
        EXPECT_EQ(::chmod(QFile::encodeName(macos + "trayskin-command").constData(), 0755), 0);
    }
    // What the front prints, and whether it gave what was kept.
    std::pair<QByteArray, bool> run() {
        const qint64 runs = QFileInfo(macos + "runs").size();
        const QByteArray out = run(macos + "trayskin", env);
        return {out, QFileInfo(macos + "runs").size() == runs};
    }
    // What the command's program works out afresh, with a cache of its own.
    QByteArray fresh() {
        QTemporaryDir cache;
        QProcessEnvironment with = env;
        with.insert("XDG_CACHE_HOME", cache.path());
        return run(macos + "trayskin-command.built", with);
    }
    QByteArray run(const QString& program, const QProcessEnvironment& with) {
        QProcess process;
        process.setProcessEnvironment(with);
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput();
    }
};

TEST(StatusMemo, TheCommandGivesWhatItKeptOnlyToTheSameCommandWhileEverythingHolds) {
    struct Case {
        const char* what;
        bool named; // the theme named on the command line, else by GTK's settings
        std::function<void(StatusWorld&, Command&)> change;
        bool kept;      // the next status is the kept output
        bool keptAfter; // and the one after it
    };
    const Case cases[] = {
        {"nothing changed", true, [](StatusWorld&, Command&) {}, true, true},
        {"a set's picture rewritten in place, its time set back", true,
         [](StatusWorld& w, Command&) { rewriteInPlace(w.mine); }, false, true},
        {"the installed picture rewritten in place, its time set back", true,
         [](StatusWorld& w, Command&) { rewriteInPlace(w.overlay); }, false, true},
        {"a set added", true,
         [](StatusWorld& w, Command&) {
             ThemeWorld::put(w.data, "trayskin/Volume/Copy/trayskininfo.txt", "copy");
         },
         false, true},
        {"the theme gains a folder", true,
         [](StatusWorld& w, Command&) {
             ThemeWorld::put(w.world.systemIcons(), "Made/32x32/legacy/audio-volume-high.png",
                             pngBytes(32, 0xff00));
         },
         false, true},
        {"another language", true,
         [](StatusWorld&, Command& c) { c.env.insert("LC_ALL", "de_DE.UTF-8"); }, false, true},
        {"the own-theme route chosen", true,
         [](StatusWorld& w, Command&) {
             ThemeWorld::put(w.data, "trayskin/.own-theme-route", "on\n");
         },
         false, true},
        // Trusted again once its change time is a tick old.
        {"a set's picture dated an hour ahead", true,
         [](StatusWorld& w, Command&) {
             const timespec ahead[2] = {{::time(nullptr) + 3600, 0}, {::time(nullptr) + 3600, 0}};
             ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(w.mine).constData(), ahead, 0), 0);
         },
         false, true},
        {"the same command of another installation", true,
         [](StatusWorld&, Command& c) { c.install("B.app", true); }, false, true},
        {"a FIFO in the kept output's place", true,
         [](StatusWorld& w, Command&) {
             const QString folder = w.world.root() + "/home/.cache/trayskin/";
             for (const QString& name : QDir(folder).entryList({"*.kept"}))
                 ASSERT_TRUE(QFile::remove(folder + name) &&
                             ::mkfifo(QFile::encodeName(folder + name).constData(), 0600) == 0);
         },
         false, true},
        {"a variable nothing reads", true,
         [](StatusWorld&, Command& c) { c.env.insert("OLDPWD", "/"); }, true, true},
        {"GTK's settings name another theme", false,
         [](StatusWorld& w, Command&) {
             ThemeWorld::put(w.world.root(), "config/gtk-3.0/settings.ini",
                             "[Settings]\ngtk-icon-theme-name=Other\n");
         },
         false, true},
        // Nothing stamps a settings tool's answer.
        {"a settings tool gives the theme", false,
         [](StatusWorld& w, Command& c) {
             ThemeWorld::put(w.world.root(), "bin/gsettings", "#!/bin/sh\necho \"'Made'\"\n");
             ASSERT_EQ(
                 ::chmod(QFile::encodeName(w.world.root() + "/bin/gsettings").constData(), 0755),
                 0);
             c.env.insert("PATH", w.world.root() + "/bin:" + c.env.value("PATH"));
             c.env.insert("XDG_CURRENT_DESKTOP", "GNOME");
         },
         false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StatusWorld w;
        ASSERT_TRUE(w.system().install("Volume", "Blue").done);
        Command command(w);
        if (!c.named)
            command.arguments = QStringList{"status"};
        testing_support::age(w.world.root());
        w.settle();
        const QByteArray first = command.run().first;
        ASSERT_EQ(command.run(), std::make_pair(first, true));
        c.change(w, command);
        w.settle();
        for (const bool kept : {c.kept, c.keptAfter}) {
            const auto [again, given] = command.run();
            EXPECT_EQ(given, kept);
            // Kept or not, what the command works out afresh.
            EXPECT_EQ(again, command.fresh());
        }
    }
}

} // namespace
