// GTK 3's own lookup decides: after an install into the machine's Adwaita
// (read in place, the overlay in a temporary data folder) GTK gives the
// overlay's file for every name at every size of the theme's directories
// that hold it, and after a restore the theme's own file again.
#include "icontheme/IconThemes.h"
#include "icontheme/Overlay.h"
#include "tests/icontheme/RealClients.h"

#include <gtest/gtest.h>

#include <QFileInfo>

using namespace icontheme;
using namespace testing_support;

namespace {

TEST(GtkLookup, FindsTheOverlayAtEverySizeAndTheThemeAfterRestore) {
    ThemeWorld world;
    BaseDirs dirs{{world.homeIcons(), world.userIcons(), "/usr/share/icons", "/usr/share/pixmaps"},
                  world.homeIcons(),
                  world.userIcons()};
    IconThemes themes(dirs.bases);
    ASSERT_NE(themes.theme("Adwaita"), nullptr) << "adwaita-icon-theme is not installed";
    QStringList set, questions; // each name at the size and scale of every directory holding it
    for (const auto& [name, bytes] :
         {std::pair{"audio-volume-high.png", pngBytes(24, 0xff0000)},
          std::pair{"audio-volume-high-symbolic.svg", svgBytes(0x00ff00)},
          std::pair{"battery-level-50-symbolic.png", pngBytes(16, 0x0000ff)},
          std::pair{"network-wireless-signal-ok-symbolic.svg", svgBytes(0xff)}}) {
        ThemeWorld::put(world.root(), QString("set/") + name, bytes);
        set.append(world.root() + "/set/" + name);
        const QString icon = QFileInfo(name).completeBaseName();
        for (const IconFile& held : themes.filesOf("Adwaita", icon, dirs.userIcons)) {
            const ThemeDir& dir = themes.theme("Adwaita")->index.dirs[held.dirIndex];
            questions.append(QString("%1:%2:%3").arg(icon).arg(dir.size).arg(dir.scale));
        }
    }
    ASSERT_GE(questions.size(), 10);
    const QStringList theirs = gtkLookup(world, "Adwaita", questions);
    ASSERT_EQ(theirs.size(), questions.size());

    Overlay overlay(themes, dirs, "Adwaita", world.root() + "/record.json");
    ASSERT_TRUE(overlay.install(set).ok());
    const QStringList ours = gtkLookup(world, "Adwaita", questions);
    ASSERT_EQ(ours.size(), questions.size());
    for (int i = 0; i < ours.size(); ++i)
        EXPECT_TRUE(ours[i].startsWith(overlay.folder() + "/") &&
                    QFileInfo(ours[i]).completeBaseName() == questions[i].section(':', 0, 0))
            << questions[i].toStdString() << ": " << ours[i].toStdString();
    ASSERT_TRUE(overlay.restore().ok());
    EXPECT_EQ(gtkLookup(world, "Adwaita", questions), theirs);
}

} // namespace
