// The commands that change the system's pictures (Use This Set, the
// restores, the own theme's route and the desktop's switch to it) and the
// alerts that tell how they went.
#include "app/AppController.h"

#include "app/FailureCause.h"
#include "app/PaneLookup.h"
#include "library/IconThemeSystem.h"
#include "library/PictureSystem.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"
#include "platform/core/PathString.h"
#include "platform/gui/Workspace.h"
#include "platform/widgets/AlertPanel.h"
#include "privileged/AuthRunner.h"

#include "ui_MainWindow.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <cstdio>

namespace {

// The completion message: "Need restart", a space and the pane's name, as
// the keys stand ("Need restart " when there is no pane) where the strings
// table has no entry. An entry is a whole sentence that places the name
// with %1, and has a sentence of its own for no pane.
QString needRestartMessage(const QString& pane) {
    using platform::bundle::localizedString;
    const char* key = QT_TRANSLATE_NOOP("Trayskin", "Need restart");
    const QString text = localizedString(key);
    if (text == QLatin1String(key))
        return text + QLatin1Char(' ') + pane;
    if (pane.isEmpty())
        return localizedString(QT_TRANSLATE_NOOP("Trayskin", "Need restart, no settings pane"));
    return text.contains(QLatin1String("%1")) ? text.arg(pane) : text + QLatin1Char(' ') + pane;
}

} // namespace

bool AppController::setOwnThemeRoute(bool on) {
    beginAction();
    library::IconThemeSystem* system = desktopSystem();
    const bool done = system != nullptr && system->setOwnThemeRoute(on);
    updateDesktopActions();
    return done;
}

void AppController::switchDesktopTheme() {
    beginAction();
    if (library::IconThemeSystem* system = desktopSystem())
        tellOutcome(system->switchDesktop(), std::string());
    updateSelectionViews();
}

void AppController::updateDesktopActions() {
    using platform::bundle::localizedString;
    using Offer = library::IconThemeSystem::SwitchOffer;
    library::IconThemeSystem* system = desktopSystem();
    mainUi_->actionOwnTheme->setEnabled(system != nullptr);
    mainUi_->actionOwnTheme->setChecked(system != nullptr && system->ownThemeRoute());
    const auto [offer, theme] =
        system ? system->switchOffer() : std::pair<Offer, QString>{Offer::None, QString()};
    mainUi_->actionSwitchTheme->setEnabled(offer != Offer::None);
    mainUi_->actionSwitchTheme->setText(
        offer == Offer::Back
            ? localizedString(QT_TRANSLATE_NOOP("Trayskin", "S&witch Desktop Back to %1"))
                  .arg(theme)
            : localizedString(QT_TRANSLATE_NOOP("Trayskin", "S&witch Desktop to Own Theme")));
    // The mode, and the own theme while the desktop is switched to it.
    QString mode = library::activeSystem().description();
    if (offer == Offer::Back)
        mode += u' ' + localizedString(QT_TRANSLATE_NOOP("Trayskin", "(the desktop shows %1)"))
                           .arg(system->ownThemeName());
    mode_->setText(mode);
}

void AppController::useButtonClick() {
    beginAction();
    const auto components =
        platform::splitPath(fsBrowser()->pathToColumn(2), fsBrowser()->pathSeparator());
    // Nothing to install until a set is selected in the second column.
    if (components.size() < 3 || components[1].empty() || components[2].empty())
        return;
    const std::string extra = components[1];
    const std::string set = components[2];
    tellOutcome(library::activeSystem().install(extra, set, copier()), extra);
    updateSelectionViews();
}

bool AppController::copyThroughTool(const std::vector<library::InstallCopy>& copies) {
    using platform::bundle::localizedString;
    for (const library::InstallCopy& copy : copies) {
        std::puts("copy");
        std::fflush(stdout);
        platform::logLine(copy.source);
        std::puts("to");
        std::fflush(stdout);
        platform::logLine(copy.target);
        const OSStatus status = privileged::authmain(copy.source.c_str(), copy.target.c_str());
        if (status != 0) {
            std::printf("copy problem!  err is %d\n", static_cast<int>(status));
            std::fflush(stdout);
            // Whatever went wrong, the alert says "Wrong Password"; why it
            // went wrong is said beneath it and stays in the status bar.
            const QString message =
                localizedString(QT_TRANSLATE_NOOP("Trayskin", "%1 (%2 to %3)"))
                    .arg(localizedString(QT_TRANSLATE_NOOP("Trayskin", "Wrong Password")),
                         QString::fromUtf8(copy.source), QString::fromUtf8(copy.target));
            const QString cause = failureCause(status);
            mainWindow_->statusBar()->showMessage(cause);
            platform::runAlertPanel(localizedString(QT_TRANSLATE_NOOP("Trayskin", "My Apologies")),
                                    message, QStringLiteral("OK"), cause);
            return false;
        }
    }
    return true;
}

void AppController::announceCompletion(const QString& title, const QString& message,
                                       const std::string& extra) {
    using platform::bundle::localizedString;
    platform::runAlertPanel(
        title, message, localizedString(QT_TRANSLATE_NOOP("Trayskin", "Open System Preferences")));
    const std::string pane = library::preferencePane(whichSystemPanel(extra));
    // What the desktop cannot open is said in the status bar.
    if (platform::fs::exists(pane)) {
        openReporting(pane,
                      QT_TRANSLATE_NOOP("Trayskin", "The settings pane could not be opened:"));
    } else if (!platform::sharedWorkspace().launchApplication("System Preferences")) {
        tellInStatusBar(QT_TRANSLATE_NOOP("Trayskin", "This application could not be started:"),
                        "System Preferences");
    }
}

void AppController::sayNothingRestored(library::RestoreProblem problem) {
    using platform::bundle::localizedString;
    const char* why =
        problem == library::RestoreProblem::NoBackup
            ? QT_TRANSLATE_NOOP("Trayskin", "There is no backup of the Menu Extras folder yet.")
        : problem == library::RestoreProblem::BackupIncomplete
            ? QT_TRANSLATE_NOOP("Trayskin",
                                "The backup of the Menu Extras folder is not complete yet.")
            : QT_TRANSLATE_NOOP("Trayskin", "The backup holds no copy of this Menu Extra.");
    platform::runAlertPanel(localizedString(QT_TRANSLATE_NOOP("Trayskin", "Nothing Restored")),
                            localizedString(why),
                            localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK")));
}

void AppController::sayNothingNeededRestoring() {
    using platform::bundle::localizedString;
    platform::runAlertPanel(
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "Original Pictures Restored")),
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "Nothing needed restoring")),
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK")));
}

void AppController::restoreOriginalPictures() {
    beginAction();
    const std::string extra = selectedExtraAndSet().first;
    if (extra.empty())
        return;
    tellOutcome(library::activeSystem().restore(extra, copier()), extra);
    updateSelectionViews();
}

void AppController::restoreAllOriginalPictures() {
    beginAction();
    tellOutcome(library::activeSystem().restoreAll(copier()), std::string());
    updateSelectionViews();
}

library::PrivilegedCopier AppController::copier() {
    return
        [this](const std::vector<library::InstallCopy>& copies) { return copyThroughTool(copies); };
}

void AppController::tellOutcome(const library::PlaceReport& report, const std::string& extra) {
    using platform::bundle::localizedString;
    using Completion = library::PlaceReport::Completion;
    for (const library::Notice& notice : report.notices)
        platform::runAlertPanel(notice.title, notice.message, notice.button, notice.detail);
    if (report.problem != library::RestoreProblem::None)
        sayNothingRestored(report.problem);
    if (report.nothingNeeded)
        sayNothingNeededRestoring();
    switch (report.menuExtraCompletion) {
    case Completion::None:
        break;
    case Completion::Installed:
        announceCompletion(localizedString(QT_TRANSLATE_NOOP("Trayskin", "Installation Complete")),
                           needRestartMessage(whichPanel(extra)), extra);
        break;
    case Completion::Restored:
        announceCompletion(
            localizedString(QT_TRANSLATE_NOOP("Trayskin", "Original Pictures Restored")),
            needRestartMessage(whichPanel(extra)), extra);
        break;
    case Completion::RestoredAll:
        announceCompletion(
            localizedString(QT_TRANSLATE_NOOP("Trayskin", "Original Pictures Restored")),
            localizedString(QT_TRANSLATE_NOOP(
                "Trayskin", "The menu items must be restarted to show their original pictures.")),
            std::string());
        break;
    }
}
