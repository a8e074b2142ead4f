// What the program and its privileged tool say to each other: the right the
// tool asks polkit for, where the tool lives, and the request on the tool's
// standard input with its escaping. Shared by the runner, the tool and the
// tests; nothing else of the runner is visible to the tool.
#pragma once

#include "platform/core/Authorization.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace privileged::protocol {

// The right that installing a picture needs.
inline constexpr const char* kCommandRight = "org.trayskin.trayskin.command1";
// The tool, by name, in the bundle's Resources folder.
inline constexpr const char* kToolName = "Trayskin";

// The request: the external form, then the command block (command word,
// source path field, destination path field). Each path is escaped and
// NUL-terminated inside its field; the bytes after the NUL mean nothing.
inline constexpr std::size_t kPathFieldSize = 1024;
inline constexpr std::int32_t kCopyCommand = 1;

struct CommandBlock {
    std::int32_t command; // in this machine's byte order
    char source[kPathFieldSize];
    char destination[kPathFieldSize];
};
inline constexpr std::size_t kCommandBlockSize = 4 + 2 * kPathFieldSize;
static_assert(sizeof(CommandBlock) == kCommandBlockSize);
inline constexpr std::size_t kExternalFormOffset = 0;
inline constexpr std::size_t kCommandOffset = kAuthorizationExternalFormLength;
inline constexpr std::size_t kSourceOffset = kCommandOffset + 4;
inline constexpr std::size_t kDestinationOffset = kSourceOffset + kPathFieldSize;
inline constexpr std::size_t kRequestSize = kAuthorizationExternalFormLength + kCommandBlockSize;

// Bytes of the escaped form of a path, not counting its NUL.
std::size_t escapedLength(const char* path);
// Every space becomes backslash-space, in place; the buffer must hold
// escapedLength(path) + 1 bytes. Returns path.
char* escapeSpaces(char* path);
// Each backslash-space becomes a space, scanning left to right; every other
// byte stays as it is. The inverse of escapeSpaces.
std::string unescapeSpaces(const char* field);

// The one name under which the tool links a finished copy beside the target
// file before renaming it over the target; a run removes a leftover of that
// name that an earlier run, ended at that moment, may have left.
std::string replacementName(const std::string& file);

} // namespace privileged::protocol
