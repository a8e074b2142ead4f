// Real clients asked in processes of their own, started after each step as
// a panel's status item would be: GTK 3's lookup, KDE's icon loader; and a
// real tray (Debian's trayer with GTK 3 status icons under
// Xvfb) that keeps running. Each sees the world's home and data folders and
// the machine's /usr/share.
#pragma once

#include "tests/icontheme/ThemeWorld.h"

#include <QImage>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testing_support {

QProcessEnvironment clientEnvironment(const ThemeWorld& world);
// "NAME:SIZE:SCALE" each: the file GTK gives, or "-".
QStringList gtkLookup(const ThemeWorld& world, const QString& theme, const QStringList& questions);
// "NAME" each: the file KDE's icon loader (kiconfinder5) finds in the theme
// that the world's kdeglobals names, or "-".
QStringList kdeLookup(const ThemeWorld& world, const QStringList& names);
// A real tray that keeps running, its GTK 3 status icons setting their
// names again every second (as a volume indicator does on each change), so
// that GTK looks them up while they run.
class LiveTray {
public:
    LiveTray(const ThemeWorld& world, const QStringList& names);
    ~LiveTray();
    // What the tray draws for each name now, once its pixels hold still.
    QMap<QString, QImage> pixels();

private:
    QTemporaryDir out_;
    QStringList names_;
    QProcess process_;
    bool asked_ = false;
};

} // namespace testing_support
