#include "icontheme/Overlay.h"

#include "icontheme/IconThemes.h"
#include "icontheme/SafeFolder.h"
#include "icontheme/StatusItems.h"
#include "icontheme/ThemeIndex.h"
#include "icontheme/ThemePlaces.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <utility>

namespace icontheme {
namespace {

void syncFolders(SafeFolder& folder, const QStringList& paths) {
    QSet<QString> dirs;
    for (const QString& path : paths)
        dirs.insert(path.left(path.lastIndexOf(u'/')));
    for (const QString& dir : std::as_const(dirs))
        folder.sync(dir);
}

QString previousRecordPath(const QString& record) {
    return record + QStringLiteral(".previous");
}

} // namespace

Overlay::Overlay(IconThemes& themes, BaseDirs dirs, QString theme, QString recordPath,
                 QString folderName)
    : themes_(themes), dirs_(std::move(dirs)), theme_(std::move(theme)),
      recordPath_(std::move(recordPath)),
      folderName_(folderName.isEmpty() ? theme_ : std::move(folderName)) {}

QString Overlay::keepFolder() const {
    return QFileInfo(recordPath_).path() + QStringLiteral("/.kept/") + folderName_;
}

std::optional<OverlayRecord> Overlay::readRecord() const {
    const QString previous = previousRecordPath(recordPath_);
    const bool main = QFileInfo(recordPath_).exists() || QFileInfo(recordPath_).isSymLink();
    if (!main && !QFileInfo(previous).exists() && !QFileInfo(previous).isSymLink())
        return OverlayRecord{theme_, {}};
    // A damaged record gives way to the good one it replaced, which the
    // folder then corrects: an entry counts only where its file is ours.
    for (const QString& path : {recordPath_, previous}) {
        // Never waited on, should the record's name hold a FIFO.
        const auto bytes = readSmallFile(path, kMaxPictureBytes);
        if (!bytes)
            continue;
        // The bytes read before are not parsed again.
        if (*bytes == known_.bytes && known_.record)
            return known_.record;
        auto record = OverlayRecord::fromJson(*bytes);
        if (record && record->theme == theme_) {
            known_ = {*bytes, record};
            return record;
        }
    }
    return std::nullopt;
}

std::optional<OverlayRecord> Overlay::load(SafeFolder& folder) {
    auto record = readRecord();
    const auto recovered = std::exchange(recovered_, std::nullopt);
    if (!record)
        return std::nullopt;
    if (recovered && *recovered == known_.bytes)
        return record;
    const OverlayRecord before = *record;
    record->reconcile(folder);
    // A kept entry that is no longer in the keep folder was never moved
    // there (a kill came first), or was taken out of it by hand.
    auto keep = SafeFolder::open(keepFolder(), false);
    record->kept.removeIf(
        [&](const KeptEntry& entry) { return !keep || !keep->exists(entry.keptAs); });
    if ((record->files != before.files || record->folders != before.folders ||
         record->kept != before.kept) &&
        !save(*record))
        return std::nullopt;
    return record;
}

bool Overlay::isGoodRecord(const QByteArray& bytes) const {
    if (!known_.bytes.isEmpty() && bytes == known_.bytes)
        return true;
    const auto parsed = OverlayRecord::fromJson(bytes);
    return parsed && parsed->theme == theme_;
}

bool Overlay::save(const OverlayRecord& record, bool sync) {
    const QFileInfo info(recordPath_);
    auto folder = SafeFolder::open(info.path(), true);
    if (!folder)
        return false;
    // A place no file or kept entry of the record is at any longer covers nothing.
    OverlayRecord kept = record;
    QSet<QString> places;
    for (auto it = record.files.cbegin(); it != record.files.cend(); ++it)
        places.insert(placeOf(it.key()));
    for (const KeptEntry& entry : record.kept)
        places.insert(placeOf(entry.path));
    kept.covers.removeIf([&](const auto& cover) { return !places.contains(cover.key()); });
    // The record replaced stays beside it while it is a good one.
    const QByteArray json = kept.toJson();
    const auto old = folder->read(info.fileName(), kMaxPictureBytes);
    // (Always a file apart: the record is written anew below.)
    if (old && isGoodRecord(*old) &&
        !folder->keepAs(info.fileName(), QFileInfo(previousRecordPath(recordPath_)).fileName()))
        return false;
    if (!folder->write(info.fileName(), json,
                       sync ? SafeFolder::Sync::FileAndFolder : SafeFolder::Sync::None))
        return false;
    known_ = record.theme == theme_ ? Known{json, std::nullopt} : Known{};
    return true;
}

std::optional<OverlayRecord> Overlay::record() {
    if (!isSafeThemeName(theme_) || !isSafeThemeName(folderName_))
        return std::nullopt;
    auto folder = SafeFolder::open(this->folder(), false);
    if (folder)
        return load(*folder);
    // No overlay folder: nothing of ours is there, whatever the record says.
    auto record = readRecord();
    if (record)
        record->files.clear();
    return record;
}

bool Overlay::noteGone() {
    if (QFileInfo::exists(folder()) || QFileInfo(folder()).isSymLink())
        return true;
    auto record = readRecord();
    if (!record)
        return false;
    if (record->files.isEmpty() && record->folders.isEmpty())
        return true;
    record->files.clear();
    record->folders.clear();
    return save(*record);
}

bool Overlay::recover(const QStringList& others) {
    if (!isSafeThemeName(theme_) || !isSafeThemeName(folderName_))
        return false;
    const QFileInfo info(recordPath_);
    if (auto records = SafeFolder::open(info.path(), false)) {
        records->removeLeftover(info.fileName());
        records->removeLeftover(QFileInfo(previousRecordPath(recordPath_)).fileName());
    }
    auto folder = SafeFolder::open(this->folder(), false);
    if (!folder)
        return noteGone();
    for (const QString& path : others)
        folder->removeLeftover(path);
    auto record = load(*folder);
    if (!record)
        return false;
    // The user's entries that a kill left moved aside with nothing of ours
    // in their place go back.
    const OverlayRecord before = *record;
    OverlayReport report;
    putBack(*folder, *record, QStringList(), report, true);
    // What a kill kept a restore from taking away, or what an install's
    // removals left empty.
    removeEmptiedFolders(*record, folder);
    if ((record->folders != before.folders || record->kept != before.kept) && !save(*record))
        return false;
    // On disk is the record reconciled now: load and the line above save it when it changed.
    if (!known_.bytes.isEmpty())
        recovered_ = known_.bytes;
    return true;
}

QStringList Overlay::placesFor(const Picture& picture) {
    return picturePlaces(themes_, theme_, picture, dirs_.userIcons);
}

void Overlay::plan(const QStringList& pictures, const OverlayRecord& current, QList<Write>& writes,
                   QStringList& removals, OverlayReport& report) {
    QSet<QString> icons;
    QStringList order; // the set's names, in its order
    QHash<QString, Picture> placed;
    for (const QString& path : pictures) {
        Picture picture = readPicture(path);
        if (picture.problem == PictureProblem::None && icons.contains(picture.icon))
            picture.problem = PictureProblem::Duplicate;
        if (picture.problem != PictureProblem::None) {
            report.refused.append(picture);
            continue;
        }
        icons.insert(picture.icon);
        order.append(picture.icon);
        const QStringList dirs = placesFor(picture);
        if (dirs.isEmpty()) {
            report.skipped.append(picture.icon);
            continue;
        }
        for (const QString& dir : dirs)
            writes.append({dir + u'/' + picture.fileName(), picture.bytes, {}});
        placed.insert(picture.icon, picture);
    }
    // The names the theme holds as the same picture as a set's name get
    // that name's picture, unless the set has its own.
    for (const SamePicture& same : samePictures(themes_, theme_, order, dirs_.userIcons)) {
        const Picture& picture = placed[same.icon];
        writes.append(
            {same.dir + u'/' + same.name + u'.' + picture.extension, picture.bytes, same.icon});
    }
    QSet<QString> targets;
    for (const Write& write : std::as_const(writes))
        targets.insert(write.path);
    // What an earlier install wrote for these names, where this one does not write.
    for (auto it = current.files.cbegin(); it != current.files.cend(); ++it) {
        if (placed.contains(entryIcon(it.key(), current)) && !targets.contains(it.key()))
            removals.append(it.key());
    }
}

OverlayRecord Overlay::withWrites(SafeFolder& folder, const OverlayRecord& current,
                                  const QList<Write>& writes) {
    OverlayRecord pending = current;
    for (const Write& write : writes) {
        for (qsizetype slash = write.path.indexOf(u'/'); slash > 0;
             slash = write.path.indexOf(u'/', slash + 1)) {
            const QString dir = write.path.left(slash);
            if (!pending.folders.contains(dir) && !folder.exists(dir))
                pending.folders.append(dir);
        }
        if (write.covers.isEmpty())
            pending.covers.remove(placeOf(write.path));
        else
            pending.covers.insert(placeOf(write.path), write.covers);
        QStringList& digests = pending.files[write.path];
        const QString digest = OverlayRecord::digest(write.bytes);
        if (!digests.contains(digest))
            digests.append(digest);
    }
    return pending;
}

void Overlay::apply(SafeFolder& folder, const QList<Write>& writes, const QStringList& removals,
                    const QSet<QString>& held, OverlayReport& report) {
    for (const Write& write : writes) {
        if (held.contains(placeOf(write.path)))
            continue;
        // A picture's bytes are not synced one by one: each is a copy of a
        // library picture, named with its digest in the record synced before
        // it, so what a crash can cost is the copy alone, and the next
        // install or reapply writes it again. The new names reach the disk
        // with one sync of each folder written in (syncFolders), and a file
        // a crash left empty still counts as ours (OverlayRecord::reconcile).
        if (!folder.write(write.path, write.bytes, SafeFolder::Sync::None)) {
            report.failure = OverlayFailure::Write;
            report.failedPath = this->folder() + u'/' + write.path;
            return;
        }
        report.written.append(write.path);
    }
    for (const QString& path : removals) {
        if (!folder.remove(path, false)) {
            report.failure = OverlayFailure::Write;
            report.failedPath = this->folder() + u'/' + path;
            return;
        }
        report.removed.append(path);
    }
}

OverlayReport Overlay::install(const QStringList& pictures, const QString& install,
                               const Placed& placed) {
    OverlayReport report;
    if (!isSafeThemeName(theme_) || !isSafeThemeName(folderName_) ||
        themes_.theme(theme_) == nullptr) {
        report.failure = OverlayFailure::NoTheme;
        return report;
    }
    // The folders an install makes are named in the record before they are
    // made, so that a restore, or a start after a kill, takes away only those.
    if (!QFileInfo::exists(this->folder())) {
        auto record = readRecord();
        if (record && !record->folders.contains(QString())) {
            record->folders.append(QString());
            save(*record);
        }
    }
    auto folder = SafeFolder::open(this->folder(), true);
    if (!folder) {
        report.failure = OverlayFailure::Folder;
        return report;
    }
    const auto current = load(*folder);
    if (!current) {
        report.failure = OverlayFailure::Record;
        return report;
    }
    QList<Write> writes;
    QStringList removals;
    plan(pictures, *current, writes, removals, report);

    // First the record names both the old and the new bytes, the folders
    // the writes make and the user's entries to move aside; then the
    // entries move and the files change; then the record names what is there.
    OverlayRecord pending = withWrites(*folder, *current, writes);
    const QList<KeptEntry> displacedNow = displaced(*folder, *current, writes, install);
    pending.kept += displacedNow;
    if (!save(pending)) {
        report.failure = OverlayFailure::Record;
        return report;
    }
    const QSet<QString> held = keepAside(*folder, pending, displacedNow, report);
    apply(*folder, writes, removals, held, report);
    if (placed && report.ok())
        placed(report);
    // The folders written in reach the disk once each, before the record.
    syncFolders(*folder, report.written + report.removed);
    pending.reconcile(*folder);
    // Not synced: what it says is what the next load makes of the synced
    // pending record and the folder, should a crash take it (or leave it
    // empty, when the pending one beside it is read).
    if (!save(pending, false) && report.failure == OverlayFailure::None)
        report.failure = OverlayFailure::Record;
    noteShadowed(report);
    themes_.refresh();
    return report;
}

void Overlay::removeEmptiedFolders(OverlayRecord& record, std::optional<SafeFolder>& folder) {
    // Deepest first; a folder still holding anything stays, and stays noted.
    QStringList made = record.folders;
    made.removeAll(QString());
    std::sort(made.begin(), made.end(),
              [](const QString& a, const QString& b) { return a.count(u'/') > b.count(u'/'); });
    for (const QString& dir : std::as_const(made)) {
        if (folder->removeEmptyFolder(dir))
            record.folders.removeAll(dir);
    }
    if (!record.folders.contains(QString()) || !record.files.isEmpty())
        return;
    folder.reset();
    const qsizetype slash = this->folder().lastIndexOf(u'/');
    auto parent = SafeFolder::open(this->folder().left(slash), false);
    if (parent && parent->removeEmptyFolder(folderName_))
        record.folders.removeAll(QString());
}

OverlayReport Overlay::restore(const QStringList& icons) {
    OverlayReport report;
    if (!isSafeThemeName(theme_) || !isSafeThemeName(folderName_)) {
        report.failure = OverlayFailure::NoTheme;
        return report;
    }
    auto folder = SafeFolder::open(this->folder(), false);
    if (!folder) {
        // Nothing of ours is there; what was moved aside stays kept.
        if (!noteGone())
            report.failure = OverlayFailure::Record;
        return report;
    }
    auto current = load(*folder);
    if (!current) {
        report.failure = OverlayFailure::Record;
        return report;
    }
    for (auto it = current->files.begin(); it != current->files.end();) {
        if (!icons.isEmpty() && !icons.contains(entryIcon(it.key(), *current))) {
            ++it;
            continue;
        }
        if (!folder->remove(it.key(), false)) {
            report.failure = OverlayFailure::Write;
            report.failedPath = this->folder() + u'/' + it.key();
            break;
        }
        report.removed.append(it.key());
        it = current->files.erase(it);
    }
    syncFolders(*folder, report.removed);
    if (report.ok())
        putBack(*folder, *current, icons, report, false);
    if (report.ok())
        removeEmptiedFolders(*current, folder);
    if (!save(*current) && report.failure == OverlayFailure::None)
        report.failure = OverlayFailure::Record;
    themes_.refresh();
    return report;
}

} // namespace icontheme
