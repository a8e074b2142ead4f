// The program's log: one line per message on standard error, with the time
// and the process, as a system log would show it.
#pragma once

#include <string_view>

namespace platform {

// Writes the message as it stands; a path in it is never read as a format.
void logLine(std::string_view message);

} // namespace platform
