// The authority that test programs link instead of the system's: it answers
// what the test says and records what it was asked.
#pragma once

#include "platform/core/Authorization.h"

#include <string>
#include <vector>

namespace testing_support {

class FakeAuthority final : public platform::auth::Authority {
public:
    struct Question {
        std::string action;
        platform::auth::Subject subject;
        uid_t uid;
        bool allowInteraction;
    };

    OSStatus identify(platform::auth::Subject& subject) override;
    platform::auth::PolkitAnswer check(const std::string& action,
                                       const platform::auth::Subject& subject, uid_t uid,
                                       bool allowInteraction) override;

    platform::auth::PolkitAnswer answer = platform::auth::PolkitAnswer::Authorized;
    OSStatus creation = errAuthorizationSuccess; // what making an authorization gives
    std::vector<Question> questions;
};

// The one fake of the test program (its processAuthority()).
FakeAuthority& fakeAuthority();

// Gives the fake an answer and a creation status for a scope; on leaving it,
// the fake answers yes again and forgets its questions.
class ScopedAuthority {
public:
    explicit ScopedAuthority(platform::auth::PolkitAnswer answer,
                             OSStatus creation = errAuthorizationSuccess);
    ~ScopedAuthority();
    ScopedAuthority(const ScopedAuthority&) = delete;
    ScopedAuthority& operator=(const ScopedAuthority&) = delete;
};

} // namespace testing_support
