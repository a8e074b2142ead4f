// Desktop mode's own commands as the window offers them: the own-theme
// route of the next installs and the switch of the desktop to the own theme
// and back; with the words of the status bar and the in-use line.
#include "library/IconThemeSystem.h"
#include "platform/core/Bundle.h"

#include <QtGlobal>

namespace library {

using platform::bundle::localizedString;

namespace {
constexpr std::string_view kSwitchDesktopCommand = "switchDesktop";
constexpr std::string_view kAddThemeSetsCommand = "addThemeSets";
} // namespace

QString IconThemeSystem::statusLabel() {
    QString label = description();
    // The own theme while the desktop is switched to it.
    if (switchOffer().first == SwitchOffer::Back)
        label += u' ' + localizedString(QT_TRANSLATE_NOOP("Trayskin", "(the desktop shows %1)"))
                            .arg(ownThemeName());
    return label;
}

QString IconThemeSystem::nothingShownText() const {
    return localizedString(
        QT_TRANSLATE_NOOP("Trayskin", "The icon theme shows no picture of this item."));
}

std::vector<SystemCommand> IconThemeSystem::commands() {
    const auto [offer, theme] = switchOffer();
    SystemCommand route{std::string(kOwnThemeRouteCommand),
                        localizedString(QT_TRANSLATE_NOOP("Trayskin", "Install as &Own Theme")),
                        true, true, ownThemeRoute()};
    SystemCommand switchDesktop{
        std::string(kSwitchDesktopCommand),
        offer == SwitchOffer::Back
            ? localizedString(QT_TRANSLATE_NOOP("Trayskin", "S&witch Desktop Back to %1"))
                  .arg(theme)
            : localizedString(QT_TRANSLATE_NOOP("Trayskin", "S&witch Desktop to Own Theme")),
        offer != SwitchOffer::None};
    SystemCommand themeSets{
        std::string(kAddThemeSetsCommand),
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "Add Sets from &Installed Themes")), true};
    return {route, switchDesktop, themeSets};
}

PlaceReport IconThemeSystem::runCommand(std::string_view name, bool checked) {
    if (name == kOwnThemeRouteCommand) {
        PlaceReport report;
        report.done = setOwnThemeRoute(checked);
        return report;
    }
    if (name == kSwitchDesktopCommand)
        return switchDesktop();
    if (name == kAddThemeSetsCommand)
        return addThemeSets(true);
    return {};
}

} // namespace library
