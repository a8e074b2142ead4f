// Makes running GTK programs on an X11 desktop look their icons up again at
// once: the XSettings manager of this display (xfsettingsd, gsd-xsettings
// and its MATE and Cinnamon kin, xsettingsd) is given another icon theme
// name and then the one it had, through the manager's own setting, so
// nothing of the user's changes for good. A GTK 3 panel (xfce4-panel and its
// plugins) redraws with the new pictures within seconds; a GtkStatusIcon in a
// tray does not (it draws again at its next state change).
#pragma once

#include "platform/core/ProcessList.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace library {

enum class XSettingsManager { None, Xfce, Gnome, Mate, Cinnamon, Xsettingsd };

// The manager that runs on the display among the processes, and for
// xsettingsd the configuration file it reads (its -c, else ~/.xsettingsd).
struct FoundManager {
    XSettingsManager kind = XSettingsManager::None;
    int pid = 0;
    QString configFile;
};
FoundManager findXSettingsManager(const std::vector<platform::ProcessInfo>& processes,
                                  const QString& display);

// How the toggle reaches the manager: a settings tool's first line of
// output (none on failure), a tool run (true on success), a signal.
struct ToggleContext {
    std::function<std::optional<QString>(const QString&, const QStringList&)> read;
    std::function<bool(const QString&, const QStringList&)> run;
    std::function<bool(int pid)> reload; // SIGHUP to xsettingsd
    int pauseMs = 500;                   // between the two values, so that clients see the first
    QString journal; // where what is to be put back is kept during the pause ("" for nowhere)
    // Runs the pause and what follows it (the user's value set back, which
    // says whether it was) elsewhere, so that the caller goes on at once;
    // empty: both on the caller's thread.
    std::function<void(int pauseMs, std::function<bool()> back)> aside = {};
};

// How a manager's icon theme is read and set through its settings tool.
struct SettingCommand {
    QString tool;
    QStringList get;
    QStringList set;
};
std::optional<SettingCommand> settingCommand(XSettingsManager kind);
// The theme the manager's setting names now; none when unreadable or not a
// safe theme name.
std::optional<QString> readSetting(const SettingCommand& command, const ToggleContext& context);

// Sets the icon theme name to another value and back; true when both were
// set (with an aside, when the other value was and the rest is under way).
bool toggleIconTheme(const FoundManager& manager, const ToggleContext& context);

// The same for this display's manager, if one runs; true when toggled.
bool toggleRunningManager();
// From now on the toggles of this display's manager pause on a thread of
// their own, so that the window's thread goes on (one at a time: a change
// made while one pauses is covered by its value set back, which comes
// later); waitForPendingToggle() returns once the user's value is back.
void pauseTogglesAside();
void waitForPendingToggle();

// The journal of this user's toggles, beside the remembered theme switch.
QString toggleJournalPath();
// At a start: what a killed toggle left set is put back (see XSettingsJournal.h).
void finishInterruptedToggleOfThisDisplay();

} // namespace library
