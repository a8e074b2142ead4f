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
};

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
// xfconf-query, KDE's kdeglobals, GTK 3's settings.ini, then Qt's own name
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
