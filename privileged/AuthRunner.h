// The program's one authorization, and the privileged tool that copies a
// picture into a Menu Extra bundle under it, one run per file.
#pragma once

#include "Authorization.h"

#include <cstddef>

namespace privileged {

// The right that installing a set needs.
inline constexpr const char* kCommandRight = "org.trayskin.trayskin.command1";
// The tool, by name, in the bundle's Resources folder.
inline constexpr const char* kToolName = "Trayskin";

// Request layout: the external form, then the command block.
inline constexpr std::size_t kPathFieldSize = 1024;
inline constexpr std::size_t kCommandBlockSize = 4 + 2 * kPathFieldSize;
inline constexpr std::size_t kRequestSize = kAuthorizationExternalFormLength + kCommandBlockSize;
inline constexpr std::int32_t kCopyCommand = 1;

// Creates the authorization (pre-authorize flag, no rights); always 0.
int authinit();
// Frees it; granted rights are kept. Always 0.
int authdestroy();
// Escapes every space as backslash-space, in place; returns the path. The
// caller's buffer must hold the escaped form (see escapedLength).
char* check_spaces(char* path);
// Bytes of the escaped form of a path, not counting its NUL.
std::size_t escapedLength(const char* path);
// Copies source to destination through the tool; 0 when the tool ran and
// exited with 0, anything else when the copy did not happen.
OSStatus authmain(const char* source, const char* destination);

} // namespace privileged
