// A status bar's messages never run under its permanent widgets: a message
// too long for the room they leave is cut with an ellipsis, and the whole
// message is the bar's tooltip until the message goes. A resize of the bar
// fits the message again.
#pragma once

#include <QString>

class QStatusBar;

namespace platform {

void elideStatusMessages(QStatusBar& bar);

// The whole of the message the bar shows now, cut or not ("" for none).
QString wholeStatusMessage(const QStatusBar& bar);

} // namespace platform
