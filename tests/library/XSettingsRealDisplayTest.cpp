// The toggle against a real display: Xvfb with a real xsettingsd reading the
// user's file, and a GTK 3 program that reports each theme it reads.
#include "library/icontheme/XSettingsToggle.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

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
// the manager's file is the user's again byte for byte. (A toggle killed in
// its pause: XSettingsToggleTest, and CommandLineTest for the next verb.)
TEST(XSettingsToggle, AGtkProgramSeesAnotherThemeAndItsOwn) {
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

} // namespace
