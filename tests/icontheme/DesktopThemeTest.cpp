// Which theme the desktop uses, and switching it through the setting it was
// read from and back, with stand-in settings tools first on a temporary PATH
// and made-up settings files; the tools are run by path, with a time limit,
// and read no further than their answer needs.
#include "icontheme/DesktopTheme.h"
#include "icontheme/ThemeSwitch.h"
#include "tests/icontheme/ThemeWorld.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <QProcess>

using namespace icontheme;
using testing_support::ThemeWorld;

namespace {

const QString kGtk = "config/gtk-3.0/settings.ini";

// Stand-in tools (tests/icontheme/tools); gsettings and xfconf-query keep
// their values in files beside them, named by the schema or the channel:
// bin/gsettings-org.mate.interface, bin/xfconf-query-xsettings.
struct Desktop {
    ThemeWorld world;
    QString bin = world.root() + "/bin";
    QByteArray savedPath = qgetenv("PATH");

    Desktop() {
        EXPECT_EQ(QProcess::execute("cp", {"-R", TRAYSKIN_TOOLS, bin}), 0);
        qputenv("PATH", QFile::encodeName(bin) + ":/usr/bin:/bin");
    }
    ~Desktop() { qputenv("PATH", savedPath); }

    ThemeChoice detect(const char* desktop, const char* qt, const char* overrideName = "") {
        DesktopContext context = desktopContextFromEnvironment(qt);
        context.currentDesktop = desktop;
        return chooseTheme(context, desktopThemeSources(), overrideName);
    }
    ThemeSwitch themeSwitch() {
        return ThemeSwitch(switchContextFromEnvironment(desktopContextFromEnvironment()),
                           world.root() + "/state/switch.json");
    }
};

TEST(DesktopTheme, TheFirstSourceThatAnswersIsSwitchedAndPutBack) {
    using Files = QMap<QString, QByteArray>; // below the world's root
    const QString gnome = "bin/gsettings-org.gnome.desktop.interface";
    const Files all = {{gnome, "Gnomish"},
                       {"bin/gsettings-org.cinnamon.desktop.interface", "Cinny"},
                       {"bin/gsettings-org.mate.interface", "Matey"},
                       {"bin/xfconf-query-xsettings", "Xfcey"},
                       {"config/kdeglobals",
                        "[General]\nTheme=no\nno key\n\n[Icons][$i]\nTheme=breezy\n[KDE]\nx=1\n"}};
    const QByteArray gtk = "[Settings]\ngtk-icon-theme-name = GtkOne\n";
    const QByteArray noSet = "#!/bin/sh\ntest \"$5\" != -n && echo Xfcey\n";
    using R = SwitchResult;
    struct Case {
        const char* desktop;
        Files files;
        const char* qt; // Qt's own theme name
        const char* overrideName;
        const char* theme;
        const char* source;
        SwitchResult result; // of switching to the theme with "-Trayskin" added
    };
    const Case cases[] = {
        {"ubuntu:GNOME", all, "", "", "Gnomish", "GNOME settings", R::Done},
        {"Budgie", all, "", "", "Gnomish", "GNOME settings", R::Done},
        {"X-Cinnamon", all, "", "", "Cinny", "Cinnamon settings", R::Done},
        {"MATE", all, "", "", "Matey", "MATE settings", R::Done},
        {"XFCE", all, "", "", "Xfcey", "Xfce settings", R::Done},
        {"KDE", all, "", "", "breezy", "KDE settings", R::Done},
        // A tool that says nothing usable: on to GTK's settings.
        {"GNOME", {{kGtk, gtk}}, "", "", "GtkOne", "GTK 3 settings", R::Done},
        {"GNOME", {{gnome, ""}, {kGtk, gtk}}, "", "", "GtkOne", "GTK 3 settings", R::Done},
        {"GNOME", {{gnome, "../../etc"}}, "", "", "hicolor", "default", R::Done},
        {"KDE", {{"config/kdeglobals", "[Icons]\n"}}, "", "", "hicolor", "default", R::Done},
        // Files GTK refuses whole (";" is no comment to GLib): a value written
        // into them would not be read.
        {"", {{kGtk, QByteArray("garbage\0\xff", 9)}}, "", "", "hicolor", "default", R::FileFailed},
        {"LXDE", {{kGtk, gtk + "; x\n"}}, "", "", "hicolor", "default", R::FileFailed},
        {"GNOME", all, "", "Chosen", "Chosen", "command line", R::NoSetting},
        {"GNOME", {{gnome, "Gnomish"}}, "", "a/b", "Gnomish", "GNOME settings", R::Done},
        // Qt's own name after GTK's settings; its fallback is no answer.
        {"LXQt", {}, "Qtish", "", "Qtish", "Qt theme", R::Done},
        {"LXQt", {{kGtk, gtk}}, "Qtish", "", "GtkOne", "GTK 3 settings", R::Done},
        {"LXQt", {}, "hicolor", "", "hicolor", "default", R::Done},
        {"XFCE", {{"bin/xfconf-query", noSet}}, "", "", "Xfcey", "Xfce settings", R::ToolFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.desktop << " " << c.source << " " << c.files.size());
        Desktop d;
        for (auto it = c.files.cbegin(); it != c.files.cend(); ++it)
            ThemeWorld::put(d.world.root(), it.key(), it.value());
        const ThemeChoice before = d.detect(c.desktop, c.qt, c.overrideName);
        EXPECT_EQ(before.theme, c.theme);
        ASSERT_EQ(before.source, c.source);
        ThemeSwitch themeSwitch = d.themeSwitch();
        EXPECT_EQ(themeSwitch.switchTo(before, "../Evil"), R::UnsafeName);
        const QString ours = before.theme + "-Trayskin";
        ASSERT_EQ(themeSwitch.switchTo(before, ours), c.result);
        if (c.result == R::Done) {
            const ThemeChoice switched = d.detect(c.desktop, c.qt);
            EXPECT_EQ(switched.theme, ours);
            // A second switch keeps the first value to put back; none where
            // the theme came from no setting.
            ASSERT_EQ(themeSwitch.switchTo(switched, ours), R::Done);
            const bool keyless = before.source == "default" || before.source == "Qt theme";
            EXPECT_EQ(themeSwitch.state()->previous,
                      keyless ? std::nullopt : std::optional(before.theme));
            ASSERT_EQ(themeSwitch.restore(switched), R::Done);
            EXPECT_EQ(d.detect(c.desktop, c.qt).theme, before.theme);
            EXPECT_EQ(themeSwitch.restore(switched), R::NothingToRestore);
            // A settings file the switch made goes with it.
            EXPECT_TRUE(!keyless || !QFile::exists(d.world.root() + "/" + kGtk));
        }
        EXPECT_FALSE(themeSwitch.state());
        for (auto it = c.files.cbegin(); it != c.files.cend(); ++it)
            EXPECT_EQ(ThemeWorld::get(d.world.root() + "/" + it.key()), it.value())
                << qPrintable(it.key());
    }
}

// Every settings file that the desktop's programs read and that names its
// theme is switched with the one the theme came from (and the desktop's own
// file where it is missing), and each is put back byte for byte, the user's
// other lines and comments kept.
TEST(DesktopTheme, EverySettingsFileOfTheDesktopIsSwitchedAndPutBackByteForByte) {
    const QString lxqt = "config/lxqt/lxqt.conf", lxde = "config/lxsession/LXDE/desktop.conf",
                  gtk2 = "home/.gtkrc-2.0", qt5ct = "config/qt5ct/qt5ct.conf";
    const struct {
        const char* desktop;
        const char* platformTheme;
        const char* files; // tests/icontheme/themes/desktop-settings/FILES, below the world's root
        const char* source;
        QStringList switched; // the files that name the own theme after the switch
        QStringList made;     // files the switch made
    } cases[] = {
        {"LXQt", "", "lxqt", "LXQt settings", {lxqt, kGtk, gtk2}, {}},
        {"LXDE", "", "lxde", "LXDE settings", {lxde}, {}},
        {"", "", "gtk2", "GTK 2 settings", {gtk2}, {}},
        {"", "", "gtk2-font-only", "default", {kGtk}, {kGtk}},
        {"", "qt5ct", "qt5ct", "Qt settings", {qt5ct}, {}},
        {"LXQt", "", "gtk3-on-lxqt", "GTK 3 settings", {kGtk, lxqt}, {lxqt}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.files);
        Desktop d;
        const QString fixture = TRAYSKIN_THEMES "/desktop-settings/" + QString(c.files);
        d.world.copy(fixture);
        QMap<QString, QByteArray> files;
        for (const auto& [path, entry] : testing_support::snapshot(fixture.toStdString()))
            if (entry.starts_with("f:"))
                files.insert(QString::fromStdString(path),
                             QByteArray::fromStdString(entry.substr(2)));
        DesktopContext context = desktopContextFromEnvironment();
        context.currentDesktop = c.desktop;
        context.lxdeSession = "LXDE";
        context.qtPlatformTheme = c.platformTheme;
        const ThemeChoice before = chooseTheme(context, desktopThemeSources());
        EXPECT_EQ(before.source, c.source);
        ThemeSwitch themeSwitch(switchContextFromEnvironment(context),
                                d.world.root() + "/state/switch.json");
        const QString ours = before.theme + "-Trayskin";
        ASSERT_EQ(themeSwitch.switchTo(before, ours), SwitchResult::Done);
        EXPECT_EQ(chooseTheme(context, desktopThemeSources()).theme, ours);
        for (const QString& file : c.switched)
            EXPECT_TRUE(ThemeWorld::get(d.world.root() + "/" + file).contains(ours.toUtf8()))
                << qPrintable(file);
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            if (!c.switched.contains(it.key())) {
                EXPECT_EQ(ThemeWorld::get(d.world.root() + "/" + it.key()), it.value());
            }
        }
        ASSERT_EQ(themeSwitch.restore(chooseTheme(context, desktopThemeSources())),
                  SwitchResult::Done);
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            EXPECT_EQ(ThemeWorld::get(d.world.root() + "/" + it.key()), it.value())
                << qPrintable(it.key());
        for (const QString& file : c.made)
            EXPECT_FALSE(QFile::exists(d.world.root() + "/" + file)) << qPrintable(file);
    }
}

TEST(DesktopTheme, ToolsRunByPathWithATimeLimitAndAFloodIsGivenUpAfterALine) {
    Desktop d; // and says, fails, hangs and floods
    EXPECT_EQ(runTool("says", {"get", "it"}), QString("get it"));
    EXPECT_EQ(runTool("fails", {}), std::nullopt);
    EXPECT_EQ(runTool("absent", {}), std::nullopt);
    EXPECT_EQ(runTool("hangs", {}, std::chrono::milliseconds(300)), std::nullopt);
    EXPECT_EQ(runTool("floods", {}), std::nullopt);
    // What a line needs, the pipe's room and the block being written: not
    // the output of the seconds the tool is given.
    EXPECT_LE(ThemeWorld::get(d.bin + "/floods-written").trimmed().toInt(), 8);
    qputenv("PATH", "");
    EXPECT_EQ(runTool("says", {}), std::nullopt);
}

} // namespace
