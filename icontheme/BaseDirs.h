// Where icon themes are looked for, in order: $HOME/.icons,
// $XDG_DATA_HOME/icons, each of $XDG_DATA_DIRS/icons, /usr/share/pixmaps.
#pragma once

#include <QString>
#include <QStringList>

namespace icontheme {

struct BaseDirs {
    QStringList bases; // every base directory, in lookup order, no repeats
    QString homeIcons; // $HOME/.icons
    QString userIcons; // $XDG_DATA_HOME/icons: the one the overlay writes to
};

// From the environment; unset, empty or relative variables take their
// defaults (~/.local/share, /usr/local/share:/usr/share).
BaseDirs baseDirsFromEnvironment();

} // namespace icontheme
