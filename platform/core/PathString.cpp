#include "platform/core/PathString.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace platform {

std::string formatPath(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size() + 64);
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == '@') {
            if (next != args.end()) {
                out.append(*next);
                ++next;
            }
            ++i;
        } else {
            out.push_back(pattern[i]);
        }
    }
    return out;
}

static std::string_view trimTrailingSlashes(std::string_view path) {
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    return path;
}

std::string lastPathComponent(std::string_view path) {
    path = trimTrailingSlashes(path);
    if (path == "/")
        return "/";
    auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string pathExtension(std::string_view path) {
    std::string last = lastPathComponent(path);
    auto dot = last.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return {};
    return last.substr(dot + 1);
}

std::string deletingPathExtension(std::string_view path) {
    path = trimTrailingSlashes(path);
    std::string ext = pathExtension(path);
    if (ext.empty()) {
        // "name." has an empty extension but still a dot to drop.
        if (!path.empty() && path.back() == '.' && lastPathComponent(path) != ".")
            return std::string(path.substr(0, path.size() - 1));
        return std::string(path);
    }
    return std::string(path.substr(0, path.size() - ext.size() - 1));
}

std::string expandTilde(std::string_view path) {
    if (path.empty() || path[0] != '~' || (path.size() > 1 && path[1] != '/'))
        return std::string(path);
    std::string home;
    if (const char* env = std::getenv("HOME"); env && *env) {
        home = env;
    } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
        home = pw->pw_dir;
    }
    while (home.size() > 1 && home.back() == '/')
        home.pop_back();
    return home + std::string(path.substr(1));
}

std::vector<std::string> splitPath(std::string_view path, std::string_view separator) {
    std::vector<std::string> pieces;
    if (separator.empty()) {
        pieces.emplace_back(path);
        return pieces;
    }
    std::size_t start = 0;
    for (;;) {
        auto at = path.find(separator, start);
        if (at == std::string_view::npos) {
            pieces.emplace_back(path.substr(start));
            return pieces;
        }
        pieces.emplace_back(path.substr(start, at - start));
        start = at + separator.size();
    }
}

} // namespace platform
