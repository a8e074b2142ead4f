#include "library/icontheme/PanelRestart.h"

#include "icontheme/SafeFolder.h"
#include "icontheme/StatusItems.h"
#include "platform/core/Bundle.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace library {

using platform::bundle::localizedString;

const QList<PanelKind>& panelKinds() {
    static const QList<PanelKind> kinds = {
        {"xfce4-panel", RestartWay::Relaunch, "", {}},
        {"mate-panel", RestartWay::Replace, "", {"--replace"}},
        {"lxpanel", RestartWay::Tell, "lxpanelctl", {"restart"}},
        {"lxqt-panel", RestartWay::Relaunch, "", {}},
        {"tint2", RestartWay::Reload, "", {}},
        {"plasmashell", RestartWay::Replace, "", {"--replace"}},
        {"budgie-panel", RestartWay::Replace, "", {"--replace"}},
        {"cinnamon", RestartWay::Replace, "", {"--replace"}},
        {"gnome-shell", RestartWay::Cannot, "", {}},
        // Status programs that keep nothing but their icon and start again
        // cleanly; each with the names it shows.
        {"nm-applet", RestartWay::Relaunch, "", {}, {"nm-", "network-"}},
        {"cbatticon",
         RestartWay::Relaunch,
         "",
         {},
         {"battery-", "ac-adapter", "notification-battery", "notification-power"}},
        {"volumeicon", RestartWay::Relaunch, "", {}, {"audio-volume-"}},
        {"pasystray", RestartWay::Relaunch, "", {}, {"audio-volume-", "audio-input-microphone"}},
        {"blueman-applet", RestartWay::Relaunch, "", {}, {"blueman", "bluetooth"}},
        {"xfce4-power-manager",
         RestartWay::Tell,
         "",
         {"--restart"},
         {"battery-", "ac-adapter", "xfpm-", "xfce4-power-manager"}},
    };
    return kinds;
}

namespace {

// ":0.0", ":0" and "unix:0" are the same display.
QString displayName(QString display) {
    if (display.startsWith(QStringLiteral("unix:")))
        display.remove(0, 4);
    const qsizetype colon = display.lastIndexOf(u':');
    const qsizetype dot = display.indexOf(u'.', colon < 0 ? 0 : colon);
    return colon >= 0 && dot > colon ? display.left(dot) : display;
}

bool showsAny(const PanelKind& kind, const QStringList& names) {
    for (const char* shown : kind.shows) {
        const QLatin1StringView prefix(shown);
        for (const QString& name : names)
            if (name.startsWith(prefix) || prefix.startsWith(name))
                return true;
    }
    return false;
}

// A tool's path: beside the program that runs, else on PATH.
QString toolPath(const platform::ProcessInfo& process, const char* tool) {
    if (*tool == '\0')
        return QFileInfo(process.exe).isExecutable() ? process.exe : QString();
    const QString beside = QFileInfo(process.exe).path() + u'/' + QLatin1StringView(tool);
    if (!process.exe.isEmpty() && QFileInfo(beside).isExecutable())
        return beside;
    return QStandardPaths::findExecutable(QLatin1StringView(tool));
}

QString cacheFileOf(const platform::ProcessInfo& process) {
    QString cache = process.variable(u"XDG_CACHE_HOME");
    if (!QDir::isAbsolutePath(cache)) {
        const QString home = process.variable(u"HOME");
        if (!QDir::isAbsolutePath(home))
            return QString();
        cache = home + QStringLiteral("/.cache");
    }
    return cache + QStringLiteral("/tint2/icon.cache");
}

QProcessEnvironment environmentOf(const QStringList& entries) {
    QProcessEnvironment environment;
    for (const QString& entry : entries) {
        const qsizetype equals = entry.indexOf(u'=');
        if (equals > 0)
            environment.insert(entry.left(equals), entry.mid(equals + 1));
    }
    return environment;
}

void prepare(QProcess& process, const RestartStep& step) {
    process.setProgram(step.program);
    process.setArguments(step.arguments);
    process.setProcessEnvironment(environmentOf(step.environment));
    if (QFileInfo(step.folder).isDir())
        process.setWorkingDirectory(step.folder);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
}

constexpr int kWaitMs = 10000;

// Waits for the process to end: on its pidfd where the kernel has them,
// else by looking at /proc again.
bool waitForEnd(const QString& procRoot, int pid) {
    const QDeadlineTimer deadline(kWaitMs);
    const int fd = procRoot == u"/proc" ? int(::syscall(SYS_pidfd_open, pid, 0)) : -1;
    if (fd >= 0) {
        pollfd ended{fd, POLLIN, 0};
        int ready = 0;
        do
            ready = ::poll(&ended, 1, int(deadline.remainingTime()));
        while (ready < 0 && errno == EINTR);
        ::close(fd);
        return ready > 0;
    }
    while (platform::processRuns(procRoot, pid)) {
        if (deadline.hasExpired())
            return false;
        // No pidfd (an old kernel, or a made-up /proc): looked at again
        // every 50 ms until the deadline.
        ::poll(nullptr, 0, 50);
    }
    return true;
}

QString runStep(const RestartStep& step, const QString& procRoot) {
    const QString name = QFileInfo(step.program).fileName();
    switch (step.kind) {
    case RestartStep::Run: {
        QProcess process;
        prepare(process, step);
        process.start();
        if (!process.waitForFinished(kWaitMs)) {
            process.kill();
            process.waitForFinished(-1);
            return localizedString(QT_TRANSLATE_NOOP("Trayskin", "%1 did not finish")).arg(name);
        }
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0
                   ? QString()
                   : localizedString(QT_TRANSLATE_NOOP("Trayskin", "%1 failed")).arg(name);
    }
    case RestartStep::StartDetached: {
        QProcess process;
        prepare(process, step);
        return process.startDetached()
                   ? QString()
                   : localizedString(QT_TRANSLATE_NOOP("Trayskin", "%1 could not be started"))
                         .arg(name);
    }
    case RestartStep::End:
        if (::kill(step.pid, SIGTERM) != 0 && errno != ESRCH)
            return localizedString(QT_TRANSLATE_NOOP("Trayskin", "process %1 could not be ended"))
                .arg(step.pid);
        return waitForEnd(procRoot, step.pid)
                   ? QString()
                   : localizedString(QT_TRANSLATE_NOOP("Trayskin", "process %1 did not end"))
                         .arg(step.pid);
    case RestartStep::Signal:
        return ::kill(step.pid, step.signal) == 0
                   ? QString()
                   : localizedString(
                         QT_TRANSLATE_NOOP("Trayskin", "process %1 could not be signalled"))
                         .arg(step.pid);
    case RestartStep::CleanIconCache: {
        const QFileInfo info(step.cacheFile);
        auto folder = icontheme::SafeFolder::open(info.path(), false);
        const auto text = folder ? folder->read(info.fileName(), 16 << 20) : std::nullopt;
        if (!text) // no cache: nothing to clean
            return QString();
        const QByteArray cleaned = withoutNames(*text, [](QStringView icon) {
            return icontheme::isItemName(QLatin1StringView(icon.toLatin1()));
        });
        return cleaned == *text || folder->write(info.fileName(), cleaned)
                   ? QString()
                   : localizedString(QT_TRANSLATE_NOOP("Trayskin", "%1 could not be written"))
                         .arg(step.cacheFile);
    }
    }
    return QString();
}

} // namespace

SessionDisplay SessionDisplay::fromEnvironment() {
    return {qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY")};
}

bool SessionDisplay::holds(const platform::ProcessInfo& process) const {
    const QString x = process.variable(u"DISPLAY");
    const QString w = process.variable(u"WAYLAND_DISPLAY");
    return (!x11.isEmpty() && !x.isEmpty() && displayName(x) == displayName(x11)) ||
           (!wayland.isEmpty() && w == wayland);
}

std::vector<RunningProgram> findRestartable(const std::vector<platform::ProcessInfo>& processes,
                                            const SessionDisplay& display,
                                            const QStringList& changedNames) {
    std::vector<RunningProgram> found;
    for (const platform::ProcessInfo& process : processes) {
        if (!display.holds(process))
            continue;
        for (const PanelKind& kind : panelKinds()) {
            if (!process.runs(QLatin1StringView(kind.program)))
                continue;
            if (kind.shows.isEmpty() || showsAny(kind, changedNames))
                found.push_back({process, &kind});
            break;
        }
    }
    return found;
}

std::vector<RunningProgram> runningRestartable(const QStringList& changedNames) {
    // Only the known programs' environments are read.
    const auto known = [](const platform::ProcessInfo& process) {
        return std::any_of(panelKinds().cbegin(), panelKinds().cend(), [&](const PanelKind& kind) {
            return process.runs(QLatin1StringView(kind.program));
        });
    };
    return findRestartable(platform::userProcesses(known), SessionDisplay::fromEnvironment(),
                           changedNames);
}

std::vector<RestartStep> restartSteps(const RunningProgram& program) {
    const platform::ProcessInfo& process = program.process;
    const PanelKind& kind = *program.kind;
    RestartStep base;
    base.environment = process.environment;
    base.folder = process.workingFolder;
    base.pid = process.pid;
    QStringList arguments;
    for (const char* argument : kind.arguments)
        arguments.append(QLatin1StringView(argument));
    switch (kind.way) {
    case RestartWay::Tell:
    case RestartWay::Replace: {
        RestartStep step = base;
        step.kind = kind.way == RestartWay::Tell ? RestartStep::Run : RestartStep::StartDetached;
        step.program = toolPath(process, kind.tool);
        step.arguments = arguments;
        if (step.program.isEmpty())
            return {};
        return {step};
    }
    case RestartWay::Relaunch: {
        if (!QFileInfo(process.exe).isExecutable() || process.arguments.isEmpty())
            return {};
        RestartStep end = base;
        end.kind = RestartStep::End;
        RestartStep start = base;
        start.kind = RestartStep::StartDetached;
        start.program = process.exe;
        start.arguments = process.arguments.mid(1);
        return {end, start};
    }
    case RestartWay::Reload: {
        RestartStep clean = base;
        clean.kind = RestartStep::CleanIconCache;
        clean.cacheFile = cacheFileOf(process);
        RestartStep signal = base;
        signal.kind = RestartStep::Signal;
        signal.signal = SIGUSR1;
        if (clean.cacheFile.isEmpty())
            return {signal};
        return {clean, signal};
    }
    case RestartWay::Cannot:
        break;
    }
    return {};
}

QByteArray withoutNames(const QByteArray& cache, bool (*isOurs)(QStringView icon)) {
    QByteArray kept;
    kept.reserve(cache.size());
    qsizetype start = 0;
    while (start < cache.size()) {
        qsizetype end = cache.indexOf('\n', start);
        end = end < 0 ? cache.size() : end + 1;
        const QByteArrayView line(cache.constData() + start, end - start);
        const qsizetype tab = line.indexOf('\t');
        const qsizetype second = tab < 0 ? -1 : line.indexOf('\t', tab + 1);
        const bool ours =
            second > tab && isOurs(QString::fromUtf8(line.sliced(tab + 1, second - tab - 1)));
        if (!ours)
            kept.append(line);
        start = end;
    }
    return kept;
}

QString runSteps(const std::vector<RestartStep>& steps, const QString& procRoot) {
    for (const RestartStep& step : steps)
        if (const QString failed = runStep(step, procRoot); !failed.isEmpty())
            return failed;
    return QString();
}

} // namespace library
