// The display's XSettings manager is found by its process, and told another
// icon theme and then the one it had, through its own setting: the tools'
// calls in order, or xsettingsd's file (other value while it reloads, then
// the user's bytes again).
#include "library/icontheme/XSettingsToggle.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

using library::XSettingsManager;

platform::ProcessInfo process(int pid, const QString& name, const QString& display,
                              const QStringList& arguments = {}) {
    return {pid,
            "/usr/bin/" + name,
            name.left(15),
            QStringList{name} + arguments,
            {"DISPLAY=" + display, "HOME=/home/u"},
            "/work"};
}

TEST(XSettingsToggle, TheManagerOfThisDisplayIsFound) {
    const std::vector<platform::ProcessInfo> processes = {
        process(1, "xsettingsd", ":2", {"-c", "conf"}), process(2, "gsd-xsettings", ":1"),
        process(3, "xfsettingsd", ":3"), process(4, "xsettingsd", ":4")};
    const struct {
        QString display;
        XSettingsManager kind;
        int pid;
        QString config;
    } cases[] = {
        {":1", XSettingsManager::Gnome, 2, ""},
        {":2.0", XSettingsManager::Xsettingsd, 1, "/work/conf"},
        {":3", XSettingsManager::Xfce, 3, ""},
        {":4", XSettingsManager::Xsettingsd, 4, "/home/u/.xsettingsd"},
        {":5", XSettingsManager::None, 0, ""},
    };
    for (const auto& c : cases) {
        const auto found = library::findXSettingsManager(processes, c.display);
        EXPECT_EQ(found.kind, c.kind) << c.display.toStdString();
        EXPECT_EQ(found.pid, c.pid);
        EXPECT_EQ(found.configFile, c.config);
    }
}

TEST(XSettingsToggle, EachManagerNamesAnotherThemeAndThenItsOwn) {
    const struct {
        XSettingsManager kind;
        QString answer; // what the tool says the theme is
        QStringList calls;
        bool done;
    } cases[] = {
        {XSettingsManager::Xfce,
         "Papirus",
         {"xfconf-query -c xsettings -p /Net/IconThemeName -s hicolor",
          "xfconf-query -c xsettings -p /Net/IconThemeName -s Papirus"},
         true},
        {XSettingsManager::Gnome,
         "'hicolor'",
         {"gsettings set org.gnome.desktop.interface icon-theme Adwaita",
          "gsettings set org.gnome.desktop.interface icon-theme hicolor"},
         true},
        {XSettingsManager::Mate,
         "'Menta'",
         {"gsettings set org.mate.interface icon-theme hicolor",
          "gsettings set org.mate.interface icon-theme Menta"},
         true},
        {XSettingsManager::Cinnamon, "'../x'", {}, false}, // nothing unsafe is put back
        {XSettingsManager::None, "", {}, false},
    };
    for (const auto& c : cases) {
        QStringList calls;
        const library::ToggleContext context{
            [&](const QString&, const QStringList&) { return std::optional(c.answer); },
            [&](const QString& tool, const QStringList& arguments) {
                calls << tool + " " + arguments.join(' ');
                return true;
            },
            [](int) { return true; }, 0};
        EXPECT_EQ(library::toggleIconTheme({c.kind, 1, {}}, context), c.done);
        EXPECT_EQ(calls, c.calls);
    }
}

TEST(XSettingsToggle, XsettingsdsFileHoldsAnotherThemeWhileItReloadsAndThenTheUsersBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("conf");
    const QByteArray cases[] = {"# mine\nNet/IconThemeName \"Papirus\"\nGtk/FontName \"Sans 10\"",
                                "Gtk/CursorBlink 1\n"};
    for (const QByteArray& text : cases) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        QList<QByteArray> seen;
        const library::ToggleContext context{{},
                                             {},
                                             [&](int pid) {
                                                 EXPECT_EQ(pid, 7);
                                                 QFile now(path);
                                                 EXPECT_TRUE(now.open(QIODevice::ReadOnly));
                                                 seen << now.readAll();
                                                 return true;
                                             },
                                             0};
        EXPECT_TRUE(library::toggleIconTheme({XSettingsManager::Xsettingsd, 7, path}, context));
        ASSERT_EQ(seen.size(), 2);
        EXPECT_TRUE(seen[0].contains("Net/IconThemeName \"hicolor\"")) << seen[0].toStdString();
        EXPECT_EQ(seen[0].count("Net/IconThemeName"), 1);
        EXPECT_EQ(seen[1], text);
    }
    // No file: the manager's own settings are never made.
    EXPECT_FALSE(library::toggleIconTheme({XSettingsManager::Xsettingsd, 7, dir.filePath("none")},
                                          {{}, {}, [](int) { return true; }, 0}));
}

} // namespace
