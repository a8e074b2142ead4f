// Desktop mode's restores: what was written taken out of the overlay and the
// own theme, and the user's entries the installs moved aside put back, in
// the theme in use or in every theme Trayskin wrote into. A record that
// cannot be read does not stop it: only what is provably ours goes then.
#include "icontheme/Overlay.h"
#include "icontheme/OwnTheme.h"
#include "icontheme/StatusItems.h"
#include "library/FileLines.h"
#include "library/icontheme/ClientReload.h"
#include "library/icontheme/DesktopTexts.h"
#include "library/icontheme/IconThemeSystem.h"
#include "library/icontheme/MadeFolder.h"
#include "platform/core/Bundle.h"

#include <QFileInfo>
#include <cstdio>

namespace library {

using platform::bundle::localizedString;

namespace {

// Whether the icon is one of the items' (of any when none given).
bool ofItems(const QStringList& items, const QString& icon) {
    const icontheme::StatusItem* item = icontheme::itemForIcon(icon);
    return item && (items.isEmpty() || items.contains(item->title));
}

// The icons of the items that a record holds files or kept entries of; all
// tells whether its files are of nothing else.
QStringList iconsOfItems(const icontheme::OverlayRecord& record, const QStringList& items,
                         bool* all = nullptr) {
    QStringList icons;
    if (all)
        *all = true;
    for (auto it = record.files.cbegin(); it != record.files.cend(); ++it) {
        const QString icon = icontheme::Overlay::entryIcon(it.key(), record);
        if (ofItems(items, icon))
            icons.append(icon);
        else if (all)
            *all = false;
    }
    for (const icontheme::KeptEntry& entry : record.kept) {
        const QString icon = icontheme::Overlay::entryIcon(entry.path, record);
        if (ofItems(items, icon) && !icons.contains(icon))
            icons.append(icon);
    }
    return icons;
}

// What a restore in the folder did, printed and noted for the alert.
void noteTakenOut(const icontheme::OverlayReport& report, const QString& folder,
                  const QString& theme, IconThemeSystem::TakenOut& out) {
    for (const QString& path : report.removed)
        sayFileLine("removed", folder + u'/' + path);
    for (const QString& path : report.putBack) {
        out.putBack.append(folder + u'/' + path);
        sayFileLine("put back", out.putBack.last());
    }
    for (const auto& [path, keptAt] : report.leftYours) {
        out.leftYours.append(leftText(folder + u'/' + path, keptAt));
        sayFileLine("left", out.leftYours.last());
    }
    std::fflush(stdout);
    if (!report.removed.isEmpty() || !report.putBack.isEmpty()) {
        out.touched = true;
        if (!out.themes.contains(theme))
            out.themes.append(theme);
    }
}

} // namespace

PlaceReport IconThemeSystem::restore(const std::string& item) {
    return putBack({QString::fromStdString(item)});
}

PlaceReport IconThemeSystem::restoreAll() {
    return putBack({});
}

bool IconThemeSystem::takeOut(const QString& theme, const QStringList& items, PlaceReport& place,
                              TakenOut& out) {
    return takeOutOfOwnTheme(theme, items, place, out) &&
           takeOutOfOverlay(theme, items, place, out);
}

PlaceReport IconThemeSystem::putBack(const QStringList& items, bool asDefault) {
    PlaceReport place;
    TakenOut out;
    const bool overlayThere = QFileInfo::exists(overlayFolder());
    // Restore All: every theme written into, not only the one in use now.
    const QStringList themes = items.isEmpty() ? recordedThemes() : QStringList{theme_};
    bool allOut = true;
    for (const QString& theme : themes)
        allOut = takeOut(theme, items, place, out) && allOut;
    removeMadeFolder(dirs_.userIcons, madeIconsNotePath());
    if (allOut)
        restartWithChange(namesOfItems(items));
    // The overlays, and the own themes that are Trayskin's: a folder of the
    // user's that bears the own theme's name is not touched.
    QStringList folders{overlayFolder()};
    QStringList owners{theme_};
    for (const QString& theme : std::as_const(out.themes)) {
        folders << dirs_.userIcons + u'/' + theme;
        owners << theme;
    }
    owners.removeDuplicates();
    for (const QString& theme : std::as_const(owners)) {
        const icontheme::OwnTheme own(themes_, dirs_, theme, ownThemeRecordPath(theme));
        if (own.ours())
            folders << own.folder();
    }
    folders.removeDuplicates();
    ClientReload reload = tellRunningClients(folders);
    // An overlay folder that went with its last picture is a change that
    // GTK sees as well.
    reload.touched = reload.touched || (overlayThere && !QFileInfo::exists(overlayFolder()));
    if (!allOut)
        return place;
    place.done = true;
    const QStringList shown = out.themes.isEmpty() ? QStringList{theme_} : out.themes;
    QString message = asDefault ? defaultShownText(theme_, items.value(0)) : restoredText(shown);
    const PanelAdvice advice = panelAdvice(namesOfItems(items));
    if (!advice.text.isEmpty())
        message += QStringLiteral("\n\n") + advice.text;
    message += reloadParagraph(reload);
    if (!out.switchedBack.isEmpty())
        message += QStringLiteral("\n\n") + switchedBackText(out.switchedBack);
    message += putBackText(out.putBack, out.leftYours);
    Notice complete{
        localizedString(asDefault ? QT_TRANSLATE_NOOP("Trayskin", "Installation Complete")
                                  : QT_TRANSLATE_NOOP("Trayskin", "Original Pictures Restored")),
        message, localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"))};
    offerRestart(advice, complete);
    place.notices.push_back(complete);
    return place;
}

bool IconThemeSystem::takeOutOfOverlay(const QString& theme, const QStringList& items,
                                       PlaceReport& place, TakenOut& out) {
    icontheme::Overlay overlay = overlayOf(theme);
    const auto record = overlay.record();
    icontheme::OverlayReport report;
    if (!record) {
        // Neither the record nor the one before it can be read.
        report = overlay.salvage(libraryDigests());
        out.leftYours.prepend(salvagedText(overlay.folder()));
    } else if (const QStringList icons = iconsOfItems(*record, items); !icons.isEmpty()) {
        report = overlay.restore(icons);
    }
    // (The overlay's restore and salvage ask again only what they changed.)
    noteTakenOut(report, overlay.folder(), theme, out);
    if (!report.ok())
        place.notices.push_back(failureNotice(report.failure, theme, report.failedPath));
    return report.ok();
}

bool IconThemeSystem::takeOutOfOwnTheme(const QString& theme, const QStringList& items,
                                        PlaceReport& place, TakenOut& out) {
    icontheme::OwnTheme own(themes_, dirs_, theme, ownThemeRecordPath(theme));
    const auto record = own.record();
    bool all = true;
    const QStringList icons = record ? iconsOfItems(*record, items, &all) : QStringList();
    // The desktop is never left on a theme that is gone: it is switched back
    // before the own theme's last picture goes.
    icontheme::ThemeSwitch themeSwitch = this->themeSwitch();
    const auto switched = themeSwitch.state();
    if (all && switched && switched->theme == own.name()) {
        const icontheme::ThemeChoice current = desktopTheme();
        const icontheme::SwitchResult result = themeSwitch.restore(current);
        if (result == icontheme::SwitchResult::Done) {
            out.switchedBack = desktopTheme().theme;
            std::printf("switched the desktop back to %s\n", qPrintable(out.switchedBack));
            // Back on the user's theme, the next installs go there too.
            if (ownThemeRoute())
                setOwnThemeRoute(false);
        } else if (result != icontheme::SwitchResult::UserChanged) {
            place.notices.push_back(switchFailure(result, switched->previous.value_or(theme),
                                                  themeSwitch.place(current.source),
                                                  switchStatePath()));
            return false;
        }
    }
    icontheme::OverlayReport report;
    if (!record) {
        report = own.salvage(libraryDigests());
        out.leftYours.prepend(salvagedText(own.folder()));
    } else if (!icons.isEmpty()) {
        report = own.restore(icons);
    }
    noteTakenOut(report, own.folder(), own.name(), out);
    if (!report.ok())
        place.notices.push_back(failureNotice(report.failure, own.name(), report.failedPath));
    return report.ok();
}

} // namespace library
