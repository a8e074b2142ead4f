// What desktop mode tells the user: why a picture was not used, why nothing
// was put in place, why the desktop's theme was not switched, and what makes
// a panel show new pictures.
#pragma once

#include "icontheme/Overlay.h"
#include "icontheme/Picture.h"
#include "icontheme/ThemeSwitch.h"
#include "library/PictureSystem.h"

#include <QString>

namespace library {

// The translation key of the reason a picture was refused.
const char* refusalKey(icontheme::PictureProblem problem);
// The alert for an install or restore that could not be done.
Notice failureNotice(icontheme::OverlayFailure failure, const QString& theme);
// The alert for a switch of the desktop's icon theme to theme that was not
// done, with the cause beneath: where the setting is kept (place) or where
// the value it replaced is remembered (statePath).
Notice switchFailure(icontheme::SwitchResult result, const QString& theme, const QString& place,
                     const QString& statePath);
// That the desktop is back on the theme.
QString switchedBackText(const QString& theme);
// The translation key of what makes the desktop's panel show new pictures,
// by $XDG_CURRENT_DESKTOP.
const char* panelHintKey(const QString& currentDesktop);

} // namespace library
