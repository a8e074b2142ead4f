// Authorization Services, as far as the program and its privileged tool use
// them, with the same flag values and status codes. The authority is polkit,
// asked through its pkcheck command; where polkit is not installed only root
// holds a right.
//
// An authorization belongs to the process that created it. Its 32-byte
// external form names that process (pid and start time) and carries a random
// tag, so that a receiver can tell that it came from a given process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>

using OSStatus = std::int32_t;
using AuthorizationFlags = std::uint32_t;
using AuthorizationString = const char*;

struct AuthorizationOpaqueRef;
using AuthorizationRef = AuthorizationOpaqueRef*;

struct AuthorizationItem {
    AuthorizationString name;
    std::size_t valueLength;
    void* value;
    std::uint32_t flags;
};

struct AuthorizationItemSet {
    std::uint32_t count;
    AuthorizationItem* items;
};
using AuthorizationRights = AuthorizationItemSet;
using AuthorizationEnvironment = AuthorizationItemSet;

inline constexpr std::size_t kAuthorizationExternalFormLength = 32;
struct AuthorizationExternalForm {
    char bytes[kAuthorizationExternalFormLength];
};

inline constexpr AuthorizationFlags kAuthorizationFlagDefaults = 0;
inline constexpr AuthorizationFlags kAuthorizationFlagInteractionAllowed = 1;
inline constexpr AuthorizationFlags kAuthorizationFlagExtendRights = 2;
inline constexpr AuthorizationFlags kAuthorizationFlagPartialRights = 4;
inline constexpr AuthorizationFlags kAuthorizationFlagDestroyRights = 8;
inline constexpr AuthorizationFlags kAuthorizationFlagPreAuthorize = 16;

inline constexpr OSStatus errAuthorizationSuccess = 0;
inline constexpr OSStatus errAuthorizationInvalidSet = -60001;
inline constexpr OSStatus errAuthorizationInvalidRef = -60002;
inline constexpr OSStatus errAuthorizationInvalidPointer = -60004;
inline constexpr OSStatus errAuthorizationDenied = -60005;
inline constexpr OSStatus errAuthorizationCanceled = -60006;
inline constexpr OSStatus errAuthorizationInteractionNotAllowed = -60007;
inline constexpr OSStatus errAuthorizationInternal = -60008;

OSStatus AuthorizationCreate(const AuthorizationRights* rights,
                             const AuthorizationEnvironment* environment, AuthorizationFlags flags,
                             AuthorizationRef* authorization);
OSStatus AuthorizationFree(AuthorizationRef authorization, AuthorizationFlags flags);
// Asks the authority whether the creating process holds every right of the
// set. Without kAuthorizationFlagInteractionAllowed no dialog is asked for, so
// a right that needs a password comes back denied.
OSStatus AuthorizationCopyRights(AuthorizationRef authorization, const AuthorizationRights* rights,
                                 const AuthorizationEnvironment* environment,
                                 AuthorizationFlags flags, AuthorizationRights** authorizedRights);
OSStatus AuthorizationMakeExternalForm(AuthorizationRef authorization,
                                       AuthorizationExternalForm* externalForm);
OSStatus AuthorizationCreateFromExternalForm(const AuthorizationExternalForm* externalForm,
                                             AuthorizationRef* authorization);

namespace platform::auth {

// The process an authorization belongs to.
struct Subject {
    pid_t pid = 0;
    std::uint64_t startTime = 0; // clock ticks after boot, as /proc/<pid>/stat gives it
};
Subject subjectOf(AuthorizationRef authorization);

// The start time of a running process, or 0 when it is gone.
std::uint64_t processStartTime(pid_t pid);

// Replaces the pkcheck command the authority is asked through ("" for none,
// which leaves only root authorized). For tests of this module.
void setPolkitCheckCommand(const std::string& path);

// Makes AuthorizationCreate fail with the status (0 to stop), so that callers
// can be tested for a failed creation.
void failNextCreations(OSStatus status);

// pkcheck's answers.
enum class PolkitAnswer { Authorized, NotAuthorized, Challenge, Dismissed, Error, NoPolkit };

// Asks polkit whether the process, run by the user, holds the action. The
// command is started without a shell and with an empty environment; with
// asRoot (a set-user-id root caller only) it runs with every user and group
// id root, so that the caller's user can neither trace nor signal it.
PolkitAnswer askPolkit(const std::string& pkcheck, const std::string& action, pid_t pid,
                       std::uint64_t startTime, uid_t uid, bool allowInteraction,
                       bool asRoot = false);

} // namespace platform::auth
