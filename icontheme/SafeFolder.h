// A folder that is written only beneath itself: every folder below it is
// opened without following links, files are replaced through a temporary
// file in the same folder (written, synced, renamed, the folder synced), so
// nothing reaches out of it whatever the names say, and a kill leaves either
// the old file or the new one, and at most a leftover temporary name.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <map>
#include <optional>

namespace icontheme {

// An entry as lstat sees it: never followed, opened or read.
struct EntryIdentity {
    QString type; // "file", "link", "fifo", "folder" or "other"
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 blocks = 0;  // 512-byte blocks on the disk
    qint64 mtimeNs = 0; // nanoseconds since the epoch
    QString target;     // a link's, as it reads
};

class SafeFolder {
public:
    // Opens the folder (creating it and its parents when create is set).
    static std::optional<SafeFolder> open(const QString& path, bool create);
    ~SafeFolder();
    SafeFolder(SafeFolder&& other) noexcept;
    SafeFolder& operator=(SafeFolder&&) = delete;
    SafeFolder(const SafeFolder&) = delete;
    SafeFolder& operator=(const SafeFolder&) = delete;

    const QString& path() const { return path_; }

    // What of a write reaches the disk before write() returns: the file's
    // bytes and the folder's new entry; or neither, for a file that a crash
    // may cost (the caller's sync() or the system writes them later).
    enum class Sync { FileAndFolder, None };
    // A relative path "dir/.../name": every folder below this one, no links.
    bool write(const QString& relative, const QByteArray& bytes, Sync sync = Sync::FileAndFolder);
    // None when missing, not a plain file, a link or over maxBytes.
    std::optional<QByteArray> read(const QString& relative, qint64 maxBytes);
    // True when it is gone (or was never there).
    bool remove(const QString& relative, bool syncFolder = true);
    bool exists(const QString& relative);
    // Removes the folder below this one when it is empty; true when it is gone.
    bool removeEmptyFolder(const QString& relative);
    // Which folder this is ("" for this one), by its device and inode, so
    // that a folder made again under the same name is told apart; none when
    // it is not a folder or cannot be reached without links.
    std::optional<QString> folderId(const QString& relative = QString());
    // The entry itself, never followed; none when it is not there.
    std::optional<EntryIdentity> identity(const QString& relative);
    // Renames the entry to otherRelative below other (its folders made as
    // needed), never over an entry there. On failure errno says why:
    // EXDEV when the two are on different file systems, EEXIST when the
    // place is taken. Nothing is synced: see sync().
    bool moveTo(const QString& relative, SafeFolder& other, const QString& otherRelative);
    // Makes other a second name of the file (a hard link, taking the place
    // of what other named), so that the file stays there when relative is
    // replaced.
    bool keepAs(const QString& relative, const QString& other);
    // Syncs the folder below this one ("" for this one), so that the
    // renames in it reach the disk.
    bool sync(const QString& relative = QString());
    // Removes what a kill in the middle of write() may have left.
    void removeLeftover(const QString& relative);
    // Moves the folder's modification time forward: to now, or one second
    // past the old time when now is not later, so that a client comparing
    // it in whole seconds with what it read before sees a change.
    bool touch();
    static QString temporaryName(const QString& name);

    // Called before each step that changes the disk; for tests that stop
    // the program at every step.
    static std::function<void(const char*)>& stepHook();

private:
    explicit SafeFolder(int fd, QString path) : fd_(fd), path_(std::move(path)) {}
    // The folder holding the last component, opened; -1 when it cannot be.
    // The handle is lent: it stays this folder's, open while this one is
    // (or until removeEmptyFolder() takes its folder), and is never closed
    // by the caller, so a batch of operations in one folder opens it once.
    int openParent(const QString& relative, bool create, QString* name);

    int fd_ = -1;
    QString path_;
    // The folders below this one opened so far, by relative path, kept
    // open while this one is: a folder of many entries is walked to once.
    // A folder this one removes leaves it.
    std::map<QString, int> opened_;
};

} // namespace icontheme
