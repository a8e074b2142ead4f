// The toggle against a real display: Xvfb with a real xsettingsd reading the
// user's file, a GTK 3 program that reports each theme it reads, and the
// program killed inside its toggle, its next start putting the file back.
#include "library/icontheme/XSettingsJournal.h"
#include "library/icontheme/XSettingsToggle.h"
#include "tests/icontheme/ThemeWorld.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>

namespace {

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
// the manager's file is the user's again byte for byte. The real program
// killed (SIGKILL) while the file holds the toggle's value: its next verb
// puts the user's file back byte for byte.
TEST(XSettingsToggle, AGtkProgramSeesAnotherThemeAndItsOwnAndAKilledToggleIsPutBack) {
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
