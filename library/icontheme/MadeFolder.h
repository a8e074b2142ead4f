// A folder that an install made where there was none ($XDG_DATA_HOME/icons)
// is noted in a file by its folder id, and goes again once a restore leaves
// it empty; a folder of that name that anyone else made is never taken for it.
#pragma once

#include <QString>

namespace library {

void noteMadeFolder(const QString& folder, const QString& note);
void removeMadeFolder(const QString& folder, const QString& note);

} // namespace library
