// What status last said of every item in desktop mode, kept in the user's
// cache folder with a stamp of everything the answer was worked out from:
// the theme's folders and index files in every base directory, the
// library's item and set folders and set pictures, and the files of the
// user's own icon folders whose bytes were compared (IconThemeStatus.cpp). The next status gives
// the kept answer when every stamp still holds, and works it out again (reading the themes and the
// pictures) when one does not, so a change anywhere is seen at once.
//
// A stamp is a path's device, inode, type, size, modification time and
// change time. A picture rewritten by hand always changes its change time,
// even when it keeps its size and its modification time is set back with
// touch (no user can set a change time), so such a picture is read again.
// The one change a stamp cannot show is a second write in the same tick of
// the file system's clock as the one it saw; so a stamp is trusted only when
// the path had not changed for a whole tick when it was taken (100 ms on the
// file systems with fine times, 2 s elsewhere), and otherwise the answer is
// worked out again.
#pragma once

#include "library/PictureSystem.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace library {

class StatusMemo {
public:
    // file: where the answer is kept; key: what else it depends on (the
    // library, the themes asked, the base directories), compared whole.
    StatusMemo(QString file, QStringList key);

    // The kept answer, when there is one for the key and every stamp holds.
    std::optional<std::vector<ItemInUse>> kept() const;

    // Stamps the path as it is now (absent, a file or a folder).
    void note(const QString& path);
    // Stamps the folder and every folder below it (through links to folders,
    // each folder once).
    void noteTree(const QString& folder);
    // Keeps the answer with the stamps noted (taken before what they stand
    // for was read); false when it could not be written.
    bool save(const std::vector<ItemInUse>& answer) const;

    // How long a stamp must have held before it is taken, in nanoseconds.
    qint64 tick() const { return tick_; }

private:
    struct Stamp {
        QByteArray name; // in its folder
        quint64 device = 0;
        quint64 inode = 0;
        quint32 mode = 0;
        qint64 size = -1; // -1: absent
        qint64 mtime = 0;
        qint64 ctime = 0;
    };
    // The stamps of one folder's entries, kept together so that a check
    // opens the folder once and asks each entry by its name.
    struct Folder {
        QByteArray path;
        QList<Stamp> stamps;
    };

    QString file_;
    QStringList key_;
    qint64 taken_ = 0; // before the first stamp
    qint64 tick_ = 0;
    QList<Folder> folders_;
    QHash<QByteArray, qsizetype> folderIndex_;
    QSet<QByteArray> noted_;
    QList<quint64> devices_;                // whose clock tick is known
    QSet<QPair<quint64, quint64>> visited_; // folders noted with what is below them
};

} // namespace library
