#include "app/Commands.h"

#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"
#include "platform/gui/Workspace.h"
#include "platform/widgets/AlertPanel.h"

#include <QMainWindow>
#include <QPointer>
#include <QStatusBar>
#include <cstdio>

using platform::bundle::localizedString;

Commands::Commands(QMainWindow& window, library::PictureSystem& system)
    : window_(window), system_(system) {}

void Commands::beginAction() {
    // What the status bar said about the last action is old news now.
    window_.statusBar()->clearMessage();
}

void Commands::use(const std::string& item, const std::string& set) {
    beginAction();
    if (item.empty() || set.empty())
        return;
    library::PlaceReport report = system_.install(item, set);
    // What the system offers next rides on the completion alert.
    const auto offer = report.done ? system_.offerAfterInstall() : std::nullopt;
    if (offer && offer->enabled && !report.notices.empty()) {
        report.notices.back().other = offer->text;
        report.notices.back().otherCommand = offer->name;
    }
    tellOutcome(report);
}

void Commands::restore(const std::string& item) {
    beginAction();
    if (!item.empty())
        tellOutcome(system_.restore(item));
}

void Commands::restoreAll() {
    beginAction();
    if (const auto question = system_.restoreAllQuestion();
        question &&
        platform::runAlertPanel({question->title, question->message, question->button,
                                 question->detail, question->other, question->otherCancels}))
        return;
    tellOutcome(system_.restoreAll());
}

void Commands::tell(const library::PlaceReport& report) {
    beginAction();
    tellOutcome(report);
}

library::PlaceReport Commands::run(std::string_view name, bool checked) {
    beginAction();
    library::PlaceReport report = system_.runCommand(name, checked);
    tellOutcome(report);
    return report;
}

void Commands::tellOutcome(const library::PlaceReport& report) {
    if (!report.statusLine.isEmpty())
        window_.statusBar()->showMessage(report.statusLine);
    std::string next;
    for (const library::Notice& notice : report.notices)
        if (platform::runAlertPanel({notice.title, notice.message, notice.button, notice.detail,
                                     notice.other, notice.otherCancels}))
            next = notice.otherCommand;
    // The command an alert offered, taken after the last alert.
    if (!next.empty())
        tellOutcome(system_.runCommand(next, true));
    if (report.pane.empty() && report.paneApplication.empty())
        return;
    // What the desktop cannot open is said in the status bar.
    if (platform::fs::exists(report.pane)) {
        openReporting(report.pane,
                      QT_TRANSLATE_NOOP("Trayskin", "The settings pane could not be opened:"));
    } else if (!platform::sharedWorkspace().launchApplication(report.paneApplication)) {
        tellInStatusBar(QT_TRANSLATE_NOOP("Trayskin", "This application could not be started:"),
                        report.paneApplication);
    }
}

void Commands::showHelp() {
    beginAction();
    const std::string path = platform::bundle::pathForResource("ReadMe", "html");
    if (path.empty())
        return;
    // Opened at the system's own section; a failure names the page by its
    // file name, so that the sentence fits beside the status bar's others.
    QPointer<Commands> self(this);
    const auto failed = [self, path] {
        std::fprintf(stderr, "The help page could not be opened: %s\n", path.c_str());
        if (self)
            self->tellInStatusBar(
                QT_TRANSLATE_NOOP("Trayskin", "The help page could not be opened:"),
                platform::lastPathComponent(path));
    };
    if (!platform::sharedWorkspace().openFileAt(path, system_.helpSection(), failed))
        failed();
}

void Commands::openReporting(const std::string& path, const char* failureKey) {
    // The opener may fail at once, or later when it finds nothing to open
    // the file with; the window may be gone by then.
    QPointer<Commands> self(this);
    const auto failed = [self, path, failureKey] {
        if (self)
            self->tellInStatusBar(failureKey, path);
    };
    if (!platform::sharedWorkspace().openFile(path, failed))
        failed();
}

void Commands::showAbout() {
    beginAction();
    const QString text =
        QStringLiteral("Trayskin ") + QStringLiteral(TRAYSKIN_VERSION) + QStringLiteral("\n\n") +
        (system_.purpose().isEmpty()
             ? localizedString(QT_TRANSLATE_NOOP(
                   "Trayskin", "Chooses the pictures of the menu bar's status items."))
             : system_.purpose()) +
        QStringLiteral("\n\n") + QStringLiteral(TRAYSKIN_HOMEPAGE) + QStringLiteral("\n\n") +
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "Free software under the MIT License.")) +
        QStringLiteral("\n\n") +
        localizedString(QT_TRANSLATE_NOOP("Trayskin",
                                          "Made by the Trayskin contributors, with Qt. Every "
                                          "picture it ships was drawn for Trayskin."));
    platform::runAlertPanel(localizedString(QT_TRANSLATE_NOOP("Trayskin", "About Trayskin")), text,
                            localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK")));
}

void Commands::tellInStatusBar(const char* key, const std::string& path) {
    window_.statusBar()->showMessage(localizedString(key) + QLatin1Char(' ') +
                                     QString::fromUtf8(path));
}
