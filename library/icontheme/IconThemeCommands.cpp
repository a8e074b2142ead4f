// Desktop mode's own commands as the window offers them: where the next
// installs go (the icon theme or a theme of its own), the switch of the
// desktop to the own theme and back, sets from installed themes, the
// question before Restore All; with the words of the status bar and the
// in-use line.
#include "library/icontheme/IconThemeSystem.h"
#include "platform/core/Bundle.h"

#include <QFileInfo>
#include <QtGlobal>

#include <utility>

namespace library {

using platform::bundle::localizedString;

namespace {
constexpr std::string_view kSwitchDesktopCommand = "switchDesktop";
constexpr std::string_view kAddThemeSetsCommand = "addThemeSets";
constexpr std::string_view kOverlayRouteCommand = "overlayRoute";
} // namespace

QString IconThemeSystem::statusLabel() {
    QString label = description();
    // The own theme while the desktop is switched to it.
    if (switchOffer().first == SwitchOffer::Back)
        label += u' ' + localizedString(QT_TRANSLATE_NOOP("Trayskin", "(the desktop shows %1)"))
                            .arg(ownThemeName());
    if (ownThemeRoute())
        label +=
            QStringLiteral(" \u00b7 ") +
            localizedString(QT_TRANSLATE_NOOP("Trayskin", "installs into %1")).arg(ownThemeName());
    return label;
}

QString IconThemeSystem::purpose() const {
    return localizedString(
        QT_TRANSLATE_NOOP("Trayskin", "Chooses the pictures of the panel's status icons."));
}

QString IconThemeSystem::shownSizeText() const {
    return localizedString(QT_TRANSLATE_NOOP("Trayskin", "Panel size"));
}

QString IconThemeSystem::nothingShownText() const {
    return localizedString(
        QT_TRANSLATE_NOOP("Trayskin", "The icon theme shows no picture of this item."));
}

std::vector<SystemCommand> IconThemeSystem::commands() {
    const auto [offer, theme] = switchOffer();
    const QString into = localizedString(QT_TRANSLATE_NOOP("Trayskin", "In&stall Into"));
    const bool own = ownThemeRoute();
    SystemCommand overlay{
        std::string(kOverlayRouteCommand),
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "The &Icon Theme %1")).arg(theme_),
        true,
        true,
        !own,
        into};
    SystemCommand route{std::string(kOwnThemeRouteCommand),
                        localizedString(QT_TRANSLATE_NOOP("Trayskin", "A &Theme of Its Own, %1"))
                            .arg(ownThemeName()),
                        true,
                        true,
                        own,
                        into};
    SystemCommand switchDesktop{
        std::string(kSwitchDesktopCommand),
        offer == SwitchOffer::Back
            ? localizedString(QT_TRANSLATE_NOOP("Trayskin", "S&witch Desktop Back to %1"))
                  .arg(theme)
            : localizedString(QT_TRANSLATE_NOOP("Trayskin", "S&witch Desktop to Own Theme")),
        offer != SwitchOffer::None};
    if (offer == SwitchOffer::None)
        switchDesktop.whyNot = localizedString(
            QT_TRANSLATE_NOOP("Trayskin", "There is no theme of Trayskin's own yet: install a "
                                          "set into a theme of its own first."));
    SystemCommand themeSets{
        std::string(kAddThemeSetsCommand),
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "Add Sets from &Installed Themes")), true};
    // Where the own theme shows better, it is proposed first (and the
    // completion alert of an install says why).
    if (prefersOwnTheme())
        return {route, overlay, switchDesktop, themeSets};
    return {overlay, route, switchDesktop, themeSets};
}

PlaceReport IconThemeSystem::runCommand(std::string_view name, bool checked) {
    if (name == kOwnThemeRouteCommand || name == kOverlayRouteCommand) {
        // Each choice is one side of the route; unchecking one is taking the other.
        PlaceReport report;
        report.done = setOwnThemeRoute((name == kOwnThemeRouteCommand) == checked);
        return report;
    }
    if (name == kSwitchDesktopCommand)
        return switchDesktop();
    if (name == kAddThemeSetsCommand)
        return addThemeSets(true);
    if (name == kRestartPanelCommand) {
        // Done already, with the change.
        if (auto done = std::exchange(restarted_, std::nullopt))
            return *done;
        return restartPanels();
    }
    return {};
}

void IconThemeSystem::useCommandLine(bool restartPanel) {
    commandLine_ = true;
    restartWithChange_ = restartPanel;
}

std::optional<Notice> IconThemeSystem::restoreAllQuestion() {
    // Every theme Trayskin wrote into, and the own theme where there is one.
    QStringList themes = recordedThemes();
    if (QFileInfo::exists(dirs_.userIcons + u'/' + ownThemeName()))
        themes.append(ownThemeName());
    QString message =
        localizedString(QT_TRANSLATE_NOOP("Trayskin",
                                          "Every picture that Trayskin put into these icon themes "
                                          "is removed, and your own files that it moved aside "
                                          "are put back: %1."))
            .arg(themes.join(QStringLiteral(", ")));
    const auto [offer, previous] = switchOffer();
    if (offer == SwitchOffer::Back)
        message +=
            u' ' + localizedString(
                       QT_TRANSLATE_NOOP("Trayskin", "The desktop is switched back from %1 to %2."))
                       .arg(ownThemeName(), previous);
    message += u' ' + localizedString(QT_TRANSLATE_NOOP(
                          "Trayskin", "The sets stay in the library, to be used again."));
    return Notice{localizedString(QT_TRANSLATE_NOOP("Trayskin", "Restore All Original Pictures?")),
                  message,
                  localizedString(QT_TRANSLATE_NOOP("Trayskin", "Restore All")),
                  QString(),
                  localizedString(QT_TRANSLATE_NOOP("Trayskin", "Cancel")),
                  true};
}

std::optional<SystemCommand> IconThemeSystem::offerAfterInstall() {
    // Only where the pictures went into the own theme, which the desktop
    // does not show yet.
    if (!ownThemeRoute() || switchOffer().first != SwitchOffer::ToOwnTheme)
        return std::nullopt;
    return SystemCommand{std::string(kSwitchDesktopCommand),
                         localizedString(QT_TRANSLATE_NOOP("Trayskin", "S&witch Desktop Now")),
                         true};
}

} // namespace library
