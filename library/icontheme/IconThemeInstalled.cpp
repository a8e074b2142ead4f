// Desktop mode's installed sets, read from the records of what the installs
// wrote (not from what the lookup shows now, which a theme update changes):
// an item's set is the one whose pictures hold every digest recorded for
// the item's names, and it is out of date when the theme now holds one of
// its names in a folder the install did not write into.
#include "icontheme/Overlay.h"
#include "icontheme/OwnTheme.h"
#include "icontheme/Picture.h"
#include "icontheme/StatusItems.h"
#include "library/icontheme/IconThemeSystem.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <QMap>
#include <QSet>

namespace library {

namespace {

// What the records hold of one item: each icon's digests and folders.
struct Recorded {
    QMap<QString, QSet<QString>> digests;
    QMap<QString, QSet<QString>> dirs;
};

void addRecord(const std::optional<icontheme::OverlayRecord>& record,
               const icontheme::StatusItem& item, Recorded& recorded) {
    if (!record)
        return;
    for (auto it = record->files.cbegin(); it != record->files.cend(); ++it) {
        // A link's place holds the picture of the icon it covers.
        const QString icon = icontheme::Overlay::entryIcon(it.key(), *record);
        if (!item.hasName(icon))
            continue;
        for (const QString& digest : it.value())
            recorded.digests[icon].insert(digest);
        recorded.dirs[icon].insert(it.key().section(u'/', 0, -2));
    }
}

} // namespace

std::vector<InstalledSet> IconThemeSystem::installedSets() {
    themes_.refresh();
    icontheme::Overlay overlay(themes_, dirs_, theme_, recordPath());
    icontheme::OwnTheme own(themes_, dirs_, theme_, ownThemeRecordPath());
    const auto overlayRecord = overlay.record();
    const auto ownRecord = own.record();
    std::vector<InstalledSet> sets;
    for (const icontheme::StatusItem& item : icontheme::statusItems()) {
        Recorded recorded;
        addRecord(overlayRecord, item, recorded);
        addRecord(ownRecord, item, recorded);
        if (recorded.digests.isEmpty())
            continue;
        const std::string title = item.title.toStdString();
        for (const std::string& set :
             platform::fs::listFolder(platform::formatPath(kExtraFolderPattern, {root_, title}))) {
            if (isHiddenName(set) || set == "default")
                continue;
            QMap<QString, QString> pictures; // icon -> digest of the set's picture
            for (const QString& path : picturesOfSet(title, set)) {
                const icontheme::Picture picture = icontheme::readPicture(path);
                if (picture.problem == icontheme::PictureProblem::None &&
                    item.hasName(picture.icon))
                    pictures.insert(picture.icon, icontheme::OverlayRecord::digest(picture.bytes));
            }
            bool holds = true;
            for (auto it = recorded.digests.cbegin(); holds && it != recorded.digests.cend(); ++it)
                holds = pictures.contains(it.key()) && it.value().contains(pictures[it.key()]);
            if (!holds)
                continue;
            // Where the theme holds a name now that the install did not write.
            QStringList gained;
            for (auto it = pictures.cbegin(); it != pictures.cend(); ++it)
                for (const icontheme::IconFile& file :
                     themes_.filesOf(theme_, it.key(), dirs_.userIcons))
                    if (!recorded.dirs.value(it.key()).contains(file.dir))
                        gained.append(file.dir + u'/' + it.key());
            gained.removeDuplicates();
            sets.push_back({title, set, !gained.isEmpty(), gained});
            break;
        }
    }
    return sets;
}

} // namespace library
