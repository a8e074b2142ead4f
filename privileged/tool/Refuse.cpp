#include "privileged/tool/Refuse.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace trayskin_tool {

void refuse(privileged::protocol::ToolExit code, const char* why) {
    char line[256];
    const int n = std::snprintf(line, sizeof line, "Trayskin tool: %s (exit %d)\n", why,
                                static_cast<int>(code));
    if (n > 0) {
        ssize_t ignored = ::write(2, line, static_cast<std::size_t>(std::min(n, 255)));
        (void)ignored;
    }
    ::_exit(static_cast<int>(code));
}

} // namespace trayskin_tool
