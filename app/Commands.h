// The commands that change the system's pictures (Use This Set, the
// restores and the system's own commands, whose menu items are built from
// what the system offers) and the alerts that tell how they went; help and
// about.
#pragma once

#include "library/PictureSystem.h"

#include <QObject>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;

class Commands final : public QObject {
public:
    // The system's commands go into the menu after the action `after`;
    // changed runs after each of them.
    Commands(QMainWindow& window, QMenu& menu, QAction& after, library::PictureSystem& system,
             std::function<void()> changed);

    // Puts the set in place for its item (nothing without both).
    void use(const std::string& item, const std::string& set);
    // Puts the item's original pictures back (nothing without one); every
    // item's.
    void restore(const std::string& item);
    void restoreAll();
    // Runs the system's command of that name; whether it was carried out.
    bool run(std::string_view name, bool checked);
    // The system's commands' menu items as the commands stand now.
    void refreshMenu();

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
    QMenu& menu_;
    QAction& after_;
    library::PictureSystem& system_;
    std::function<void()> changed_;
    std::vector<QAction*> systemActions_; // by the system's command names
};
