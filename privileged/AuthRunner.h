// The program's one authorization, and the privileged tool that copies a
// picture into a Menu Extra bundle under it, one run per file.
#pragma once

#include "platform/core/Authorization.h"

namespace privileged {

// Creates the authorization (pre-authorize flag, no rights); always 0.
int authinit();
// Frees it; granted rights are kept. Always 0.
int authdestroy();
// Escapes every space as backslash-space, in place; returns the path. The
// caller's buffer must hold the escaped form (protocol::escapedLength).
char* check_spaces(char* path);
// Copies source to destination through the tool; 0 when the tool ran and
// exited with 0, anything else when the copy did not happen.
OSStatus authmain(const char* source, const char* destination);

} // namespace privileged
