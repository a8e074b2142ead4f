// Real clients decide what the overlay route and the own theme show: Qt's
// QIcon::fromTheme, GTK 3's lookup and KDE's icon loader, each started after
// each step, on the machine's Adwaita (read in place) with the overlay and
// the own theme in a temporary data folder. GTK on the overlay is
// GtkLookupTest's; a running tray, the program's (DesktopClientsTest).
#include "icontheme/IconThemes.h"
#include "icontheme/Overlay.h"
#include "icontheme/OwnTheme.h"
#include "tests/icontheme/RealClients.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>

using namespace icontheme;
using namespace testing_support;

namespace {

// Made-up pictures of one colour each, for names Adwaita holds as PNG
// (24 and 48 px) and as symbolic SVG and PNG (16 to 96 px).
struct Colour {
    const char* file;
    QRgb rgb;
};
const Colour kSet[] = {{"audio-volume-high.png", 0xffff0000},
                       {"battery-good.png", 0xff0000ff},
                       {"network-wireless-signal-good-symbolic.svg", 0xff00ff00}};

struct Adwaita {
    ThemeWorld world;
    BaseDirs dirs{{world.homeIcons(), world.userIcons(), "/usr/share/icons", "/usr/share/pixmaps"},
                  world.homeIcons(),
                  world.userIcons()};
    IconThemes themes{dirs.bases};
    QStringList set, names;

    Adwaita() {
        for (const Colour& colour : kSet) {
            const QString file = colour.file;
            ThemeWorld::put(world.root(), "set/" + file,
                            file.endsWith(".png") ? pngBytes(24, colour.rgb)
                                                  : svgBytes(colour.rgb & 0xffffff));
            set.append(world.root() + "/set/" + file);
            names.append(QFileInfo(file).completeBaseName());
        }
    }
    // Each name at the size of every directory of the theme that holds it.
    QStringList questions() {
        QStringList all;
        for (const QString& icon : names) {
            for (const IconFile& held : themes.filesOf("Adwaita", icon, dirs.userIcons)) {
                for (const ThemeDir& dir : themes.theme("Adwaita")->index.dirs) {
                    if (dir.path == held.dir && dir.scale == 1 &&
                        !all.contains(QString("%1:%2").arg(icon).arg(dir.size)))
                        all.append(QString("%1:%2").arg(icon).arg(dir.size));
                }
            }
        }
        return all;
    }
};

QRgb colourOf(const QString& icon) {
    for (const Colour& colour : kSet) {
        if (QFileInfo(colour.file).completeBaseName() == icon)
            return colour.rgb;
    }
    return 0;
}

// Observed with Qt 6.4: where the overlay and the system hold a PNG of the
// name at the same size, Qt lists the later base directory's file first and
// shows the system's picture, at every size; the -symbolic SVG shows ours at
// every size, as the system's sized files of it are GTK's ".symbolic.png",
// which Qt does not take for the name. When this changes, so may the advice
// to use the own-theme route for Qt clients.
TEST(OverlayClients, QtShowsTheSystemsPngWhereTheOverlayHoldsTheSameSize) {
    Adwaita adwaita;
    ASSERT_NE(adwaita.themes.theme("Adwaita"), nullptr) << "adwaita-icon-theme is not installed";
    const QStringList questions = adwaita.questions();
    ASSERT_GE(questions.size(), 8);
    const QStringList theirs = qtLookup(adwaita.world, "Adwaita", questions);
    ASSERT_EQ(theirs.size(), questions.size());
    Overlay overlay(adwaita.themes, adwaita.dirs, "Adwaita", adwaita.world.root() + "/record");
    ASSERT_TRUE(overlay.install(adwaita.set).ok());
    const QStringList ours = qtLookup(adwaita.world, "Adwaita", questions);
    ASSERT_EQ(ours.size(), questions.size());
    for (int i = 0; i < questions.size(); ++i) {
        const QString icon = questions[i].section(':', 0, 0);
        const QString set = QString("#%1").arg(colourOf(icon), 8, 16, QChar('0'));
        EXPECT_NE(theirs[i].section(' ', 1), set) << questions[i].toStdString();
        if (icon.endsWith("-symbolic"))
            EXPECT_EQ(ours[i].section(' ', 1), set) << questions[i].toStdString();
        else
            EXPECT_EQ(ours[i], theirs[i]) << questions[i].toStdString();
    }
    ASSERT_TRUE(overlay.restore().ok());
    EXPECT_EQ(qtLookup(adwaita.world, "Adwaita", questions), theirs);
}

// Switched to, the own theme shows the set's pictures in GTK 3 and Qt, and
// every other name from the theme it inherits; KDE's loader skips Adwaita's
// Legacy directories, so it finds only the -symbolic names. Restored, the
// own theme is gone.
TEST(OwnThemeClients, ShowTheSetAndInheritEveryOtherNameUntilRestore) {
    Adwaita adwaita;
    ASSERT_NE(adwaita.themes.theme("Adwaita"), nullptr) << "adwaita-icon-theme is not installed";
    OwnTheme own(adwaita.themes, adwaita.dirs, "Adwaita", adwaita.world.root() + "/own.json");
    ASSERT_TRUE(own.install(adwaita.set).ok());
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
    const QStringList gtk = gtkLookup(adwaita.world, own.name(), scaled);
    const QStringList qt = qtLookup(adwaita.world, own.name(), questions);
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
    ThemeWorld::put(adwaita.world.root(), "config/kdeglobals",
                    "[Icons]\nTheme=" + own.name().toUtf8() + "\n");
    const QStringList kde = kdeLookup(
        adwaita.world, {"network-wireless-signal-good-symbolic", "audio-volume-muted-symbolic"});
    ASSERT_EQ(kde.size(), 2);
    EXPECT_TRUE(kde[0].startsWith(ours)) << kde[0].toStdString();
    EXPECT_TRUE(kde[1].startsWith(theirs)) << kde[1].toStdString();
    ASSERT_TRUE(own.restore().ok());
    EXPECT_FALSE(QFileInfo::exists(own.folder()));
}

} // namespace
