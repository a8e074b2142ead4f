#include "icontheme/Overlay.h"

#include "icontheme/IconThemes.h"
#include "icontheme/SafeFolder.h"
#include "icontheme/StatusItems.h"
#include "icontheme/ThemeIndex.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace icontheme {
namespace {

QString iconOf(const QString& path) {
    const auto name = pictureName(path.mid(path.lastIndexOf(u'/') + 1));
    return name ? name->icon : QString();
}

} // namespace

Overlay::Overlay(IconThemes& themes, BaseDirs dirs, QString theme, QString recordPath,
                 QString folderName)
    : themes_(themes), dirs_(std::move(dirs)), theme_(std::move(theme)),
      recordPath_(std::move(recordPath)),
      folderName_(folderName.isEmpty() ? theme_ : std::move(folderName)) {}

std::optional<OverlayRecord> Overlay::readRecord() const {
    if (!QFile::exists(recordPath_))
        return OverlayRecord{theme_, {}};
    // Never waited on, should the record's name hold a FIFO.
    const auto bytes = readSmallFile(recordPath_, kMaxPictureBytes);
    if (!bytes)
        return std::nullopt;
    auto record = OverlayRecord::fromJson(*bytes);
    if (!record || record->theme != theme_)
        return std::nullopt;
    return record;
}

std::optional<OverlayRecord> Overlay::load(SafeFolder& folder) {
    auto record = readRecord();
    if (!record)
        return std::nullopt;
    const OverlayRecord before = *record;
    record->reconcile(folder);
    if ((record->files != before.files || record->folders != before.folders) && !save(*record))
        return std::nullopt;
    return record;
}

bool Overlay::save(const OverlayRecord& record) {
    const QFileInfo info(recordPath_);
    auto folder = SafeFolder::open(info.path(), true);
    return folder && folder->write(info.fileName(), record.toJson());
}

std::optional<OverlayRecord> Overlay::record() {
    if (!isSafeThemeName(theme_) || !isSafeThemeName(folderName_))
        return std::nullopt;
    auto folder = SafeFolder::open(this->folder(), false);
    if (!folder) {
        // No overlay folder: nothing of ours is there, whatever the record says.
        return readRecord() ? std::optional(OverlayRecord{theme_, {}}) : std::nullopt;
    }
    return load(*folder);
}

bool Overlay::recover(const QStringList& others) {
    if (!isSafeThemeName(theme_) || !isSafeThemeName(folderName_))
        return false;
    const QFileInfo info(recordPath_);
    if (auto records = SafeFolder::open(info.path(), false))
        records->removeLeftover(info.fileName());
    auto folder = SafeFolder::open(this->folder(), false);
    if (!folder)
        return readRecord().has_value();
    for (const QString& path : others)
        folder->removeLeftover(path);
    auto record = load(*folder);
    if (!record)
        return false;
    // What a kill kept a restore from taking away, or what an install's
    // removals left empty.
    const QStringList made = record->folders;
    removeEmptiedFolders(*record, folder);
    return record->folders == made || save(*record);
}

QStringList Overlay::placesFor(const Picture& picture) {
    QStringList dirs;
    for (const IconFile& file : themes_.filesOf(theme_, picture.icon, dirs_.userIcons)) {
        if (!dirs.contains(file.dir))
            dirs.append(file.dir);
    }
    if (!dirs.isEmpty())
        return dirs;
    // A name the theme does not hold goes where a lookup at its size finds it.
    QString fallback;
    if (picture.extension == u"svg")
        fallback = QStringLiteral("scalable/status");
    else if (picture.width > 0 && picture.width == picture.height)
        fallback = QStringLiteral("%1x%1/status").arg(picture.width);
    for (const ThemeDir& dir : themes_.theme(theme_)->index.dirs) {
        if (dir.path == fallback)
            return {fallback};
    }
    return {};
}

OverlayReport Overlay::install(const QStringList& pictures) {
    OverlayReport report;
    if (!isSafeThemeName(theme_) || !isSafeThemeName(folderName_) ||
        themes_.theme(theme_) == nullptr) {
        report.failure = OverlayFailure::NoTheme;
        return report;
    }
    // The overlay of the user's theme may be the user's: the folders an
    // install makes are named in the record before they are made, so that
    // a restore takes away only those. (The own theme is Trayskin's alone,
    // and OwnTheme removes whatever it leaves empty.)
    const bool notesFolders = folderName_ == theme_;
    if (notesFolders && !QFileInfo::exists(this->folder())) {
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

    struct Write {
        QString path;
        QByteArray bytes;
    };
    QList<Write> writes;
    QStringList removals;
    QSet<QString> icons;
    for (const QString& path : pictures) {
        Picture picture = readPicture(path);
        if (picture.problem == PictureProblem::None && icons.contains(picture.icon))
            picture.problem = PictureProblem::Duplicate;
        if (picture.problem != PictureProblem::None) {
            report.refused.append(picture);
            continue;
        }
        icons.insert(picture.icon);
        const QStringList dirs = placesFor(picture);
        if (dirs.isEmpty()) {
            report.skipped.append(picture.icon);
            continue;
        }
        QStringList targets;
        for (const QString& dir : dirs) {
            targets.append(dir + u'/' + picture.fileName());
            writes.append({targets.last(), picture.bytes});
        }
        // What an earlier install wrote for this name, where this one does not write.
        for (auto it = current->files.cbegin(); it != current->files.cend(); ++it) {
            if (iconOf(it.key()) == picture.icon && !targets.contains(it.key()))
                removals.append(it.key());
        }
    }

    // First the record names both the old and the new bytes (and the folders
    // the writes make), then the files change, then the record names what is
    // there.
    OverlayRecord pending = *current;
    for (const Write& write : std::as_const(writes)) {
        for (qsizetype slash = write.path.indexOf(u'/'); notesFolders && slash > 0;
             slash = write.path.indexOf(u'/', slash + 1)) {
            const QString dir = write.path.left(slash);
            if (!pending.folders.contains(dir) && !folder->exists(dir))
                pending.folders.append(dir);
        }
    }
    for (const Write& write : writes) {
        QStringList& digests = pending.files[write.path];
        if (!current->files.contains(write.path) && folder->exists(write.path))
            report.replaced.append(write.path);
        const QString digest = OverlayRecord::digest(write.bytes);
        if (!digests.contains(digest))
            digests.append(digest);
    }
    if (!save(pending)) {
        report.failure = OverlayFailure::Record;
        return report;
    }
    for (const Write& write : writes) {
        if (!folder->write(write.path, write.bytes)) {
            report.failure = OverlayFailure::Write;
            break;
        }
        report.written.append(write.path);
    }
    for (const QString& path : removals) {
        if (report.failure != OverlayFailure::None)
            break;
        if (folder->remove(path))
            report.removed.append(path);
        else
            report.failure = OverlayFailure::Write;
    }
    pending.reconcile(*folder);
    if (!save(pending) && report.failure == OverlayFailure::None)
        report.failure = OverlayFailure::Record;

    // $HOME/.icons comes before the overlay in a lookup's base directories.
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
    themes_.forget();
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
        if (QFile::exists(recordPath_) && !save(OverlayRecord{theme_, {}}))
            report.failure = OverlayFailure::Record;
        return report;
    }
    auto current = load(*folder);
    if (!current) {
        report.failure = OverlayFailure::Record;
        return report;
    }
    for (auto it = current->files.begin(); it != current->files.end();) {
        if (!icons.isEmpty() && !icons.contains(iconOf(it.key()))) {
            ++it;
            continue;
        }
        if (!folder->remove(it.key())) {
            report.failure = OverlayFailure::Write;
            break;
        }
        report.removed.append(it.key());
        it = current->files.erase(it);
    }
    if (report.ok())
        removeEmptiedFolders(*current, folder);
    if (!save(*current) && report.failure == OverlayFailure::None)
        report.failure = OverlayFailure::Record;
    themes_.forget();
    return report;
}

} // namespace icontheme
