// Switches the desktop's icon theme through the setting its theme was read
// from (gsettings for GNOME, Cinnamon and MATE, xfconf-query for Xfce,
// kdeglobals for KDE, GTK 3's settings.ini otherwise), remembering the value
// it replaced so that a restore puts it back, and telling when the user has
// picked another theme since.
#pragma once

#include "icontheme/DesktopTheme.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

namespace icontheme {

enum class SwitchResult {
    Done,
    NoSetting,        // the theme came from no setting of the desktop (the command line)
    UnsafeName,       // not a theme name
    ToolFailed,       // the settings tool is missing, failed or took too long
    FileFailed,       // the settings file cannot be read or written, or is a link
    StateFailed,      // what was replaced cannot be remembered or read back
    NothingToRestore, // no switch of ours is remembered
    UserChanged,      // the user picked another theme since; left as it is
};

// What a switch replaced: where, the value before (none when the setting was
// not there) and the theme set.
struct SwitchState {
    QString source;
    std::optional<QString> previous;
    QString theme;
};

struct SwitchContext {
    QString configHome;
    // Runs a settings tool; true when it exits with 0 in time.
    std::function<bool(const QString&, const QStringList&)> run;
};

SwitchContext switchContextFromEnvironment(const DesktopContext& desktop);
// Runs the program found on PATH by its absolute path, without a shell.
bool runToolQuietly(const QString& program, const QStringList& arguments,
                    std::chrono::milliseconds timeout = std::chrono::seconds(5));

class ThemeSwitch {
public:
    ThemeSwitch(SwitchContext context, QString statePath);

    std::optional<SwitchState> state() const;
    // Sets theme where current was read from; a second switch keeps the
    // first value replaced.
    SwitchResult switchTo(const ThemeChoice& current, const QString& theme);
    // Puts back the value replaced, unless the user picked another theme since.
    SwitchResult restore(const ThemeChoice& current);
    // Takes the desktop off the theme it names now, which is gone: back to
    // the value remembered when the switch remembered set that theme, else
    // to fallback. Nothing is remembered afterwards.
    SwitchResult leave(const ThemeChoice& current, const QString& fallback);
    // Takes over, once, what an older version remembered at oldPath.
    bool adopt(const QString& oldPath);
    // A switch of ours is remembered and the desktop's theme is another now.
    bool userPickedAnother(const ThemeChoice& current) const;
    // Where the setting of a source is kept, for people: the settings tool's
    // command or the settings file's path; empty for no setting.
    QString place(const QString& source) const;

private:
    SwitchResult write(const QString& source, const std::optional<QString>& value);
    bool saveState(const std::optional<SwitchState>& state);

    SwitchContext context_;
    QString statePath_;
};

} // namespace icontheme
