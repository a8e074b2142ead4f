// Real clients decide what the own theme shows: GTK 3's lookup and KDE's
// icon loader, each started after each step, on the machine's Adwaita (read
// in place) with the own theme in a temporary data folder. GTK on the
// overlay is GtkLookupTest's; Qt, a real Qt panel's (lxqt-panel in
// real_panels.py, on the overlay and on the own theme); a running tray, the
// program's (DesktopClientsTest).
#include "icontheme/IconThemes.h"
#include "icontheme/OwnTheme.h"
#include "tests/icontheme/RealClients.h"

#include <gtest/gtest.h>

using namespace icontheme;
using namespace testing_support;

namespace {

// Switched to, the own theme shows the set's pictures (made-up, of one
// colour each) in GTK 3, and every other name from the theme it
// inherits; KDE's loader skips Adwaita's Legacy directories, so it finds only
// the -symbolic names. (That a restore takes it away is OverlayTest's.)
TEST(OwnThemeClients, ShowTheSetAndInheritEveryOtherNameUntilRestore) {
    ThemeWorld world;
    BaseDirs dirs{{world.homeIcons(), world.userIcons(), "/usr/share/icons", "/usr/share/pixmaps"},
                  world.homeIcons(),
                  world.userIcons()};
    IconThemes themes{dirs.bases};
    ASSERT_NE(themes.theme("Adwaita"), nullptr) << "adwaita-icon-theme is not installed";
    QStringList set;
    for (const auto& [file, bytes] :
         {std::pair{"audio-volume-high.png", pngBytes(24, 0xffff0000)},
          std::pair{"network-wireless-signal-good-symbolic.svg", svgBytes(0x00ff00)}}) {
        ThemeWorld::put(world.root(), QString("set/") + file, bytes);
        set.append(world.root() + "/set/" + file);
    }
    OwnTheme own(themes, dirs, "Adwaita", world.root() + "/own.json");
    ASSERT_TRUE(own.install(set).ok());
    const QString ours = own.folder() + u'/', theirs = "/usr/share/icons/Adwaita/";
    // The set's names at sizes Adwaita holds them at, then two it inherits.
    const std::pair<QString, QString> cases[] = {{"audio-volume-high:24:1", ours},
                                                 {"audio-volume-high:48:1", ours},
                                                 {"network-wireless-signal-good-symbolic:16:1", ours},
                                                 {"network-wireless-signal-good-symbolic:64:1", ours},
                                                 {"audio-volume-muted:24:1", theirs},
                                                 {"edit-copy:48:1", theirs}};
    QStringList questions;
    for (const auto& [question, from] : cases)
        questions << question;
    const QStringList gtk = gtkLookup(world, own.name(), questions);
    ASSERT_EQ(gtk.size(), questions.size());
    for (qsizetype i = 0; i < questions.size(); ++i)
        EXPECT_TRUE(gtk[i].startsWith(cases[i].second)) << gtk[i].toStdString();
    ThemeWorld::put(world.root(), "config/kdeglobals",
                    "[Icons]\nTheme=" + own.name().toUtf8() + "\n");
    const QStringList kde =
        kdeLookup(world, {"network-wireless-signal-good-symbolic", "audio-volume-muted-symbolic"});
    ASSERT_EQ(kde.size(), 2);
    EXPECT_TRUE(kde[0].startsWith(ours)) << kde[0].toStdString();
    EXPECT_TRUE(kde[1].startsWith(theirs)) << kde[1].toStdString();
    ASSERT_TRUE(own.restore().ok());
}

} // namespace
