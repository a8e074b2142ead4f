// Switching the desktop's icon theme through the setting it was read from,
// with stand-in settings tools on a temporary PATH and made-up settings files.
#include "icontheme/ThemeSwitch.h"
#include "tests/icontheme/ThemeWorld.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace icontheme;
using testing_support::ThemeWorld;

namespace {

// gsettings and xfconf-query that keep their values in files beside them.
struct StandIns {
    ThemeWorld world;
    QString bin = world.root() + "/bin";
    QByteArray savedPath = qgetenv("PATH");

    StandIns() {
        ThemeWorld::put(
            bin, "gsettings",
            ("#!/bin/sh\nf=\"" + bin +
             "/gsettings-$2\"\n"
             "case \"$1\" in\n get) test -f \"$f\" && printf \"'%s'\\n\" \"$(cat \"$f\")\";;\n"
             " set) printf '%s' \"$4\" > \"$f\";;\n *) exit 1;;\nesac\n")
                .toUtf8());
        ThemeWorld::put(bin, "xfconf-query",
                        ("#!/bin/sh\nf=\"" + bin +
                         "/xfconf\"\n"
                         "if [ \"$5\" = -n ]; then printf '%s' \"$9\" > \"$f\"; "
                         "else test -f \"$f\" && cat \"$f\" && echo; fi\n")
                            .toUtf8());
        for (const char* tool : {"gsettings", "xfconf-query"})
            QFile::setPermissions(bin + "/" + tool, QFile::ReadOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(bin) + ":/usr/bin:/bin");
    }
    ~StandIns() { qputenv("PATH", savedPath); }

    // Qt's own theme name is a made-up one on LXQt.
    ThemeChoice detect(const QString& desktop) {
        DesktopContext context =
            desktopContextFromEnvironment(desktop == "LXQt" ? "Qtish" : QString());
        context.currentDesktop = desktop;
        return chooseTheme(context, desktopThemeSources());
    }
    ThemeSwitch themeSwitch() {
        return ThemeSwitch(switchContextFromEnvironment(desktopContextFromEnvironment()),
                           world.root() + "/state/switch.json");
    }
};

TEST(ThemeSwitch, SetsTheSettingItReadAndPutsTheOldValueBack) {
    struct Case {
        const char* desktop;
        const char* file; // in the stand-ins' folder or the config folder
        QByteArray before;
        const char* source;
    };
    const QByteArray kde = "[General]\nColorScheme=Dark\n\n[Icons]\nTheme=breeze\n[KDE]\nx=1\n";
    const Case cases[] = {
        {"ubuntu:GNOME", "bin/gsettings-org.gnome.desktop.interface", "Yaru", "GNOME settings"},
        {"X-Cinnamon", "bin/gsettings-org.cinnamon.desktop.interface", "Mint-Y",
         "Cinnamon settings"},
        {"MATE", "bin/gsettings-org.mate.interface", "menta", "MATE settings"},
        {"XFCE", "bin/xfconf", "elementary", "Xfce settings"},
        {"KDE", "config/kdeglobals", kde, "KDE settings"},
        {"LXDE", "config/gtk-3.0/settings.ini", "[Settings]\ngtk-icon-theme-name=Papirus\n",
         "GTK 3 settings"},
        {"LXDE", nullptr, "", "default"},
        {"LXQt", nullptr, "", "Qt theme"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        StandIns standIns;
        const QString file = standIns.world.root() + "/" + (c.file ? c.file : "none");
        if (c.file)
            ThemeWorld::put(standIns.world.root(), c.file, c.before);
        const ThemeChoice before = standIns.detect(c.desktop);
        ASSERT_EQ(before.source, c.source);
        ThemeSwitch themeSwitch = standIns.themeSwitch();
        const QString ours = before.theme + "-Trayskin";
        ASSERT_EQ(themeSwitch.switchTo(before, ours), SwitchResult::Done);
        const ThemeChoice switched = standIns.detect(c.desktop);
        EXPECT_EQ(switched.theme, ours);
        EXPECT_FALSE(themeSwitch.userPickedAnother(switched));
        // A second install keeps the first value to put back.
        ASSERT_EQ(themeSwitch.switchTo(switched, ours), SwitchResult::Done);
        EXPECT_EQ(themeSwitch.state()->previous,
                  c.file ? std::optional(before.theme) : std::nullopt);
        ASSERT_EQ(themeSwitch.restore(switched), SwitchResult::Done);
        EXPECT_EQ(standIns.detect(c.desktop).theme, before.theme);
        if (c.file)
            EXPECT_EQ(ThemeWorld::get(file), c.before);
        else
            EXPECT_EQ(ThemeWorld::get(standIns.world.root() + "/config/gtk-3.0/settings.ini"),
                      "[Settings]\n");
        EXPECT_FALSE(themeSwitch.state());
        EXPECT_EQ(themeSwitch.restore(switched), SwitchResult::NothingToRestore);
    }
}

TEST(ThemeSwitch, RefusesWhatItCannotDoSafelyAndRemembersNothing) {
    StandIns standIns;
    ThemeWorld::put(standIns.bin, "xfconf-query", "#!/bin/sh\ntest \"$5\" != -n && echo Xfcey\n");
    // A settings file GTK refuses whole: a value written into it would not be read.
    const QByteArray refused = "[Settings]\n; not a comment to GLib\n";
    ThemeWorld::put(standIns.world.root(), "config/gtk-3.0/settings.ini", refused);
    const std::tuple<ThemeChoice, const char*, SwitchResult> cases[] = {
        {{"Yaru", "GNOME settings", {}}, "../Evil", SwitchResult::UnsafeName},
        {{"Yaru", "command line", {}}, "Yaru-Trayskin", SwitchResult::NoSetting},
        {{"Xfcey", "Xfce settings", {}}, "Xfcey-Trayskin", SwitchResult::ToolFailed},
        {{"hicolor", "default", {}}, "hicolor-Trayskin", SwitchResult::FileFailed},
    };
    ThemeSwitch themeSwitch = standIns.themeSwitch();
    for (const auto& [current, theme, result] : cases) {
        EXPECT_EQ(themeSwitch.switchTo(current, theme), result) << theme;
        EXPECT_FALSE(themeSwitch.state()) << theme;
    }
    EXPECT_EQ(ThemeWorld::get(standIns.world.root() + "/config/gtk-3.0/settings.ini"), refused);
}

} // namespace
