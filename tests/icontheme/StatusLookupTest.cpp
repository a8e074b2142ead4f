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

struct Asked {
    QStringList set;       // the set's files
    QStringList questions; // "NAME:SIZE:1" each
};

Asked ask(const ThemeWorld& world, const std::vector<std::pair<const char*, QByteArray>>& files,
          std::initializer_list<int> sizes) {
    Asked asked;
    for (const auto& [name, bytes] : files) {
        ThemeWorld::put(world.root(), QString("set/") + name, bytes);
        asked.set.append(world.root() + "/set/" + name);
        for (int size : sizes)
            asked.questions.append(
                QString("%1:%2:1").arg(QFileInfo(name).completeBaseName()).arg(size));
    }
    return asked;
}

TEST(StatusLookup, ProgramsNamesTheThemeLacksShowTheSetAndComeBackAfterRestore) {
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
        // nm-applet's own pictures in hicolor, cbatticon's names (in no
        // theme but Papirus), a power manager's in hicolor.
        const Asked asked = ask(world,
                                {{"nm-signal-75.png", pngBytes(22, 0xff0000)},
                                 {"nm-no-connection.svg", svgBytes(0x00ff00)},
                                 {"nm-vpn-active-lock.png", pngBytes(16, 0x0000ff)},
                                 {"notification-battery-020.png", pngBytes(22, 0xffff00)},
                                 {"ac-adapter.svg", svgBytes(0x00ffff)}},
                                {16, 22, 24, 48});
        const QStringList theirs = gtkLookup(world, theme, asked.questions);
        ASSERT_EQ(theirs.size(), asked.questions.size());
        Overlay overlay(themes, dirs, theme, world.root() + "/record.json");
        const OverlayReport report = overlay.install(asked.set);
        ASSERT_TRUE(report.ok());
        EXPECT_EQ(report.skipped, QStringList{});
        const QStringList ours = gtkLookup(world, theme, asked.questions);
        ASSERT_EQ(ours.size(), asked.questions.size());
        for (int i = 0; i < ours.size(); ++i)
            EXPECT_TRUE(ours[i].startsWith(overlay.folder() + "/") &&
                        QFileInfo(ours[i]).completeBaseName() ==
                            asked.questions[i].section(':', 0, 0))
                << asked.questions[i].toStdString() << ": " << ours[i].toStdString();
        ASSERT_TRUE(overlay.restore().ok());
        EXPECT_EQ(gtkLookup(world, theme, asked.questions), theirs);
        EXPECT_FALSE(QFileInfo::exists(overlay.folder()));
    }
}

TEST(StatusLookup, APictureCoversTheNamesTheThemeHoldsAsTheSamePicture) {
    ThemeWorld world;
    world.copy(TRAYSKIN_THEMES "/aliases");
    BaseDirs dirs{world.bases(), world.homeIcons(), world.userIcons()};
    IconThemes themes(dirs.bases);
    // The set's names with their own pictures; the linked names the theme
    // holds besides them, with the set's name whose picture they must show.
    const QByteArray high = svgBytes(0xff0000), panel = svgBytes(0x00ff00),
                     muted = svgBytes(0x0000ff), level = svgBytes(0xffff00);
    const Asked asked = ask(world,
                            {{"audio-volume-high.svg", high},
                             {"audio-volume-high-panel.svg", panel},
                             {"audio-volume-muted.svg", muted},
                             {"volume-level-muted.svg", level}},
                            {22});
    const std::pair<const char*, QByteArray> shown[] = {
        {"audio-volume-high", high},
        {"audio-volume-high-panel", panel},
        // Its link leads to -panel first, and -panel on to -high.
        {"xfce4-mixer-volume-high", panel},
        {"audio-volume-muted", muted},
        {"xfce4-mixer-muted", muted},
        // The set's own picture, though the theme links it to -muted.
        {"volume-level-muted", level},
        // No link: the theme's own picture stays.
        {"audio-volume-low", QByteArray()},
    };
    QStringList questions;
    for (const auto& [name, bytes] : shown)
        questions.append(QString(name) + ":22:1");
    const QStringList theirs = gtkLookup(world, "Linked", questions);
    ASSERT_EQ(theirs.size(), questions.size());
    for (const QString& file : theirs)
        ASSERT_TRUE(file.startsWith(world.systemIcons())) << file.toStdString();

    Overlay overlay(themes, dirs, "Linked", world.root() + "/record.json");
    ASSERT_TRUE(overlay.install(asked.set).ok());
    const QStringList ours = gtkLookup(world, "Linked", questions);
    ASSERT_EQ(ours.size(), questions.size());
    for (int i = 0; i < ours.size(); ++i) {
        const auto& [name, bytes] = shown[i];
        EXPECT_EQ(ours[i].startsWith(overlay.folder() + "/"), !bytes.isEmpty()) << name;
        if (!bytes.isEmpty()) {
            EXPECT_EQ(ThemeWorld::get(ours[i]), bytes) << name;
        }
    }
    // A restore of the set's names takes the names they covered away too.
    ASSERT_TRUE(overlay
                    .restore({"audio-volume-high", "audio-volume-high-panel", "audio-volume-muted",
                              "volume-level-muted"})
                    .ok());
    EXPECT_EQ(gtkLookup(world, "Linked", questions), theirs);
    EXPECT_FALSE(QFileInfo::exists(overlay.folder()));
    // Without a record, the covered names go by their bytes as well.
    ASSERT_TRUE(overlay.install(asked.set).ok());
    for (const char* record : {"/record.json", "/record.json.previous"})
        ThemeWorld::put(world.root(), QString(record), "damaged");
    ASSERT_FALSE(overlay.record().has_value());
    const OverlayReport salvaged =
        overlay.salvage({OverlayRecord::digest(high), OverlayRecord::digest(panel),
                         OverlayRecord::digest(muted), OverlayRecord::digest(level)});
    EXPECT_EQ(salvaged.removed.size(), 7);
    EXPECT_EQ(gtkLookup(world, "Linked", questions), theirs);
}

} // namespace
