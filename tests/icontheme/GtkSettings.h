// GTK 3's own reading of its settings files, through GLib's key-file reader
// in Python (tests/icontheme/gtk_settings.py).
#pragma once

#include <QStringList>

namespace testing_support {

// The icon theme name GTK takes from each file; "-" for none, "refused" for
// a file GTK reads nothing of.
QStringList gtkSettingsThemes(const QStringList& files);

} // namespace testing_support
