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

// pkcheck's answers.
enum class PolkitAnswer { Authorized, NotAuthorized, Challenge, Dismissed, Error, NoPolkit };

// Who decides. An authorization asks it, when it is made, who the calling
// process is, and later whether that process holds a right.
class Authority {
public:
    virtual ~Authority() = default;
    // The calling process as a subject: its pid and start time. A status
    // other than errAuthorizationSuccess makes the creation fail with it.
    virtual OSStatus identify(Subject& subject);
    // Whether the process, run by the user, holds the action.
    virtual PolkitAnswer check(const std::string& action, const Subject& subject, uid_t uid,
                               bool allowInteraction) = 0;
};

// polkit, asked through the pkcheck command at a fixed path, started without
// a shell and with an empty environment. With asRoot (a set-user-id root
// caller only) pkcheck runs with every user and group id root, so that the
// caller's user can neither trace nor signal it. The system's pkcheck reaches
// polkit only through the system bus at its standard address: with
// viaSystemBus, no bus socket means nobody to ask, learnt without starting a
// process.
class PkcheckAuthority final : public Authority {
public:
    PkcheckAuthority(std::string pkcheck, bool asRoot, bool viaSystemBus);
    PolkitAnswer check(const std::string& action, const Subject& subject, uid_t uid,
                       bool allowInteraction) override;

private:
    std::string pkcheck_;
    bool asRoot_;
    bool viaSystemBus_;
};

// The authority that this program's authorizations ask: defined by the one
// authority library a program links (the system's polkit in the program, a
// fake in the tests).
Authority& processAuthority();

} // namespace platform::auth
