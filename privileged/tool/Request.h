// The privileged tool's reading of a request (layout in Protocol.h): the
// caller's authorization in external form, then the command block.
#pragma once

#include "platform/core/Authorization.h"
#include "privileged/Protocol.h"

#include <cstdint>
#include <string>

namespace trayskin_tool {

enum class RequestError {
    None,
    WrongCommand, // the command word is not 1 in this machine's byte order
    SourceNoNul,  // no NUL inside the source field
    DestinationNoNul,
    SourceNotAbsolute,
    DestinationNotAbsolute,
    SourceDotComponent, // a "." or ".." component
    DestinationDotComponent,
};

struct Request {
    AuthorizationExternalForm external{};
    std::int32_t command = 0;
    std::string source;      // un-escaped
    std::string destination; // un-escaped
};

// Parses exactly protocol::kRequestSize bytes.
RequestError parseRequest(const unsigned char* bytes, Request& out);

// Absolute, and no component is "." or "..". Empty components ("//") are
// allowed; they name nothing new.
bool isPlainAbsolutePath(const std::string& path);

} // namespace trayskin_tool
