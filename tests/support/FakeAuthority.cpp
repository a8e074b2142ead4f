#include "tests/support/FakeAuthority.h"

namespace testing_support {

OSStatus FakeAuthority::identify(platform::auth::Subject& subject) {
    if (creation != errAuthorizationSuccess)
        return creation;
    return Authority::identify(subject);
}

platform::auth::PolkitAnswer FakeAuthority::check(const std::string& action,
                                                  const platform::auth::Subject& subject, uid_t uid,
                                                  bool allowInteraction) {
    questions.push_back({action, subject, uid, allowInteraction});
    return answer;
}

FakeAuthority& fakeAuthority() {
    static FakeAuthority authority;
    return authority;
}

ScopedAuthority::ScopedAuthority(platform::auth::PolkitAnswer answer, OSStatus creation) {
    fakeAuthority().answer = answer;
    fakeAuthority().creation = creation;
    fakeAuthority().questions.clear();
}

ScopedAuthority::~ScopedAuthority() {
    fakeAuthority().answer = platform::auth::PolkitAnswer::Authorized;
    fakeAuthority().creation = errAuthorizationSuccess;
    fakeAuthority().questions.clear();
}

} // namespace testing_support

namespace platform::auth {

Authority& processAuthority() {
    return testing_support::fakeAuthority();
}

} // namespace platform::auth
