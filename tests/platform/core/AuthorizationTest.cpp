// Authorization Services over polkit: the rights, and polkit asked through a
// pkcheck (a stand-in script here) for each of its answers.
#include "platform/core/Authorization.h"
#include "tests/support/FakeAuthority.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testing_support;
using platform::auth::PolkitAnswer;

namespace {

// A pkcheck that writes its arguments beside itself and exits with the code
// in the file "answer" beside it. (Its environment and the dialog's flag are
// the elevated tool's test's, from the tool's own pkcheck.)
std::string stubPkcheck(const Sandbox& box) {
    const std::string dir = box.base() + "/", path = dir + "pkcheck";
    writeFile(path,
              "#!/bin/sh\nprintf '%s|' \"$@\" > '" + dir + "args'\nread code < '" + dir +
                  "answer'\nexit $code\n",
              0755);
    return path;
}

} // namespace

TEST(PkcheckAuthority, AsksAboutTheSubjectAndReadsEveryAnswer) {
    Sandbox box;
    platform::auth::PkcheckAuthority polkit(stubPkcheck(box), false, false);
    const platform::auth::Subject subject{4242, 987654321};
    // The answers 0 to 2, and the arguments, are the elevated tool's test's.
    const std::pair<int, PolkitAnswer> answers[] = {
        {3, PolkitAnswer::Dismissed}, {4, PolkitAnswer::Error}, {127, PolkitAnswer::Error}};
    for (const auto& [code, answer] : answers) {
        writeFile(box.base() + "/answer", std::to_string(code) + "\n");
        EXPECT_EQ(polkit.check("org.example.right", subject, 501, false), answer) << code;
    }

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

// Without a dialog a challenge is a refusal (RunnerTest); with one allowed,
// a challenge not met is a cancel.
TEST(Authorization, AChallengeWithADialogAllowedIsACancel) {
    ScopedAuthority challenging(PolkitAnswer::Challenge);
    AuthorizationRef mine = nullptr;
    ASSERT_EQ(AuthorizationCreate(nullptr, nullptr, kAuthorizationFlagPreAuthorize, &mine), 0);
    AuthorizationItem item{"org.example.right", 0, nullptr, 0};
    AuthorizationRights rights{1, &item};
    EXPECT_EQ(AuthorizationCopyRights(mine, &rights, nullptr, kAuthorizationFlagInteractionAllowed,
                                      nullptr),
              errAuthorizationCanceled);
    ASSERT_EQ(fakeAuthority().questions.size(), 1u);
    EXPECT_TRUE(fakeAuthority().questions[0].allowInteraction);
    AuthorizationFree(mine, 0);
}
