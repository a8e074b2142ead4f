// libFuzzer entry point: any path through the runner's escaping and the
// tool's un-escaping must come back as it was, and fit where it was said to.
#include "privileged/Protocol.h"

#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    namespace protocol = privileged::protocol;
    // A C string: up to the first NUL.
    const std::string path(reinterpret_cast<const char*>(data),
                           strnlen(reinterpret_cast<const char*>(data), size));
    const std::size_t length = protocol::escapedLength(path.c_str());
    std::vector<char> buffer(length + 1, '\x7f');
    std::memcpy(buffer.data(), path.c_str(), path.size() + 1);
    protocol::escapeSpaces(buffer.data());
    if (std::strlen(buffer.data()) != length)
        __builtin_trap();
    if (protocol::unescapeSpaces(buffer.data()) != path)
        __builtin_trap();
    return 0;
}
