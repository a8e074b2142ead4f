#include "library/icontheme/XSettingsToggle.h"

#include "icontheme/DesktopTheme.h"
#include "icontheme/SafeFolder.h"
#include "icontheme/ThemeIndex.h"
#include "icontheme/ThemeSwitch.h"
#include "library/icontheme/PanelRestart.h"

#include <QFileInfo>

#include <chrono>
#include <csignal>
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

void pause(const ToggleContext& context) {
    std::this_thread::sleep_for(std::chrono::milliseconds(context.pauseMs));
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
    const QString other = otherThan(themeLineValue(*text));
    if (!folder->write(info.fileName(), withThemeLine(*text, other)))
        return false;
    const bool first = context.reload(manager.pid);
    pause(context);
    // The user's file goes back byte for byte, whatever happened.
    const bool back = folder->write(info.fileName(), *text);
    return back && context.reload(manager.pid) && first;
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

bool toggleIconTheme(const FoundManager& manager, const ToggleContext& context) {
    if (manager.kind == XSettingsManager::Xsettingsd)
        return toggleXsettingsd(manager, context);
    QString tool;
    QStringList get;
    QStringList set;
    if (manager.kind == XSettingsManager::Xfce) {
        tool = QStringLiteral("xfconf-query");
        get = {QStringLiteral("-c"), QStringLiteral("xsettings"), QStringLiteral("-p"),
               QStringLiteral("/Net/IconThemeName")};
        set = get + QStringList{QStringLiteral("-s")};
    } else if (const char* schema = schemaOf(manager.kind)) {
        tool = QStringLiteral("gsettings");
        get = {QStringLiteral("get"), QLatin1StringView(schema), QStringLiteral("icon-theme")};
        set = {QStringLiteral("set"), QLatin1StringView(schema), QStringLiteral("icon-theme")};
    } else {
        return false;
    }
    auto current = context.read(tool, get);
    if (current && current->size() >= 2 && current->startsWith(u'\'') && current->endsWith(u'\''))
        current = current->mid(1, current->size() - 2);
    // Put back only what is a theme's name.
    if (!current || !icontheme::isSafeThemeName(*current))
        return false;
    if (!context.run(tool, set + QStringList{otherThan(*current)}))
        return false;
    pause(context);
    return context.run(tool, set + QStringList{*current});
}

bool toggleRunningManager() {
    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        return false;
    const auto processes = platform::userProcesses([](const platform::ProcessInfo& p) {
        for (const char* name : {"xfsettingsd", "gsd-xsettings", "mate-settings-daemon",
                                 "csd-xsettings", "xsettingsd"})
            if (p.runs(QLatin1StringView(name)))
                return true;
        return false;
    });
    const FoundManager manager = findXSettingsManager(processes, display);
    if (manager.kind == XSettingsManager::None)
        return false;
    const ToggleContext context{[](const QString& program, const QStringList& arguments) {
                                    return icontheme::runTool(program, arguments);
                                },
                                [](const QString& program, const QStringList& arguments) {
                                    return icontheme::runToolQuietly(program, arguments);
                                },
                                [](int pid) { return ::kill(pid, SIGHUP) == 0; }};
    return toggleIconTheme(manager, context);
}

} // namespace library
