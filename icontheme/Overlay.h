// The overlay of a theme: $XDG_DATA_HOME/icons/<theme>/, which lookups read
// before the system's folders of the same theme. An install writes each
// picture into every directory where the theme holds its name, so it wins at
// every size, and records what it wrote; a restore removes exactly that.
#pragma once

#include "icontheme/BaseDirs.h"
#include "icontheme/OverlayRecord.h"
#include "icontheme/Picture.h"

#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace icontheme {

class IconThemes;
class SafeFolder;

enum class OverlayFailure {
    None,
    NoTheme, // the name is not safe, or no base directory holds the theme
    Folder,  // the overlay folder cannot be made or opened
    Record,  // the record cannot be read (damaged, another theme's) or written
    Write,   // a picture could not be written or an old one removed
    Taken,   // the own theme's folder is there and not Trayskin's
};

struct OverlayReport {
    OverlayFailure failure = OverlayFailure::None;
    QStringList written; // paths in the overlay folder
    QStringList removed; // files of ours taken away
    QStringList kept;    // the user's entries an install moved aside into the keep folder
    // The user's entries that could not be moved aside, with errno (EXDEV:
    // another file system); nothing was written in their place.
    QList<QPair<QString, int>> notKept;
    QStringList putBack; // the user's entries a restore put back
    // Where a restore found a file of the user's instead of ours: it stays,
    // and the entry moved aside stays in the keep folder (its full path).
    QList<QPair<QString, QString>> leftYours;
    QString failedPath;  // the full path a write or removal failed at
    QStringList skipped; // icon names the theme has no directory for
    QList<Picture> refused;
    QStringList shadowed; // written paths that $HOME/.icons/<theme> holds too, and wins

    bool ok() const { return failure == OverlayFailure::None; }
};

class Overlay {
public:
    // The pictures go where the theme holds their names; into the theme's
    // own overlay folder, or into folderName under $XDG_DATA_HOME/icons.
    Overlay(IconThemes& themes, BaseDirs dirs, QString theme, QString recordPath,
            QString folderName = QString());

    const QString& theme() const { return theme_; }
    QString folder() const { return dirs_.userIcons + u'/' + folderName_; }
    // The icon a file in an overlay folder stands for, whatever its variant
    // (".png", ".svg", ".xpm", ".symbolic.png").
    static QString entryIcon(const QString& path);
    // The icon a file or kept entry stands for in the record: the one whose
    // picture it holds, where the theme holds its name as that picture.
    static QString entryIcon(const QString& path, const OverlayRecord& record);
    // Where the user's displaced entries are kept: beside the record, so on
    // the library's file system.
    QString keepFolder() const;

    // The record read back against the folder (written again when that
    // changed it); none when it cannot be read.
    std::optional<OverlayRecord> record();
    // Puts the pictures (files of a set) in place; an entry of the user's
    // that one would replace or shadow is first moved aside, noted as
    // displaced by the install named ("<item>/<set>"). placed, when given,
    // is called as soon as every picture is in place, with the report so
    // far: before the folders are synced and the record is written again,
    // which a client reading the pictures does not wait for.
    using Placed = std::function<void(const OverlayReport&)>;
    OverlayReport install(const QStringList& pictures, const QString& install = QString(),
                          const Placed& placed = {});
    // Removes what the record lists (everything, or the files of these
    // icons) and puts back the user's entries they displaced, each only
    // where the place holds no file of the user's now.
    OverlayReport restore(const QStringList& icons = QStringList());
    // When no record can be read: removes the files whose bytes are among
    // ours (digests), puts back what the keep folder holds where its place
    // is free, and starts a new record. What stays is in leftYours.
    OverlayReport salvage(const QSet<QString>& ours);
    // At a start, after a kill at any moment of an earlier run: the record
    // read back against the folder, the temporary files left beside the
    // record, its entries and others (paths in the folder that other writes
    // go to) removed, and the folders it made that are empty. False when the
    // record cannot be read. The next load of this overlay, when the record
    // is still as recover left it, takes that reading of the folder as its
    // own: a command recovers the overlay just before it changes it.
    bool recover(const QStringList& others = QStringList());
    // When the folder is gone, the record keeps only what was moved aside.
    bool noteGone();

private:
    struct Write {
        QString path;
        QByteArray bytes;
        QString covers; // the icon whose picture it is, when not its own name's
    };
    std::optional<OverlayRecord> readRecord() const;
    // Whether the bytes are a record of this theme that can be read.
    bool isGoodRecord(const QByteArray& bytes) const;
    std::optional<OverlayRecord> load(SafeFolder& folder);
    // Synced unless the record is one that load() would make again of the
    // synced record before it and the folder as it is.
    bool save(const OverlayRecord& record, bool sync = true);
    QStringList placesFor(const Picture& picture);
    // Removes the folders the record notes as made that are empty now, and
    // the overlay folder itself when it was made and is left empty (the
    // folder is closed then); what is gone leaves the record.
    void removeEmptiedFolders(OverlayRecord& record, std::optional<SafeFolder>& folder);
    void noteShadowed(OverlayReport& report) const;
    // "<dir>/<icon>" of a path: the place a lookup of the icon reads there.
    static QString placeOf(const QString& path);
    // The writes and the removals of earlier files of ours that the pictures make.
    void plan(const QStringList& pictures, const OverlayRecord& current, QList<Write>& writes,
              QStringList& removals, OverlayReport& report);
    // The record naming the writes' new bytes beside the old, and the
    // folders they make, before any is made.
    OverlayRecord withWrites(SafeFolder& folder, const OverlayRecord& current,
                             const QList<Write>& writes);
    // The writes but at the places held by an entry of the user's, then the
    // removals; the first failure ends it.
    void apply(SafeFolder& folder, const QList<Write>& writes, const QStringList& removals,
               const QSet<QString>& held, OverlayReport& report);
    // The user's entries that the writes replace or shadow, to be kept.
    QList<KeptEntry> displaced(SafeFolder& folder, const OverlayRecord& current,
                               const QList<Write>& writes, const QString& install);
    // Moves the noted entries aside; those that cannot be leave the record,
    // and the places ("<dir>/<icon>") they hold are returned.
    QSet<QString> keepAside(SafeFolder& folder, OverlayRecord& pending,
                            const QList<KeptEntry>& entries, OverlayReport& report);
    // Puts back the kept entries of the icons (all when empty) that no file
    // of ours displaces now; at a start (atStart) only where the place is
    // free, the rest staying kept.
    void putBack(SafeFolder& folder, OverlayRecord& record, const QStringList& icons,
                 OverlayReport& report, bool atStart);

    IconThemes& themes_;
    BaseDirs dirs_;
    QString theme_;
    QString recordPath_;
    QString folderName_;
    // The record's bytes as this overlay last read or wrote them, a good
    // record of the theme, with what they parse to once read: a record of
    // a thousand kept entries read back unchanged is not parsed again.
    struct Known {
        QByteArray bytes;
        std::optional<OverlayRecord> record;
    };
    mutable Known known_;
    // The record's bytes as recover() left them, reconciled with the folder.
    std::optional<QByteArray> recovered_;
};

} // namespace icontheme
