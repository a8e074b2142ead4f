#include "Request.h"

#include <cstring>

namespace trayskin_tool {

std::string unescapeSpaces(const char* field) {
    std::string out;
    for (const char* p = field; *p; ++p) {
        if (p[0] == '\\' && p[1] == ' ') {
            out.push_back(' ');
            ++p;
        } else {
            out.push_back(*p);
        }
    }
    return out;
}

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
    std::memcpy(out.external.bytes, bytes, kAuthorizationExternalFormLength);
    const unsigned char* block = bytes + kAuthorizationExternalFormLength;
    std::memcpy(&out.command, block, 4);
    if (out.command != 1)
        return RequestError::WrongCommand;
    const char* source = reinterpret_cast<const char*>(block + 4);
    const char* destination = source + kPathField;
    if (!std::memchr(source, '\0', kPathField))
        return RequestError::SourceNoNul;
    if (!std::memchr(destination, '\0', kPathField))
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
