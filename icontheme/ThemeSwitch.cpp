#include "icontheme/ThemeSwitch.h"

#include "icontheme/KeyFile.h"
#include "icontheme/SafeFolder.h"
#include "icontheme/ThemeIndex.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

namespace icontheme {
namespace {

struct Setting {
    const char* source;
    const char* program;          // a tool, or none for an ini file in the config folder
    QList<const char*> arguments; // the tool's, before the value
    const char* file;
    const char* group;
    const char* key;
    KeyFileRules rules = KeyFileRules::Gtk; // the file's owner's
};

const QList<Setting>& settings() {
    static const QList<Setting> table = {
        {"GNOME settings",
         "gsettings",
         {"set", "org.gnome.desktop.interface", "icon-theme"},
         nullptr,
         nullptr,
         nullptr},
        {"Cinnamon settings",
         "gsettings",
         {"set", "org.cinnamon.desktop.interface", "icon-theme"},
         nullptr,
         nullptr,
         nullptr},
        {"MATE settings",
         "gsettings",
         {"set", "org.mate.interface", "icon-theme"},
         nullptr,
         nullptr,
         nullptr},
        {"Xfce settings",
         "xfconf-query",
         {"-c", "xsettings", "-p", "/Net/IconThemeName", "-n", "-t", "string", "-s"},
         nullptr,
         nullptr,
         nullptr},
        {"KDE settings", nullptr, {}, "kdeglobals", "Icons", "Theme", KeyFileRules::Kde},
        {"GTK 3 settings", nullptr, {}, "gtk-3.0/settings.ini", "Settings", "gtk-icon-theme-name"},
    };
    return table;
}

const Setting* settingFor(const QString& source) {
    // A desktop whose theme no setting gave (only Qt's own name, or none)
    // reads GTK 3's settings file.
    const QString name =
        source == u"default" || source == u"Qt theme" ? QStringLiteral("GTK 3 settings") : source;
    for (const Setting& setting : settings()) {
        if (name == QLatin1String(setting.source))
            return &setting;
    }
    return nullptr;
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
    return {desktop.configHome, [](const QString& program, const QStringList& arguments) {
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
    if (settingFor(state.source) == nullptr || !isSafeThemeName(state.theme) ||
        (state.previous && !isSafeThemeName(*state.previous)))
        return std::nullopt;
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
    return folder && folder->write(info.fileName(), QJsonDocument(root).toJson());
}

SwitchResult ThemeSwitch::write(const QString& source, const std::optional<QString>& value) {
    const Setting* setting = settingFor(source);
    if (setting == nullptr)
        return SwitchResult::NoSetting;
    if (setting->program != nullptr) {
        // A tool's setting always holds a value; with none, the one read stays.
        if (!value)
            return SwitchResult::Done;
        QStringList arguments;
        for (const char* argument : setting->arguments)
            arguments.append(QLatin1String(argument));
        return context_.run && context_.run(QLatin1String(setting->program), arguments << *value)
                   ? SwitchResult::Done
                   : SwitchResult::ToolFailed;
    }
    if (!QDir::isAbsolutePath(context_.configHome))
        return SwitchResult::FileFailed;
    auto folder = SafeFolder::open(context_.configHome, true);
    if (!folder)
        return SwitchResult::FileFailed;
    const QString file = QLatin1String(setting->file);
    const auto text = folder->read(file, 1 << 20);
    if (!text && folder->exists(file))
        return SwitchResult::FileFailed; // a link, a folder or too large: left alone
    const QByteArray old = text.value_or(QByteArray());
    // Written so that the file's owner reads the new value; a file it
    // refuses as a whole is left as it is.
    const auto next =
        KeyFile::parse(old, setting->rules)
            .withValue(QLatin1String(setting->group), QLatin1String(setting->key), value);
    if (!next)
        return SwitchResult::FileFailed;
    if (*next == old)
        return SwitchResult::Done;
    return folder->write(file, *next) ? SwitchResult::Done : SwitchResult::FileFailed;
}

SwitchResult ThemeSwitch::switchTo(const ThemeChoice& current, const QString& theme) {
    if (!isSafeThemeName(theme))
        return SwitchResult::UnsafeName;
    if (settingFor(current.source) == nullptr)
        return SwitchResult::NoSetting;
    // Switched before and not changed by the user since: the first value stays remembered.
    auto remembered = state();
    if (remembered && (settingFor(remembered->source) != settingFor(current.source) ||
                       userPickedAnother(current)))
        remembered.reset();
    SwitchState next{current.source, current.theme, theme};
    if (remembered)
        next.previous = remembered->previous;
    const Setting* setting = settingFor(current.source);
    if (setting->program == nullptr) {
        // The file's own value, none when the key is not there.
        auto folder = SafeFolder::open(context_.configHome, false);
        const auto text =
            folder ? folder->read(QLatin1String(setting->file), 1 << 20) : std::nullopt;
        if (!remembered)
            next.previous = KeyFile::parse(text.value_or(QByteArray()), setting->rules)
                                .value(QLatin1String(setting->group), QLatin1String(setting->key));
    }
    if (next.previous && !isSafeThemeName(*next.previous))
        next.previous.reset();
    // Remembered first, so that a kill after the write still knows what to put back.
    if (!saveState(next))
        return SwitchResult::StateFailed;
    const SwitchResult result = write(current.source, theme);
    if (result != SwitchResult::Done)
        saveState(remembered);
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
    const Setting* setting = settingFor(source);
    if (setting == nullptr)
        return QString();
    if (setting->file != nullptr)
        return context_.configHome + u'/' + QLatin1String(setting->file);
    QStringList command{QLatin1String(setting->program)};
    for (const char* argument : setting->arguments)
        command.append(QLatin1String(argument));
    return command.join(u' ');
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
    const SwitchResult result = write(remembered->source, remembered->previous);
    if (result != SwitchResult::Done)
        return result;
    return saveState(std::nullopt) ? SwitchResult::Done : SwitchResult::StateFailed;
}

} // namespace icontheme
