// Sets from the installed icon themes: each theme but the one in use offers,
// for every status item it holds pictures of, a set named after the theme
// (its Name), holding the theme's own picture of each of the item's names
// under the theme file's own name (so a symbolic picture stays symbolic),
// and an info text that names the theme, its folder and its licence file.
//
// The themes looked at are remembered in the library (.theme-sets), so that
// a plain start makes sets only from themes it has not seen before and a set
// the user discarded stays discarded; the menu command looks at every theme
// again and makes the sets that are missing.
#pragma once

#include "icontheme/BaseDirs.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <string>

namespace icontheme {
class IconThemes;
} // namespace icontheme

namespace library {

// The name of the file in the library root that lists the themes looked at.
inline constexpr std::string_view kThemeSetsNoteSuffix = "/.theme-sets";

struct ThemeSetsRequest {
    std::string root;        // the library root
    QString inUse;           // the theme in use: it offers no sets
    QString ownThemeSuffix;  // the own themes' suffix: such themes offer none
    bool everyTheme = false; // false: only the themes not looked at before
};

struct ThemeSetsResult {
    QStringList made;   // "item/set" of each set made
    QStringList failed; // the set folders that could not be made
};

// The themes of the base directories, by folder name, sorted: every folder
// with an index.theme that is not hidden. The names in leftOut are left out
// without their index being read.
QStringList installedThemes(icontheme::IconThemes& themes, const QSet<QString>& leftOut = {});

// Makes the sets that are missing. A theme whose set could not be made is
// not noted, so the next start tries it again. The overlay base (dirs.userIcons) is
// read for a theme only when the library keeps no overlay record of it.
ThemeSetsResult makeThemeSets(icontheme::IconThemes& themes, const icontheme::BaseDirs& dirs,
                              const ThemeSetsRequest& request);

} // namespace library
