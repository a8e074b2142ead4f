// How the privileged tool ends at a refusal: one line on standard error,
// then its own exit code (Protocol.h).
#pragma once

#include "privileged/Protocol.h"

namespace trayskin_tool {

[[noreturn]] void refuse(privileged::protocol::ToolExit code, const char* why);

} // namespace trayskin_tool
