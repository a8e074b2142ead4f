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
// The alert for an install or restore that could not be done; path is
// where a write, removal or move failed.
Notice failureNotice(icontheme::OverlayFailure failure, const QString& theme,
                     const QString& path = QString());
// The name with every control character shown as \xNN, so that no name
// splits or forges a line of output.
QString printableName(const QString& name);
// Why an entry of the user's was not moved aside, by the rename's errno.
QString notKeptText(int error);
// What an install into the theme says: whether it went into the own theme
// (own) and whether the desktop shows it now (shown), with what makes the
// panel show the pictures (panelAdvice); in a terminal's words (terminal)
// or the window's.
QString installedText(const QString& theme, bool own, bool shown, const QString& panelAdvice,
                      bool terminal = false);
// That so many of the user's entries were moved aside.
QString keptText(int count);
// The line of a file of the user's that a restore left where it is; keptAt
// is where the entry moved aside from there stays, or empty when the file
// was left because no record said it was ours.
QString leftText(const QString& path, const QString& keptAt);
// That no record of the folder could be read, so only what is provably ours went.
QString salvagedText(const QString& folder);
// What the default set of the item, in desktop mode a restore, says.
QString defaultShownText(const QString& theme, const QString& item);
// That the themes show their own pictures again.
QString restoredText(const QStringList& themes);
// The paragraphs of what a restore put back and what it left.
QString putBackText(const QStringList& putBack, const QStringList& left);
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
