// The theme reader and the lookup, on made-up themes in temporary base
// directories, and the table of status items against the real Adwaita.
// What is read of hostile or merely large themes is bounded, each cut said
// on standard error, and a question asked again reads nothing again until
// a theme changes.
#include "icontheme/BaseDirs.h"
#include "icontheme/IconThemes.h"
#include "icontheme/StatusItems.h"
#include "icontheme/ThemeFolder.h"
#include "icontheme/ThemeIndex.h"
#include "tests/icontheme/ThemeWorld.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>

using namespace icontheme;
using testing_support::age;
using testing_support::manyDirectories;
using testing_support::ThemeWorld;

namespace {

TEST(ThemeIndex, MalformedAndHostileFilesYieldOnlyWhatIsSafe) {
    // What is kept as "directories|inherits|refused"; null: not read at all.
    const std::pair<const char*, const char*> cases[] = {
        {"", nullptr},
        {"\x89PNG\r\n\x1a\n\x00\x01garbage", nullptr},
        {"[Other]\nDirectories=a\n[a]\nSize=16\n", nullptr},
        // No Size, a Size that is no number, a directory without a group: left out.
        {"[Icon Theme]\nDirectories=a,b,c,d,,a\n[a]\nSize=16\n[b]\nType=Fixed\n[c]\nSize=big\n",
         "a||"},
        {"[Icon Theme]\nInherits=good, ../up ,a/b, ,good\nDirectories=../x,/abs,a//b,a/./b,"
         "ok/deep,..\n[ok/deep]\nSize=8\n[../x]\nSize=8\n[/abs]\nSize=8\n",
         "ok/deep|good|../up,a/b,../x,/abs,a//b,a/./b,.."},
        // Unterminated groups, lines without "=", a key given twice: the last counts.
        {"[Icon Theme\n[Icon Theme]\nnonsense\nDirectories=s\nDirectories=t\n[s]\nSize=4\n[t]\n"
         "Size=4\n",
         "t||"},
        {"[Icon Theme]\nDirectories=a\nScaledDirectories=a@2,a\n[a]\nSize=16\n[a@2]\nSize=16\n"
         "Scale=2\n",
         "a,a@2||"},
    };
    for (const auto& [text, kept] : cases) {
        const auto index = parseThemeIndex(QByteArray(text));
        ASSERT_EQ(index.has_value(), kept != nullptr) << text;
        if (!index)
            continue;
        QStringList dirs;
        for (const ThemeDir& dir : index->dirs)
            dirs.append(dir.path);
        EXPECT_EQ(dirs.join(',') + '|' + index->inherits.join(',') + '|' + index->refused.join(','),
                  kept)
            << text;
    }
}

TEST(BaseDirs, FollowTheEnvironmentWithDefaults) {
    ThemeWorld world;
    const QString home = world.root() + QStringLiteral("/home");
    // The bases between the home's .icons and /usr/share/pixmaps.
    struct Case {
        const char* dataHome;
        const char* dataDirs;
        QStringList bases;
        bool linked = false; // the home's .icons a link to the data folder's
    };
    const QStringList defaults = {home + "/.local/share/icons", "/usr/local/share/icons",
                                  "/usr/share/icons"};
    const Case cases[] = {
        {"/d", "/s1:/s2/", {"/d/icons", "/s1/icons", "/s2/icons"}},
        {nullptr, nullptr, defaults},
        {"relative", "rel::", defaults},
        {"/d", "/d:/usr/share", {"/d/icons", "/usr/share/icons"}},
        {nullptr, nullptr, defaults, true},
    };
    for (const Case& c : cases) {
        if (c.linked) {
            ASSERT_TRUE(QDir(home).removeRecursively() && QDir().mkpath(defaults[0]));
            ASSERT_TRUE(QFile::link(".local/share/icons", home + "/.icons"));
        }
        c.dataHome ? qputenv("XDG_DATA_HOME", c.dataHome) : qunsetenv("XDG_DATA_HOME");
        c.dataDirs ? qputenv("XDG_DATA_DIRS", c.dataDirs) : qunsetenv("XDG_DATA_DIRS");
        const BaseDirs dirs = baseDirsFromEnvironment();
        EXPECT_EQ(dirs.bases, QStringList(c.linked ? 0 : 1, home + "/.icons")
                                  << c.bases << "/usr/share/pixmaps");
        EXPECT_EQ(dirs.userIcons, c.bases[0]);
        EXPECT_EQ(dirs.homeIcons, home + "/.icons");
    }
}

// A theme spread over the user's and the system's base directories, with a
// shadow in the home's .icons, inheriting a parent that inherits it back
// (tests/icontheme/themes/lookup).
TEST(Lookup, FindsWhatAClientFindsAndListsEveryFileOfAName) {
    ThemeWorld world;
    world.copy(TRAYSKIN_THEMES "/lookup");
    IconThemes themes(world.bases());
    const QString sys = world.systemIcons() + "/", user = world.userIcons() + "/",
                  home = world.homeIcons() + "/";
    struct Case {
        const char* icon;
        int size, scale;
        QString expected;
    };
    const Case cases[] = {
        {"a", 16, 1, sys + "Made/16x16/status/a.png"},
        {"a", 48, 1, sys + "Made/scalable/status/a.svg"},
        {"b", 22, 1, sys + "Made/24x24/status/b.png"}, // within the threshold
        {"b", 20, 1, sys + "Made/24x24/status/b.png"}, // closer than 16
        {"b", 17, 1, sys + "Made/16x16/status/b.png"},
        {"c", 16, 2, sys + "Made/16x16@2/status/c.png"},
        {"c", 16, 1, sys + "Made/16x16/status/c.png"},
        {"c", 32, 1, sys + "Made/16x16@2/status/c.png"},
        {"d", 16, 1, user + "Made/16x16/status/d.png"}, // the earlier base wins
        {"e", 16, 1, home + "Made/16x16/status/e.svg"},
        {"f", 16, 1, sys + "Parent/48x48/status/f.png"},
        {"g", 16, 1, sys + "Parent/48x48/status/g.png"}, // the first theme holding it
        {"h", 16, 1, sys + "hicolor/16x16/apps/h.png"},
        {"i", 16, 1, sys + "i.xpm"},
        {"j-symbolic", 16, 1, sys + "Made/16x16/status/j-symbolic.symbolic.png"},
        {"k", 16, 1, ""}, // only in a directory of the index.theme not read
        {"../Made/16x16/status/a", 16, 1, ""},
        {"nothing", 16, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.icon << " " << c.size << "@" << c.scale);
        EXPECT_EQ(themes.lookup("Made", c.icon, c.size, c.scale), c.expected);
    }
    EXPECT_EQ(themes.chain("Made"), (QStringList{"Made", "Parent", "hicolor"}));
    EXPECT_EQ(themes.chain("Broken"), QStringList{"hicolor"});
    for (const char* name : {"Broken", "../sys/icons/Made", "Made/..", "..", "", "a b", "x,y"})
        EXPECT_EQ(themes.theme(name), nullptr) << name;
    EXPECT_EQ(themes.lookup("Nowhere", "h", 16), sys + "hicolor/16x16/apps/h.png");

    // Every file of a name in every base, but the one skipped; its directory
    // is the index's at dirIndex.
    auto where = [&](const char* icon, const QString& skip) {
        QStringList out;
        for (const IconFile& file : themes.filesOf("Made", icon, skip)) {
            EXPECT_EQ(themes.theme("Made")->index.dirs.value(file.dirIndex).path, file.dir);
            out.append(QDir(world.root()).relativeFilePath(file.path) + " " + file.dir + " " +
                       file.suffix);
        }
        return out;
    };
    EXPECT_EQ(where("d", {}), (QStringList{"data/icons/Made/16x16/status/d.png 16x16/status .png",
                                           "sys/icons/Made/16x16/status/d.png 16x16/status .png"}));
    EXPECT_EQ(where("d", world.userIcons()),
              QStringList{"sys/icons/Made/16x16/status/d.png 16x16/status .png"});
    EXPECT_EQ(where("e", {}), (QStringList{"home/.icons/Made/16x16/status/e.svg 16x16/status .svg",
                                           "sys/icons/Made/16x16/status/e.png 16x16/status .png"}));
    EXPECT_EQ(where("j-symbolic", {}),
              QStringList{"sys/icons/Made/16x16/status/j-symbolic.symbolic.png 16x16/status "
                          ".symbolic.png"});
    EXPECT_EQ(where("a", {}).size(), 2); // the second in the index's third directory
    EXPECT_TRUE(themes.holds("Made", "h"));
    EXPECT_FALSE(themes.holds("Made", "k"));
}

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
    world.copy(TRAYSKIN_THEMES "/asked-again");
    IconThemes themes(world.bases(), {world.userIcons()});
    const QString sys = world.systemIcons() + "/Made/", user = world.userIcons() + "/Made/";
    struct Case {
        const char* change; // a file written below the base ("": none)
        QString base;
        QByteArray bytes;
        const char* icon;
        int size;
        QString expected; // what the lookup gives after it
        int reads;        // the folders and index files that lookup reads
    };
    // A change in a system base, of the index or of the bases holding the
    // theme reads it whole (its directories and index in each base holding
    // it, then the bases' own files where it holds no "a"); in the user's
    // base a changed directory is listed again alone.
    const Case cases[] = {
        {"", {}, {}, "a", 16, sys + "16/status/a.png", 0},
        {"Made/24/status/b.png", world.systemIcons(), "x", "b", 24, sys + "24/status/b.png", 3},
        {"Made/16/status/a.png", world.userIcons(), "x", "a", 16, user + "16/status/a.png", 6},
        {"Made/16/status/c.png", world.userIcons(), "x", "c", 16, user + "16/status/c.png", 1},
        {"Made/24/status/d.png", world.userIcons(), "x", "d", 24, user + "24/status/d.png", 1},
        {"Made/index.theme", world.systemIcons(),
         "[Icon Theme]\nDirectories=24/status\n[24/status]\nSize=24\n", "a", 16, "", 7},
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
        EXPECT_EQ(themes.reads() - before, c.reads);
    }
}

// GTK's cache of a made-up theme stands for the listings of the directories
// older than it; a directory that changed later, and a damaged cache, are listed.
TEST(ThemeFolder, NamesFromGtksCacheWhileItIsNewerThanTheDirectory) {
    ThemeWorld world;
    world.copy(TRAYSKIN_THEMES "/cached");
    const QString folder = world.systemIcons() + "/Made";
    QDir().mkpath(folder + "/22x22/status");
    ASSERT_EQ(QProcess::execute("gtk-update-icon-cache", {"--force", "--quiet", folder}), 0);
    // A file gone while the directory looks unchanged is still named: the cache speaks.
    QFile::remove(folder + "/16x16/status/a.png");
    age(folder + "/16x16");
    age(folder + "/22x22");
    const ThemeFolder cached(folder);
    auto sorted = [](QStringList names) {
        names.sort();
        return names;
    };
    EXPECT_EQ(sorted(cached.names("16x16/status")),
              (QStringList{"a.png", "a.symbolic.png", "b.svg", "c.xpm"}));
    EXPECT_EQ(cached.names("22x22/status"), QStringList());
    EXPECT_EQ(cached.names("48x48/status"), QStringList());
    ThemeWorld::put(folder, "22x22/status/d.png");
    EXPECT_EQ(ThemeFolder(folder).names("22x22/status"), QStringList{"d.png"});
    ThemeWorld::put(folder, "icon-theme.cache", "damaged");
    EXPECT_EQ(ThemeFolder(folder).names("16x16/status"),
              (QStringList{"a.symbolic.png", "b.svg", "c.xpm"}));

    // A cache by hand: one directory "d" holding "i.png"; then its chain loops.
    QByteArray cache =
        QByteArray::fromHex("00010000"
                            "0000000c00000020"           // hash at 12, dirs at 32
                            "0000000100000014"           // one bucket: icon at 20
                            "ffffffff0000002c00000030"   // end, name at 44, images at 48
                            "0000000100000028"           // one directory, named at 40
                            "6400000069000000"           // "d", "i"
                            "000000010000000400000000"); // one image: d, .png
    ASSERT_TRUE(IconCache::parse(cache));
    EXPECT_EQ(IconCache::parse(cache)->names("d"), QStringList{"i.png"});
    EXPECT_FALSE(IconCache::parse(cache.left(50)));
    cache.replace(20, 4, QByteArray::fromHex("00000014"));
    EXPECT_FALSE(IconCache::parse(cache));
}

TEST(StatusItems, PictureNamesAndTheTableAgainstAdwaita) {
    struct Case {
        const char* file;
        const char* icon; // null: not a picture
        const char* extension;
    };
    const Case cases[] = {
        {"audio-volume-high.png", "audio-volume-high", "png"},
        {"audio-volume-high-symbolic.svg", "audio-volume-high-symbolic", "svg"},
        {"audio-volume-high-symbolic.symbolic.png", "audio-volume-high-symbolic", "png"},
        {"battery.tiff", nullptr, nullptr},
        {".png", nullptr, nullptr},
        {"../x.png", nullptr, nullptr},
        {"a b.svg", nullptr, nullptr},
        {"ok+_-.1.png", "ok+_-.1", "png"},
    };
    for (const Case& c : cases) {
        const auto name = pictureName(c.file);
        ASSERT_EQ(name.has_value(), c.icon != nullptr) << c.file;
        if (name) {
            EXPECT_EQ(name->icon, c.icon);
            EXPECT_EQ(name->extension, c.extension);
        }
    }
    // Every prefix names its own item, not an earlier one's.
    for (const StatusItem& item : statusItems()) {
        for (const QString& prefix : item.prefixes)
            EXPECT_EQ(itemForIcon(prefix + "x"), &item) << prefix.toStdString();
    }
    // The machine's own Adwaita holds a name of every item.
    IconThemes themes({"/usr/share/icons"});
    ASSERT_NE(themes.theme("Adwaita"), nullptr) << "adwaita-icon-theme is not installed";
    QSet<QString> names;
    for (const ThemeDir& dir : themes.theme("Adwaita")->index.dirs) {
        for (const QString& file :
             QDir("/usr/share/icons/Adwaita/" + dir.path).entryList(QDir::Files))
            if (const auto picture = pictureName(file))
                names.insert(picture->icon);
    }
    for (const StatusItem& item : statusItems()) {
        EXPECT_TRUE(std::any_of(names.cbegin(), names.cend(), [&](const QString& icon) {
            return item.hasName(icon);
        })) << item.title.toStdString();
    }
    EXPECT_EQ(itemForIcon("folder"), nullptr);
}

} // namespace
