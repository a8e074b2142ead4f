// Desktop mode's Use This Set and restores: a set's pictures written into
// the overlay or the own theme, and what was written taken out again with
// the user's own overrides put back.
#include "icontheme/Overlay.h"
#include "icontheme/OwnTheme.h"
#include "icontheme/Picture.h"
#include "icontheme/SafeFolder.h"
#include "icontheme/StatusItems.h"
#include "library/ClientReload.h"
#include "library/DesktopTexts.h"
#include "library/IconThemeSystem.h"
#include "platform/core/Bundle.h"
#include "platform/core/PathString.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <cstdio>

namespace library {

using platform::formatPath;
using platform::bundle::localizedString;

namespace {

// Whether the file is a picture of one of the items (of any when none given).
bool ofItems(const QStringList& items, const QString& fileName) {
    const auto name = icontheme::pictureName(fileName);
    const icontheme::StatusItem* item = name ? icontheme::itemForIcon(name->icon) : nullptr;
    return item && (items.isEmpty() || items.contains(item->title));
}

// The icons of the items that a record holds files of; all tells whether
// the record holds nothing else.
QStringList iconsOfItems(const icontheme::OverlayRecord& record, const QStringList& items,
                         bool* all = nullptr) {
    QStringList icons;
    if (all)
        *all = true;
    for (auto it = record.files.cbegin(); it != record.files.cend(); ++it) {
        const QString file = it.key().mid(it.key().lastIndexOf(u'/') + 1);
        if (ofItems(items, file))
            icons.append(icontheme::pictureName(file)->icon);
        else if (all)
            *all = false;
    }
    return icons;
}

void printRemoved(const icontheme::OverlayReport& report, const QString& folder) {
    for (const QString& path : report.removed)
        std::printf("removed %s/%s\n", qPrintable(folder), qPrintable(path));
}

// A folder that an install made where there was none ($XDG_DATA_HOME/icons)
// is noted in a file by its folder id, and goes again once a restore leaves
// it empty; a folder of that name that anyone else made is never taken for it.
void noteMadeFolder(const QString& folder, const QString& note) {
    auto made = icontheme::SafeFolder::open(folder, false);
    const auto id = made ? made->folderId() : std::nullopt;
    auto notes = icontheme::SafeFolder::open(QFileInfo(note).path(), false);
    if (id && notes)
        notes->write(QFileInfo(note).fileName(), id->toUtf8());
}

void removeMadeFolder(const QString& folder, const QString& note) {
    auto notes = icontheme::SafeFolder::open(QFileInfo(note).path(), false);
    const QString name = QFileInfo(note).fileName();
    if (!notes || !notes->exists(name))
        return;
    const auto noted = notes->read(name, 64);
    auto made = icontheme::SafeFolder::open(folder, false);
    const bool ours = made && noted && made->folderId() == QString::fromUtf8(*noted);
    made.reset();
    const qsizetype slash = folder.lastIndexOf(u'/');
    auto parent = icontheme::SafeFolder::open(folder.left(slash), false);
    // A folder of ours that still holds anything stays, and stays noted.
    if (ours && !(parent && parent->removeEmptyFolder(folder.mid(slash + 1))))
        return;
    notes->remove(name);
    std::printf("%s %s\n", ours ? "removed" : "forgot", qPrintable(folder));
}

} // namespace

PlaceReport IconThemeSystem::install(const std::string& item, const std::string& set) {
    PlaceReport place;
    // Only the item's own names: a set never changes another item's icons.
    const icontheme::StatusItem* status = statusItem(item);
    QStringList pictures;
    QStringList unused;
    for (const QString& path : picturesOfSet(item, set)) {
        const QString file = QFileInfo(path).fileName();
        const auto name = icontheme::pictureName(file);
        if (name && (status == nullptr || !status->hasName(name->icon))) {
            const QString line =
                file + QStringLiteral(": ") +
                localizedString(QT_TRANSLATE_NOOP("Trayskin", "not an icon name of this item"));
            std::printf("refused %s\n", qPrintable(line));
            unused.append(line);
            continue;
        }
        pictures.append(path);
    }
    // A user's own picture that an install may replace is kept first.
    const bool own = ownThemeRoute();
    const std::string notKept = own ? std::string() : keepUserOverrides();
    if (!notKept.empty()) {
        std::printf("not kept %s\n", notKept.c_str());
        std::fflush(stdout);
        place.notices.push_back({localizedString(QT_TRANSLATE_NOOP("Trayskin", "My Apologies")),
                                 localizedString(QT_TRANSLATE_NOOP(
                                     "Trayskin", "Your own picture could not be kept in the "
                                                 "backup, so nothing was changed:")) +
                                     u' ' + QString::fromStdString(notKept),
                                 localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"))});
        return place;
    }
    // An item's pictures are in one route: what the other wrote of it goes.
    QString switchedBack;
    if (!(own ? takeOutOfOverlay({QString::fromStdString(item)}, place)
              : takeOutOfOwnTheme({QString::fromStdString(item)}, place, &switchedBack)))
        return place;
    icontheme::Overlay overlay(themes_, dirs_, theme_, recordPath());
    icontheme::OwnTheme ownTheme(themes_, dirs_, theme_, ownThemeRecordPath());
    const bool iconsThere = QFileInfo::exists(dirs_.userIcons);
    const icontheme::OverlayReport report =
        own ? ownTheme.install(pictures) : overlay.install(pictures);
    if (!iconsThere)
        noteMadeFolder(dirs_.userIcons, madeIconsNotePath());
    const QString folder = own ? ownTheme.folder() : overlay.folder();
    for (const QString& path : report.written)
        std::printf("wrote %s/%s\n", qPrintable(folder), qPrintable(path));
    for (const icontheme::Picture& picture : report.refused) {
        const QString line = QFileInfo(picture.source).fileName() + QStringLiteral(": ") +
                             localizedString(refusalKey(picture.problem));
        std::printf("refused %s\n", qPrintable(line));
        unused.append(line);
    }
    for (const QString& icon : report.skipped) {
        const QString line = icon + QStringLiteral(": ") +
                             localizedString(QT_TRANSLATE_NOOP(
                                 "Trayskin", "the icon theme has no folder for this name"));
        std::printf("skipped %s\n", qPrintable(line));
        unused.append(line);
    }
    std::fflush(stdout);
    const ClientReload reload = tellRunningClients({overlay.folder(), ownTheme.folder()});
    if (!unused.isEmpty())
        place.notices.push_back(
            {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Some Pictures Not Used")),
             unused.join(u'\n'), localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"))});
    if (!report.ok()) {
        place.notices.push_back(failureNotice(report.failure, own ? ownThemeName() : theme_));
        return place;
    }
    place.done = true;
    QString message;
    if (!own) {
        message = localizedString(QT_TRANSLATE_NOOP(
                      "Trayskin", "The pictures are in place in the icon theme")) +
                  u' ' + theme_ + QStringLiteral(".\n\n") + localizedString(panelHintKey(desktop_));
    } else if (shownTheme() == ownThemeName()) {
        message = localizedString(
                      QT_TRANSLATE_NOOP("Trayskin",
                                        "The pictures are in place in the own theme %1, which the "
                                        "desktop uses."))
                      .arg(ownThemeName()) +
                  QStringLiteral("\n\n") + localizedString(panelHintKey(desktop_));
    } else {
        message =
            localizedString(QT_TRANSLATE_NOOP(
                                "Trayskin", "The pictures are in place in the own theme %1. The "
                                            "desktop shows them once it is switched to that theme: "
                                            "File > Switch Desktop to Own Theme."))
                .arg(ownThemeName());
    }
    if (!own || shownTheme() == ownThemeName())
        message += reloadParagraph(reload);
    if (!switchedBack.isEmpty())
        message += QStringLiteral("\n\n") + switchedBackText(switchedBack);
    if (!report.shadowed.isEmpty())
        message += QStringLiteral("\n\n") +
                   localizedString(QT_TRANSLATE_NOOP(
                       "Trayskin", "Files of the same name in ~/.icons hide these pictures:")) +
                   u' ' + report.shadowed.join(QStringLiteral(", "));
    place.notices.push_back(
        {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Installation Complete")), message,
         localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"))});
    return place;
}

PlaceReport IconThemeSystem::restore(const std::string& item) {
    return putBack({QString::fromStdString(item)});
}

PlaceReport IconThemeSystem::restoreAll() {
    return putBack({});
}

PlaceReport IconThemeSystem::putBack(const QStringList& items) {
    PlaceReport place;
    QString switchedBack;
    const bool overlayThere = QFileInfo::exists(overlayFolder());
    const bool out =
        takeOutOfOwnTheme(items, place, &switchedBack) && takeOutOfOverlay(items, place);
    removeMadeFolder(dirs_.userIcons, madeIconsNotePath());
    ClientReload reload =
        tellRunningClients({overlayFolder(), dirs_.userIcons + u'/' + ownThemeName()});
    // An overlay folder that went with its last picture is a change that
    // GTK sees as well.
    reload.touched = reload.touched || (overlayThere && !QFileInfo::exists(overlayFolder()));
    if (!out)
        return place;
    place.done = true;
    QString message = localizedString(QT_TRANSLATE_NOOP(
                          "Trayskin", "The icon theme shows its own pictures again, and your "
                                      "own overrides are back.")) +
                      QStringLiteral("\n\n") + localizedString(panelHintKey(desktop_));
    message += reloadParagraph(reload);
    if (!switchedBack.isEmpty())
        message += QStringLiteral("\n\n") + switchedBackText(switchedBack);
    place.notices.push_back(
        {localizedString(QT_TRANSLATE_NOOP("Trayskin", "Original Pictures Restored")), message,
         localizedString(QT_TRANSLATE_NOOP("Trayskin", "OK"))});
    return place;
}

bool IconThemeSystem::takeOutOfOverlay(const QStringList& items, PlaceReport& place) {
    icontheme::Overlay overlay(themes_, dirs_, theme_, recordPath());
    const auto record = overlay.record();
    icontheme::OverlayReport report;
    if (!record) {
        report.failure = icontheme::OverlayFailure::Record;
    } else {
        const QStringList icons = iconsOfItems(*record, items);
        if (!icons.isEmpty())
            report = overlay.restore(icons);
    }
    printRemoved(report, overlay.folder());
    if (!report.ok()) {
        std::fflush(stdout);
        place.notices.push_back(failureNotice(report.failure, theme_));
        return false;
    }
    // The user's own overrides, as the first start found them.
    const QString saved =
        QString::fromStdString(formatPath(kBackupFolderPattern, {root_, kBackupSuffix})) + u'/' +
        theme_;
    bool allBack = true;
    if (QFileInfo(saved).isDir()) {
        // Made again only for a picture to put back.
        auto folder = icontheme::SafeFolder::open(overlay.folder(), false);
        QDirIterator it(saved, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString relative = QDir(saved).relativeFilePath(path);
            if (!ofItems(items, it.fileName()) || QFileInfo(path).isSymLink())
                continue;
            if (folder && folder->exists(relative))
                continue;
            if (!folder) {
                if (auto made = icontheme::SafeFolder::open(overlay.folder(), true))
                    folder.emplace(std::move(*made));
            }
            const auto bytes = icontheme::readSmallFile(path, icontheme::kMaxPictureBytes);
            const bool back = folder && bytes && folder->write(relative, *bytes);
            std::printf("%s %s/%s\n", back ? "put back" : "could not put back",
                        qPrintable(overlay.folder()), qPrintable(relative));
            allBack = allBack && back;
        }
    }
    std::fflush(stdout);
    themes_.forget();
    if (!allBack)
        place.notices.push_back(failureNotice(icontheme::OverlayFailure::Write, theme_));
    return allBack;
}

bool IconThemeSystem::takeOutOfOwnTheme(const QStringList& items, PlaceReport& place,
                                        QString* switchedBack) {
    icontheme::OwnTheme own(themes_, dirs_, theme_, ownThemeRecordPath());
    const auto record = own.record();
    if (!record) {
        place.notices.push_back(failureNotice(icontheme::OverlayFailure::Record, own.name()));
        return false;
    }
    bool all = true;
    const QStringList icons = iconsOfItems(*record, items, &all);
    // The desktop is never left on a theme that is gone: it is switched back
    // before the own theme's last picture goes.
    icontheme::ThemeSwitch themeSwitch = this->themeSwitch();
    const auto switched = themeSwitch.state();
    if (all && switched && switched->theme == own.name()) {
        const icontheme::ThemeChoice current = desktopTheme();
        const icontheme::SwitchResult result = themeSwitch.restore(current);
        if (result == icontheme::SwitchResult::Done) {
            *switchedBack = desktopTheme().theme;
            std::printf("switched the desktop back to %s\n", qPrintable(*switchedBack));
        } else if (result != icontheme::SwitchResult::UserChanged) {
            place.notices.push_back(switchFailure(result, switched->previous.value_or(theme_),
                                                  themeSwitch.place(current.source),
                                                  switchStatePath()));
            return false;
        }
    }
    if (icons.isEmpty())
        return true;
    const icontheme::OverlayReport report = own.restore(icons);
    printRemoved(report, own.folder());
    std::fflush(stdout);
    if (!report.ok())
        place.notices.push_back(failureNotice(report.failure, own.name()));
    return report.ok();
}

} // namespace library
