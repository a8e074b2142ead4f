#include "privileged/AuthRunner.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "privileged/Protocol.h"
#include "tests/privileged/tool/ToolHarness.h"
#include "tests/support/FakeAuthority.h"
#include "tests/support/Sandbox.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace testing_support;
using privileged::authmain;

namespace {

// A bundle whose Resources/Trayskin is the fake tool in the given mode.
std::string fakeBundle(const Sandbox& box, const std::string& mode) {
    const std::string bundle = box.base() + "/Test-" + mode + ".app";
    makeFolders(bundle + "/Contents/Resources");
    const std::string tool = bundle + "/Contents/Resources/Trayskin";
    writeFile(tool, readFile(TRAYSKIN_FAKE_TOOL), 0755);
    return bundle;
}

struct Outcome {
    OSStatus status;
    std::string out;
    std::string err;
};

Outcome run(const std::string& source, const std::string& destination) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const OSStatus status = authmain(source.c_str(), destination.c_str());
    std::string out = ::testing::internal::GetCapturedStdout();
    return {status, out, ::testing::internal::GetCapturedStderr()};
}

const std::string kLinesToTool =
    "Going into auth\nCall authcopyrights\nInto status = errsuccess or denied\nSuccess\n";

class RunnerTest : public ::testing::Test {
protected:
    void SetUp() override { privileged::authinit(); }
    void TearDown() override { privileged::authdestroy(); }
    ScopedAuthority authority{platform::auth::PolkitAnswer::Authorized};
    Sandbox box;
};

} // namespace

TEST(CheckSpaces, TheToolGetsEveryPathBack) {
    for (const std::string& path : std::initializer_list<std::string>{
             "/a  b/c", " lead", "trail ", "x\\ y", "x\\\\ y", "\\", "a\\", "\\ \\ ", "tab\there",
             "\xff \xfe", "", std::string(1023, 'x')})
        EXPECT_EQ(privileged::protocol::unescapeSpaces(escaped(path).c_str()), path) << path;
}

TEST_F(RunnerTest, SendsTheRequestAndReportsTheToolsOutcome) {
    const std::string bundle = fakeBundle(box, "record");
    platform::bundle::setMainBundlePath(bundle);
    const std::string source = box.base() + "/My Set/Volume 1.tif";
    const std::string destination = "/System/Library/CoreServices/Menu Extras/Volume.menu/"
                                    "Contents/Resources/Volume1.tif";
    const Outcome done = run(source, destination);
    EXPECT_EQ(done.status, 0);
    EXPECT_EQ(done.out, kLinesToTool);
    EXPECT_EQ(done.err, "");

    namespace protocol = privileged::protocol;
    const std::string request = readFile(bundle + "/Contents/Resources/request.bin");
    // 32 + 2052 bytes, end of file right after the destination field.
    ASSERT_EQ(request.size(), protocol::kRequestSize);
    static_assert(protocol::kRequestSize == 32 + 2052 && protocol::kSourceOffset == 36 &&
                  protocol::kDestinationOffset == 1060);
    EXPECT_EQ(request.substr(0, 4), "TSA1");
    std::int32_t pid = 0, command = 0;
    std::memcpy(&pid, request.data() + 4, 4);
    std::memcpy(&command, request.data() + protocol::kCommandOffset, 4);
    EXPECT_EQ(pid, ::getpid());
    EXPECT_EQ(command, 1);
    EXPECT_EQ(std::string(request.data() + protocol::kSourceOffset), escaped(source));
    EXPECT_EQ(std::string(request.data() + protocol::kDestinationOffset), escaped(destination));

    // The runner asked, without a dialog, about the command right for
    // this process.
    ASSERT_FALSE(fakeAuthority().questions.empty());
    const auto& question = fakeAuthority().questions.back();
    EXPECT_EQ(question.action, privileged::protocol::kCommandRight);
    EXPECT_EQ(question.subject.pid, ::getpid());
    EXPECT_EQ(question.uid, ::getuid());
    EXPECT_FALSE(question.allowInteraction);

    // The same authorization serves every call: the same external form.
    ASSERT_EQ(run(source, destination).status, 0);
    EXPECT_EQ(readFile(bundle + "/Contents/Resources/request.bin").substr(0, 32),
              request.substr(0, 32));
}

TEST_F(RunnerTest, ToolOutcomesAndMissingTools) {
    for (const auto& [mode, status] : {std::pair{"exit3", 3}, std::pair{"signal", -1}}) {
        platform::bundle::setMainBundlePath(fakeBundle(box, mode));
        const Outcome done = run("/a.tif", "/b.tif");
        EXPECT_EQ(done.status, status) << mode;
        EXPECT_EQ(done.err, "performCommand returned : " + std::to_string(status) + "\n");
    }

    const std::string missing = box.base() + "/Missing.app";
    makeFolders(missing + "/Contents/Resources");
    const std::string notExecutable = fakeBundle(box, "record-noexec");
    ::chmod((notExecutable + "/Contents/Resources/Trayskin").c_str(), 0644);
    for (const std::string& bundle : {missing, notExecutable}) {
        platform::bundle::setMainBundlePath(bundle);
        Outcome absent = run("/a.tif", "/b.tif");
        EXPECT_EQ(absent.status, -1) << bundle;
        EXPECT_EQ(absent.out, kLinesToTool);
        EXPECT_EQ(absent.err, "The authtool could not be found.\nperformCommand returned : -1\n");
    }
    EXPECT_FALSE(platform::fs::exists(notExecutable + "/Contents/Resources/request.bin"));

    // A path that cannot fit its field is refused before any tool starts.
    const std::string bundle = fakeBundle(box, "record");
    platform::bundle::setMainBundlePath(bundle);
    Outcome tooLong = run("/" + std::string(600, ' '), "/b.tif");
    EXPECT_EQ(tooLong.status, -1);
    EXPECT_FALSE(platform::fs::exists(bundle + "/Contents/Resources/request.bin"));
    EXPECT_EQ(run("/" + std::string(1022, 'x'), "/b.tif").status, 0);
    EXPECT_EQ(run("/" + std::string(1023, 'x'), "/b.tif").status, -1);
}

TEST_F(RunnerTest, DeniedStillRunsTheToolAndFailedCreationStopsEverything) {
    const std::string bundle = fakeBundle(box, "record");
    platform::bundle::setMainBundlePath(bundle);
    // Refused, or a password needed where no dialog may be shown.
    for (const auto answer :
         {platform::auth::PolkitAnswer::NotAuthorized, platform::auth::PolkitAnswer::Challenge}) {
        fakeAuthority().answer = answer;
        Outcome denied = run("/a.tif", "/b.tif");
        EXPECT_EQ(denied.status, 0);
        EXPECT_EQ(denied.out, "Going into auth\nCall authcopyrights\nInto status = errsuccess or "
                              "denied\nDenied\n");
    }
    EXPECT_TRUE(platform::fs::exists(bundle + "/Contents/Resources/request.bin"));

    // Dismissed: neither success nor denied, returned as it is.
    fakeAuthority().answer = platform::auth::PolkitAnswer::Dismissed;
    Outcome dismissed = run("/a.tif", "/b.tif");
    EXPECT_EQ(dismissed.status, errAuthorizationCanceled);
    EXPECT_EQ(dismissed.out, "Going into auth\nCall authcopyrights\n");

    privileged::authdestroy();
    fakeAuthority().creation = errAuthorizationInternal;
    privileged::authinit();
    ::unlink((bundle + "/Contents/Resources/request.bin").c_str());
    for (int i = 0; i < 2; ++i) {
        Outcome failed = run("/a.tif", "/b.tif");
        EXPECT_EQ(failed.status, errAuthorizationInternal);
        EXPECT_EQ(failed.out, "Going into auth\n");
        EXPECT_EQ(failed.err, "");
    }
    EXPECT_FALSE(platform::fs::exists(bundle + "/Contents/Resources/request.bin"));
}
