// Path strings as the rest of the program sees them: plain byte strings, so
// that names which are not valid UTF-8 survive every step unchanged.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Substitutes the arguments, in order, for the "%@" placeholders of the
// pattern. Only the pattern is scanned; an argument is copied as it stands, so
// a name holding "%@" or "%" is never read as a directive. Placeholders with
// no argument left stay empty; surplus arguments are ignored.
std::string formatPath(std::string_view pattern, std::initializer_list<std::string_view> args);

// The text after the last "/", ignoring trailing slashes; "/" gives "/".
std::string lastPathComponent(std::string_view path);

// The text after the last "." of the last component; empty when there is none
// or when the component starts with its only dot (".profile" has none).
std::string pathExtension(std::string_view path);

// The path less ".extension" of its last component.
std::string deletingPathExtension(std::string_view path);

// Replaces a leading "~" or "~/" by the current user's home folder: $HOME,
// falling back to the password database. Any other path is returned as given.
std::string expandTilde(std::string_view path);

// Splits at every occurrence of the separator, keeping empty pieces.
std::vector<std::string> splitPath(std::string_view path, std::string_view separator);

} // namespace platform
