// What an icon theme's index.theme says: its directories, each with the
// sizes and scale it is drawn for, and the themes it inherits. Names that
// could lead out of the theme's folder are refused here, so nothing built
// on a ThemeIndex ever joins them to a path.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace icontheme {

enum class DirType { Fixed, Scalable, Threshold };

struct ThemeDir {
    QString path; // relative to the theme's folder, e.g. "24x24/status"
    int size = 0;
    int scale = 1;
    DirType type = DirType::Threshold;
    int minSize = 0;
    int maxSize = 0;
    int threshold = 2;
    QString context;
};

// The directories of a theme that are read, at most. The largest themes
// there are (hicolor, with a size for every context, Papirus, Breeze) name a
// few hundred; each directory is a folder listed in every base directory
// that holds the theme, so an index.theme naming 100,000 of them (2.7 MB)
// would cost 100,000 listings a base.
constexpr qsizetype kMaxThemeDirs = 10000;

struct ThemeIndex {
    QString displayName;
    bool hidden = false; // Hidden=true: not offered to the user (hicolor)
    QStringList inherits;
    QList<ThemeDir> dirs; // Directories, then ScaledDirectories, in their order
    QStringList refused;  // directory and theme names that were not safe to use
    // Distinct directory names beyond kMaxThemeDirs, left out unread.
    qsizetype dirsLeftOut = 0;
};

// A theme name is one folder name: no "/", not "." or "..", no spaces,
// commas or control characters.
bool isSafeThemeName(const QString& name);
// A theme directory is relative and never climbs: no empty, "." or ".."
// component, no leading "/".
bool isSafeSubdir(const QString& path);

// None when there is no "Icon Theme" group. Directories without a usable
// Size are left out, as lookups leave them out.
std::optional<ThemeIndex> parseThemeIndex(const QByteArray& text);

bool matchesSize(const ThemeDir& dir, int size, int scale);
int sizeDistance(const ThemeDir& dir, int size, int scale);

} // namespace icontheme
