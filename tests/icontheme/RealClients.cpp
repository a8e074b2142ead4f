#include "tests/icontheme/RealClients.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace testing_support {
namespace {

QString run(const ThemeWorld& world, const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(clientEnvironment(world));
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(240000)) << program.toStdString();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0)
        << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

QProcessEnvironment clientEnvironment(const ThemeWorld& world) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", world.root() + "/home");
    env.insert("XDG_DATA_HOME", world.root() + "/data");
    env.insert("XDG_CONFIG_HOME", world.root() + "/config");
    // The machine's themes, then the world's made-up ones.
    env.insert("XDG_DATA_DIRS", "/usr/share:" + world.root() + "/sys");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("XDG_CURRENT_DESKTOP");
    return env;
}

QStringList gtkLookup(const ThemeWorld& world, const QString& theme, const QStringList& questions) {
    return run(world, "/usr/bin/python3", QStringList{TRAYSKIN_GTK_LOOKUP, theme} + questions)
        .split('\n', Qt::SkipEmptyParts);
}

QStringList kdeLookup(const ThemeWorld& world, const QStringList& names) {
    QStringList files;
    for (const QString& name : names) {
        QProcess process;
        QProcessEnvironment env = clientEnvironment(world);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(env);
        process.start("kiconfinder5", {name});
        process.waitForFinished(60000);
        const QString file = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
        files.append(file.isEmpty() ? "-" : file);
    }
    return files;
}

LiveTray::LiveTray(const ThemeWorld& world, const QStringList& names) : names_(names) {
    process_.setProcessEnvironment(clientEnvironment(world));
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start("/usr/bin/python3", QStringList{TRAYSKIN_TRAY_PIXELS, out_.path()} + names);
}

LiveTray::~LiveTray() {
    process_.closeWriteChannel(); // the end of its input ends the tray
    if (!process_.waitForFinished(240000))
        process_.kill();
    process_.waitForFinished(-1);
}

QMap<QString, QImage> LiveTray::pixels() {
    // The first pixels come once the tray is up; a line asks for more.
    if (asked_)
        process_.write("\n");
    asked_ = true;
    while (!process_.canReadLine()) {
        if (process_.state() == QProcess::NotRunning || !process_.waitForReadyRead(240000)) {
            ADD_FAILURE() << "the tray gave no pixels";
            return {};
        }
    }
    EXPECT_EQ(process_.readLine(), "shot\n");
    QMap<QString, QImage> pixels;
    for (const QString& name : names_)
        pixels.insert(name, QImage(out_.path() + "/" + name + ".ppm", "PPM"));
    return pixels;
}

} // namespace testing_support
