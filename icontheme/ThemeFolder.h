// A theme's folder in one base directory, and the file names in its
// directories as a listing of each gives them. They come from GTK's
// icon-theme.cache (made by gtk-update-icon-cache) for a directory that is
// older than the cache, so a theme of hundreds of directories costs one
// read and a stat of each instead of a listing of each; a directory that
// changed after the cache, or a cache that is missing or damaged, is listed.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <ctime>
#include <optional>

namespace icontheme {

// Picks file names by their bytes as stored (looked at as Latin-1), so that
// the names left out never become strings. The cache hands it a name
// without its suffix, a listing the whole file name: it may look at how a
// name begins, not at how it ends.
using NameFilter = bool (*)(QLatin1StringView name);

// GTK's icon-theme.cache, read: a header (version 1.x, the offsets of the
// hash and of the directory list), the directories' names, and a hash of
// icons, each with its name and its images: a directory's index and the
// suffixes the icon has there.
class IconCache {
public:
    // None when the bytes are not such a cache or are damaged.
    static std::optional<IconCache> parse(QByteArray bytes);
    // The file names of the directory, in no particular order; with a
    // filter, only those it keeps.
    QStringList names(const QString& dir, NameFilter keep = nullptr) const;

private:
    struct Image {
        quint32 name; // offset of the icon's name
        quint16 suffixes;
    };
    QByteArray bytes_;
    QHash<QString, QList<Image>> dirs_;
};

class ThemeFolder {
public:
    explicit ThemeFolder(QString path);

    const QString& path() const { return path_; }
    // Whether the folder's icon-theme.cache was read.
    bool hasCache() const { return cache_.has_value(); }
    // The file names in the directory (relative to the folder), in no
    // particular order; with a filter, only those it keeps.
    QStringList names(const QString& dir, NameFilter keep = nullptr) const;

private:
    QString path_;
    std::optional<IconCache> cache_;
    timespec cacheTime_{};
};

} // namespace icontheme
