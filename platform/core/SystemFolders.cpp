#include "platform/core/SystemFolders.h"

#include <cstdlib>

namespace platform {

std::string systemFolder(std::string_view absolutePath) {
    std::string root;
    if (const char* env = std::getenv(kSysrootVariable))
        root = env;
    while (!root.empty() && root.back() == '/')
        root.pop_back();
    return root + std::string(absolutePath);
}

} // namespace platform
