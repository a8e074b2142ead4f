// The commands that change the system's pictures (Use This Set, the
// restores and the system's own commands) and the alerts that tell how they
// went; help and about.
#pragma once

#include "library/PictureSystem.h"

#include <QObject>
#include <string>
#include <string_view>

class QMainWindow;

class Commands final : public QObject {
public:
    // The window's status bar says what the last command left to say.
    Commands(QMainWindow& window, library::PictureSystem& system);

    // Puts the set in place for its item (nothing without both).
    void use(const std::string& item, const std::string& set);
    // Puts the item's original pictures back (nothing without one); every
    // item's.
    void restore(const std::string& item);
    void restoreAll();
    // Tells the outcome of a command run elsewhere, as its own are told.
    void tell(const library::PlaceReport& report);
    // Runs the system's command of that name; what it did.
    library::PlaceReport run(std::string_view name, bool checked);

    void showHelp();
    // Help > About Trayskin: name, version, what it does, the licence.
    void showAbout();

private:
    // Every command starts here: a status line about the last one goes.
    void beginAction();
    // The outcome's status line and alerts, then the settings pane it names
    // (or the application, where the pane is missing).
    void tellOutcome(const library::PlaceReport& report);
    // Opens the file with the desktop; a failure, now or when the opener
    // gives up, is said in the status bar with the key and the path.
    void openReporting(const std::string& path, const char* failureKey);
    // A line in the status bar: the localized key, a space, the path.
    void tellInStatusBar(const char* key, const std::string& path);

    QMainWindow& window_;
    library::PictureSystem& system_;
};
