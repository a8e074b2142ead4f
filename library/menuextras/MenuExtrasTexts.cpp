#include "library/menuextras/MenuExtrasTexts.h"

#include "library/menuextras/PaneLookup.h"
#include "platform/core/Bundle.h"

#include <QtGlobal>

namespace library {

using platform::bundle::localizedString;

namespace {

// The completion message: "Need restart", a space and the pane's name, as
// the keys stand ("Need restart " when there is no pane) where the strings
// table has no entry. An entry is a whole sentence that places the name
// with %1, and has a sentence of its own for no pane.
QString needRestartMessage(const QString& pane) {
    const char* key = QT_TRANSLATE_NOOP("Trayskin", "Need restart");
    const QString text = localizedString(key);
    if (text == QLatin1String(key))
        return text + QLatin1Char(' ') + pane;
    if (pane.isEmpty())
        return localizedString(QT_TRANSLATE_NOOP("Trayskin", "Need restart, no settings pane"));
    return text.contains(QLatin1String("%1")) ? text.arg(pane) : text + QLatin1Char(' ') + pane;
}

} // namespace

void complete(PlaceReport& report, Completion completion, const std::string& extra) {
    const QString title =
        completion == Completion::Installed
            ? localizedString(QT_TRANSLATE_NOOP("Trayskin", "Installation Complete"))
            : localizedString(QT_TRANSLATE_NOOP("Trayskin", "Original Pictures Restored"));
    const QString message =
        completion == Completion::RestoredAll
            ? localizedString(QT_TRANSLATE_NOOP(
                  "Trayskin", "The menu items must be restarted to show their original pictures."))
            : needRestartMessage(whichPanel(extra));
    report.notices.push_back(
        {title, message,
         localizedString(QT_TRANSLATE_NOOP("Trayskin", "Open System Preferences"))});
    report.pane = preferencePane(whichSystemPanel(extra));
    report.paneApplication = "System Preferences";
}

Notice nothingRestored(RestoreProblem problem) {
    const char* why =
        problem == RestoreProblem::NoBackup
            ? QT_TRANSLATE_NOOP("Trayskin", "There is no backup of the Menu Extras folder yet.")
        : problem == RestoreProblem::BackupIncomplete
            ? QT_TRANSLATE_NOOP("Trayskin",
                                "The backup of the Menu Extras folder is not complete yet.")
            : QT_TRANSLATE_NOOP("Trayskin", "The backup holds no copy of this Menu Extra.");
    return {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Nothing Restored")),
            localizedString(why), localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"))};
}

Notice nothingNeededRestoring() {
    return {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Original Pictures Restored")),
            localizedString(QT_TRANSLATE_NOOP("Trayskin", "Nothing needed restoring")),
            localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"))};
}

Notice copyFailed(const InstallCopy& copy, const QString& cause) {
    // Whatever went wrong, the alert says "Wrong Password"; why it went
    // wrong is said beneath it. Its button is the one text not looked up.
    const QString message =
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "%1 (%2 to %3)"))
            .arg(localizedString(QT_TRANSLATE_NOOP("Trayskin", "Wrong Password")),
                 QString::fromUtf8(copy.source), QString::fromUtf8(copy.target));
    return {localizedString(QT_TRANSLATE_NOOP("Trayskin", "My Apologies")), message,
            QStringLiteral("OK"), cause};
}

QString leftOutText(int placed, const QStringList& leftOut) {
    return localizedString(
               QT_TRANSLATE_NOOP("Trayskin", "%1 of the set's %2 files are in place; left out:"))
               .arg(placed)
               .arg(placed + leftOut.size()) +
           u'\n' + leftOut.join(u'\n');
}

} // namespace library
