// Icon themes across the base directories, and the lookup that clients do:
// in a theme the directory matching the size, else the closest one; then the
// inherited themes, then hicolor, then the unthemed files of the base
// directories. Folder listings are read once and kept until forget().
#pragma once

#include "icontheme/ThemeIndex.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

namespace icontheme {

// One file of an icon: in base/theme/dir, named icon + suffix.
struct IconFile {
    QString base;
    QString dir;
    QString path;
    QString suffix; // ".png", ".svg", ".xpm" or ".symbolic.png"
};

struct Theme {
    QString name;
    QString indexPath; // the first index.theme across the base directories
    ThemeIndex index;
};

// An icon name as the overlay and the lookups accept it: [A-Za-z0-9._+-],
// not starting with a dot.
bool isSafeIconName(const QString& name);

class IconThemes {
public:
    explicit IconThemes(QStringList bases);

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
    // Reads the folders again at the next question.
    void forget();

private:
    const QSet<QString>& listing(const QString& folder);
    QList<IconFile> filesIn(const QString& base, const Theme& theme, const ThemeDir& dir,
                            const QString& icon);
    QString lookupInTheme(const Theme& theme, const QString& icon, int size, int scale);

    QStringList bases_;
    QHash<QString, std::shared_ptr<Theme>> themes_; // null: looked for, not found
    QHash<QString, QSet<QString>> listings_;
};

} // namespace icontheme
