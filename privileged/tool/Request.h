// The privileged tool's request: the caller's authorization in external form,
// then the command block (command word, source path, destination path), each
// path escaped and NUL-terminated in its 1024-byte field.
#pragma once

#include "Authorization.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace trayskin_tool {

inline constexpr std::size_t kPathField = 1024;
inline constexpr std::size_t kRequestBytes = kAuthorizationExternalFormLength + 4 + 2 * kPathField;

enum class RequestError {
    None,
    WrongCommand, // the command word is not 1 in this machine's byte order
    SourceNoNul,  // no NUL inside the source field
    DestinationNoNul,
    SourceNotAbsolute,
    DestinationNotAbsolute,
    SourceDotComponent, // a "." or ".." component, or an empty path
    DestinationDotComponent,
};

struct Request {
    AuthorizationExternalForm external{};
    std::int32_t command = 0;
    std::string source;      // un-escaped
    std::string destination; // un-escaped
};

// Parses exactly kRequestBytes bytes.
RequestError parseRequest(const unsigned char* bytes, Request& out);

// Each backslash-space becomes a space, scanning left to right; every other
// byte stays as it is.
std::string unescapeSpaces(const char* field);

// Absolute, and no component is "." or "..". Empty components ("//") are
// allowed; they name nothing new.
bool isPlainAbsolutePath(const std::string& path);

} // namespace trayskin_tool
