// Desktop mode's Restart Panel: what the completion alert of an install or
// restore says of the running panel (and of the status programs that show
// the names changed), and the command that starts them again.
#include "icontheme/StatusItems.h"
#include "library/icontheme/DesktopTexts.h"
#include "library/icontheme/IconThemeSystem.h"
#include "library/icontheme/PanelRestart.h"
#include "platform/core/Bundle.h"

#include <cstdio>
#include <sys/resource.h>

namespace library {

using platform::bundle::localizedString;

namespace {

// A niceness that lets a starting panel go first on a busy machine.
constexpr int kAfterRestartNice = 10;

QString gnomeShellText(const platform::ProcessInfo& shell) {
    const bool wayland = shell.variable(u"XDG_SESSION_TYPE") == u"wayland" ||
                         (shell.variable(u"XDG_SESSION_TYPE").isEmpty() &&
                          !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"));
    return localizedString(
        wayland ? QT_TRANSLATE_NOOP("Trayskin",
                                    "GNOME Shell on Wayland cannot be started again without ending "
                                    "the session: log out and in again to see the pictures.")
                : QT_TRANSLATE_NOOP("Trayskin", "GNOME Shell shows them once it is started again: "
                                                "press Alt+F2, type r and press Enter."));
}

} // namespace

bool IconThemeSystem::prefersOwnTheme() const {
    return desktop_.split(u':').contains(QStringLiteral("LXQt"), Qt::CaseInsensitive);
}

QString IconThemeSystem::ownThemeAdvice(bool terminal) {
    return localizedString(
        terminal ? QT_TRANSLATE_NOOP("Trayskin",
                                     "The LXQt panel keeps the theme's own picture where the theme "
                                     "holds one of the same size, so some of these pictures may "
                                     "not show there. On LXQt, use --own-theme --switch-desktop "
                                     "shows every picture, and the panel follows the switch at "
                                     "once.")
                 : QT_TRANSLATE_NOOP("Trayskin",
                                     "The LXQt panel keeps the theme's own picture where the theme "
                                     "holds one of the same size, so some of these pictures may "
                                     "not show there. On LXQt, File > Install Into > A Theme of "
                                     "Its Own and then Switch Desktop to Own Theme show every "
                                     "picture, and the panel follows the switch at once."));
}

QStringList IconThemeSystem::namesOfItems(const QStringList& items) {
    QStringList names;
    for (const icontheme::StatusItem& item : icontheme::statusItems())
        if (items.isEmpty() || items.contains(item.title))
            names << item.prefixes;
    return names;
}

IconThemeSystem::PanelAdvice IconThemeSystem::panelAdvice(const QStringList& changedNames) {
    changedNames_ = changedNames;
    QStringList restartable;
    QString cannot;
    bool lxqt = false;
    for (const RunningProgram& program : runningRestartable(changedNames)) {
        lxqt = lxqt || program.process.runs(QStringLiteral("lxqt-panel"));
        if (program.kind->way == RestartWay::Cannot)
            cannot = gnomeShellText(program.process);
        else
            restartable << QLatin1StringView(program.kind->program);
    }
    restartable.removeDuplicates();
    PanelAdvice advice;
    advice.restartable = !restartable.isEmpty();
    // A terminal's --restart-panel says itself what it started again.
    if (advice.restartable && !restartWithChange_)
        advice.text =
            localizedString(commandLine_
                                ? QT_TRANSLATE_NOOP("Trayskin",
                                                    "With --restart-panel, Trayskin starts %1 "
                                                    "again, so that they show the pictures.")
                                : QT_TRANSLATE_NOOP("Trayskin", "Restart Panel starts %1 again, "
                                                                "so that they show the pictures."))
                .arg(restartable.join(QStringLiteral(", ")));
    if (!cannot.isEmpty())
        advice.text += (advice.text.isEmpty() ? QString() : QStringLiteral(" ")) + cannot;
    // (Where the restart went with the change, its own report follows.)
    if (advice.text.isEmpty() && !advice.restartable && !restarted_)
        advice.text = localizedString(panelHintKey(desktop_));
    // lxqt-panel loses the overlay's ties with the theme's pictures of the
    // same size, and follows a switch of the theme at once.
    if ((lxqt || prefersOwnTheme()) && !ownThemeRoute())
        advice.text += (advice.text.isEmpty() ? QString() : QStringLiteral("\n\n")) +
                       ownThemeAdvice(commandLine_);
    return advice;
}

void IconThemeSystem::offerRestart(const PanelAdvice& advice, Notice& notice) {
    if (!advice.restartable)
        return;
    notice.other = localizedString(QT_TRANSLATE_NOOP("Trayskin", "Restart Panel"));
    notice.otherCommand = std::string(kRestartPanelCommand);
}

void IconThemeSystem::restartWithChange(const QStringList& changedNames) {
    if (!restartWithChange_)
        return;
    changedNames_ = changedNames;
    restarted_ = restartPanels();
    // What is left of the change (the syncs, the record, the report) gives
    // the processor to the programs started again while they start.
    if (restarted_->done)
        ::setpriority(PRIO_PROCESS, 0, kAfterRestartNice);
}

PlaceReport IconThemeSystem::restartPanels() {
    PlaceReport place;
    QStringList started;
    QStringList failed;
    for (const RunningProgram& program : runningRestartable(changedNames_)) {
        if (program.kind->way == RestartWay::Cannot)
            continue;
        const QString name = QLatin1StringView(program.kind->program);
        const auto steps = restartSteps(program);
        const QString why = steps.empty()
                                ? localizedString(QT_TRANSLATE_NOOP(
                                      "Trayskin", "its program file cannot be found or started"))
                                : runSteps(steps, QStringLiteral("/proc"));
        std::printf("%s %s (process %d)%s%s\n", why.isEmpty() ? "restarted" : "could not restart",
                    qPrintable(name), program.process.pid, why.isEmpty() ? "" : ": ",
                    qPrintable(printableName(why)));
        if (why.isEmpty())
            started << name;
        else
            failed << name + QStringLiteral(": ") + why;
    }
    std::fflush(stdout);
    const QString ok = localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"));
    if (started.isEmpty() && failed.isEmpty()) {
        place.notices.push_back(
            {localizedString(QT_TRANSLATE_NOOP("Trayskin", "No Panel Found")),
             localizedString(QT_TRANSLATE_NOOP("Trayskin", "Trayskin found no panel on this "
                                                           "display that it can start again.")) +
                 u' ' + localizedString(panelHintKey(desktop_)),
             ok});
        return place;
    }
    const QString startedText =
        started.isEmpty() ? QString()
                          : localizedString(QT_TRANSLATE_NOOP("Trayskin", "Started again: %1."))
                                .arg(started.join(QStringLiteral(", ")));
    if (failed.isEmpty()) {
        place.done = true;
        place.notices.push_back(
            {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Panel Restarted")), startedText, ok});
        return place;
    }
    place.statusLine = failed.join(QStringLiteral("; "));
    place.notices.push_back(
        {localizedString(QT_TRANSLATE_NOOP("Trayskin", "My Apologies")),
         localizedString(QT_TRANSLATE_NOOP("Trayskin", "Not every program could be started "
                                                       "again.")) +
             (startedText.isEmpty() ? QString() : u' ' + startedText),
         ok, failed.join(u'\n')});
    return place;
}

} // namespace library
