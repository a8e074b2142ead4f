// The panels and tray programs that Trayskin can start again so that they
// show new pictures, without ending the session: found by their processes
// (the user's own, on this display), each restarted the way its own tools
// do it. Nothing goes through a shell; a restarted program gets its own
// arguments, environment and folder back.
#pragma once

#include "platform/core/ProcessList.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace library {

// How a program is started again.
enum class RestartWay {
    Tell,     // a tool tells the running program to restart itself (xfce4-panel -r)
    Replace,  // a new instance takes over from the running one (mate-panel --replace)
    Relaunch, // the process is ended and started again as it was (lxqt-panel)
    Reload,   // a signal makes it read everything again, after its icon cache is
              // cleaned of the names Trayskin changes (tint2)
    Cannot,   // only a new session shows the pictures (GNOME Shell)
};

struct PanelKind {
    const char* program; // the process's program name
    RestartWay way;
    // Tell: the tool (found beside the program, else on PATH; "" for the
    // program itself) and its arguments; Replace: the program's arguments.
    const char* tool;
    QList<const char*> arguments;
    // Status programs: the beginnings of the icon names they show; empty
    // for a panel.
    QList<const char*> shows{};
};

// The panels, then the status programs known to be safe to restart.
const QList<PanelKind>& panelKinds();

struct RunningProgram {
    platform::ProcessInfo process;
    const PanelKind* kind = nullptr;
    bool isPanel() const { return kind->shows.isEmpty(); }
};

// Where the programs run: this session's display (DISPLAY, compared
// without its screen number) or Wayland display.
struct SessionDisplay {
    QString x11;
    QString wayland;
    static SessionDisplay fromEnvironment();
    bool holds(const platform::ProcessInfo& process) const;
};

// The known programs among the processes that run on the display: every
// panel, and the status programs that show a name one of changedNames
// begins (or that begins one of them).
std::vector<RunningProgram> findRestartable(const std::vector<platform::ProcessInfo>& processes,
                                            const SessionDisplay& display,
                                            const QStringList& changedNames);

// The same among the user's processes in /proc, on this session's display.
std::vector<RunningProgram> runningRestartable(const QStringList& changedNames);

// One step of a restart.
struct RestartStep {
    enum Kind { Run, StartDetached, End, Signal, CleanIconCache } kind;
    QString program; // Run, StartDetached: the absolute path
    QStringList arguments;
    QStringList environment; // the program's own
    QString folder;          // its working folder
    int pid = 0;             // End, Signal
    int signal = 0;
    QString cacheFile; // CleanIconCache
};

// The steps that start the program again, as its kind says; none for one
// that cannot be restarted.
std::vector<RestartStep> restartSteps(const RunningProgram& program);

// The cache's text without the lines of icon names that isOurs takes; the
// other lines as they were. tint2 keeps "<theme>\t<icon>\t<size>=<path>".
QByteArray withoutNames(const QByteArray& cache, bool (*isOurs)(QStringView icon));

// Runs the steps; "" when each was done, else what failed, for people.
QString runSteps(const std::vector<RestartStep>& steps, const QString& procRoot);

} // namespace library
