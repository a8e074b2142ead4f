// The program's own icons: the default icon of a row without a picture, and
// the application icon at the sizes desktops ask for.
#pragma once

#include <QString>

// The default icon, a page with lines, as a 128 x 128 PNG.
bool makeIcon(const QString& file);
// trayskin-<side>.png for the sizes desktops ask for.
bool makeAppIcons(const QString& dir);
