// Which System Preferences pane belongs to a Menu Extra, by its extra name.
#pragma once

#include <QString>
#include <string>

namespace library {

// The pane's name as the completion message shows it (localized), or the
// empty string for an extra without a known pane.
QString whichPanel(const std::string& extra);
// The pane's file name in the preference panes folder, without ".prefPane",
// or the empty string.
std::string whichSystemPanel(const std::string& extra);

} // namespace library
