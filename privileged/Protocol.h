// What the program and its privileged tool say to each other: the right the
// tool asks polkit for, where the tool lives, and the request on the tool's
// standard input with its escaping. Shared by the runner, the tool and the
// tests; nothing else of the runner is visible to the tool.
#pragma once

#include "platform/core/Authorization.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Marks a text for the translation tools without Qt (the tool has none);
// the same definition as Qt's own.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

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

// The tool's exit statuses: 0 is success, every refusal has its own code.
enum class ToolExit : int {
    kOk = 0,
    // Start-up
    kNoArguments = 10,     // argc is 0 (or argv[0] empty)
    kEnvironment = 11,     // the environment was not empty
    kClosedStdio = 12,     // one of descriptors 0-2 was closed
    kExtraDescriptor = 13, // descriptors beyond 2 were open
    kIdentity = 14,        // user ids could not be read or set
    kLimits = 15,          // too few descriptors allowed to work
    // Request
    kShortRequest = 20, // end of file before the whole request
    kLongRequest = 21,  // more bytes after the request
    kStalled = 22,      // the writer neither wrote nor closed in time
    kReadError = 23,
    kWrongCommand = 24,
    kSourceNoNul = 25,
    kDestinationNoNul = 26,
    kSourceNotAbsolute = 27,
    kDestinationNotAbsolute = 28,
    kSourceDotComponent = 29,
    kDestinationDotComponent = 30,
    // Authorization
    kBadExternalForm = 40, // not an external form of ours
    kNotFromParent = 41,   // it names another process than the parent
    kParentGone = 42,
    kNotAuthorized = 43, // polkit said no
    kChallenge = 44,     // polkit wanted a password nobody gave
    kDismissed = 45,
    kPolkitError = 46, // polkit could not be asked or did not answer
    // The parent is not wholly the user's: a process that did not start the
    // tool (an orphan's new parent, or the parent of a process that cloned
    // the tool with CLONE_PARENT), or one that became someone else.
    kParentNotUsers = 76,
    // Source
    kSourceOpen = 50,       // missing, or not readable by the user
    kSourceNotRegular = 51, // a folder, FIFO, device or socket
    kSourceTooLarge = 52,
    kSourceRead = 53,
    kSourcePseudo = 54,     // on /proc, /sys or another pseudo file system
    kSourceChanged = 55,    // more or fewer bytes than its size said
    kSourceNotPicture = 56, // no TIFF header
    // Destination
    kDestinationOutside = 60,    // not in a bundle's Resources in Menu Extras
    kDestinationNotPicture = 61, // the file name does not end in .tif or .tiff
    kDestinationOpen = 62,       // missing, or reached through a link
    kDestinationNotRegular = 63, // not a regular file with one link
    kFolderUnsafe = 64,          // a folder on the way is not root's, or others may write it
    // Replacement
    kTemporary = 70,  // no temporary file could be made
    kWrite = 71,      // a write failed (full disk, size limit)
    kAttributes = 72, // owner or mode could not be set
    kSync = 73,
    kRename = 74,
    kVerify = 75, // the result does not hold the source's bytes
};

// What each refusal means to the user: a sentence that is also the key of
// its translation ("Trayskin" context). Every code above but kOk has one.
struct ToolExitSentence {
    ToolExit code;
    const char* key;
};
inline constexpr ToolExitSentence kToolExitSentences[] = {
    {ToolExit::kNoArguments,
     QT_TRANSLATE_NOOP("Trayskin", "The privileged tool was started without arguments.")},
    {ToolExit::kEnvironment,
     QT_TRANSLATE_NOOP("Trayskin", "The privileged tool was started with an environment.")},
    {ToolExit::kClosedStdio,
     QT_TRANSLATE_NOOP("Trayskin",
                       "The privileged tool was started with a standard channel closed.")},
    {ToolExit::kExtraDescriptor,
     QT_TRANSLATE_NOOP("Trayskin", "The privileged tool was started with other files open.")},
    {ToolExit::kIdentity,
     QT_TRANSLATE_NOOP("Trayskin", "The privileged tool could not change its user.")},
    {ToolExit::kLimits,
     QT_TRANSLATE_NOOP("Trayskin", "The privileged tool may not open enough files.")},
    {ToolExit::kShortRequest,
     QT_TRANSLATE_NOOP("Trayskin", "The privileged tool got an incomplete request.")},
    {ToolExit::kLongRequest,
     QT_TRANSLATE_NOOP("Trayskin", "The privileged tool got more than one request.")},
    {ToolExit::kStalled,
     QT_TRANSLATE_NOOP("Trayskin", "The request did not reach the privileged tool in time.")},
    {ToolExit::kReadError,
     QT_TRANSLATE_NOOP("Trayskin", "The privileged tool could not read its request.")},
    {ToolExit::kWrongCommand,
     QT_TRANSLATE_NOOP("Trayskin", "The privileged tool got an unknown command.")},
    {ToolExit::kSourceNoNul, QT_TRANSLATE_NOOP("Trayskin", "The picture's path has no end.")},
    {ToolExit::kDestinationNoNul,
     QT_TRANSLATE_NOOP("Trayskin", "The path of the picture to replace has no end.")},
    {ToolExit::kSourceNotAbsolute,
     QT_TRANSLATE_NOOP("Trayskin", "The picture's path is not absolute.")},
    {ToolExit::kDestinationNotAbsolute,
     QT_TRANSLATE_NOOP("Trayskin", "The path of the picture to replace is not absolute.")},
    {ToolExit::kSourceDotComponent,
     QT_TRANSLATE_NOOP("Trayskin", "The picture's path holds a . or .. folder.")},
    {ToolExit::kDestinationDotComponent,
     QT_TRANSLATE_NOOP("Trayskin", "The path of the picture to replace holds a . or .. folder.")},
    {ToolExit::kBadExternalForm,
     QT_TRANSLATE_NOOP("Trayskin", "The authorization is not one of Trayskin's.")},
    {ToolExit::kNotFromParent,
     QT_TRANSLATE_NOOP("Trayskin", "The authorization belongs to another program.")},
    {ToolExit::kParentGone,
     QT_TRANSLATE_NOOP("Trayskin", "The program that started the privileged tool has ended.")},
    {ToolExit::kNotAuthorized,
     QT_TRANSLATE_NOOP("Trayskin", "You are not allowed to change the system's pictures.")},
    {ToolExit::kChallenge,
     QT_TRANSLATE_NOOP("Trayskin", "An administrator's password is needed and none was given.")},
    {ToolExit::kDismissed, QT_TRANSLATE_NOOP("Trayskin", "The password dialog was dismissed.")},
    {ToolExit::kPolkitError,
     QT_TRANSLATE_NOOP("Trayskin", "The system's authority (polkit) could not be asked.")},
    {ToolExit::kParentNotUsers,
     QT_TRANSLATE_NOOP("Trayskin",
                       "The program that started the privileged tool does not run as you.")},
    {ToolExit::kSourceOpen,
     QT_TRANSLATE_NOOP("Trayskin", "The picture does not exist, or you may not read it.")},
    {ToolExit::kSourceNotRegular,
     QT_TRANSLATE_NOOP("Trayskin", "The picture is not a plain file.")},
    {ToolExit::kSourceTooLarge,
     QT_TRANSLATE_NOOP("Trayskin", "The picture is larger than 16 MiB.")},
    {ToolExit::kSourceRead, QT_TRANSLATE_NOOP("Trayskin", "The picture could not be read.")},
    {ToolExit::kSourcePseudo,
     QT_TRANSLATE_NOOP("Trayskin", "The picture is not a file on a disk.")},
    {ToolExit::kSourceChanged,
     QT_TRANSLATE_NOOP("Trayskin", "The picture changed while it was read.")},
    {ToolExit::kSourceNotPicture,
     QT_TRANSLATE_NOOP("Trayskin", "The picture is not a TIFF picture.")},
    {ToolExit::kDestinationOutside,
     QT_TRANSLATE_NOOP("Trayskin", "The file to replace is not a picture of a Menu Extra.")},
    {ToolExit::kDestinationNotPicture,
     QT_TRANSLATE_NOOP("Trayskin", "The file to replace is not named .tif or .tiff.")},
    {ToolExit::kDestinationOpen,
     QT_TRANSLATE_NOOP("Trayskin",
                       "The Menu Extra or its picture is not installed, or is reached through a "
                       "link.")},
    {ToolExit::kDestinationNotRegular,
     QT_TRANSLATE_NOOP("Trayskin", "The picture to replace is not a plain file.")},
    {ToolExit::kFolderUnsafe,
     QT_TRANSLATE_NOOP("Trayskin", "A folder of the Menu Extra may be changed by others than the "
                                   "administrator.")},
    {ToolExit::kTemporary,
     QT_TRANSLATE_NOOP("Trayskin", "No copy could be made beside the picture to replace.")},
    {ToolExit::kWrite,
     QT_TRANSLATE_NOOP("Trayskin", "The copy could not be written; the disk may be full.")},
    {ToolExit::kAttributes,
     QT_TRANSLATE_NOOP("Trayskin",
                       "The copy could not get the owner and permissions of the picture.")},
    {ToolExit::kSync, QT_TRANSLATE_NOOP("Trayskin", "The copy could not be saved to the disk.")},
    {ToolExit::kRename,
     QT_TRANSLATE_NOOP("Trayskin", "The copy could not take the place of the picture.")},
    {ToolExit::kVerify,
     QT_TRANSLATE_NOOP("Trayskin", "The copy does not hold the picture's bytes.")},
};

// The sentence key of an exit status; nullptr for 0 and for codes that the
// tool does not use.
constexpr const char* toolExitSentence(int code) {
    for (const ToolExitSentence& entry : kToolExitSentences)
        if (static_cast<int>(entry.code) == code)
            return entry.key;
    return nullptr;
}

} // namespace privileged::protocol
