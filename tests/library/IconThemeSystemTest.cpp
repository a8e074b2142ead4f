// The icon theme system at a start and at a choice. A desktop left on the
// own theme while it no longer shows is switched back, whatever took it away
// (the library, the theme's folder), and a folder of the user's that has its
// name is never taken for ours. A choice made again reads no theme, and a
// write reads again only the themes it changed.
#include "icontheme/KeyFile.h"
#include "tests/library/SystemWorld.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>

using testing_support::pngBytes;
using testing_support::ThemeWorld;

namespace {

struct OwnThemeWorld : testing_support::SystemWorld {
    QString own = world.userIcons() + "/Made-Trayskin";
    QString settings = world.root() + "/config/gtk-3.0/settings.ini";
    // GTK reads the last of the two; the comment and the first stay the user's
    // (tests/icontheme/themes/own).
    QByteArray usersSettings;

    OwnThemeWorld() : SystemWorld("own") { usersSettings = ThemeWorld::get(settings); }
    // What a start says.
    std::optional<library::Notice> start() {
        EXPECT_TRUE(SystemWorld::start());
        return system().startNotice();
    }
    library::PlaceReport useOwnTheme() {
        EXPECT_TRUE(system().setOwnThemeRoute(true));
        ThemeWorld::put(data, "trayskin/Volume/A/audio-volume-high.png", pngBytes(24, 2));
        return system().install("Volume", "A");
    }
    std::optional<QString> gtkReads() {
        return icontheme::KeyFile::read(settings, icontheme::KeyFileRules::Gtk)
            ->value("Settings", "gtk-icon-theme-name");
    }
};

TEST(OwnThemeStart, ADesktopLeftOnAnOwnThemeThatNoLongerShowsIsSwitchedBack) {
    // The folder taken away, and where the switch's memory is moved to: where
    // an older Trayskin kept it, or away (then back to the theme it inherits).
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"/data/trayskin", nullptr, "the library deleted"},
        {"/data/icons/Made-Trayskin", nullptr, "the own theme deleted"},
        {"/data/icons/Made-Trayskin", "/data/trayskin/.theme-switch.json", "older memory"},
        {"/data/icons/Made-Trayskin", "/forgotten", "nothing remembered"},
    };
    for (const auto& [gone, memory, what] : cases) {
        SCOPED_TRACE(what);
        OwnThemeWorld w;
        ASSERT_EQ(w.start(), std::nullopt);
        ASSERT_TRUE(w.useOwnTheme().done);
        ASSERT_TRUE(w.system().switchDesktop().done);
        ASSERT_EQ(w.gtkReads(), "Made-Trayskin");
        const QString root = w.world.root();
        ASSERT_TRUE(!memory || QFile::rename(root + "/home/.local/state/trayskin/theme-switch.json",
                                             root + memory));
        ASSERT_TRUE(QDir(root + gone).removeRecursively());
        const auto notice = w.start();
        ASSERT_TRUE(notice);
        EXPECT_EQ(notice->title, "Desktop Switched Back");
        EXPECT_EQ(ThemeWorld::get(w.settings), w.usersSettings);
        EXPECT_EQ(w.start(), std::nullopt);
    }
}

TEST(OwnThemeStart, AFolderOfTheUsersWithTheOwnThemesNameIsLeftAsItIs) {
    OwnThemeWorld w;
    const QByteArray index = "[Icon Theme]\nName=Mine\nInherits=Made\nDirectories=\n";
    ThemeWorld::put(w.own, "index.theme", index);
    ThemeWorld::put(w.own, "notes.txt", "mine");
    // Not even its time of change is ours to set.
    const timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(w.own).constData(), times, 0), 0);
    ASSERT_EQ(w.start(), std::nullopt);
    const library::PlaceReport refused = w.useOwnTheme();
    EXPECT_FALSE(refused.done);
    ASSERT_EQ(refused.notices.size(), 1u);
    const QString said = refused.notices[0].message;
    EXPECT_TRUE(said.contains("did not make") && said.endsWith("Made-Trayskin"))
        << qPrintable(said);
    // Nor does a start, a Restore All or the desktop naming it change it.
    EXPECT_TRUE(w.system().restoreAll().done);
    ThemeWorld::put(w.world.root(), "config/gtk-3.0/settings.ini",
                    "[Settings]\ngtk-icon-theme-name=Made-Trayskin\n");
    EXPECT_EQ(w.start(), std::nullopt);
    EXPECT_EQ(w.gtkReads(), "Made-Trayskin");
    EXPECT_EQ(QDir(w.own).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"index.theme", "notes.txt"}));
    EXPECT_EQ(ThemeWorld::get(w.own + "/index.theme"), index);
    EXPECT_EQ(QFileInfo(w.own).lastModified().toSecsSinceEpoch(), 1000000000);
    // Nor is the user's theme of that name in ~/.icons taken for a gone one.
    ASSERT_TRUE(QDir(w.own).removeRecursively());
    ThemeWorld::put(w.world.homeIcons(), "Made-Trayskin/index.theme", index);
    EXPECT_EQ(w.start(), std::nullopt);
    EXPECT_EQ(w.gtkReads(), "Made-Trayskin");
}

TEST(OwnThemeStart, AnOwnThemeThatAnOlderTrayskinMadeIsStillOurs) {
    OwnThemeWorld w;
    ASSERT_EQ(w.start(), std::nullopt);
    ASSERT_TRUE(w.useOwnTheme().done);
    // An older Trayskin noted nothing outside the library.
    ASSERT_TRUE(QFile::remove(w.world.root() + "/home/.local/state/trayskin/own-themes.json"));
    EXPECT_EQ(w.start(), std::nullopt);
    EXPECT_TRUE(w.system().restoreAll().done);
    EXPECT_FALSE(QFile::exists(w.own));
}

// A choice made again reads nothing of the themes: In use, then the
// preview's pictures. (What a first choice may read is bounded where the
// themes are read.)
TEST(InUse, ChoosingAnItemAgainReadsNoTheme) {
    OwnThemeWorld w;
    const QString theirs = w.world.systemIcons() + "/Made/24x24/legacy/audio-volume-high.png";
    ThemeWorld::put(w.data, "trayskin/Volume/Mine/audio-volume-high.png", ThemeWorld::get(theirs));
    testing_support::age(w.world.root());
    library::IconThemeSystem system = w.system();
    const library::InUse first = system.inUse("Volume");
    EXPECT_EQ(first.kind, library::InUse::Kind::Set);
    EXPECT_EQ(first.set, "Mine");
    const qint64 reads = system.themeReads();
    EXPECT_EQ(system.inUse("Volume").set, "Mine");
    const auto pictures = system.currentPictures("Volume", "Mine", 24);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(QString::fromStdString(pictures[0].target), theirs);
    EXPECT_EQ(system.themeReads(), reads);
}

// Each write of Trayskin's, and a start on the own theme, reads again only
// what it changed: hicolor, written by none, holds so many directories that
// reading it again costs more than any step may.
TEST(Reads, AWriteReadsAgainOnlyTheThemesItChanged) {
    constexpr int kHicolorDirs = 300;
    OwnThemeWorld w;
    ThemeWorld::put(w.world.systemIcons(), "hicolor/index.theme",
                    testing_support::manyDirectories(kHicolorDirs));
    // A name Made lacks, so that every look at the set's pictures reads hicolor.
    ThemeWorld::put(w.world.systemIcons(), "hicolor/d0/status/audio-volume-muted.png",
                    pngBytes(16, 3));
    ThemeWorld::put(w.data, "trayskin/Volume/A/audio-volume-muted.png", pngBytes(16, 4));
    ThemeWorld::put(w.data, "trayskin/Volume/A/audio-volume-high.png", pngBytes(24, 2));
    ASSERT_EQ(w.start(), std::nullopt);
    library::IconThemeSystem system = w.system();
    const std::pair<const char*, std::function<bool()>> steps[] = {
        {"own theme install",
         [&] { return system.setOwnThemeRoute(true) && system.install("Volume", "A").done; }},
        {"switch to the own theme", [&] { return system.switchDesktop().done; }},
        {"start on the own theme", [&] { return !system.startNotice().has_value(); }},
        {"own theme restore", [&] { return system.restore("Volume").done; }},
        {"overlay install", [&] { return system.install("Volume", "A").done; }},
        {"overlay restore", [&] { return system.restore("Volume").done; }},
    };
    for (const auto& [what, step] : steps) {
        SCOPED_TRACE(what);
        // Everything read afresh once it no longer looks just changed.
        testing_support::age(w.world.root());
        system.currentPictures("Volume", "A", 2);
        const qint64 before = system.themeReads();
        ASSERT_TRUE(step());
        ASSERT_EQ(system.currentPictures("Volume", "A", 2).size(), 2u);
        EXPECT_LT(system.themeReads() - before, kHicolorDirs);
    }
}

} // namespace
