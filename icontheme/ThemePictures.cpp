#include "icontheme/ThemePictures.h"

#include "icontheme/IconThemes.h"
#include "icontheme/StatusItems.h"
#include "icontheme/ThemeFolder.h"

#include <QFileInfo>
#include <map>
#include <vector>

namespace icontheme {

namespace {

struct Best {
    QString file;
    QString theme;
    int score = -1;
};

// The scalable SVG first, then the largest PNG.
int scoreOf(const PictureName& picture, const ThemeDir& dir) {
    if (picture.extension == u"svg")
        return dir.type == DirType::Scalable ? 1 << 30 : 1 << 29;
    return dir.size * dir.scale;
}

void weigh(std::map<QString, Best>& best, const QString& theme, const ThemeDir& dir,
           const ThemeFolder& themeFolder) {
    const QString folder = themeFolder.path() + u'/' + dir.path;
    // Names alone: a picture's name is never a folder's in a theme. Most
    // names are no item's, which their first bytes show.
    for (const QString& file : themeFolder.names(dir.path, isItemName)) {
        const auto picture = pictureName(file);
        if (!picture || itemForIcon(picture->icon) == nullptr)
            continue;
        const int score = scoreOf(*picture, dir);
        Best& known = best[picture->icon];
        // A theme earlier in the list wins over those after it.
        if (!known.theme.isEmpty() && known.theme != theme)
            continue;
        // Of "<icon>.png" and "<icon>.symbolic.png" in one directory, the first.
        const QString path = folder + u'/' + file;
        const bool plainer = score == known.score && path.size() < known.file.size() &&
                             known.file.startsWith(folder + u'/');
        if (score > known.score || plainer)
            known = {path, theme, score};
    }
}

} // namespace

QMap<QString, QMap<QString, QString>> bestPictures(IconThemes& themes, const QStringList& names,
                                                   const QString& skipBase) {
    std::map<QString, Best> best; // icon -> its file
    for (const QString& name : names) {
        const Theme* theme = themes.theme(name);
        if (theme == nullptr)
            continue;
        // Only the base directories that hold the theme are read.
        std::vector<ThemeFolder> held;
        for (const QString& base : themes.bases())
            if (base != skipBase && QFileInfo(base + u'/' + name).isDir())
                held.emplace_back(base + u'/' + name);
        for (const ThemeDir& dir : theme->index.dirs)
            for (const ThemeFolder& themeFolder : held)
                weigh(best, name, dir, themeFolder);
    }
    QMap<QString, QMap<QString, QString>> items;
    for (const auto& [icon, found] : best)
        items[itemForIcon(icon)->title][icon] = found.file;
    return items;
}

} // namespace icontheme
