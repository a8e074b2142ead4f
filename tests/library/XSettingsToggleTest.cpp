// The display's XSettings manager is found by its process, and told another
// icon theme and then the one it had, through its own setting: the tools'
// calls in order, or xsettingsd's file (other value while it reloads, then
// the user's bytes again).
#include "library/icontheme/XSettingsToggle.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
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

// What a GTK 3 program on the display reads of the icon theme, one line a change.
const char* const kListener = R"(
import gi, sys
gi.require_version("Gtk", "3.0")
from gi.repository import Gtk
settings = Gtk.Settings.get_default()
settings.connect("notify::gtk-icon-theme-name",
                 lambda *a: print(settings.props.gtk_icon_theme_name, flush=True))
window = Gtk.Window()
window.connect("map", lambda *a: print("mapped", settings.props.gtk_icon_theme_name, flush=True))
window.show()
Gtk.main()
)";

// Reads the process's output until it holds the text, or the deadline passes.
bool waitForText(QProcess& process, QByteArray& seen, const QByteArray& text, bool errors = false) {
    const QDeadlineTimer deadline(20000);
    process.setReadChannel(errors ? QProcess::StandardError : QProcess::StandardOutput);
    while (!seen.contains(text) && !deadline.hasExpired()) {
        process.waitForReadyRead(int(deadline.remainingTime()));
        seen += errors ? process.readAllStandardError() : process.readAllStandardOutput();
    }
    return seen.contains(text);
}

// A real XSettings manager (xsettingsd) and a real GTK program on a display
// of the test's: the program sees another theme, then its own again, and
// the manager's file is the user's again byte for byte.
TEST(XSettingsToggle, AGtkProgramOnTheDisplaySeesAnotherThemeAndThenItsOwn) {
    for (const char* program : {"Xvfb", "xsettingsd", "/usr/bin/python3"})
        if (QStandardPaths::findExecutable(program).isEmpty())
            GTEST_SKIP() << program << " is not installed (xvfb, xsettingsd, python3-gi)";
    QTemporaryDir dir;
    QProcess xvfb;
    xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "64x64x24", "-nolisten", "tcp"});
    QByteArray number;
    ASSERT_TRUE(waitForText(xvfb, number, "\n"));
    const QString display = ":" + QString::fromLatin1(number.trimmed());
    const QByteArray conf = "# mine\nNet/IconThemeName \"Papirus\"\n";
    QFile file(dir.filePath("xsettingsd.conf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(conf);
    file.close();
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    QProcess manager, listener;
    manager.setProcessEnvironment(environment);
    manager.start("xsettingsd", {"-c", file.fileName()});
    QByteArray managerSaid, heard;
    ASSERT_TRUE(waitForText(manager, managerSaid, "Took ownership", true)) << managerSaid.data();
    listener.setProcessEnvironment(environment);
    listener.start("/usr/bin/python3", {"-c", kListener});
    ASSERT_TRUE(waitForText(listener, heard, "mapped Papirus\n")) << heard.data();

    const QByteArray saved = qgetenv("DISPLAY");
    qputenv("DISPLAY", display.toUtf8());
    EXPECT_TRUE(library::toggleRunningManager());
    qputenv("DISPLAY", saved);
    EXPECT_TRUE(waitForText(listener, heard, "hicolor\nPapirus\n")) << heard.data();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), conf);
    for (QProcess* process : {&listener, &manager, &xvfb}) {
        process->terminate();
        process->waitForFinished();
    }
}

} // namespace
