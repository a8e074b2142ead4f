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
using testing_support::gtkLookup;
using testing_support::ThemeWorld;

namespace {

TEST(GtkLookup, FindsTheOverlayAtEverySizeAndTheThemeAfterRestore) {
    ThemeWorld world;
    BaseDirs dirs{{world.homeIcons(), world.userIcons(), "/usr/share/icons", "/usr/share/pixmaps"},
                  world.homeIcons(),
                  world.userIcons()};
    IconThemes themes(dirs.bases);
    ASSERT_NE(themes.theme("Adwaita"), nullptr) << "adwaita-icon-theme is not installed";
    QStringList set;
    for (const auto& [name, bytes] :
         {std::pair{"audio-volume-high.png", testing_support::pngBytes(24, 0xff0000)},
          std::pair{"audio-volume-high-symbolic.svg", testing_support::svgBytes(0x00ff00)},
          std::pair{"battery-level-50-symbolic.png", testing_support::pngBytes(16, 0x0000ff)},
          std::pair{"network-wireless-signal-ok-symbolic.svg", testing_support::svgBytes(0xff)}}) {
        ThemeWorld::put(world.root(), QString("set/") + name, bytes);
        set.append(world.root() + "/set/" + name);
    }
    // Every name at the size and scale of every directory that holds it.
    QStringList questions, names;
    for (const QString& file : set) {
        const QString icon = QFileInfo(file).completeBaseName();
        for (const IconFile& held : themes.filesOf("Adwaita", icon, dirs.userIcons)) {
            for (const ThemeDir& dir : themes.theme("Adwaita")->index.dirs) {
                if (dir.path == held.dir) {
                    questions.append(QString("%1:%2:%3").arg(icon).arg(dir.size).arg(dir.scale));
                    names.append(icon + " in " + dir.path);
                }
            }
        }
    }
    ASSERT_GE(questions.size(), 10);
    const QStringList theirs = gtkLookup(world, "Adwaita", questions);
    ASSERT_EQ(theirs.size(), questions.size());
    for (const QString& path : theirs)
        EXPECT_TRUE(path.startsWith("/usr/share/icons/Adwaita/")) << path.toStdString();

    Overlay overlay(themes, dirs, "Adwaita", world.root() + "/record.json");
    const OverlayReport report = overlay.install(set);
    ASSERT_TRUE(report.ok());
    EXPECT_TRUE(report.refused.isEmpty());
    EXPECT_TRUE(report.skipped.isEmpty());
    const QStringList ours = gtkLookup(world, "Adwaita", questions);
    ASSERT_EQ(ours.size(), questions.size());
    for (int i = 0; i < ours.size(); ++i) {
        const QString icon = questions[i].section(':', 0, 0);
        EXPECT_TRUE(ours[i].startsWith(overlay.folder() + "/") &&
                    QFileInfo(ours[i]).completeBaseName() == icon)
            << names[i].toStdString() << ": " << ours[i].toStdString();
    }
    ASSERT_TRUE(overlay.restore().ok());
    EXPECT_EQ(gtkLookup(world, "Adwaita", questions), theirs);
}

} // namespace
