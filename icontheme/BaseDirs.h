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

// The data folders of XDG_DATA_DIRS that are read, at most. A desktop names
// a handful, and environments that name one per package a few dozen; every
// base directory is looked at for every theme at every question, so a
// variable of thousands would make each choice of an item cost thousands
// of lookups.
constexpr qsizetype kMaxDataDirs = 256;

// From the environment; unset, empty or relative variables take their
// defaults (~/.local/share, /usr/local/share:/usr/share). Data folders
// beyond kMaxDataDirs are left out, with a line on standard error.
BaseDirs baseDirsFromEnvironment();

} // namespace icontheme
