#include "privileged/tool/Request.h"

#include <cstring>

namespace trayskin_tool {

bool isPlainAbsolutePath(const std::string& path) {
    if (path.empty() || path[0] != '/')
        return false;
    std::size_t start = 1;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string_view component(path.data() + start, end - start);
        if (component == "." || component == "..")
            return false;
        start = end + 1;
    }
    return true;
}

RequestError parseRequest(const unsigned char* bytes, Request& out) {
    using namespace privileged::protocol;
    std::memcpy(out.external.bytes, bytes + kExternalFormOffset, kAuthorizationExternalFormLength);
    std::memcpy(&out.command, bytes + kCommandOffset, sizeof out.command);
    if (out.command != kCopyCommand)
        return RequestError::WrongCommand;
    const char* source = reinterpret_cast<const char*>(bytes + kSourceOffset);
    const char* destination = reinterpret_cast<const char*>(bytes + kDestinationOffset);
    if (!std::memchr(source, '\0', kPathFieldSize))
        return RequestError::SourceNoNul;
    if (!std::memchr(destination, '\0', kPathFieldSize))
        return RequestError::DestinationNoNul;
    out.source = unescapeSpaces(source);
    out.destination = unescapeSpaces(destination);
    if (out.source.empty() || out.source[0] != '/')
        return RequestError::SourceNotAbsolute;
    if (out.destination.empty() || out.destination[0] != '/')
        return RequestError::DestinationNotAbsolute;
    if (!isPlainAbsolutePath(out.source))
        return RequestError::SourceDotComponent;
    if (!isPlainAbsolutePath(out.destination))
        return RequestError::DestinationDotComponent;
    return RequestError::None;
}

} // namespace trayskin_tool
