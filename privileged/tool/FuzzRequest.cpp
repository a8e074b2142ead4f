// libFuzzer entry point: any bytes as the tool's request.
#include "privileged/tool/Request.h"

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    std::vector<unsigned char> request(privileged::protocol::kRequestSize, 0);
    std::memcpy(request.data(), data, std::min(size, request.size()));
    trayskin_tool::Request parsed;
    const auto error = trayskin_tool::parseRequest(request.data(), parsed);
    if (error == trayskin_tool::RequestError::None) {
        // What passes is absolute and free of dot components.
        if (!trayskin_tool::isPlainAbsolutePath(parsed.source) ||
            !trayskin_tool::isPlainAbsolutePath(parsed.destination))
            __builtin_trap();
    }
    // Un-escaping never grows a string.
    const std::size_t field = std::min<std::size_t>(size, 64);
    std::vector<char> text(data, data + field);
    text.push_back('\0');
    if (privileged::protocol::unescapeSpaces(text.data()).size() > std::strlen(text.data()))
        __builtin_trap();
    return 0;
}
