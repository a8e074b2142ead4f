// The user's own entries in an overlay folder: moved aside into the keep
// folder (a rename, so links, FIFOs and files of any size move as they are)
// when an install would replace or shadow them, and put back by a restore
// only where the place holds no file of the user's by then.
#include "icontheme/IconThemes.h"
#include "icontheme/Overlay.h"
#include "icontheme/SafeFolder.h"
#include "icontheme/StatusItems.h"
#include "icontheme/ThemeIndex.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cerrno>

namespace icontheme {
namespace {

// The names a lookup of an icon reads in a directory, in its order.
const char* const kVariants[] = {".png", ".svg", ".xpm", ".symbolic.png"};

// A file's digest is taken only where reading it costs little.
constexpr qint64 kCheapDigestBytes = 1 << 20;

QString folderOf(const QString& path) {
    return path.left(path.lastIndexOf(u'/'));
}

} // namespace

QString Overlay::entryIcon(const QString& path) {
    const QString file = path.mid(path.lastIndexOf(u'/') + 1);
    // The longest suffix first: ".symbolic.png" before ".png".
    for (const char* suffix : {".symbolic.png", ".png", ".svg", ".xpm"}) {
        if (file.endsWith(QLatin1String(suffix)))
            return file.chopped(int(qstrlen(suffix)));
    }
    return file;
}

namespace {

// Removes the folders of the paths below the folder that are empty now,
// deepest first.
void removeEmptyParents(SafeFolder& folder, const QStringList& paths) {
    QStringList dirs;
    for (const QString& path : paths) {
        for (QString dir = folderOf(path); !dir.isEmpty(); dir = folderOf(dir)) {
            if (!dirs.contains(dir))
                dirs.append(dir);
            if (!dir.contains(u'/'))
                break;
        }
    }
    std::sort(dirs.begin(), dirs.end(),
              [](const QString& a, const QString& b) { return a.count(u'/') > b.count(u'/'); });
    for (const QString& dir : std::as_const(dirs))
        folder.removeEmptyFolder(dir);
}

} // namespace

QString Overlay::entryIcon(const QString& path, const OverlayRecord& record) {
    return record.covers.value(placeOf(path), entryIcon(path));
}

QString Overlay::placeOf(const QString& path) {
    return folderOf(path) + u'/' + entryIcon(path);
}

QList<KeptEntry> Overlay::displaced(SafeFolder& folder, const OverlayRecord& current,
                                    const QList<Write>& writes, const QString& install) {
    QList<KeptEntry> entries;
    QSet<QString> places;
    auto keep = SafeFolder::open(keepFolder(), false);
    // A place is kept under the first number free for it: "1/<path>" unless
    // an entry kept from there before is still kept.
    QSet<QString> taken;
    for (const KeptEntry& entry : current.kept)
        taken.insert(entry.keptAs);
    // The numbers in use, listed once: below one that is not, every name is free.
    const QStringList listedNumbers =
        keep ? QDir(keepFolder())
                   .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)
             : QStringList();
    const QSet<QString> numbers(listedNumbers.cbegin(), listedNumbers.cend());
    const auto keptName = [&](const QString& path) {
        for (int n = 1;; ++n) {
            const QString number = QString::number(n);
            const QString name = number + u'/' + path;
            if (!taken.contains(name) && !(numbers.contains(number) && keep->exists(name))) {
                taken.insert(name);
                return name;
            }
        }
    };
    // Each folder written in is listed once; only what is there is looked at.
    QHash<QString, QSet<QString>> listed;
    const auto present = [&](const QString& path) {
        const QString dir = folderOf(path);
        auto found = listed.find(dir);
        if (found == listed.end()) {
            const QStringList names = QDir(this->folder() + u'/' + dir)
                                          .entryList(QDir::AllEntries | QDir::System |
                                                     QDir::Hidden | QDir::NoDotAndDotDot);
            found = listed.insert(dir, QSet<QString>(names.cbegin(), names.cend()));
        }
        return found->contains(path.mid(dir.size() + 1));
    };
    for (const Write& write : writes) {
        const QString place = placeOf(write.path);
        if (places.contains(place))
            continue;
        places.insert(place);
        for (const char* suffix : kVariants) {
            const QString path = place + QLatin1String(suffix);
            // A file of ours is written over or removed, never kept.
            if (current.files.contains(path) || !present(path))
                continue;
            const auto found = folder.identity(path);
            if (!found)
                continue;
            KeptEntry entry{path,          keptName(path), install,     found->type,
                            found->device, found->inode,   found->size, found->mtimeNs,
                            found->target, QString()};
            if (found->type == u"file" && found->size <= kCheapDigestBytes) {
                if (const auto bytes = folder.read(path, kCheapDigestBytes))
                    entry.digest = OverlayRecord::digest(*bytes);
            }
            entries.append(entry);
        }
    }
    return entries;
}

QSet<QString> Overlay::keepAside(SafeFolder& folder, OverlayRecord& pending,
                                 const QList<KeptEntry>& entries, OverlayReport& report) {
    QSet<QString> held;
    if (entries.isEmpty())
        return held;
    auto keep = SafeFolder::open(keepFolder(), true);
    const int openError = errno;
    QList<KeptEntry> moved;
    QStringList failed;
    for (const KeptEntry& entry : entries) {
        if (keep && folder.moveTo(entry.path, *keep, entry.keptAs)) {
            moved.append(entry);
            continue;
        }
        // Never copied instead: on another file system the entry stays as it is.
        report.notKept.append({entry.path, keep ? errno : openError});
        pending.kept.removeOne(entry);
        held.insert(placeOf(entry.path));
        failed.append(entry.keptAs);
    }
    if (keep)
        removeEmptyParents(*keep, failed); // made for them in vain
    QSet<QString> dirs, keptDirs;
    for (const KeptEntry& entry : std::as_const(moved)) {
        // A place of which one entry stayed is left whole as it was.
        if (held.contains(placeOf(entry.path)) && keep->moveTo(entry.keptAs, folder, entry.path)) {
            pending.kept.removeOne(entry);
            continue;
        }
        report.kept.append(entry.path);
        dirs.insert(folderOf(entry.path));
        keptDirs.insert(folderOf(entry.keptAs));
    }
    for (const QString& dir : std::as_const(dirs))
        folder.sync(dir);
    for (const QString& dir : std::as_const(keptDirs))
        keep->sync(dir);
    return held;
}

void Overlay::putBack(SafeFolder& folder, OverlayRecord& record, const QStringList& icons,
                      OverlayReport& report, bool atStart) {
    auto keep = record.kept.isEmpty() ? std::nullopt : SafeFolder::open(keepFolder(), false);
    if (!keep)
        return;
    QSet<QString> ours;
    for (auto it = record.files.cbegin(); it != record.files.cend(); ++it)
        ours.insert(placeOf(it.key()));
    QStringList emptied;
    QSet<QString> dirs;
    QList<bool> done(record.kept.size(), false); // leaves the record
    // The newest first: of two entries kept from one place, the later is
    // the user's latest, and an older one never goes over it.
    for (qsizetype i = record.kept.size() - 1; i >= 0; --i) {
        const KeptEntry& entry = record.kept.at(i);
        if ((!icons.isEmpty() && !icons.contains(entryIcon(entry.path, record))) ||
            ours.contains(placeOf(entry.path)))
            continue;
        // Never over what is there: the rename itself refuses a taken place.
        const bool moved = keep->moveTo(entry.keptAs, folder, entry.path);
        if (!moved && errno == EEXIST) {
            // The user's own file is there now: it stays, and so does the kept one.
            if (!atStart) {
                report.leftYours.append({entry.path, keepFolder() + u'/' + entry.keptAs});
                done[i] = true;
            }
            continue;
        }
        if (!moved) {
            report.failure = OverlayFailure::Write;
            report.failedPath = this->folder() + u'/' + entry.path;
            break;
        }
        report.putBack.append(entry.path);
        emptied.append(entry.keptAs);
        dirs.insert(folderOf(entry.path));
        done[i] = true;
    }
    qsizetype at = 0;
    record.kept.removeIf([&](const KeptEntry&) { return done[at++]; });
    for (const QString& dir : std::as_const(dirs))
        folder.sync(dir);
    removeEmptyParents(*keep, emptied);
}

OverlayReport Overlay::salvage(const QSet<QString>& ours) {
    OverlayReport report;
    if (!isSafeThemeName(theme_) || !isSafeThemeName(folderName_)) {
        report.failure = OverlayFailure::NoTheme;
        return report;
    }
    auto folder = SafeFolder::open(this->folder(), false);
    if (folder) {
        QDirIterator it(this->folder(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = QDir(this->folder()).relativeFilePath(it.next());
            const auto name = pictureName(it.fileName());
            if (!name)
                continue;
            // A name no item has is ours where a set's picture covered it.
            const auto bytes = folder->read(path, kMaxPictureBytes);
            if (!bytes || !ours.contains(OverlayRecord::digest(*bytes))) {
                if (itemForIcon(name->icon) != nullptr)
                    report.leftYours.append({path, QString()});
                continue;
            }
            if (!folder->remove(path)) {
                report.failure = OverlayFailure::Write;
                report.failedPath = this->folder() + u'/' + path;
                return report;
            }
            report.removed.append(path);
        }
        // What the keep folder holds goes back where its place is free.
        const QString kept = keepFolder();
        QStringList emptied;
        auto keep = SafeFolder::open(kept, false);
        QDirIterator entries(kept,
                             QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
        while (keep && entries.hasNext()) {
            const QString keptAs = QDir(kept).relativeFilePath(entries.next());
            const QString path = keptAs.mid(keptAs.indexOf(u'/') + 1);
            if (!keptAs.contains(u'/') || !path.contains(u'/') ||
                (entries.fileInfo().isDir() && !entries.fileInfo().isSymLink()) ||
                folder->exists(path))
                continue;
            if (keep->moveTo(keptAs, *folder, path)) {
                report.putBack.append(path);
                emptied.append(keptAs);
            }
        }
        if (keep)
            removeEmptyParents(*keep, emptied);
    }
    if (!save(OverlayRecord{theme_, {}}))
        report.failure = OverlayFailure::Record;
    themes_.refresh();
    return report;
}

// The user's entries in $HOME/.icons, which comes before the overlay in a
// lookup's base directories, hide what the install wrote at their places.
void Overlay::noteShadowed(OverlayReport& report) const {
    const QString shadow = dirs_.homeIcons + u'/' + folderName_ + u'/';
    for (const QString& path : std::as_const(report.written)) {
        const QString stem = path.chopped(path.size() - path.lastIndexOf(u'.'));
        for (const char* suffix : {".png", ".svg", ".xpm", ".symbolic.png"}) {
            if (QFileInfo::exists(shadow + stem + QLatin1String(suffix))) {
                report.shadowed.append(path);
                break;
            }
        }
    }
}

} // namespace icontheme
