#include "icontheme/ThemeFolder.h"

#include "icontheme/Picture.h"
#include "platform/core/FileManager.h"

#include <QFile>

#include <sys/stat.h>

namespace icontheme {
namespace {

constexpr qint64 kMaxCacheBytes = 64 << 20;
constexpr quint32 kEndOfChain = 0xffffffff;

bool before(const timespec& a, const timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// Big-endian numbers and NUL-ended strings at offsets, each checked against the size.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : bytes_(bytes) {}
    bool ok() const { return ok_; }
    quint32 number(quint64 at, int size) {
        if (at + quint64(size) > quint64(bytes_.size())) {
            ok_ = false;
            return 0;
        }
        quint32 value = 0;
        for (int i = 0; i < size; ++i)
            value = (value << 8) | quint8(bytes_[qsizetype(at) + i]);
        return value;
    }
    QString text(quint64 at) {
        const qsizetype end =
            at < quint64(bytes_.size()) ? bytes_.indexOf('\0', qsizetype(at)) : -1;
        if (end < 0) {
            ok_ = false;
            return {};
        }
        return QString::fromUtf8(bytes_.constData() + at, end - qsizetype(at));
    }

private:
    const QByteArray& bytes_;
    bool ok_ = true;
};

} // namespace

std::optional<IconCache> IconCache::parse(QByteArray bytes) {
    IconCache cache;
    cache.bytes_ = std::move(bytes);
    Reader in(cache.bytes_);
    if (in.number(0, 2) != 1)
        return std::nullopt;
    const quint32 hash = in.number(4, 4);
    const quint32 list = in.number(8, 4);
    const quint32 dirCount = in.number(list, 4);
    QStringList names;
    for (quint32 i = 0; in.ok() && i < dirCount; ++i)
        names.append(in.text(in.number(list + 4 + 4ull * i, 4)));
    QList<QList<Image>> dirs(names.size());
    // Each icon takes 12 bytes at least: more would mean a chain that loops.
    qint64 budget = cache.bytes_.size() / 12;
    const quint32 buckets = in.number(hash, 4);
    for (quint32 b = 0; in.ok() && b < buckets; ++b) {
        for (quint32 icon = in.number(hash + 4 + 4ull * b, 4); in.ok() && icon != kEndOfChain;
             icon = in.number(icon, 4)) {
            if (--budget < 0)
                return std::nullopt;
            const quint32 name = in.number(icon + 4ull, 4);
            in.text(name); // checked here, read when asked for
            const quint32 images = in.number(icon + 8ull, 4);
            const quint32 count = in.number(images, 4);
            for (quint32 i = 0; in.ok() && i < count; ++i) {
                const quint32 dir = in.number(images + 4 + 8ull * i, 2);
                if (dir >= quint32(dirs.size()))
                    return std::nullopt;
                dirs[dir].append({name, quint16(in.number(images + 6 + 8ull * i, 2))});
            }
        }
    }
    if (!in.ok())
        return std::nullopt;
    for (qsizetype i = 0; i < names.size(); ++i)
        cache.dirs_[names[i]].append(dirs[i]);
    return cache;
}

QStringList IconCache::names(const QString& dir, NameFilter keep) const {
    QStringList names;
    QByteArray file;
    for (const Image& image : dirs_.value(dir)) {
        if (keep && !keep(QLatin1StringView(bytes_.constData() + image.name)))
            continue;
        for (const auto& [flag, suffix] :
             {std::pair{4, ".png"}, std::pair{2, ".svg"}, std::pair{1, ".xpm"}}) {
            if (image.suffixes & flag) {
                file.truncate(0); // its room is kept for the next name
                names.append(
                    QString::fromUtf8(file.append(bytes_.constData() + image.name).append(suffix)));
            }
        }
    }
    return names;
}

ThemeFolder::ThemeFolder(QString path) : path_(std::move(path)) {
    const QString file = path_ + QStringLiteral("/icon-theme.cache");
    struct stat info {};
    if (::stat(QFile::encodeName(file).constData(), &info) != 0)
        return;
    if (auto bytes = readSmallFile(file, kMaxCacheBytes)) {
        cache_ = IconCache::parse(std::move(*bytes));
        cacheTime_ = info.st_mtim;
    }
}

QStringList ThemeFolder::names(const QString& dir, NameFilter keep) const {
    const QByteArray path = QFile::encodeName(path_ + u'/' + dir);
    struct stat info {};
    if (cache_) {
        if (::stat(path.constData(), &info) != 0)
            return {};
        if (S_ISDIR(info.st_mode) && before(info.st_mtim, cacheTime_))
            return cache_->names(dir, keep);
    }
    QStringList names;
    for (const std::string& name : platform::fs::listFolder(path.toStdString()))
        if (!keep || keep(QLatin1StringView(name.data(), qsizetype(name.size()))))
            names.append(QFile::decodeName(name.c_str()));
    return names;
}

} // namespace icontheme
