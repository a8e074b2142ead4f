// GTK 3's own lookup decides where a set's picture must go, on the machine's
// Adwaita and Papirus (read in place, the overlay in a temporary data
// folder): after an install GTK gives the overlay's file for every name at
// every size, the names the theme holds and those status programs ask for
// that it lacks (nm-applet's and cbatticon's, held by hicolor or another
// theme), and after a restore the theme's own file again. And names a theme
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

TEST(GtkLookup, FindsTheOverlayAtEverySizeAndTheThemeAfterRestore) {
    const QMap<QString, QByteArray> files = {
        {"audio-volume-high.png", pngBytes(24, 0xff0000)},
        {"audio-volume-high-symbolic.svg", svgBytes(0x00ff00)},
        {"battery-level-50-symbolic.png", pngBytes(16, 0x0000ff)},
        {"network-wireless-signal-ok-symbolic.svg", svgBytes(0xff)},
        {"nm-signal-75.png", pngBytes(22, 0xff0000)},
        {"nm-no-connection.svg", svgBytes(0x00ff00)},
        {"nm-vpn-active-lock.png", pngBytes(16, 0x0000ff)},
        {"notification-battery-020.png", pngBytes(22, 0xffff00)},
        {"ac-adapter.svg", svgBytes(0x00ffff)}};
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
        // Each name at a panel's sizes, and at the size and scale of every
        // directory of the theme that holds it.
        QStringList questions;
        for (const QString& file : files.keys()) {
            const QString icon = QFileInfo(file).completeBaseName();
            for (int size : {16, 22, 24, 48})
                questions.append(QString("%1:%2:1").arg(icon).arg(size));
            for (const IconFile& held : themes.filesOf(theme, icon, dirs.userIcons)) {
                const ThemeDir& dir = themes.theme(theme)->index.dirs[held.dirIndex];
                questions.append(QString("%1:%2:%3").arg(icon).arg(dir.size).arg(dir.scale));
            }
        }
        questions.removeDuplicates();
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
    }
}
TEST(GtkLookup, APictureCoversTheNamesTheThemeHoldsAsTheSamePicture) {
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
