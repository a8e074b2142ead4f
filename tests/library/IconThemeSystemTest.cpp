// The icon theme system at a start and at a choice. A desktop left on the
// own theme while it no longer shows is switched back, whatever took it away
// (the library, the theme's folder), and a folder of the user's that has its
// name is never taken for ours. In a large environment (1,000 data folders,
// a theme of 100,000 directories) In use and the preview's pictures answer
// from the themes as read once, and a choice made again reads nothing of them.
#include "library/IconThemeSystem.h"
#include "icontheme/KeyFile.h"
#include "tests/icontheme/ThemeWorld.h"
#include "tests/library/NoProgress.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using testing_support::NoProgress;
using testing_support::pngBytes;
using testing_support::ThemeWorld;

namespace {

struct OwnThemeWorld {
    ThemeWorld world;
    icontheme::BaseDirs dirs{world.bases(), world.homeIcons(), world.userIcons()};
    QString data = world.root() + "/data";
    QString own = world.userIcons() + "/Made-Trayskin";
    QString settings = world.root() + "/config/gtk-3.0/settings.ini";
    // GTK reads the last of the two; the comment and the first stay the user's.
    QByteArray usersSettings = "[Settings]\ngtk-icon-theme-name=Older\n# mine\n"
                               "gtk-icon-theme-name = Made\ngtk-font-name=Sans 10\n";

    OwnThemeWorld() {
        ThemeWorld::put(world.systemIcons(), "Made/index.theme",
                        "[Icon Theme]\nDirectories=24x24/legacy\n[24x24/legacy]\nSize=24\n"
                        "Type=Fixed\n");
        ThemeWorld::put(world.systemIcons(), "Made/24x24/legacy/audio-volume-high.png",
                        pngBytes(24, 1));
        ThemeWorld::put(world.root(), "config/gtk-3.0/settings.ini", usersSettings);
    }
    library::IconThemeSystem system() { return {dirs, "Made", data}; }
    std::optional<library::Notice> start() {
        NoProgress progress;
        EXPECT_TRUE(system().setupLibrary(progress, nullptr));
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
    const QString state = "/home/.local/state/trayskin/theme-switch.json";
    const std::pair<const char*, std::function<void(OwnThemeWorld&)>> cases[] = {
        {"the library deleted",
         [](OwnThemeWorld& w) { ASSERT_TRUE(QDir(w.data + "/trayskin").removeRecursively()); }},
        {"the own theme deleted",
         [](OwnThemeWorld& w) { ASSERT_TRUE(QDir(w.own).removeRecursively()); }},
        {"remembered where an older Trayskin kept it, the own theme deleted",
         [&](OwnThemeWorld& w) {
             ASSERT_TRUE(
                 QFile::rename(w.world.root() + state, w.data + "/trayskin/.theme-switch.json"));
             ASSERT_TRUE(QDir(w.own).removeRecursively());
         }},
        {"nothing remembered, the own theme deleted: back to the theme it inherits",
         [&](OwnThemeWorld& w) {
             ASSERT_TRUE(QFile::remove(w.world.root() + state));
             ASSERT_TRUE(QDir(w.own).removeRecursively());
         }},
    };
    for (const auto& [what, takeAway] : cases) {
        SCOPED_TRACE(what);
        OwnThemeWorld w;
        ASSERT_EQ(w.start(), std::nullopt);
        ASSERT_TRUE(w.useOwnTheme().done);
        ASSERT_TRUE(w.system().switchDesktop().done);
        ASSERT_EQ(w.gtkReads(), "Made-Trayskin");
        takeAway(w);
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
    ASSERT_EQ(w.start(), std::nullopt);
    const library::PlaceReport refused = w.useOwnTheme();
    EXPECT_FALSE(refused.done);
    ASSERT_EQ(refused.notices.size(), 1u);
    EXPECT_TRUE(refused.notices[0].message.contains("did not make"))
        << refused.notices[0].message.toStdString();
    EXPECT_TRUE(refused.notices[0].message.endsWith("Made-Trayskin"));
    // Nor does a start, a Restore All or the desktop naming it change it.
    EXPECT_TRUE(w.system().restoreAll().done);
    ThemeWorld::put(w.world.root(), "config/gtk-3.0/settings.ini",
                    "[Settings]\ngtk-icon-theme-name=Made-Trayskin\n");
    EXPECT_EQ(w.start(), std::nullopt);
    EXPECT_EQ(w.gtkReads(), "Made-Trayskin");
    EXPECT_EQ(QDir(w.own).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"index.theme", "notes.txt"}));
    EXPECT_EQ(ThemeWorld::get(w.own + "/index.theme"), index);
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

TEST(InUseBounds, ChoosingAnItemAgainReadsNoThemeInALargeEnvironment) {
    ThemeWorld world;
    QStringList dataDirs{world.root() + "/sys"};
    for (int i = 1; i < 1000; ++i)
        dataDirs.append(world.root() + "/empty/" + QString::number(i));
    qputenv("XDG_DATA_DIRS", dataDirs.join(':').toUtf8());
    const QByteArray png = testing_support::pngBytes(16, 0xff0000);
    ThemeWorld::put(world.systemIcons(), "Huge/index.theme",
                    testing_support::manyDirectories(100000));
    ThemeWorld::put(world.systemIcons(), "Huge/d7/status/audio-volume-high.png", png);
    const QString data = world.root() + "/data";
    ThemeWorld::put(data, "trayskin/Volume/Mine/audio-volume-high.png", png);
    testing_support::age(world.root());

    library::IconThemeSystem system(icontheme::baseDirsFromEnvironment(), "Huge", data);
    const library::InUse first = system.inUse("Volume");
    EXPECT_EQ(first.kind, library::InUse::Kind::Set);
    EXPECT_EQ(first.set, "Mine");
    // What the limits let through, read once.
    const qint64 reads = system.themeReads();
    EXPECT_LE(reads, icontheme::kMaxThemeDirs + icontheme::kMaxDataDirs + 10);

    // The same choice again: In use, then the preview's pictures.
    EXPECT_EQ(system.inUse("Volume").set, "Mine");
    const auto pictures = system.currentPictures("Volume", "Mine", 24);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(QString::fromStdString(pictures[0].target),
              world.systemIcons() + "/Huge/d7/status/audio-volume-high.png");
    EXPECT_EQ(system.themeReads(), reads);
}

} // namespace
