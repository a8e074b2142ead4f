// Which icon theme the desktop uses: an ordered list of sources, each a
// small function that answers with a theme name or not at all; the first
// safe answer wins, hicolor when none answers.
#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

namespace icontheme {

// What the sources read: the environment they were started in, and a way
// to run a settings tool (its name, arguments; its first output line, or
// none when it is missing, fails or takes too long).
struct DesktopContext {
    QString currentDesktop; // XDG_CURRENT_DESKTOP, e.g. "ubuntu:GNOME"
    QString configHome;     // XDG_CONFIG_HOME or ~/.config
    std::function<std::optional<QString>(const QString&, const QStringList&)> run;
    // Qt's own theme name (QIcon::themeName()): a GUI application knows it,
    // so the program passes it in.
    QString qtTheme{};
    QString home{};            // HOME, for GTK 2's ~/.gtkrc-2.0
    QString lxdeSession{};     // DESKTOP_SESSION, or the running lxsession's -s
    QString qtPlatformTheme{}; // QT_QPA_PLATFORMTHEME: qt5ct or qt6ct keep a theme name
};

// A settings file that names the desktop's icon theme, read and written by
// its owner's rules: a key file (GLib's or KDE's/Qt's) or GTK 2's gtkrc.
enum class SettingsFormat { GtkKeyFile, KdeKeyFile, GtkRc };
struct SettingsFile {
    QString source;
    QStringList desktops; // the desktops whose programs read it; empty: any
    std::function<QString(const DesktopContext&)> path; // "" where it does not apply
    QString group;
    QString key;
    SettingsFormat format;
    // Whether a switch may make the file: its owner reads the system's
    // defaults beside it. A file that stands for all of its owner's
    // settings (LXDE's session settings, qt5ct's) is only changed.
    bool mayCreate;
};
// KDE's kdeglobals, LXQt's lxqt.conf, LXDE's session desktop.conf, GTK 3's
// settings.ini, GTK 2's ~/.gtkrc-2.0, qt5ct's or qt6ct's own file.
const QList<SettingsFile>& settingsFiles();
const SettingsFile* settingsFile(const QString& source);
// The theme the file names now; none when it names none or cannot be read.
std::optional<QString> readSetting(const SettingsFile& file, const DesktopContext& context);
// The file's text changed so that its owner reads value (none: no value),
// every other line kept; none where the owner refuses the file.
std::optional<QByteArray> withSetting(const SettingsFile& file, const QByteArray& text,
                                      const std::optional<QString>& value);
// Whether the desktop's programs read the file (its desktops list names one
// of XDG_CURRENT_DESKTOP's, or is empty).
bool readOnDesktop(const SettingsFile& file, const DesktopContext& context);

struct ThemeSource {
    QString name; // for the log: where the answer came from
    std::function<std::optional<QString>(const DesktopContext&)> answer;
};

struct ThemeChoice {
    QString theme;
    QString source;
    QStringList refused; // answers that were not safe theme names, with their source
};

DesktopContext desktopContextFromEnvironment(const QString& qtTheme = QString());
// $XDG_STATE_HOME, or ~/.local/state: what a program keeps of its own that
// outlives a deleted library (a switched setting, the folders it made).
QString stateHomeFromEnvironment();

// GNOME/Budgie/Unity, Cinnamon and MATE through gsettings, Xfce through
// xfconf-query, then the settings files in their order, then Qt's own name
// (not when it is only Qt's fallback, hicolor).
QList<ThemeSource> desktopThemeSources();

// The override first (when not empty), then the sources, then hicolor.
ThemeChoice chooseTheme(const DesktopContext& context, const QList<ThemeSource>& sources,
                        const QString& overrideName = QString());

// Runs the program found on PATH by its absolute path, without a shell;
// its first line of output when it exits with 0 within the time, having
// written no more than a line needs (the output is read as it comes; a
// tool that floods it is killed at once).
std::optional<QString> runTool(const QString& program, const QStringList& arguments,
                               std::chrono::milliseconds timeout = std::chrono::seconds(3));

} // namespace icontheme
