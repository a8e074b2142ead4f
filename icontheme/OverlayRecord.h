// What the overlay writer wrote into a theme's overlay folder: each file by
// its path in the folder and the digest of the bytes written. While an
// install is under way an entry may carry the digests of both the old and
// the new bytes; reading the record back against the folder keeps exactly
// the entries whose file holds bytes of ours, so after a kill at any moment
// the record and the files agree again.
//
// The user's own entries that an install displaced are noted with it: each
// renamed into Trayskin's keep folder as it was, with what identifies it.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

namespace icontheme {

class SafeFolder;

// An entry of the user's that an install moved aside into the keep folder.
struct KeptEntry {
    QString path;    // where it was, in the overlay folder
    QString keptAs;  // where it is, in the keep folder
    QString install; // the set whose install displaced it, "<item>/<set>"
    QString type;    // "file", "link", "fifo", "folder" or "other"
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 mtimeNs = 0;
    QString target; // a link's
    QString digest; // a small file's; empty where reading it would cost
    bool operator==(const KeptEntry&) const = default;
};

class OverlayRecord {
public:
    QString theme;
    QMap<QString, QStringList> files; // relative path -> sha256 hex digests
    // The folders the writer makes, named before it makes them (a relative
    // path, "" for the overlay folder itself); they go again once empty.
    QStringList folders{};
    QList<KeptEntry> kept{};
    // The places ("<dir>/<name>") written with another icon's picture,
    // because the theme holds that name as the same picture: place -> icon.
    QMap<QString, QString> covers{};

    static QString digest(const QByteArray& bytes);

    QByteArray toJson() const;
    // None for a damaged record; unsafe paths are left out.
    static std::optional<OverlayRecord> fromJson(const QByteArray& json);

    // Keeps the entries whose file in the folder holds one of their digests,
    // with that digest alone, or is empty (a crash's leftover of an unsynced
    // write; an empty file holds nothing to lose), and the folders that are
    // there; removes leftover temporary files.
    void reconcile(SafeFolder& overlay);
};

} // namespace icontheme
