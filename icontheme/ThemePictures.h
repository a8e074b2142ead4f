// The pictures a set takes from icon themes: for every status item's name
// that the themes hold, the scalable SVG where there is one, else the
// largest PNG.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace icontheme {

class IconThemes;

// Item title -> icon name -> the file. The themes are read in their order,
// and a theme earlier in the list wins over those after it; the base
// directory skipBase (an overlay's) is never read.
QMap<QString, QMap<QString, QString>> bestPictures(IconThemes& themes, const QStringList& names,
                                                   const QString& skipBase);

} // namespace icontheme
