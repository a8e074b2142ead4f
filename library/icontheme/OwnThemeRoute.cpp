// The own-theme route of desktop mode: the choice kept in the library, the
// theme the desktop shows, and the switch of the desktop's theme to the own
// theme and back, only when the user asks.
#include "icontheme/OwnTheme.h"
#include "icontheme/SafeFolder.h"
#include "library/icontheme/DesktopTexts.h"
#include "library/icontheme/IconThemeSystem.h"
#include "library/icontheme/XSettingsToggle.h"
#include "platform/core/Bundle.h"

#include <QFileInfo>
#include <cstdio>

namespace library {

using platform::bundle::localizedString;

namespace {
const QString kRouteFile = QStringLiteral(".own-theme-route");
}

bool IconThemeSystem::ownThemeRoute() const {
    return QFileInfo(QString::fromStdString(root_) + u'/' + kRouteFile).isFile();
}

bool IconThemeSystem::setOwnThemeRoute(bool on) {
    auto folder = icontheme::SafeFolder::open(QString::fromStdString(root_), false);
    const bool done =
        folder && (on ? folder->write(kRouteFile, "on\n") : folder->remove(kRouteFile));
    std::printf("%s route: %s\n", done ? "chose the" : "could not choose the",
                on ? "own theme" : "overlay");
    std::fflush(stdout);
    return done;
}

QString IconThemeSystem::ownThemeName() const {
    return icontheme::ownThemeName(theme_);
}

QString IconThemeSystem::ownThemeRecordPath(const QString& theme) const {
    return QString::fromStdString(root_) + QStringLiteral("/.own-") +
           (theme.isEmpty() ? theme_ : theme) + QStringLiteral(".json");
}

QStringList IconThemeSystem::stateFiles() const {
    const QString root = QString::fromStdString(root_);
    QStringList files = {switchStatePath(), root + QStringLiteral("/.theme-switch.json"),
                         root + u'/' + kRouteFile, toggleJournalPath()};
    for (const QString& base : dirs_.bases)
        files.append(base + u'/' + ownThemeName() + QStringLiteral("/index.theme"));
    return files;
}

QString IconThemeSystem::switchStatePath() const {
    return icontheme::stateHomeFromEnvironment() + QStringLiteral("/trayskin/theme-switch.json");
}

icontheme::ThemeSwitch IconThemeSystem::themeSwitch() const {
    icontheme::ThemeSwitch themeSwitch(icontheme::switchContextFromEnvironment(context_),
                                       switchStatePath());
    // Kept in the library before; taken from there once.
    themeSwitch.adopt(QString::fromStdString(root_) + QStringLiteral("/.theme-switch.json"));
    return themeSwitch;
}

icontheme::ThemeChoice IconThemeSystem::desktopTheme() const {
    return icontheme::chooseTheme(context_, icontheme::desktopThemeSources());
}

QString IconThemeSystem::shownTheme() {
    // What was remembered of the switch; the settings are read only at a
    // start and when switching, not at every look.
    const auto switched = themeSwitch().state();
    return switched && switched->theme == ownThemeName() && themes_.theme(ownThemeName())
               ? ownThemeName()
               : theme_;
}

std::pair<IconThemeSystem::SwitchOffer, QString> IconThemeSystem::switchOffer() {
    const auto switched = themeSwitch().state();
    if (switched && switched->theme == ownThemeName())
        return {SwitchOffer::Back, switched->previous.value_or(theme_)};
    if (QFileInfo(dirs_.userIcons + u'/' + ownThemeName() + QStringLiteral("/index.theme"))
            .isFile())
        return {SwitchOffer::ToOwnTheme, ownThemeName()};
    return {SwitchOffer::None, QString()};
}

PlaceReport IconThemeSystem::switchDesktop() {
    PlaceReport place;
    const auto [offer, theme] = switchOffer();
    if (offer == SwitchOffer::None)
        return place;
    icontheme::ThemeSwitch themeSwitch = this->themeSwitch();
    const icontheme::ThemeChoice current = desktopTheme();
    const icontheme::SwitchResult result = offer == SwitchOffer::ToOwnTheme
                                               ? themeSwitch.switchTo(current, theme)
                                               : themeSwitch.restore(current);
    if (result != icontheme::SwitchResult::Done) {
        place.notices.push_back(
            switchFailure(result, theme, themeSwitch.place(current.source), switchStatePath()));
        return place;
    }
    const QString now = desktopTheme().theme;
    std::printf("switched the desktop's icon theme from %s to %s (%s)\n", qPrintable(current.theme),
                qPrintable(now), qPrintable(current.source));
    std::fflush(stdout);
    place.done = true;
    // Back on the user's theme, installs go where it shows them again.
    if (offer == SwitchOffer::Back && ownThemeRoute())
        setOwnThemeRoute(false);
    const QString message =
        offer == SwitchOffer::Back
            ? switchedBackText(now)
            : localizedString(
                  QT_TRANSLATE_NOOP(
                      "Trayskin",
                      "The desktop uses the icon theme %1 now, which holds the pictures."))
                      .arg(now) +
                  QStringLiteral("\n\n") + localizedString(panelHintKey(desktop_));
    place.notices.push_back({localizedString(QT_TRANSLATE_NOOP("Trayskin", "Desktop Switched")),
                             message, localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"))});
    return place;
}

bool IconThemeSystem::ownThemeShows() {
    // Whatever changed on the disk since it was read is read again.
    themes_.refresh();
    icontheme::OwnTheme own(themes_, dirs_, theme_, ownThemeRecordPath());
    // A theme of that name that is not ours is the user's to judge, wherever it is.
    if (!own.ours())
        return themes_.theme(own.name()) != nullptr;
    const auto record = own.record();
    return QFileInfo(own.folder() + QStringLiteral("/index.theme")).isFile() && record &&
           !record->files.isEmpty();
}

Notice IconThemeSystem::leaveOwnTheme(const icontheme::ThemeChoice& current) {
    icontheme::ThemeSwitch themeSwitch = this->themeSwitch();
    // Back to the value the switch replaced, or, with no memory of it, to
    // the theme the own theme is made from (and inherits).
    const icontheme::SwitchResult result = themeSwitch.leave(current, theme_);
    if (result != icontheme::SwitchResult::Done)
        return switchFailure(result, theme_, themeSwitch.place(current.source), switchStatePath());
    const QString now = desktopTheme().theme;
    std::printf("the own theme %s does not show; switched the desktop back to %s (%s)\n",
                qPrintable(current.theme), qPrintable(now), qPrintable(current.source));
    std::fflush(stdout);
    return {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Desktop Switched Back")),
            localizedString(QT_TRANSLATE_NOOP(
                                "Trayskin",
                                "The desktop named the icon theme %1, which is gone or no longer "
                                "holds Trayskin's pictures, so Trayskin switched the desktop back "
                                "to %2."))
                .arg(current.theme, now),
            localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"))};
}

std::optional<Notice> IconThemeSystem::startNotice() {
    const icontheme::ThemeChoice current = desktopTheme();
    if (current.theme == ownThemeName() && !ownThemeShows())
        return leaveOwnTheme(current);
    icontheme::ThemeSwitch themeSwitch = this->themeSwitch();
    const auto switched = themeSwitch.state();
    if (!switched || !themeSwitch.userPickedAnother(current))
        return std::nullopt;
    // Said once: the switch is forgotten and the user's choice stays.
    themeSwitch.restore(current);
    std::printf("the desktop left the own theme %s for %s\n", qPrintable(switched->theme),
                qPrintable(current.theme));
    std::fflush(stdout);
    return Notice{
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "Own Theme Not Shown")),
        localizedString(
            QT_TRANSLATE_NOOP("Trayskin",
                              "The desktop uses the icon theme %1, which was picked after Trayskin "
                              "switched it to %2, so the pictures in %2 are no longer shown. "
                              "Trayskin leaves the desktop as it is."))
            .arg(current.theme, switched->theme),
        localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"))};
}

} // namespace library
