// Icon themes across the base directories, and the lookup that clients do:
// in a theme the directory matching the size, else the closest one; then the
// inherited themes, then hicolor, then the unthemed files of the base
// directories.
//
// What is read is kept per theme state, as GTK keeps it: each theme's
// index.theme, the base directories that hold its folder, and which of its
// directories hold each icon name, from one listing of each. refresh()
// looks at each theme's folder and index.theme in every base directory
// again (by their times, sizes and inodes) and drops the themes where one
// changed, to be read again at their next question. In the base
// directories that are watched (the user's own, which Trayskin and the user
// write into) each directory's folder is looked at too, and one that changed
// is listed again alone, so a file put there or taken away is seen and the
// rest of the theme is kept; elsewhere a file added to a directory that was
// there already is seen when the theme's folder or its icon-theme.cache
// changes, as GTK sees it, or after forget().
#pragma once

#include "icontheme/ThemeIndex.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <ctime>
#include <memory>

namespace icontheme {

class ThemeFolder;

// One file of an icon: in base/theme/dir, named icon + suffix.
struct IconFile {
    QString base;
    QString dir;
    QString path;
    QString suffix;          // ".png", ".svg", ".xpm" or ".symbolic.png"
    qsizetype dirIndex = -1; // of dir in the theme's index
};

struct Theme {
    QString name;
    QString indexPath; // the first index.theme across the base directories
    ThemeIndex index;
};

// An icon name as the overlay and the lookups accept it: [A-Za-z0-9._+-],
// not starting with a dot.
bool isSafeIconName(const QString& name);

// The folders of one theme that are listed, at most: its directories in
// each base directory that holds it. A theme's own folder in one or two
// bases, with hicolor's 649 directories in a few more, stays far below; a
// theme of kMaxThemeDirs directories in every one of the data folders would
// be millions of listings. Beyond it, the theme's later directories are
// left out, with a line on standard error.
constexpr qsizetype kMaxThemeFolders = 20000;

// What a file or folder looked like when it was read: absent, or its
// modification time, change time, size and inode.
struct Stamp {
    qint64 mtime = -1; // nanoseconds; -1: absent
    qint64 ctime = 0;
    qint64 size = 0;
    quint64 inode = 0;
    unsigned mode = 0;
    qint64 taken = 0; // when it was read, nanoseconds

    static Stamp of(const QString& path);
    // Whether the path still looks as it did, and did so long enough before
    // it was read that a change in the same tick of the file system's clock
    // cannot hide behind the same time.
    bool stillHolds(const QString& path) const;
};

class IconThemes {
public:
    explicit IconThemes(QStringList bases, QStringList watched = {});
    ~IconThemes();

    const QStringList& bases() const { return bases_; }
    // None when the name is not safe or no base directory holds its index.theme.
    const Theme* theme(const QString& name);
    // The theme, the themes it inherits (depth first, each once), then hicolor.
    QStringList chain(const QString& name);
    // Every file of the icon in the theme's own directories, in every base
    // directory but skipBase, in directory then base order.
    QList<IconFile> filesOf(const QString& theme, const QString& icon,
                            const QString& skipBase = QString());
    // Whether the theme or one it inherits holds the icon.
    bool holds(const QString& theme, const QString& icon);
    // The path a lookup of the icon gives at that size and scale; empty when none.
    QString lookup(const QString& theme, const QString& icon, int size, int scale = 1);
    // Looks at the disk again: what changed since it was read is read again
    // at the next question, the rest is kept.
    void refresh();
    // Reads everything again at the next question.
    void forget();
    // Folders listed and index files read since the start: what the
    // questions cost the disk.
    qint64 reads() const { return reads_; }

private:
    struct State;
    // A base directory's own files (the unthemed icons).
    struct Listing {
        Stamp stamp;
        QSet<QString> names;
    };
    State& state(const QString& name);
    State& indexed(const QString& name);
    void index(State& state);
    // Lists a directory of the theme in a base (a pair of indices: the
    // directory's, the base's) into the state, naming the icons it adds;
    // from the theme folder's icon-theme.cache where one is given.
    void list(State& state, const std::pair<qint32, qint32>& place, QSet<QString>* names = nullptr,
              const ThemeFolder* cached = nullptr);
    // Takes a watched directory's icons out of the state, naming them.
    void unlist(State& state, const std::pair<qint32, qint32>& place, QSet<QString>& names);
    // Lists again the watched directories whose folder changed; true when
    // one did.
    bool relist(State& state);
    // Watches the folder of a directory in a watched base, or where it is
    // missing the nearest folder above it within top, so that refresh()
    // lists that directory again, alone, when it changes.
    static void watch(State& state, QString folder, const QString& top,
                      const std::pair<qint32, qint32>& place);
    const QSet<QString>& listing(const QString& folder);
    QString lookupInTheme(State& state, const QString& icon, int size, int scale);

    QStringList bases_;
    QStringList watched_;
    QHash<QString, std::shared_ptr<State>> themes_;
    QHash<QString, Listing> listings_; // folder -> its files
    qint64 reads_ = 0;
};

} // namespace icontheme
