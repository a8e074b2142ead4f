// Real clients decide what the own theme shows: Qt's QIcon::fromTheme, GTK
// 3's lookup and KDE's icon loader, each started after each step, on the
// machine's Adwaita (read in place) with the own theme in a temporary data
// folder. GTK on the overlay is GtkLookupTest's; Qt on the overlay, a real
// Qt panel's (lxqt-panel in real_panels.py); a running tray, the program's
// (DesktopClientsTest).
#include "icontheme/IconThemes.h"
#include "icontheme/OwnTheme.h"
#include "tests/icontheme/RealClients.h"

#include <gtest/gtest.h>

#include <QFileInfo>

using namespace icontheme;
using namespace testing_support;

namespace {

// Switched to, the own theme shows the set's pictures (made-up, of one
// colour each) in GTK 3 and Qt, and every other name from the theme it
// inherits; KDE's loader skips Adwaita's Legacy directories, so it finds only
// the -symbolic names. Restored, the own theme is gone.
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
    const struct {
        QString question, gtk, qt;
    } cases[] = {{"audio-volume-high:24", ours, "#ffff0000"},
                 {"audio-volume-high:48", ours, "#ffff0000"},
                 {"network-wireless-signal-good-symbolic:16", ours, "#ff00ff00"},
                 {"network-wireless-signal-good-symbolic:64", ours, "#ff00ff00"},
                 {"audio-volume-muted:24", theirs, ""},
                 {"edit-copy:48", theirs, ""}};
    QStringList questions, scaled;
    for (const auto& c : cases) {
        questions << c.question;
        scaled << c.question + ":1";
    }
    const QStringList gtk = gtkLookup(world, own.name(), scaled);
    const QStringList qt = qtLookup(world, own.name(), questions);
    ASSERT_EQ(gtk.size(), questions.size());
    ASSERT_EQ(qt.size(), questions.size());
    for (qsizetype i = 0; i < questions.size(); ++i) {
        SCOPED_TRACE(questions[i].toStdString());
        const auto& c = cases[i];
        EXPECT_TRUE(gtk[i].startsWith(c.gtk)) << gtk[i].toStdString();
        if (c.qt.isEmpty())
            EXPECT_NE(qt[i], "-");
        else
            EXPECT_EQ(qt[i].section(u' ', 1), c.qt);
    }
    ThemeWorld::put(world.root(), "config/kdeglobals",
                    "[Icons]\nTheme=" + own.name().toUtf8() + "\n");
    const QStringList kde =
        kdeLookup(world, {"network-wireless-signal-good-symbolic", "audio-volume-muted-symbolic"});
    ASSERT_EQ(kde.size(), 2);
    EXPECT_TRUE(kde[0].startsWith(ours)) << kde[0].toStdString();
    EXPECT_TRUE(kde[1].startsWith(theirs)) << kde[1].toStdString();
    ASSERT_TRUE(own.restore().ok());
    EXPECT_FALSE(QFileInfo::exists(own.folder()));
}

} // namespace
