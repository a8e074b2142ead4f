#include "icontheme/DesktopTheme.h"

#include "icontheme/KeyFile.h"
#include "icontheme/ThemeIndex.h"
#include "platform/core/ProcessList.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace icontheme {
namespace {

bool onDesktop(const DesktopContext& context, const QStringList& names) {
    const QStringList desktops = context.currentDesktop.split(u':', Qt::SkipEmptyParts);
    for (const QString& desktop : desktops) {
        for (const QString& name : names) {
            if (desktop.compare(name, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

// gsettings prints a string value in single quotes.
std::optional<QString> unquoted(std::optional<QString> text) {
    if (!text)
        return std::nullopt;
    QString value = text->trimmed();
    if (value.size() >= 2 && value.startsWith(u'\'') && value.endsWith(u'\''))
        value = value.mid(1, value.size() - 2);
    if (value.isEmpty())
        return std::nullopt;
    return value;
}

// What a settings tool answers is one line: its output is read as it
// comes, its first line kept and the rest counted only, and a tool that
// writes more than this, or has not ended by the deadline, is given up
// (the caller kills it), so a tool that floods its output costs no memory.
constexpr qint64 kMostToolOutput = 64 << 10;

// The first line of the finished process's output; none when it wrote too
// much or is still running at the deadline.
std::optional<QByteArray> boundedOutput(QProcess& process, const QDeadlineTimer& deadline) {
    QByteArray first;
    qint64 total = 0;
    bool lineEnded = false;
    for (;;) {
        const QByteArray chunk = process.readAllStandardOutput();
        total += chunk.size();
        if (total > kMostToolOutput)
            return std::nullopt;
        if (!lineEnded) {
            const qsizetype end = chunk.indexOf('\n');
            first.append(end < 0 ? chunk : chunk.left(end + 1));
            lineEnded = end >= 0;
        }
        if (process.state() == QProcess::NotRunning && process.bytesAvailable() == 0)
            return first;
        if (deadline.hasExpired())
            return std::nullopt;
        // Woken by output, by the end of the process, or by the deadline.
        if (!process.waitForReadyRead(int(deadline.remainingTime())) &&
            process.state() != QProcess::NotRunning &&
            !process.waitForFinished(int(deadline.remainingTime())))
            return std::nullopt;
    }
}

ThemeSource gsettings(const QString& name, const QStringList& desktops, const QString& schema) {
    return {name, [desktops, schema](const DesktopContext& context) -> std::optional<QString> {
                if (!onDesktop(context, desktops) || !context.run)
                    return std::nullopt;
                return unquoted(
                    context.run(QStringLiteral("gsettings"),
                                {QStringLiteral("get"), schema, QStringLiteral("icon-theme")}));
            }};
}

// A path below a folder of the context's; "" without the folder.
std::function<QString(const DesktopContext&)> below(QString DesktopContext::*folder,
                                                    const QString& relative) {
    return [folder, relative](const DesktopContext& context) {
        const QString base = context.*folder;
        return QDir::isAbsolutePath(base) ? base + u'/' + relative : QString();
    };
}

// The session that LXDE's settings belong to: the environment's, else the
// running lxsession's "-s NAME", else LXDE's own.
QString lxdeSessionName() {
    const QString session = qEnvironmentVariable("DESKTOP_SESSION");
    if (!session.isEmpty() && !session.contains(u'/') && session != u"..")
        return session;
    for (const auto& process : platform::userProcesses(
             [](const platform::ProcessInfo& p) { return p.runs(QStringLiteral("lxsession")); })) {
        const qsizetype at = process.arguments.indexOf(QStringLiteral("-s"));
        const QString name = process.arguments.value(at + 1);
        if (at > 0 && !name.isEmpty() && !name.contains(u'/') && name != u"..")
            return name;
    }
    return QStringLiteral("LXDE");
}

} // namespace

const QList<SettingsFile>& settingsFiles() {
    using F = SettingsFormat;
    const QString icons = QStringLiteral("Icons"), theme = QStringLiteral("Theme");
    static const QList<SettingsFile> files = {
        {QStringLiteral("KDE settings"),
         {QStringLiteral("KDE")},
         below(&DesktopContext::configHome, QStringLiteral("kdeglobals")),
         icons,
         theme,
         F::KdeKeyFile,
         true},
        {QStringLiteral("LXQt settings"),
         {QStringLiteral("LXQt")},
         below(&DesktopContext::configHome, QStringLiteral("lxqt/lxqt.conf")),
         QStringLiteral("General"),
         QStringLiteral("icon_theme"),
         F::KdeKeyFile,
         true},
        {QStringLiteral("LXDE settings"),
         {QStringLiteral("LXDE")},
         [](const DesktopContext& context) {
             return QDir::isAbsolutePath(context.configHome) && !context.lxdeSession.isEmpty()
                        ? context.configHome + QStringLiteral("/lxsession/") + context.lxdeSession +
                              QStringLiteral("/desktop.conf")
                        : QString();
         },
         QStringLiteral("GTK"),
         QStringLiteral("sNet/IconThemeName"),
         F::GtkKeyFile,
         false},
        {QStringLiteral("GTK 3 settings"),
         {},
         below(&DesktopContext::configHome, QStringLiteral("gtk-3.0/settings.ini")),
         QStringLiteral("Settings"),
         QStringLiteral("gtk-icon-theme-name"),
         F::GtkKeyFile,
         true},
        {QStringLiteral("GTK 2 settings"),
         {},
         below(&DesktopContext::home, QStringLiteral(".gtkrc-2.0")),
         QString(),
         QStringLiteral("gtk-icon-theme-name"),
         F::GtkRc,
         true},
        {QStringLiteral("Qt settings"),
         {},
         [](const DesktopContext& context) {
             const QString tool = context.qtPlatformTheme.section(u':', 0, 0);
             return (tool == u"qt5ct" || tool == u"qt6ct") &&
                            QDir::isAbsolutePath(context.configHome)
                        ? context.configHome + u'/' + tool + u'/' + tool + QStringLiteral(".conf")
                        : QString();
         },
         QStringLiteral("Appearance"),
         QStringLiteral("icon_theme"),
         F::KdeKeyFile,
         false},
    };
    return files;
}

const SettingsFile* settingsFile(const QString& source) {
    for (const SettingsFile& file : settingsFiles())
        if (file.source == source)
            return &file;
    return nullptr;
}

bool readOnDesktop(const SettingsFile& file, const DesktopContext& context) {
    return file.desktops.isEmpty() || onDesktop(context, file.desktops);
}

std::optional<QString> readSetting(const SettingsFile& file, const DesktopContext& context) {
    const QString path = file.path(context);
    if (path.isEmpty())
        return std::nullopt;
    std::optional<QString> value;
    if (file.format == SettingsFormat::GtkRc) {
        QFile gtkrc(path);
        if (!gtkrc.open(QIODevice::ReadOnly) || gtkrc.size() > (1 << 20))
            return std::nullopt;
        value = gtkrcValue(gtkrc.readAll(), file.key.toLatin1());
    } else {
        const auto keyFile = KeyFile::read(
            path, file.format == SettingsFormat::GtkKeyFile ? KeyFileRules::Gtk : KeyFileRules::Kde,
            1 << 20);
        if (keyFile)
            value = keyFile->value(file.group, file.key);
    }
    return value && !value->isEmpty() ? value : std::nullopt;
}

std::optional<QByteArray> withSetting(const SettingsFile& file, const QByteArray& text,
                                      const std::optional<QString>& value) {
    if (file.format == SettingsFormat::GtkRc)
        return gtkrcWithValue(text, file.key.toLatin1(), value);
    return KeyFile::parse(text, file.format == SettingsFormat::GtkKeyFile ? KeyFileRules::Gtk
                                                                          : KeyFileRules::Kde)
        .withValue(file.group, file.key, value);
}

DesktopContext desktopContextFromEnvironment(const QString& qtTheme) {
    DesktopContext context;
    context.qtTheme = qtTheme;
    context.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    context.configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(context.configHome))
        context.configHome = QDir::homePath() + QStringLiteral("/.config");
    context.run = [](const QString& program, const QStringList& arguments) {
        return runTool(program, arguments);
    };
    context.home = QDir::homePath();
    context.qtPlatformTheme = qEnvironmentVariable("QT_QPA_PLATFORMTHEME");
    if (onDesktop(context, {QStringLiteral("LXDE")}))
        context.lxdeSession = lxdeSessionName();
    return context;
}

QString stateHomeFromEnvironment() {
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    return QDir::isAbsolutePath(state) ? state : QDir::homePath() + QStringLiteral("/.local/state");
}

QList<ThemeSource> desktopThemeSources() {
    QList<ThemeSource> sources = {
        gsettings(QStringLiteral("GNOME settings"),
                  {QStringLiteral("GNOME"), QStringLiteral("Budgie"), QStringLiteral("Unity")},
                  QStringLiteral("org.gnome.desktop.interface")),
        gsettings(QStringLiteral("Cinnamon settings"),
                  {QStringLiteral("X-Cinnamon"), QStringLiteral("Cinnamon")},
                  QStringLiteral("org.cinnamon.desktop.interface")),
        gsettings(QStringLiteral("MATE settings"), {QStringLiteral("MATE")},
                  QStringLiteral("org.mate.interface")),
        {QStringLiteral("Xfce settings"),
         [](const DesktopContext& context) -> std::optional<QString> {
             if (!onDesktop(context, {QStringLiteral("XFCE")}) || !context.run)
                 return std::nullopt;
             return unquoted(
                 context.run(QStringLiteral("xfconf-query"),
                             {QStringLiteral("-c"), QStringLiteral("xsettings"),
                              QStringLiteral("-p"), QStringLiteral("/Net/IconThemeName")}));
         }},
    };
    for (const SettingsFile& file : settingsFiles())
        sources.append({file.source, [&file](const DesktopContext& context) {
                            return readOnDesktop(file, context) ? readSetting(file, context)
                                                                : std::nullopt;
                        }});
    sources.append(
        {QStringLiteral("Qt theme"), [](const DesktopContext& context) -> std::optional<QString> {
             if (context.qtTheme.isEmpty() || context.qtTheme == u"hicolor")
                 return std::nullopt;
             return context.qtTheme;
         }});
    return sources;
}

ThemeChoice chooseTheme(const DesktopContext& context, const QList<ThemeSource>& sources,
                        const QString& overrideName) {
    ThemeChoice choice;
    QList<ThemeSource> all;
    if (!overrideName.isEmpty())
        all.append({QStringLiteral("command line"), [overrideName](const DesktopContext&) {
                        return std::optional<QString>(overrideName);
                    }});
    all.append(sources);
    for (const ThemeSource& source : all) {
        const auto answer = source.answer(context);
        if (!answer)
            continue;
        if (!isSafeThemeName(*answer)) {
            choice.refused.append(source.name + QStringLiteral(": ") + *answer);
            continue;
        }
        choice.theme = *answer;
        choice.source = source.name;
        return choice;
    }
    choice.theme = QStringLiteral("hicolor");
    choice.source = QStringLiteral("default");
    return choice;
}

std::optional<QString> runTool(const QString& program, const QStringList& arguments,
                               std::chrono::milliseconds timeout) {
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return std::nullopt;
    const QDeadlineTimer deadline(timeout);
    QProcess process;
    process.setProgram(path);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(int(deadline.remainingTime())))
        return std::nullopt;
    const auto output = boundedOutput(process, deadline);
    if (!output) {
        process.kill();
        process.waitForFinished(-1);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    const QString first = QString::fromUtf8(output->left(output->indexOf('\n'))).trimmed();
    if (first.isEmpty())
        return std::nullopt;
    return first;
}

} // namespace icontheme
