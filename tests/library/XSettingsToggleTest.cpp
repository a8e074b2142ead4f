// The display's XSettings manager is found by its process, and told another
// icon theme and then the one it had, through its own setting: the tools'
// calls in order, or xsettingsd's file (other value while it reloads, then
// the user's bytes again).
#include "library/icontheme/XSettingsToggle.h"
#include "library/icontheme/XSettingsJournal.h"
#include "tests/icontheme/ThemeWorld.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <functional>

namespace {

using library::XSettingsManager;

// What was said on standard error since CaptureStderr() holds the text.
void expectSaid(const char* text) {
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(text), std::string::npos) << said;
}

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
            [](int) { return true; },
            0,
            {}};
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
                                             0,
                                             {}};
        EXPECT_TRUE(library::toggleIconTheme({XSettingsManager::Xsettingsd, 7, path}, context));
        ASSERT_EQ(seen.size(), 2);
        EXPECT_TRUE(seen[0].contains("Net/IconThemeName \"hicolor\"")) << seen[0].toStdString();
        EXPECT_EQ(seen[0].count("Net/IconThemeName"), 1);
        EXPECT_EQ(seen[1], text);
    }
    // No file: the manager's own settings are never made.
    EXPECT_FALSE(library::toggleIconTheme({XSettingsManager::Xsettingsd, 7, dir.filePath("none")},
                                          {{}, {}, [](int) { return true; }, 0, {}}));
}

// With an aside (the window's), the toggle returns once the other value is
// set and the journal kept; what the aside runs after the pause puts the
// user's value back and drops the journal.
TEST(XSettingsToggle, AnAsideTakesThePauseAndTheValueSetBack) {
    const QByteArray users = "Net/IconThemeName \"Papirus\"\n";
    for (const XSettingsManager kind :
         {XSettingsManager::Xfce, XSettingsManager::Gnome, XSettingsManager::Xsettingsd}) {
        SCOPED_TRACE(int(kind));
        QTemporaryDir dir;
        const QString conf = dir.filePath("conf"), journal = dir.filePath("toggle.json");
        testing_support::ThemeWorld::put(dir.path(), "conf", users);
        QString setting = "Papirus";
        std::function<bool()> later;
        int pause = 0;
        const library::ToggleContext context{
            [&](const QString&, const QStringList&) { return std::optional(setting); },
            [&](const QString&, const QStringList& arguments) {
                setting = arguments.last();
                return true;
            },
            [](int) { return true; },
            500,
            journal,
            [&](int pauseMs, std::function<bool()> back) {
                pause = pauseMs;
                later = std::move(back);
            }};
        const auto shown = [&] {
            return kind == XSettingsManager::Xsettingsd
                       ? QString::fromUtf8(testing_support::ThemeWorld::get(conf))
                       : setting;
        };
        EXPECT_TRUE(library::toggleIconTheme({kind, 1, conf}, context));
        EXPECT_EQ(pause, 500);
        EXPECT_TRUE(shown().contains("hicolor"));
        EXPECT_TRUE(QFile::exists(journal));
        ASSERT_TRUE(later);
        EXPECT_TRUE(later());
        EXPECT_TRUE(shown().contains("Papirus"));
        EXPECT_EQ(testing_support::ThemeWorld::get(conf), users);
        EXPECT_FALSE(QFile::exists(journal));
    }
}

// A toggle killed in its pause leaves its journal; the next start puts the
// user's value back where the setting still holds the toggle's, keeps a
// value the user chose since, and always removes the journal.
TEST(XSettingsToggle, AStartFinishesWhatAKilledToggleLeftSet) {
    const struct {
        XSettingsManager kind;
        const char* userPicks; // after the kill; "" for nothing
        QString finally;
        const char* said;
    } cases[] = {
        {XSettingsManager::Xfce, "", "Papirus", "put back the user's icon theme"},
        {XSettingsManager::Gnome, "", "Papirus", "put back the user's icon theme"},
        {XSettingsManager::Mate, "", "Papirus", "put back the user's icon theme"},
        {XSettingsManager::Cinnamon, "", "Papirus", "put back the user's icon theme"},
        {XSettingsManager::Xfce, "Breeze", "Breeze", "no longer holds the toggle's value"},
        {XSettingsManager::Gnome, "Breeze", "Breeze", "no longer holds the toggle's value"},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString journal = dir.filePath("state/trayskin/xsettings-toggle.json");
        QString setting = "Papirus";
        int sets = 0;
        const bool quoted = c.kind != XSettingsManager::Xfce;
        auto context = [&](int setsAllowed) {
            return library::ToggleContext{
                [&](const QString&, const QStringList&) {
                    return std::optional(quoted ? "'" + setting + "'" : setting);
                },
                [&, setsAllowed](const QString&, const QStringList& arguments) {
                    if (++sets > setsAllowed)
                        return false; // killed before it could set the value back
                    setting = arguments.last();
                    return true;
                },
                [](int) { return true; }, 0, journal};
        };
        EXPECT_FALSE(library::toggleIconTheme({c.kind, 1, {}}, context(1)));
        EXPECT_EQ(setting, "hicolor");
        ASSERT_TRUE(QFile::exists(journal));
        if (*c.userPicks)
            setting = c.userPicks;
        sets = 0;
        testing::internal::CaptureStderr();
        library::finishInterruptedToggle(journal, context(1), {});
        expectSaid(c.said);
        EXPECT_EQ(setting, c.finally);
        EXPECT_EQ(sets, *c.userPicks ? 0 : 1);
        EXPECT_FALSE(QFile::exists(journal));
        // A toggle that ends leaves no journal.
        sets = 0;
        EXPECT_TRUE(library::toggleIconTheme({c.kind, 1, {}}, context(2)));
        EXPECT_FALSE(QFile::exists(journal));
    }
}

TEST(XSettingsToggle, AStartPutsXsettingsdsFileBackOnlyWhereItHoldsTheTogglesBytes) {
    const QByteArray users = "Net/IconThemeName \"Papirus\"\n";
    const QByteArray ours = "Net/IconThemeName \"hicolor\"\n";
    const QByteArray breeze = "Net/IconThemeName \"Breeze\"\n";
    const struct {
        QByteArray now; // the file at the start
        QByteArray finally;
        int reloads;
    } cases[] = {{ours, users, 1}, {breeze, breeze, 0}, {users, users, 0}};
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath("xsettingsd.conf");
        const QString journal = dir.filePath("trayskin/xsettings-toggle.json");
        testing_support::ThemeWorld::put(dir.path(), "xsettingsd.conf", c.now);
        ASSERT_TRUE(library::writeToggleJournal(
            journal, {XSettingsManager::Xsettingsd, "Papirus", "hicolor", path, users, ours}));
        int reloads = 0;
        library::finishInterruptedToggle(
            journal, {{}, {}, [&](int pid) { return pid == 9 && ++reloads > 0; }, 0, {}},
            {XSettingsManager::Xsettingsd, 9, path});
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), c.finally);
        EXPECT_EQ(reloads, c.reloads);
        EXPECT_FALSE(QFile::exists(journal));
    }
}

TEST(XSettingsToggle, ADamagedJournalIsRemovedAndNothingIsWritten) {
    const QByteArray cases[] = {
        "{not json",
        R"({"manager": "xfce", "value": "../x", "set": "hicolor"})",
        R"({"manager": "xsettingsd", "value": "P", "set": "hicolor", "path": "rel", "ours": "eA=="})",
    };
    for (const QByteArray& text : cases) {
        QTemporaryDir dir;
        const QString journal = dir.filePath("xsettings-toggle.json");
        testing_support::ThemeWorld::put(dir.path(), "xsettings-toggle.json", text);
        int calls = 0;
        const auto called = [&](auto&&...) { return ++calls > 0; };
        testing::internal::CaptureStderr();
        library::finishInterruptedToggle(
            journal,
            {[&](auto&&...) { return ++calls, std::optional<QString>("hicolor"); },
             called,
             called,
             0,
             {}},
            {XSettingsManager::Xfce, 9, {}});
        expectSaid("removed a damaged icon theme toggle journal");
        EXPECT_EQ(calls, 0) << text.toStdString();
        EXPECT_FALSE(QFile::exists(journal));
    }
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

// A display of the test's (Xvfb) whose XSettings manager is a real
// xsettingsd reading the user's file.
struct RealDisplay {
    QTemporaryDir dir;
    QProcess xvfb, manager;
    QString display;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QFile file{dir.filePath("xsettingsd.conf")};
    const QByteArray conf = "# mine\nNet/IconThemeName \"Papirus\"\n";

    static bool installed() {
        for (const char* program : {"Xvfb", "xsettingsd", "/usr/bin/python3"})
            if (QStandardPaths::findExecutable(program).isEmpty())
                return false;
        return true;
    }
    void start() {
        xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "64x64x24", "-nolisten", "tcp"});
        QByteArray number;
        ASSERT_TRUE(waitForText(xvfb, number, "\n"));
        display = ":" + QString::fromLatin1(number.trimmed());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(conf);
        file.close();
        environment.insert("DISPLAY", display);
        manager.setProcessEnvironment(environment);
        manager.start("xsettingsd", {"-c", file.fileName()});
        QByteArray said;
        ASSERT_TRUE(waitForText(manager, said, "Took ownership", true)) << said.data();
    }
    QByteArray fileNow() {
        QFile now(file.fileName());
        return now.open(QIODevice::ReadOnly) ? now.readAll() : QByteArray();
    }
    ~RealDisplay() {
        for (QProcess* process : {&manager, &xvfb}) {
            process->terminate();
            process->waitForFinished();
        }
    }
};

// A real XSettings manager (xsettingsd) and a real GTK program on a display
// of the test's: the program sees another theme, then its own again, and
// the manager's file is the user's again byte for byte.
TEST(XSettingsToggle, AGtkProgramOnTheDisplaySeesAnotherThemeAndThenItsOwn) {
    if (!RealDisplay::installed())
        GTEST_SKIP() << "Xvfb, xsettingsd or python3-gi is not installed";
    RealDisplay real;
    ASSERT_NO_FATAL_FAILURE(real.start());
    QProcess listener;
    QByteArray heard;
    listener.setProcessEnvironment(real.environment);
    listener.start("/usr/bin/python3", {"-c", kListener});
    ASSERT_TRUE(waitForText(listener, heard, "mapped Papirus\n")) << heard.data();

    const QByteArray saved = qgetenv("DISPLAY");
    qputenv("DISPLAY", real.display.toUtf8());
    EXPECT_TRUE(library::toggleRunningManager());
    EXPECT_TRUE(waitForText(listener, heard, "hicolor\nPapirus\n")) << heard.data();
    EXPECT_EQ(real.fileNow(), real.conf);
    // The window's: the pause passes on a thread of its own, and a change
    // made meanwhile never takes the toggle's value for the user's.
    library::pauseTogglesAside();
    EXPECT_TRUE(library::toggleRunningManager());
    EXPECT_TRUE(library::toggleRunningManager());
    library::waitForPendingToggle();
    qputenv("DISPLAY", saved);
    EXPECT_EQ(real.fileNow(), real.conf);
    EXPECT_TRUE(waitForText(listener, heard, "hicolor\nPapirus\nhicolor\nPapirus\n"))
        << heard.data();
    listener.terminate();
    listener.waitForFinished();
}

// The real program killed (SIGKILL) while the manager's file holds the
// toggle's value: its next verb puts the user's file back byte for byte.
TEST(XSettingsToggle, TheProgramKilledInItsToggleLeavesTheUsersFileToItsNextStart) {
    if (!RealDisplay::installed())
        GTEST_SKIP() << "Xvfb, xsettingsd or python3-gi is not installed";
    RealDisplay real;
    ASSERT_NO_FATAL_FAILURE(real.start());
    testing_support::ThemeWorld world;
    world.copy(TRAYSKIN_THEMES "/test-blue");
    QProcessEnvironment environment = real.environment;
    for (const char* name :
         {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_CURRENT_DESKTOP", "DBUS_SESSION_BUS_ADDRESS"})
        environment.remove(name);
    for (const auto& [name, folder] : {std::pair{"HOME", "/home"},
                                       {"TRAYSKIN_SYSROOT", "/nosys"},
                                       {"XDG_DATA_HOME", "/data"},
                                       {"XDG_DATA_DIRS", "/sys"},
                                       {"XDG_CONFIG_HOME", "/config"},
                                       {"XDG_STATE_HOME", "/state"}})
        environment.insert(name, world.root() + folder);
    const QString journal = world.root() + "/state/trayskin/xsettings-toggle.json";
    const QString program = QStringLiteral(TRAYSKIN_TEST_BUNDLE "/Contents/MacOS/trayskin");
    QProcess run;
    run.setProcessEnvironment(environment);
    // A kill inside the pause: the journal is there and the file holds the
    // other value. A run that ended before the kill landed is tried again.
    bool killedInside = false;
    for (int attempt = 0; attempt < 5 && !killedInside; ++attempt) {
        run.start(program, {"--icon-theme", "Test", "use", "Volume", "Blue"});
        ASSERT_TRUE(run.waitForStarted());
        const QDeadlineTimer deadline(30000);
        while (!(QFile::exists(journal) && real.fileNow() != real.conf) &&
               run.state() == QProcess::Running && !run.waitForFinished(1) &&
               !deadline.hasExpired()) {
        }
        ::kill(pid_t(run.processId()), SIGKILL);
        run.waitForFinished();
        killedInside = QFile::exists(journal) && real.fileNow() != real.conf;
    }
    ASSERT_TRUE(killedInside);
    EXPECT_TRUE(real.fileNow().contains("hicolor"));
    run.start(program, {"--icon-theme", "Test", "restore", "Volume"});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_TRUE(run.readAllStandardError().contains("put back the user's file byte for byte"));
    EXPECT_EQ(real.fileNow(), real.conf);
    EXPECT_FALSE(QFile::exists(journal));
}

} // namespace
