// The program's command line, one table for the parser, --help, the manual
// page and the shell completion: which system's pictures to work on
// (--desktop, --menu-extras, --icon-theme NAME, --own-theme,
// --switch-desktop), and the verbs
// that work without a window (list, use, restore, status, reapply, import,
// export).
#pragma once

#include "library/SystemChoice.h"

#include <QString>
#include <QStringList>
#include <span>

enum class Verb { Window, List, Use, Restore, Status, Reapply, Import, Export };

// What a script can rely on when a verb ends.
namespace exitstatus {
inline constexpr int kDone = 0;
inline constexpr int kPartly = 1;  // some pictures in place, others refused
inline constexpr int kNothing = 2; // nothing was changed
inline constexpr int kUsage = 64;  // the command line cannot be used
inline constexpr int kNoSuch = 69; // no such item or set
inline constexpr int kCannotWrite = 73;
inline constexpr int kHeld = 75;    // another Trayskin holds the library
inline constexpr int kRefused = 77; // refused by the authorization
} // namespace exitstatus

struct StartOptions {
    library::ModeRequest request = library::ModeRequest::Any;
    QString iconTheme;
    bool ownTheme = false; // the own-theme route from now on
    bool switchDesktop = false; // after use --own-theme: the desktop switched to it
    QString error;         // why the arguments cannot be used; empty when they can
    bool help = false;
    bool version = false;
    Verb verb = Verb::Window;
    QStringList operands; // the verb's own arguments
    bool json = false;
    bool all = false;
    bool restartPanel = false; // after use or restore: the panel started again
    bool verbose = false;      // the per-file lines of desktop mode
};

// One line of the table: an option (name, value name or null), a verb (name,
// its arguments) or an exit status (its number as text); each with the
// English key of its description ("Trayskin" context).
struct CommandEntry {
    const char* name;
    const char* argument;
    const char* description;
};
std::span<const CommandEntry> commandOptions();
std::span<const CommandEntry> commandVerbs();
std::span<const CommandEntry> exitStatuses();

// Reads the arguments (the program's name first).
StartOptions parseStartOptions(const QStringList& arguments);

// The whole help: what the program does on the system the options choose,
// usage, options, verbs and exit statuses, in the user's language.
QString helpText(library::ModeRequest request = library::ModeRequest::Any,
                 const QString& iconTheme = QString());

// The one line a usage error prints: the error and where help is.
QString usageLine(const QString& error);

// For the program: prints the help, the version or a usage error and
// returns the exit status where the arguments say so; -1 when the program
// goes on (a verb or the window).
int answerStartOptions(const StartOptions& options);
