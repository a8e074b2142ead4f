// What Menu Extras mode tells the user after an install or a restore: the
// completion alert with the settings pane to open after it, why nothing was
// restored, and the alert of a copy through the privileged tool that failed.
#pragma once

#include "library/Layout.h"
#include "library/PictureSystem.h"

#include <QString>
#include <QStringList>
#include <string>

namespace library {

// The completion alert for the extra, and its settings pane (or System
// Preferences) to open after it. An empty extra: every menu item restored.
enum class Completion { Installed, Restored, RestoredAll };
void complete(PlaceReport& report, Completion completion, const std::string& extra);

// The alert that says why nothing was restored.
Notice nothingRestored(RestoreProblem problem);
// The alert of a restore that found every picture already the original.
Notice nothingNeededRestoring();

// The alert of a copy that failed, with the cause beneath it.
Notice copyFailed(const InstallCopy& copy, const QString& cause);
// Beneath the completion of an install that left files of the set out: how
// many went in, then each file left out with why ("name: reason").
QString leftOutText(int placed, const QStringList& leftOut);

} // namespace library
