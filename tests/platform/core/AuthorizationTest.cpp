// Authorization Services over polkit: the external form, and polkit asked
// through a pkcheck (a stand-in script here) for each of its answers.
#include "platform/core/Authorization.h"
#include "tests/support/FakeAuthority.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testing_support;
using platform::auth::PolkitAnswer;

namespace {

// A pkcheck that writes its arguments and environment beside itself and
// exits with the code in the file "answer" beside it.
std::string stubPkcheck(const Sandbox& box) {
    const std::string dir = box.base() + "/", path = dir + "pkcheck";
    writeFile(path,
              "#!/bin/sh\nprintf '%s|' \"$@\" > '" + dir + "args'\ntr '\\000' ' ' < " +
                  "/proc/$$/environ > '" + dir + "environ'\nread code < '" + dir +
                  "answer'\nexit $code\n",
              0755);
    return path;
}

} // namespace

TEST(PkcheckAuthority, AsksAboutTheSubjectAndReadsEveryAnswer) {
    Sandbox box;
    platform::auth::PkcheckAuthority polkit(stubPkcheck(box), false, false);
    const platform::auth::Subject subject{4242, 987654321};
    const std::pair<int, PolkitAnswer> answers[] = {
        {0, PolkitAnswer::Authorized}, {1, PolkitAnswer::NotAuthorized},
        {2, PolkitAnswer::Challenge},  {3, PolkitAnswer::Dismissed},
        {4, PolkitAnswer::Error},      {127, PolkitAnswer::Error}};
    for (const auto& [code, answer] : answers) {
        writeFile(box.base() + "/answer", std::to_string(code) + "\n");
        EXPECT_EQ(polkit.check("org.example.right", subject, 501, false), answer) << code;
    }
    EXPECT_EQ(readFile(box.base() + "/args"),
              "--action-id|org.example.right|--process|4242,987654321,501|");
    EXPECT_EQ(readFile(box.base() + "/environ"), "");
    polkit.check("org.example.right", subject, 501, true);
    EXPECT_EQ(readFile(box.base() + "/args"),
              "--action-id|org.example.right|--process|4242,987654321,501|"
              "--allow-user-interaction|");

    // No pkcheck, or one that cannot be run: nobody to ask.
    platform::auth::PkcheckAuthority missing(box.base() + "/none", false, false);
    EXPECT_EQ(missing.check("org.example.right", subject, 501, false), PolkitAnswer::NoPolkit);
    // The system's pkcheck, without the system bus, is not even started.
    writeFile(box.base() + "/answer", "0\n");
    ::unlink((box.base() + "/args").c_str());
    if (::access("/run/dbus/system_bus_socket", F_OK) != 0) {
        platform::auth::PkcheckAuthority viaBus(box.base() + "/pkcheck", false, true);
        EXPECT_EQ(viaBus.check("org.example.right", subject, 501, false), PolkitAnswer::NoPolkit);
        EXPECT_EQ(readFile(box.base() + "/args"), "");
    }
    ::chmod((box.base() + "/pkcheck").c_str(), 0644);
    EXPECT_EQ(polkit.check("org.example.right", subject, 501, false), PolkitAnswer::NoPolkit);
}

TEST(Authorization, ExternalFormNamesTheCreatorAndIsCheckedForShape) {
    AuthorizationRef mine = nullptr;
    ASSERT_EQ(AuthorizationCreate(nullptr, nullptr, kAuthorizationFlagPreAuthorize, &mine), 0);
    AuthorizationExternalForm form{};
    ASSERT_EQ(AuthorizationMakeExternalForm(mine, &form), 0);
    AuthorizationRef back = nullptr;
    ASSERT_EQ(AuthorizationCreateFromExternalForm(&form, &back), 0);
    EXPECT_EQ(platform::auth::subjectOf(back).pid, ::getpid());
    EXPECT_EQ(platform::auth::subjectOf(back).startTime,
              platform::auth::processStartTime(::getpid()));
    AuthorizationFree(back, 0);

    AuthorizationExternalForm bad = form;
    bad.bytes[0] = 'X';
    EXPECT_EQ(AuthorizationCreateFromExternalForm(&bad, &back), errAuthorizationInvalidRef);
    EXPECT_EQ(AuthorizationFree(mine, 0), 0);
    EXPECT_EQ(AuthorizationFree(nullptr, 0), errAuthorizationInvalidRef);

    // The authority decides the rights, and may refuse the creation itself.
    ScopedAuthority refusing(PolkitAnswer::NotAuthorized);
    ASSERT_EQ(AuthorizationCreate(nullptr, nullptr, kAuthorizationFlagPreAuthorize, &mine), 0);
    AuthorizationItem item{"org.example.right", 0, nullptr, 0};
    AuthorizationRights rights{1, &item};
    const auto copyRights = [&](AuthorizationFlags more) {
        return AuthorizationCopyRights(mine, &rights, nullptr,
                                       kAuthorizationFlagPreAuthorize | more, nullptr);
    };
    EXPECT_EQ(copyRights(0), errAuthorizationDenied);
    fakeAuthority().answer = PolkitAnswer::Challenge;
    EXPECT_EQ(copyRights(0), errAuthorizationDenied);
    EXPECT_EQ(copyRights(kAuthorizationFlagInteractionAllowed), errAuthorizationCanceled);
    ASSERT_EQ(fakeAuthority().questions.size(), 3u);
    EXPECT_EQ(fakeAuthority().questions[0].subject.pid, ::getpid());
    EXPECT_FALSE(fakeAuthority().questions[0].allowInteraction);
    EXPECT_TRUE(fakeAuthority().questions[2].allowInteraction);
    AuthorizationFree(mine, 0);
    fakeAuthority().creation = errAuthorizationInternal;
    EXPECT_EQ(AuthorizationCreate(nullptr, nullptr, kAuthorizationFlagPreAuthorize, &mine),
              errAuthorizationInternal);
}
