// Hostile or merely large environments: what is read of the themes is
// bounded, each cut is said on standard error, a question asked again reads
// nothing again until a theme changes, and a settings tool's output is read
// no further than its answer needs.
#include "icontheme/BaseDirs.h"
#include "icontheme/DesktopTheme.h"
#include "icontheme/IconThemes.h"
#include "tests/icontheme/ThemeWorld.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace icontheme;
using testing_support::age;
using testing_support::manyDirectories;
using testing_support::ThemeWorld;

namespace {

TEST(Bounds, WhatIsReadIsCutWithALineOnStandardError) {
    ThemeWorld world;
    // 2.7 MB, under the size limit of an index.theme.
    ThemeWorld::put(world.systemIcons(), "Huge/index.theme", manyDirectories(100000));
    ThemeWorld::put(world.systemIcons(), "Spread/index.theme", manyDirectories(int(kMaxThemeDirs)));
    QDir().mkpath(world.userIcons() + "/Spread");
    QDir().mkpath(world.homeIcons() + "/Spread");
    QStringList dataDirs;
    for (int i = 0; i < 1000; ++i)
        dataDirs.append("/nowhere/" + QString::number(i));
    qputenv("XDG_DATA_DIRS", dataDirs.join(':').toUtf8());

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(baseDirsFromEnvironment().bases.size(), kMaxDataDirs + 3);
    IconThemes themes(world.bases());
    EXPECT_EQ(themes.theme("Huge")->index.dirs.size(), kMaxThemeDirs);
    // In three base directories, each of its folders is listed three times.
    EXPECT_EQ(themes.theme("Spread")->index.dirs.size(), kMaxThemeFolders / 3);
    themes.filesOf("Spread", "any");
    EXPECT_LE(themes.reads(), kMaxThemeFolders + 2);
    const std::string said = ::testing::internal::GetCapturedStderr();
    for (const char* line :
         {"XDG_DATA_DIRS: only the first 256 data folders are read, 744 left out",
          "Icon theme Huge: only its first 10000 directories are read, 90000 left out",
          "Icon theme Spread: only its first 6666 directories are read in its 3 base "
          "directories, 3334 left out"})
        EXPECT_NE(said.find(line), std::string::npos) << line << "\n" << said;
}

TEST(Bounds, AQuestionAgainReadsNothingUntilTheThemeChanges) {
    ThemeWorld world;
    ThemeWorld::put(world.systemIcons(), "Made/index.theme",
                    "[Icon Theme]\nDirectories=16/status,24/status\n"
                    "[16/status]\nSize=16\nType=Fixed\n[24/status]\nSize=24\nType=Fixed\n");
    ThemeWorld::put(world.systemIcons(), "Made/16/status/a.png");
    IconThemes themes(world.bases(), {world.userIcons()});
    const QString sys = world.systemIcons() + "/Made/", user = world.userIcons() + "/Made/";
    struct Case {
        const char* change; // a file written below the base ("": none)
        QString base;
        QByteArray bytes;
        const char* icon;
        int size;
        QString expected; // what the lookup gives after it
        bool reads;       // whether that lookup reads the disk
    };
    const Case cases[] = {
        {"", {}, {}, "a", 16, sys + "16/status/a.png", false},
        // In a directory made since, in the user's base, in a user's directory that was there.
        {"Made/24/status/b.png", world.systemIcons(), "x", "b", 24, sys + "24/status/b.png", true},
        {"Made/16/status/a.png", world.userIcons(), "x", "a", 16, user + "16/status/a.png", true},
        {"Made/16/status/c.png", world.userIcons(), "x", "c", 16, user + "16/status/c.png", true},
        {"Made/index.theme", world.systemIcons(),
         "[Icon Theme]\nDirectories=24/status\n[24/status]\nSize=24\n", "a", 16, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        // Everything read as it stands, with nothing changed in the tick it is read in.
        age(world.root());
        themes.refresh();
        themes.lookup("Made", c.icon, c.size);
        const qint64 before = themes.reads();
        if (*c.change)
            ThemeWorld::put(c.base, c.change, c.bytes);
        themes.refresh();
        EXPECT_EQ(themes.lookup("Made", c.icon, c.size), c.expected);
        EXPECT_EQ(themes.reads() > before, c.reads);
    }
}

TEST(Bounds, AFloodingSettingsToolIsGivenUpAfterWhatALineNeeds) {
    ThemeWorld world;
    const QString bin = world.root() + "/bin", count = world.root() + "/written";
    // Counts the blocks of 64 KiB it has written, without end.
    ThemeWorld::put(bin, "gsettings",
                    "#!/bin/sh\necho \"'Flood'\"\nn=0\nwhile /usr/bin/head -c 65536 /dev/zero; "
                    "do n=$((n+1)); echo $n > " +
                        QFile::encodeName(count) + "; done\n");
    QFile::setPermissions(bin + "/gsettings", QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray savedPath = qgetenv("PATH"), savedDesktop = qgetenv("XDG_CURRENT_DESKTOP");
    qputenv("PATH", QFile::encodeName(bin));
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");
    EXPECT_EQ(chooseTheme(desktopContextFromEnvironment(), desktopThemeSources()).source,
              "default");
    // What a line needs, the pipe's room and the block being written: not
    // the output of the seconds the tool is given.
    EXPECT_LE(ThemeWorld::get(count).trimmed().toInt(), 8);
    qputenv("PATH", savedPath);
    qputenv("XDG_CURRENT_DESKTOP", savedDesktop);
}

} // namespace
