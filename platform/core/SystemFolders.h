// Where the system folders are. The program's paths are constants; one
// environment variable, TRAYSKIN_SYSROOT, is put in front of the system
// folders so that the program can run against a made-up system tree.
#pragma once

#include <string>
#include <string_view>

namespace platform {

inline constexpr const char* kSysrootVariable = "TRAYSKIN_SYSROOT";

// The system root prefix (empty when TRAYSKIN_SYSROOT is unset) followed by
// the absolute system path.
std::string systemFolder(std::string_view absolutePath);

} // namespace platform
