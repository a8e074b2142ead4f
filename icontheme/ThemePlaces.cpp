#include "icontheme/ThemePlaces.h"

#include "icontheme/IconThemes.h"
#include "icontheme/Picture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <climits>
#include <functional>
#include <map>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace icontheme {

namespace {

const QString kStatus = QStringLiteral("Status");

// Whether the theme lists the directory, and a lookup there draws the
// picture at its size: an SVG anywhere, a PNG where the size is its own or
// any size goes.
bool fits(const ThemeIndex& index, const QString& dir, const Picture& picture) {
    return std::any_of(index.dirs.cbegin(), index.dirs.cend(), [&](const ThemeDir& listed) {
        return listed.path == dir &&
               (picture.extension == u"svg" || listed.type == DirType::Scalable ||
                (listed.size == picture.width && listed.size == picture.height &&
                 listed.scale == 1));
    });
}

// The themes that may hold a name the theme lacks: those it inherits and
// hicolor, then every other theme of the base directories but skipBase.
QStringList otherThemes(IconThemes& themes, const QString& theme, const QString& skipBase) {
    QStringList names = themes.chain(theme);
    names.removeAll(theme);
    QStringList others;
    for (const QString& base : themes.bases()) {
        if (base == skipBase)
            continue;
        for (const QString& name : QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            if (!names.contains(name) && !others.contains(name) && name != theme &&
                themes.theme(name) != nullptr)
                others.append(name);
    }
    others.sort();
    return names + others;
}

// The first listed directory that one of the tests takes, in their order.
QString firstDir(const ThemeIndex& index,
                 std::initializer_list<std::function<bool(const ThemeDir&)>> tests) {
    for (const auto& test : tests)
        for (const ThemeDir& dir : index.dirs)
            if (test(dir))
                return dir.path;
    return {};
}

// A directory of the picture's size (a scalable one for an SVG) and of the
// context, else of Status, else of any context.
QString dirBySize(const ThemeIndex& index, const Picture& picture, const QString& context) {
    const auto scalable = [](const ThemeDir& dir) { return dir.type == DirType::Scalable; };
    const int side = picture.width == picture.height ? picture.width : 0;
    const auto sized = [&](const ThemeDir& dir) {
        return side > 0 && !scalable(dir) && dir.size == side && dir.scale == 1;
    };
    const auto of = [](const QString& context, auto test) {
        return [context, test](const ThemeDir& dir) {
            return test(dir) && (context.isEmpty() || dir.context == context);
        };
    };
    if (picture.extension == u"svg")
        return firstDir(index, {of(context, scalable), of(kStatus, scalable), scalable});
    return firstDir(index, {of(context, sized), of(kStatus, sized), sized, of(context, scalable),
                            of(kStatus, scalable), scalable});
}

QString iconOfFile(const QString& file) {
    for (const char* suffix : {".symbolic.png", ".png", ".svg", ".xpm"})
        if (file.endsWith(QLatin1String(suffix)))
            return file.chopped(int(qstrlen(suffix)));
    return {};
}

// The files of one folder by what they are: a link by the file it leads to
// in the end, any other file by itself; and the other way round.
struct Folder {
    QHash<QString, QString> target;    // file name -> what it is
    QHash<QString, QStringList> named; // what it is -> the file names
};

class Folders {
public:
    const Folder& files(const QString& folder) {
        auto it = folders_.find(folder);
        if (it != folders_.end())
            return *it;
        Folder& files = folders_[folder];
        const QString real = QFileInfo(folder).canonicalFilePath();
        // One listing, whose entry types spare a stat of each of a status
        // folder's hundreds of pictures: only links are followed.
        DIR* dir = ::opendir(QFile::encodeName(folder).constData());
        if (dir == nullptr)
            return files;
        while (const dirent* entry = ::readdir(dir)) {
            const QString name = QFile::decodeName(entry->d_name);
            // A hidden file's name is none an icon is looked up by.
            if (name.startsWith(u'.') || iconOfFile(name).isEmpty())
                continue;
            unsigned char type = entry->d_type;
            struct stat info {};
            if (type == DT_UNKNOWN &&
                ::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0)
                type = S_ISLNK(info.st_mode) ? DT_LNK : S_ISDIR(info.st_mode) ? DT_DIR : DT_REG;
            if (type == DT_DIR || type == DT_UNKNOWN)
                continue;
            const QString target = type == DT_LNK
                                       ? QFileInfo(folder + u'/' + name).canonicalFilePath()
                                       : real + u'/' + name;
            files.target.insert(name, target);
            files.named[target].append(name);
        }
        ::closedir(dir);
        return files;
    }

private:
    QHash<QString, Folder> folders_;
};

// How many links lead from the file to the target; INT_MAX when none do.
int hops(const QString& from, const QString& target) {
    QString path = from;
    for (int n = 1; n <= 8; ++n) {
        const QFileInfo info(path);
        if (!info.isSymLink())
            break;
        path = info.symLinkTarget();
        if (path == target)
            return n;
    }
    return INT_MAX;
}

} // namespace

QStringList picturePlaces(IconThemes& themes, const QString& theme, const Picture& picture,
                          const QString& skipBase) {
    QStringList dirs;
    for (const IconFile& file : themes.filesOf(theme, picture.icon, skipBase))
        if (!dirs.contains(file.dir))
            dirs.append(file.dir);
    const Theme* own = themes.theme(theme);
    if (!dirs.isEmpty() || own == nullptr)
        return dirs;
    QString context = kStatus;
    for (const QString& other : otherThemes(themes, theme, skipBase)) {
        const QList<IconFile> files = themes.filesOf(other, picture.icon, skipBase);
        if (files.isEmpty())
            continue;
        for (const IconFile& file : files)
            if (fits(own->index, file.dir, picture) && !dirs.contains(file.dir))
                dirs.append(file.dir);
        context = themes.theme(other)->index.dirs[files.first().dirIndex].context;
        break;
    }
    if (dirs.isEmpty()) {
        const QString dir = dirBySize(own->index, picture, context);
        if (!dir.isEmpty())
            dirs.append(dir);
    }
    return dirs;
}

QList<SamePicture> samePictures(IconThemes& themes, const QString& theme, const QStringList& icons,
                                const QString& skipBase) {
    Folders folders;
    // (dir, name) -> (hops, the icon's place in the list)
    std::map<std::pair<QString, QString>, std::pair<int, qsizetype>> best;
    const QSet<QString> asked(icons.cbegin(), icons.cend());
    for (qsizetype i = 0; i < icons.size(); ++i) {
        for (const IconFile& file : themes.filesOf(theme, icons[i], skipBase)) {
            const QString folder = file.path.left(file.path.lastIndexOf(u'/'));
            const Folder& files = folders.files(folder);
            const QString same = files.target.value(file.path.mid(folder.size() + 1));
            if (same.isEmpty())
                continue;
            for (const QString& other : files.named.value(same)) {
                const QString name = iconOfFile(other);
                if (asked.contains(name))
                    continue;
                const std::pair<int, qsizetype> rank{hops(folder + u'/' + other, file.path), i};
                auto [found, added] = best.try_emplace({file.dir, name}, rank);
                if (!added && rank < found->second)
                    found->second = rank;
            }
        }
    }
    QList<SamePicture> out;
    for (const auto& [place, rank] : best)
        out.append({place.first, place.second, icons[rank.second]});
    return out;
}

} // namespace icontheme
