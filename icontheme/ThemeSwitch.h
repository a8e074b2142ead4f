// Switches the desktop's icon theme through the setting its theme was read
// from (gsettings for GNOME, Cinnamon and MATE, xfconf-query for Xfce, a
// settings file otherwise), and through every other settings file that the
// desktop's programs read and that names the same theme (or that is the
// desktop's own and not there yet), remembering each value it replaced so
// that a restore puts each back, and telling when the user has picked
// another theme since.
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

// What a switch replaced in one setting: where, the value before (none when
// the setting was not there) and whether its file was there.
struct SwitchedSetting {
    QString source;
    std::optional<QString> previous;
    bool existed = true;
};

// What a switch replaced: the setting the theme was read from, the theme
// set, and the other settings files switched with it.
struct SwitchState {
    QString source;
    std::optional<QString> previous;
    QString theme;
    bool existed = true;
    QList<SwitchedSetting> also{};
};

struct SwitchContext {
    DesktopContext desktop; // where the settings files are, which desktop reads them
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
    // Writes the value (none: takes the setting out, and a file that was not
    // there before and holds nothing else goes).
    SwitchResult write(const QString& source, const std::optional<QString>& value,
                       bool existed = true);
    // Puts back each value the state remembers; the first failure.
    SwitchResult restoreSettings(const SwitchState& state);
    // The other settings files that a switch from current changes.
    QList<SwitchedSetting> alsoSwitched(const ThemeChoice& current) const;
    bool saveState(const std::optional<SwitchState>& state);

    SwitchContext context_;
    QString statePath_;
};

} // namespace icontheme
