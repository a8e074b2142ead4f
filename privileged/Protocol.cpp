#include "privileged/Protocol.h"

#include <cstdio>
#include <cstring>

namespace privileged::protocol {

std::size_t escapedLength(const char* path) {
    std::size_t length = 0;
    for (const char* p = path; *p; ++p)
        length += *p == ' ' ? 2 : 1;
    return length;
}

char* escapeSpaces(char* path) {
    // Every space becomes "\ ", one for one, leading and trailing ones too,
    // so that un-escaping gives back the very path. Worked from the end, so
    // that the string can grow in place.
    const std::size_t length = std::strlen(path);
    const std::size_t escaped = escapedLength(path);
    path[escaped] = '\0';
    for (std::size_t from = length, to = escaped; from > 0;) {
        const char c = path[--from];
        path[--to] = c;
        if (c == ' ')
            path[--to] = '\\';
    }
    return path;
}

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

std::string replacementName(const std::string& file) {
    std::uint64_t hash = 1469598103934665603ull; // FNV-1a
    for (unsigned char c : file) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char name[40];
    std::snprintf(name, sizeof name, ".trayskin-new-%016llx",
                  static_cast<unsigned long long>(hash));
    return name;
}

} // namespace privileged::protocol
