// GTK 3's own lookup decides where a set's picture must go. The names that
// status programs ask for and that the machine's theme lacks (nm-applet's
// and cbatticon's, held by hicolor or another theme): the set's file after
// an install, the theme's or hicolor's after a restore. And names a theme
// holds as one picture (links, as Papirus links its panel names): an install
// covers them unless the set has its own picture, a restore takes them away.
#include "icontheme/IconThemes.h"
#include "icontheme/Overlay.h"
#include "tests/icontheme/RealClients.h"

#include <gtest/gtest.h>

#include <QFileInfo>

using namespace icontheme;
using namespace testing_support;

namespace {

// Writes the set's files below the world; their paths.
QStringList writeSet(const ThemeWorld& world, const QMap<QString, QByteArray>& files) {
    QStringList set;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        ThemeWorld::put(world.root(), "set/" + it.key(), it.value());
        set.append(world.root() + "/set/" + it.key());
    }
    return set;
}

TEST(StatusLookup, ProgramsNamesTheThemeLacksShowTheSetAndComeBackAfterRestore) {
    // nm-applet's own pictures in hicolor, cbatticon's names (in no theme
    // but Papirus), a power manager's in hicolor.
    const QMap<QString, QByteArray> files = {
        {"nm-signal-75.png", pngBytes(22, 0xff0000)},
        {"nm-no-connection.svg", svgBytes(0x00ff00)},
        {"nm-vpn-active-lock.png", pngBytes(16, 0x0000ff)},
        {"notification-battery-020.png", pngBytes(22, 0xffff00)},
        {"ac-adapter.svg", svgBytes(0x00ffff)}};
    QStringList questions;
    for (const QString& file : files.keys())
        for (int size : {16, 22, 24, 48})
            questions.append(QString("%1:%2:1").arg(QFileInfo(file).completeBaseName()).arg(size));
    for (const char* theme : {"Adwaita", "Papirus"}) {
        SCOPED_TRACE(theme);
        ThemeWorld world;
        BaseDirs dirs{
            {world.homeIcons(), world.userIcons(), "/usr/share/icons", "/usr/share/pixmaps"},
            world.homeIcons(),
            world.userIcons()};
        IconThemes themes(dirs.bases);
        if (themes.theme(theme) == nullptr) {
            std::printf("skipped: the icon theme %s is not installed\n", theme);
            continue;
        }
        const QStringList theirs = gtkLookup(world, theme, questions);
        ASSERT_EQ(theirs.size(), questions.size());
        Overlay overlay(themes, dirs, theme, world.root() + "/record.json");
        const OverlayReport report = overlay.install(writeSet(world, files));
        ASSERT_TRUE(report.ok());
        EXPECT_EQ(report.skipped, QStringList{});
        const QStringList ours = gtkLookup(world, theme, questions);
        ASSERT_EQ(ours.size(), questions.size());
        for (int i = 0; i < ours.size(); ++i)
            EXPECT_TRUE(ours[i].startsWith(overlay.folder() + "/") &&
                        QFileInfo(ours[i]).completeBaseName() == questions[i].section(':', 0, 0))
                << questions[i].toStdString() << ": " << ours[i].toStdString();
        ASSERT_TRUE(overlay.restore().ok());
        EXPECT_EQ(gtkLookup(world, theme, questions), theirs);
        EXPECT_FALSE(QFileInfo::exists(overlay.folder()));
    }
}

TEST(StatusLookup, APictureCoversTheNamesTheThemeHoldsAsTheSamePicture) {
    ThemeWorld world;
    world.copy(TRAYSKIN_THEMES "/aliases");
    BaseDirs dirs{world.bases(), world.homeIcons(), world.userIcons()};
    IconThemes themes(dirs.bases);
    // Each name asked at 22 and the colour of the set's picture it must
    // show (0: the theme's own stays); own: the set holds that name.
    const struct {
        const char* name;
        unsigned colour;
        bool own;
    } shown[] = {
        {"audio-volume-high", 0xff0000, true},
        {"audio-volume-high-panel", 0x00ff00, true},
        // Its link leads to -panel first, and -panel on to -high.
        {"xfce4-mixer-volume-high", 0x00ff00, false},
        {"audio-volume-muted", 0x0000ff, true},
        {"xfce4-mixer-muted", 0x0000ff, false},
        // The set's own picture, though the theme links it to -muted.
        {"volume-level-muted", 0xffff00, true},
        // No link: the theme's own picture stays.
        {"audio-volume-low", 0, false},
    };
    QMap<QString, QByteArray> files;
    QStringList questions, names;
    QSet<QString> digests;
    for (const auto& row : shown) {
        questions.append(QString(row.name) + ":22:1");
        if (row.own) {
            files.insert(QString(row.name) + ".svg", svgBytes(row.colour));
            names.append(row.name);
            digests.insert(OverlayRecord::digest(svgBytes(row.colour)));
        }
    }
    const QStringList theirs = gtkLookup(world, "Linked", questions);
    ASSERT_EQ(theirs.size(), questions.size());
    for (const QString& file : theirs)
        ASSERT_TRUE(file.startsWith(world.systemIcons())) << file.toStdString();

    Overlay overlay(themes, dirs, "Linked", world.root() + "/record.json");
    const QStringList set = writeSet(world, files);
    ASSERT_TRUE(overlay.install(set).ok());
    const QStringList ours = gtkLookup(world, "Linked", questions);
    ASSERT_EQ(ours.size(), questions.size());
    for (int i = 0; i < ours.size(); ++i) {
        SCOPED_TRACE(shown[i].name);
        EXPECT_EQ(ours[i].startsWith(overlay.folder() + "/"), shown[i].colour != 0);
        if (shown[i].colour) {
            EXPECT_EQ(ThemeWorld::get(ours[i]), svgBytes(shown[i].colour));
        }
    }
    // A restore of the set's names takes the names they covered away too.
    ASSERT_TRUE(overlay.restore(names).ok());
    EXPECT_EQ(gtkLookup(world, "Linked", questions), theirs);
    EXPECT_FALSE(QFileInfo::exists(overlay.folder()));
    // Without a record, the covered names go by their bytes as well.
    ASSERT_TRUE(overlay.install(set).ok());
    for (const char* record : {"/record.json", "/record.json.previous"})
        ThemeWorld::put(world.root(), QString(record), "damaged");
    ASSERT_FALSE(overlay.record().has_value());
    EXPECT_EQ(overlay.salvage(digests).removed.size(), 7);
    EXPECT_EQ(gtkLookup(world, "Linked", questions), theirs);
}

} // namespace
