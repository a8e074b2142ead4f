// Where a picture goes in a theme so that a lookup in the theme finds it,
// and which other names the theme holds as the same picture.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace icontheme {

class IconThemes;
struct Picture;

// The theme's directories to write the picture in: every one where the
// theme holds its name. Where the theme lacks the name, the directories of
// the theme it inherits, hicolor or another installed theme holds it in
// that the theme lists too and that draw the picture at its size (a PNG's
// own, or any size); else one listed directory of the picture's size
// (a scalable one for an SVG) and of the context the name is held in there
// (Status when none holds it), else of any context. Any directory of the
// theme wins over what it inherits and over hicolor. The base directory
// skipBase (an overlay's) is never read.
QStringList picturePlaces(IconThemes& themes, const QString& theme, const Picture& picture,
                          const QString& skipBase);

// A name the theme holds, in a directory, as the same file as an icon
// there (a link to it, or the file a link of the icon leads to).
struct SamePicture {
    QString dir;
    QString name;
    QString icon;
};

// For each name that is the same picture as one of the icons in the theme,
// and not among the icons itself, the icon that covers it: the first one
// its links lead to, else the first in the list.
QList<SamePicture> samePictures(IconThemes& themes, const QString& theme, const QStringList& icons,
                                const QString& skipBase);

} // namespace icontheme
