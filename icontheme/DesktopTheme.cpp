#include "icontheme/DesktopTheme.h"

#include "icontheme/KeyFile.h"
#include "icontheme/ThemeIndex.h"

#include <QDeadlineTimer>
#include <QDir>
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

// A settings file's value, read by its owner's rules.
ThemeSource keyFileValue(const QString& name, const QStringList& desktops, const QString& file,
                         const QString& group, const QString& key, KeyFileRules rules) {
    return {name, [=](const DesktopContext& context) -> std::optional<QString> {
                if (!desktops.isEmpty() && !onDesktop(context, desktops))
                    return std::nullopt;
                if (context.configHome.isEmpty())
                    return std::nullopt;
                const auto keyFile =
                    KeyFile::read(context.configHome + u'/' + file, rules, 1 << 20);
                if (!keyFile)
                    return std::nullopt;
                const auto value = keyFile->value(group, key);
                return value && !value->isEmpty() ? value : std::nullopt;
            }};
}

} // namespace

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
    return context;
}

QString stateHomeFromEnvironment() {
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    return QDir::isAbsolutePath(state) ? state : QDir::homePath() + QStringLiteral("/.local/state");
}

QList<ThemeSource> desktopThemeSources() {
    return {
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
        keyFileValue(QStringLiteral("KDE settings"), {QStringLiteral("KDE")},
                     QStringLiteral("kdeglobals"), QStringLiteral("Icons"), QStringLiteral("Theme"),
                     KeyFileRules::Kde),
        keyFileValue(QStringLiteral("GTK 3 settings"), {}, QStringLiteral("gtk-3.0/settings.ini"),
                     QStringLiteral("Settings"), QStringLiteral("gtk-icon-theme-name"),
                     KeyFileRules::Gtk),
        {QStringLiteral("Qt theme"),
         [](const DesktopContext& context) -> std::optional<QString> {
             if (context.qtTheme.isEmpty() || context.qtTheme == u"hicolor")
                 return std::nullopt;
             return context.qtTheme;
         }},
    };
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
