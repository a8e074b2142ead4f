// Which theme the desktop uses, from made-up settings and made-up tools.
#include "icontheme/DesktopTheme.h"
#include "tests/icontheme/ThemeWorld.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMap>

using namespace icontheme;
using testing_support::ThemeWorld;

namespace {

TEST(DesktopTheme, FirstSourceThatAnswersWins) {
    ThemeWorld world;
    const QString config = world.root() + "/config";
    struct Case {
        const char* desktop;
        QMap<QString, QString> tools; // "program schema-or-channel" -> output; "qt" -> Qt's name
        QMap<QString, QByteArray> files;
        const char* overrideName;
        const char* theme;
        const char* source;
    };
    const QString gnome = "gsettings org.gnome.desktop.interface";
    const QMap<QString, QString> all = {{gnome, "'Gnomish'"},
                                        {"gsettings org.cinnamon.desktop.interface", "'Cinny'"},
                                        {"gsettings org.mate.interface", "'Matey'"},
                                        {"xfconf-query xsettings", "Xfcey"}};
    const QMap<QString, QByteArray> gtk = {
        {"gtk-3.0/settings.ini", "[Settings]\ngtk-icon-theme-name = GtkOne\n"}};
    const QMap<QString, QByteArray> kde = {
        {"kdeglobals", "[General]\nTheme=no\n[Icons]\nTheme=breezy\n"}};
    const Case cases[] = {
        {"ubuntu:GNOME", all, {}, nullptr, "Gnomish", "GNOME settings"},
        {"Budgie", all, {}, nullptr, "Gnomish", "GNOME settings"},
        {"X-Cinnamon", all, {}, nullptr, "Cinny", "Cinnamon settings"},
        {"MATE", all, {}, nullptr, "Matey", "MATE settings"},
        {"XFCE", all, {}, nullptr, "Xfcey", "Xfce settings"},
        {"KDE", all, kde, nullptr, "breezy", "KDE settings"},
        // A tool that is missing, or says nothing usable: on to GTK's settings.
        {"GNOME", {}, gtk, nullptr, "GtkOne", "GTK 3 settings"},
        {"GNOME", {{gnome, "''"}}, gtk, nullptr, "GtkOne", "GTK 3 settings"},
        {"GNOME", {{gnome, "'../../etc'"}}, {}, nullptr, "hicolor", "default"},
        {"KDE", {}, {{"kdeglobals", "[Icons]\n"}}, nullptr, "hicolor", "default"},
        {"", all, {{"gtk-3.0/settings.ini", "garbage\0\xff"}}, nullptr, "hicolor", "default"},
        {"GNOME", all, {}, "Chosen", "Chosen", "command line"},
        {"GNOME", all, {}, "a/b", "Gnomish", "GNOME settings"},
        // Qt's own name after GTK's settings; its fallback is no answer.
        {"LXQt", {{"qt", "Qtish"}}, {}, nullptr, "Qtish", "Qt theme"},
        {"LXQt", {{"qt", "Qtish"}}, gtk, nullptr, "GtkOne", "GTK 3 settings"},
        {"LXQt", {{"qt", "hicolor"}}, {}, nullptr, "hicolor", "default"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.desktop);
        QFile::remove(config + "/kdeglobals");
        QFile::remove(config + "/gtk-3.0/settings.ini");
        for (auto it = c.files.cbegin(); it != c.files.cend(); ++it)
            ThemeWorld::put(config, it.key(), it.value());
        DesktopContext context{
            c.desktop, config, [&](const QString& program, const QStringList& args) {
                // The schema of gsettings, the channel of xfconf-query.
                const QString key = program + " " + args.value(1);
                return c.tools.contains(key) ? std::optional<QString>(c.tools.value(key))
                                             : std::nullopt;
            }};
        context.qtTheme = c.tools.value("qt");
        const ThemeChoice choice =
            chooseTheme(context, desktopThemeSources(), QString::fromUtf8(c.overrideName));
        EXPECT_EQ(choice.theme, c.theme);
        EXPECT_EQ(choice.source, c.source);
    }
}

TEST(DesktopTheme, ToolsRunByPathWithATimeLimit) {
    ThemeWorld world;
    const QString bin = world.root() + "/bin";
    auto script = [&](const QString& name, const QByteArray& body) {
        ThemeWorld::put(bin, name, "#!/bin/sh\n" + body);
        QFile::setPermissions(bin + "/" + name, QFile::ReadOwner | QFile::ExeOwner);
    };
    script("says", "echo \"$1 $2\"\necho second line\n");
    script("fails", "echo Adwaita\nexit 3\n");
    script("hangs", "exec /usr/bin/tail -f /dev/null\n");
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin));
    EXPECT_EQ(runTool("says", {"get", "it"}), QString("get it"));
    EXPECT_EQ(runTool("fails", {}), std::nullopt);
    EXPECT_EQ(runTool("absent", {}), std::nullopt);
    EXPECT_EQ(runTool("hangs", {}, std::chrono::milliseconds(300)), std::nullopt);
    qputenv("PATH", "");
    EXPECT_EQ(runTool("says", {}), std::nullopt);
    qputenv("PATH", savedPath);
}

} // namespace
