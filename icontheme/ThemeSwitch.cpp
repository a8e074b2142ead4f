#include "icontheme/ThemeSwitch.h"

#include "icontheme/KeyFile.h"
#include "icontheme/SafeFolder.h"
#include "icontheme/ThemeIndex.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

namespace icontheme {
namespace {

// The settings that a tool keeps; every other setting is a settings file.
struct ToolSetting {
    const char* source;
    const char* program;
    QList<const char*> arguments; // the tool's, before the value
};

const QList<ToolSetting>& toolSettings() {
    static const QList<ToolSetting> table = {
        {"GNOME settings", "gsettings", {"set", "org.gnome.desktop.interface", "icon-theme"}},
        {"Cinnamon settings", "gsettings", {"set", "org.cinnamon.desktop.interface", "icon-theme"}},
        {"MATE settings", "gsettings", {"set", "org.mate.interface", "icon-theme"}},
        {"Xfce settings",
         "xfconf-query",
         {"-c", "xsettings", "-p", "/Net/IconThemeName", "-n", "-t", "string", "-s"}},
    };
    return table;
}

// A desktop whose theme no setting gave (only Qt's own name, or none)
// reads GTK 3's settings file.
QString settingSource(const QString& source) {
    return source == u"default" || source == u"Qt theme" ? QStringLiteral("GTK 3 settings")
                                                         : source;
}

const ToolSetting* toolFor(const QString& source) {
    for (const ToolSetting& setting : toolSettings())
        if (settingSource(source) == QLatin1String(setting.source))
            return &setting;
    return nullptr;
}

bool known(const QString& source) {
    return toolFor(source) != nullptr || settingsFile(settingSource(source)) != nullptr;
}

// The file's folder and name, opened without following links.
struct OpenFile {
    std::optional<SafeFolder> folder;
    QString name;
};
OpenFile openFile(const QString& path, bool create) {
    const QFileInfo info(path);
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return {};
    return {SafeFolder::open(info.path(), create), info.fileName()};
}

} // namespace

bool runToolQuietly(const QString& program, const QStringList& arguments,
                    std::chrono::milliseconds timeout) {
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return false;
    QProcess process;
    process.setProgram(path);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(int(timeout.count())))
        return false;
    if (!process.waitForFinished(int(timeout.count()))) {
        process.kill();
        process.waitForFinished(-1);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

SwitchContext switchContextFromEnvironment(const DesktopContext& desktop) {
    return {desktop, [](const QString& program, const QStringList& arguments) {
                return runToolQuietly(program, arguments);
            }};
}

ThemeSwitch::ThemeSwitch(SwitchContext context, QString statePath)
    : context_(std::move(context)), statePath_(std::move(statePath)) {}

std::optional<SwitchState> ThemeSwitch::state() const {
    const QFileInfo info(statePath_);
    auto folder = SafeFolder::open(info.path(), false);
    const auto bytes = folder ? folder->read(info.fileName(), 1 << 16) : std::nullopt;
    if (!bytes)
        return std::nullopt;
    const QJsonObject root = QJsonDocument::fromJson(*bytes).object();
    SwitchState state;
    state.source = root.value(QStringLiteral("source")).toString();
    state.theme = root.value(QStringLiteral("theme")).toString();
    if (root.contains(QStringLiteral("previous")))
        state.previous = root.value(QStringLiteral("previous")).toString();
    state.existed = root.value(QStringLiteral("existed")).toBool(true);
    if (!known(state.source) || !isSafeThemeName(state.theme) ||
        (state.previous && !isSafeThemeName(*state.previous)))
        return std::nullopt;
    // Each other file switched with it (a memory from before they were
    // remembered has none).
    for (const QJsonValue& entry : root.value(QStringLiteral("also")).toArray()) {
        const QJsonObject also = entry.toObject();
        SwitchedSetting setting{also.value(QStringLiteral("source")).toString(), std::nullopt,
                                also.value(QStringLiteral("existed")).toBool(true)};
        if (also.contains(QStringLiteral("previous")))
            setting.previous = also.value(QStringLiteral("previous")).toString();
        if (settingsFile(setting.source) == nullptr ||
            (setting.previous && !isSafeThemeName(*setting.previous)))
            return std::nullopt;
        state.also.append(setting);
    }
    return state;
}

bool ThemeSwitch::saveState(const std::optional<SwitchState>& state) {
    const QFileInfo info(statePath_);
    auto folder = SafeFolder::open(info.path(), state.has_value());
    if (!state)
        return !folder || folder->remove(info.fileName());
    QJsonObject root;
    root.insert(QStringLiteral("source"), state->source);
    root.insert(QStringLiteral("theme"), state->theme);
    if (state->previous)
        root.insert(QStringLiteral("previous"), *state->previous);
    if (!state->existed)
        root.insert(QStringLiteral("existed"), false);
    QJsonArray also;
    for (const SwitchedSetting& setting : state->also) {
        QJsonObject entry{{QStringLiteral("source"), setting.source}};
        if (setting.previous)
            entry.insert(QStringLiteral("previous"), *setting.previous);
        if (!setting.existed)
            entry.insert(QStringLiteral("existed"), false);
        also.append(entry);
    }
    if (!also.isEmpty())
        root.insert(QStringLiteral("also"), also);
    return folder && folder->write(info.fileName(), QJsonDocument(root).toJson());
}

SwitchResult ThemeSwitch::write(const QString& source, const std::optional<QString>& value,
                                bool existed) {
    if (const ToolSetting* tool = toolFor(source)) {
        // A tool's setting always holds a value; with none, the one read stays.
        if (!value)
            return SwitchResult::Done;
        QStringList arguments;
        for (const char* argument : tool->arguments)
            arguments.append(QLatin1String(argument));
        return context_.run && context_.run(QLatin1String(tool->program), arguments << *value)
                   ? SwitchResult::Done
                   : SwitchResult::ToolFailed;
    }
    const SettingsFile* setting = settingsFile(settingSource(source));
    if (setting == nullptr)
        return SwitchResult::NoSetting;
    OpenFile file = openFile(setting->path(context_.desktop), value.has_value());
    if (!file.folder)
        return value ? SwitchResult::FileFailed : SwitchResult::Done;
    const auto text = file.folder->read(file.name, 1 << 20);
    if (!text && file.folder->exists(file.name))
        return SwitchResult::FileFailed; // a link, a folder or too large: left alone
    const QByteArray old = text.value_or(QByteArray());
    // Written so that the file's owner reads the new value; a file it
    // refuses as a whole is left as it is.
    const auto next = withSetting(*setting, old, value);
    if (!next)
        return SwitchResult::FileFailed;
    // A file the switch made, and that holds nothing else, goes with the value.
    const auto made = withSetting(*setting, QByteArray(), QStringLiteral("x"));
    if (!value && !existed && made &&
        (next->isEmpty() || *next == withSetting(*setting, *made, std::nullopt)))
        return file.folder->remove(file.name) ? SwitchResult::Done : SwitchResult::FileFailed;
    if (*next == old)
        return SwitchResult::Done;
    return file.folder->write(file.name, *next) ? SwitchResult::Done : SwitchResult::FileFailed;
}

QList<SwitchedSetting> ThemeSwitch::alsoSwitched(const ThemeChoice& current) const {
    QList<SwitchedSetting> also;
    const DesktopContext& desktop = context_.desktop;
    for (const SettingsFile& file : settingsFiles()) {
        const QString path = file.path(desktop);
        if (file.source == settingSource(current.source) || path.isEmpty() ||
            !readOnDesktop(file, desktop))
            continue;
        const bool exists = QFileInfo::exists(path);
        const auto value = readSetting(file, desktop);
        // A file naming the same theme, or the desktop's own file where it
        // may be made and names none yet.
        const bool own = !file.desktops.isEmpty() && file.mayCreate && !value;
        if (value == current.theme || own)
            also.append({file.source, value, exists});
    }
    return also;
}

SwitchResult ThemeSwitch::switchTo(const ThemeChoice& current, const QString& theme) {
    if (!isSafeThemeName(theme))
        return SwitchResult::UnsafeName;
    if (!known(current.source))
        return SwitchResult::NoSetting;
    // Switched before and not changed by the user since: the first values stay remembered.
    auto remembered = state();
    if (remembered && (settingSource(remembered->source) != settingSource(current.source) ||
                       userPickedAnother(current)))
        remembered.reset();
    SwitchState next{current.source, current.theme, theme};
    if (remembered) {
        next = *remembered;
        next.theme = theme;
    } else {
        if (const SettingsFile* file = settingsFile(settingSource(current.source))) {
            // The file's own value, none when the key is not there.
            next.previous = readSetting(*file, context_.desktop);
            next.existed = QFileInfo::exists(file->path(context_.desktop));
        }
        next.also = alsoSwitched(current);
    }
    if (next.previous && !isSafeThemeName(*next.previous))
        next.previous.reset();
    // Remembered first, so that a kill after the writes still knows what to put back.
    if (!saveState(next))
        return SwitchResult::StateFailed;
    SwitchResult result = write(current.source, theme);
    for (const SwitchedSetting& also : std::as_const(next.also))
        if (result == SwitchResult::Done)
            result = write(also.source, theme);
    if (result != SwitchResult::Done) {
        // What was written is put back; what cannot be stays remembered.
        restoreSettings(next);
        saveState(remembered);
    }
    return result;
}

SwitchResult ThemeSwitch::leave(const ThemeChoice& current, const QString& fallback) {
    const auto remembered = state();
    if (remembered && remembered->theme == current.theme)
        return restore(current);
    if (!isSafeThemeName(fallback))
        return SwitchResult::UnsafeName;
    const SwitchResult result = write(current.source, fallback);
    if (result == SwitchResult::Done && remembered && !saveState(std::nullopt))
        return SwitchResult::StateFailed;
    return result;
}

bool ThemeSwitch::adopt(const QString& oldPath) {
    const QFileInfo old(oldPath);
    if (oldPath == statePath_ || !QFileInfo::exists(oldPath))
        return true;
    const auto remembered = ThemeSwitch(context_, oldPath).state();
    // What is remembered here already is the newer; a damaged old memory is dropped.
    if (remembered && !state() && !saveState(remembered))
        return false;
    auto folder = SafeFolder::open(old.path(), false);
    return folder && folder->remove(old.fileName());
}

bool ThemeSwitch::userPickedAnother(const ThemeChoice& current) const {
    const auto remembered = state();
    return remembered && current.theme != remembered->theme;
}

QString ThemeSwitch::place(const QString& source) const {
    if (const ToolSetting* tool = toolFor(source)) {
        QStringList command{QLatin1String(tool->program)};
        for (const char* argument : tool->arguments)
            command.append(QLatin1String(argument));
        return command.join(u' ');
    }
    const SettingsFile* file = settingsFile(settingSource(source));
    return file ? file->path(context_.desktop) : QString();
}

SwitchResult ThemeSwitch::restoreSettings(const SwitchState& state) {
    SwitchResult result = write(state.source, state.previous, state.existed);
    // Each other file goes back where it still names the theme switched to;
    // one the user changed since is the user's.
    for (const SwitchedSetting& also : state.also) {
        const SettingsFile* file = settingsFile(also.source);
        if (readSetting(*file, context_.desktop) != state.theme)
            continue;
        const SwitchResult back = write(also.source, also.previous, also.existed);
        if (result == SwitchResult::Done)
            result = back;
    }
    return result;
}

SwitchResult ThemeSwitch::restore(const ThemeChoice& current) {
    const auto remembered = state();
    if (!remembered)
        return SwitchResult::NothingToRestore;
    if (current.theme != remembered->theme) {
        if (!saveState(std::nullopt))
            return SwitchResult::StateFailed;
        return SwitchResult::UserChanged;
    }
    const SwitchResult result = restoreSettings(*remembered);
    if (result != SwitchResult::Done)
        return result;
    return saveState(std::nullopt) ? SwitchResult::Done : SwitchResult::StateFailed;
}

} // namespace icontheme
