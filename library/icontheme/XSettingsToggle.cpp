#include "library/icontheme/XSettingsToggle.h"
#include "library/icontheme/XSettingsJournal.h"

#include "icontheme/DesktopTheme.h"
#include "icontheme/SafeFolder.h"
#include "icontheme/ThemeIndex.h"
#include "icontheme/ThemeSwitch.h"
#include "library/icontheme/PanelRestart.h"

#include <QFileInfo>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <thread>

namespace library {
namespace {

const char* schemaOf(XSettingsManager kind) {
    switch (kind) {
    case XSettingsManager::Gnome:
        return "org.gnome.desktop.interface";
    case XSettingsManager::Mate:
        return "org.mate.interface";
    case XSettingsManager::Cinnamon:
        return "org.cinnamon.desktop.interface";
    default:
        return nullptr;
    }
}

QString otherThan(const QString& theme) {
    return theme == u"hicolor" ? QStringLiteral("Adwaita") : QStringLiteral("hicolor");
}

// An interrupt or a termination asked during the toggle takes effect once
// the user's value is back (the journal covers what cannot be held off).
class HeldSignals {
public:
    HeldSignals() {
        sigset_t held;
        sigemptyset(&held);
        sigaddset(&held, SIGINT);
        sigaddset(&held, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &held, &before_);
    }
    ~HeldSignals() { pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

private:
    sigset_t before_;
};

// The pause, then back(): on this thread, or aside where the context says.
bool afterPause(const ToggleContext& context, std::function<bool()> back) {
    if (!context.aside) {
        std::this_thread::sleep_for(std::chrono::milliseconds(context.pauseMs));
        return back();
    }
    context.aside(context.pauseMs, std::move(back));
    return true;
}

// The journal is kept first; without it nothing is set.
bool noteJournal(const ToggleContext& context, const ToggleJournal& journal) {
    return context.journal.isEmpty() || writeToggleJournal(context.journal, journal);
}

void dropJournal(const ToggleContext& context) {
    if (!context.journal.isEmpty())
        removeToggleJournal(context.journal);
}

// The file's text with the line of Net/IconThemeName set to value (a line
// added where there is none).
QByteArray withThemeLine(const QByteArray& text, const QString& value) {
    const QByteArray line = "Net/IconThemeName \"" + value.toUtf8() + '"';
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray& each : lines)
        if (each.trimmed().startsWith("Net/IconThemeName"))
            return (each = line, lines.join('\n'));
    return text + (text.isEmpty() || text.endsWith('\n') ? "" : "\n") + line + '\n';
}

// The value of xsettingsd's Net/IconThemeName line ("" for none).
QString themeLineValue(const QByteArray& text) {
    QString value;
    for (const QByteArray& line : text.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith("Net/IconThemeName"))
            value = QString::fromUtf8(trimmed.mid(17).trimmed()).remove(u'"');
    }
    return value;
}

bool toggleXsettingsd(const FoundManager& manager, const ToggleContext& context) {
    const QFileInfo info(manager.configFile);
    auto folder = icontheme::SafeFolder::open(info.path(), false);
    const auto text = folder ? folder->read(info.fileName(), 1 << 20) : std::nullopt;
    // Only a file that is there: the manager's own settings are never made.
    if (!text)
        return false;
    const QString value = themeLineValue(*text);
    const QByteArray ours = withThemeLine(*text, otherThan(value));
    const HeldSignals held;
    if (!noteJournal(context, {XSettingsManager::Xsettingsd, value, otherThan(value),
                               info.absoluteFilePath(), *text, ours}))
        return false;
    if (!folder->write(info.fileName(), ours)) {
        dropJournal(context);
        return false;
    }
    const bool first = context.reload(manager.pid);
    auto shared = std::make_shared<icontheme::SafeFolder>(std::move(*folder));
    return afterPause(
        context, [context, shared, name = info.fileName(), text = *text, pid = manager.pid, first] {
            // The user's file goes back byte for byte, whatever happened.
            const bool back = shared->write(name, text);
            if (back)
                dropJournal(context);
            return back && context.reload(pid) && first;
        });
}

ToggleContext realContext() {
    return {[](const QString& program, const QStringList& arguments) {
                return icontheme::runTool(program, arguments);
            },
            [](const QString& program, const QStringList& arguments) {
                return icontheme::runToolQuietly(program, arguments);
            },
            [](int pid) { return ::kill(pid, SIGHUP) == 0; }, 500, toggleJournalPath()};
}

// The toggle of this display's manager whose pause runs on a thread of its
// own, with no signal of the process taken there: an interrupt or a
// termination reaches the window's thread, which waits for it to end.
class PendingToggle {
public:
    bool aside = false;

    ~PendingToggle() { wait(); }
    bool stillToCome() {
        const std::lock_guard lock(mutex_);
        return pending_;
    }
    void start(int pauseMs, std::function<bool()> back) {
        wait();
        pending_ = true;
        thread_ = std::thread([this, pauseMs, back = std::move(back)] {
            sigset_t all;
            sigfillset(&all);
            pthread_sigmask(SIG_BLOCK, &all, nullptr);
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
            // Held while the value goes back: a change asking meanwhile
            // waits, and then toggles anew.
            const std::lock_guard lock(mutex_);
            pending_ = false;
            if (!back())
                std::fprintf(stderr, "the display's settings manager was not given its icon "
                                     "theme back; the next start puts it back\n");
        });
    }
    void wait() {
        if (thread_.joinable())
            thread_.join();
    }

private:
    std::mutex mutex_;
    bool pending_ = false;
    std::thread thread_;
};

PendingToggle& pendingToggle() {
    static PendingToggle pending;
    return pending;
}

FoundManager runningManager() {
    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        return {};
    const auto processes = platform::userProcesses([](const platform::ProcessInfo& p) {
        for (const char* name : {"xfsettingsd", "gsd-xsettings", "mate-settings-daemon",
                                 "csd-xsettings", "xsettingsd"})
            if (p.runs(QLatin1StringView(name)))
                return true;
        return false;
    });
    return findXSettingsManager(processes, display);
}

} // namespace

FoundManager findXSettingsManager(const std::vector<platform::ProcessInfo>& processes,
                                  const QString& display) {
    const struct {
        const char* program;
        XSettingsManager kind;
    } managers[] = {
        {"xfsettingsd", XSettingsManager::Xfce},
        {"gsd-xsettings", XSettingsManager::Gnome},
        {"mate-settings-daemon", XSettingsManager::Mate},
        {"csd-xsettings", XSettingsManager::Cinnamon},
        {"xsettingsd", XSettingsManager::Xsettingsd},
    };
    const SessionDisplay session{display, {}};
    for (const platform::ProcessInfo& process : processes) {
        if (!session.holds(process))
            continue;
        for (const auto& manager : managers) {
            if (!process.runs(QLatin1StringView(manager.program)))
                continue;
            FoundManager found{manager.kind, process.pid, {}};
            if (manager.kind == XSettingsManager::Xsettingsd) {
                const qsizetype at = process.arguments.indexOf(QStringLiteral("-c"));
                const QString home = process.variable(u"HOME");
                found.configFile = at > 0 ? process.arguments.value(at + 1)
                                          : home + QStringLiteral("/.xsettingsd");
                if (!found.configFile.startsWith(u'/'))
                    found.configFile = process.workingFolder + u'/' + found.configFile;
            }
            return found;
        }
    }
    return {};
}

std::optional<SettingCommand> settingCommand(XSettingsManager kind) {
    if (kind == XSettingsManager::Xfce) {
        const QStringList get{QStringLiteral("-c"), QStringLiteral("xsettings"),
                              QStringLiteral("-p"), QStringLiteral("/Net/IconThemeName")};
        return SettingCommand{QStringLiteral("xfconf-query"), get,
                              get + QStringList{QStringLiteral("-s")}};
    }
    const char* schema = schemaOf(kind);
    if (!schema)
        return std::nullopt;
    return SettingCommand{
        QStringLiteral("gsettings"),
        {QStringLiteral("get"), QLatin1StringView(schema), QStringLiteral("icon-theme")},
        {QStringLiteral("set"), QLatin1StringView(schema), QStringLiteral("icon-theme")}};
}

std::optional<QString> readSetting(const SettingCommand& command, const ToggleContext& context) {
    auto current = context.read(command.tool, command.get);
    if (current && current->size() >= 2 && current->startsWith(u'\'') && current->endsWith(u'\''))
        current = current->mid(1, current->size() - 2);
    // Only what is a theme's name is ever put back.
    if (!current || !icontheme::isSafeThemeName(*current))
        return std::nullopt;
    return current;
}

bool toggleIconTheme(const FoundManager& manager, const ToggleContext& context) {
    if (manager.kind == XSettingsManager::Xsettingsd)
        return toggleXsettingsd(manager, context);
    const auto command = settingCommand(manager.kind);
    const auto current = command ? readSetting(*command, context) : std::nullopt;
    if (!current)
        return false;
    const QString other = otherThan(*current);
    const HeldSignals held;
    if (!noteJournal(context, {manager.kind, *current, other, {}, {}, {}}))
        return false;
    if (!context.run(command->tool, command->set + QStringList{other})) {
        dropJournal(context);
        return false;
    }
    return afterPause(context, [context, command = *command, value = *current] {
        if (!context.run(command.tool, command.set + QStringList{value}))
            return false; // the journal stays: the next start puts the value back
        dropJournal(context);
        return true;
    });
}

bool toggleRunningManager() {
    PendingToggle& pending = pendingToggle();
    // The value set back by the toggle that pauses now comes after this
    // change, and running programs look their icons up again at it.
    if (pending.stillToCome())
        return true;
    const FoundManager manager = runningManager();
    if (manager.kind == XSettingsManager::None)
        return false;
    ToggleContext context = realContext();
    if (pending.aside)
        context.aside = [&pending](int pauseMs, std::function<bool()> back) {
            pending.start(pauseMs, std::move(back));
        };
    return toggleIconTheme(manager, context);
}

void pauseTogglesAside() {
    pendingToggle().aside = true;
}

void waitForPendingToggle() {
    pendingToggle().wait();
}

QString toggleJournalPath() {
    return icontheme::stateHomeFromEnvironment() +
           QStringLiteral("/trayskin/xsettings-toggle.json");
}

void finishInterruptedToggleOfThisDisplay() {
    const QString path = toggleJournalPath();
    if (QFileInfo::exists(path))
        finishInterruptedToggle(path, realContext(), runningManager());
}

} // namespace library
