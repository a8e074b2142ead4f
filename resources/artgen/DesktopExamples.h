// The example sets of desktop mode, as SVG files: <item>/<set>/<icon>.svg.
#pragma once

#include <QString>

bool makeDesktopExamples(const QString& folder);
