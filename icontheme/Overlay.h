// The overlay of a theme: $XDG_DATA_HOME/icons/<theme>/, which lookups read
// before the system's folders of the same theme. An install writes each
// picture into every directory where the theme holds its name, so it wins at
// every size, and records what it wrote; a restore removes exactly that.
#pragma once

#include "icontheme/BaseDirs.h"
#include "icontheme/OverlayRecord.h"
#include "icontheme/Picture.h"

#include <QList>
#include <QString>
#include <QStringList>

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
    QStringList written;  // paths in the overlay folder
    QStringList removed;  // files of ours taken away
    QStringList replaced; // files not of ours that an install wrote over
    QStringList skipped;  // icon names the theme has no directory for
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

    QString folder() const { return dirs_.userIcons + u'/' + folderName_; }

    // The record read back against the folder (written again when that
    // changed it); none when it cannot be read.
    std::optional<OverlayRecord> record();
    // Puts the pictures (files of a set) in place.
    OverlayReport install(const QStringList& pictures);
    // Removes what the record lists: everything, or the files of these icons.
    OverlayReport restore(const QStringList& icons = QStringList());
    // At a start, after a kill at any moment of an earlier run: the record
    // read back against the folder, the temporary files left beside the
    // record, its entries and others (paths in the folder that other writes
    // go to) removed, and the folders it made that are empty. False when the
    // record cannot be read.
    bool recover(const QStringList& others = QStringList());

private:
    std::optional<OverlayRecord> readRecord() const;
    std::optional<OverlayRecord> load(SafeFolder& folder);
    bool save(const OverlayRecord& record);
    QStringList placesFor(const Picture& picture);
    // Removes the folders the record notes as made that are empty now, and
    // the overlay folder itself when it was made and is left empty (the
    // folder is closed then); what is gone leaves the record.
    void removeEmptiedFolders(OverlayRecord& record, std::optional<SafeFolder>& folder);

    IconThemes& themes_;
    BaseDirs dirs_;
    QString theme_;
    QString recordPath_;
    QString folderName_;
};

} // namespace icontheme
