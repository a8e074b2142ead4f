// The test tool installed setuid root and attacked by an ordinary user
// (nobody), so that the rules that hold only when elevated are exercised for
// real. The tool's Menu Extras folder and pkcheck are compile-time constants
// under TRAYSKIN_ELEVATED_WORLD, a name in /run (where only root may create
// one) that each test points at a fresh mkdtemp folder of its own.
#pragma once

#include "platform/core/Bundle.h"
#include "privileged/AuthRunner.h"
#include "privileged/Protocol.h"
#include "tests/privileged/tool/ToolHarness.h"
#include "tests/support/Sandbox.h"
#include "tests/support/TiffFiles.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <regex>
#include <sys/inotify.h>
#include <sys/prctl.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace elevated_test {

using namespace testing_support;

inline const std::string kWorld = TRAYSKIN_ELEVATED_WORLD;
inline const std::string kMenuExtras = kWorld + "/Menu Extras";
inline const std::string kResources = kMenuExtras + "/Volume.menu/Contents/Resources";
inline const std::string kTarget = kResources + "/Volume1.tif";
inline const std::string kSystemPicture = tiffBytes("system picture");
inline const std::string kUserPicture = tiffBytes("the user's picture");

// Only the target is in the Resources folder: no copy was left beside it.
inline bool onlyTheTarget() {
    const auto entries = testing_support::snapshot(kResources);
    return entries.size() == 1 && entries.count("Volume1.tif");
}

// Whether root here may raise a hard limit (containers may withhold it).
inline bool rootMayRaiseLimits() {
    return asUser(0, 0, [] {
               rlimit low{3, 3}, high{64, 64};
               return ::setrlimit(RLIMIT_NOFILE, &low) || ::setrlimit(RLIMIT_NOFILE, &high);
           }) == 0;
}

class ElevatedTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "needs root to install the tool setuid (CI runs as root)";
        const passwd* user = ::getpwnam("nobody");
        ASSERT_TRUE(user) << "an unprivileged account named nobody";
        uid = user->pw_uid;
        gid = user->pw_gid;
        char folder[] = "/tmp/trayskin-elevated-XXXXXX";
        ASSERT_TRUE(::mkdtemp(folder));
        world = folder;
        ::chmod(world.c_str(), 0755);
        ::unlink(kWorld.c_str()); // a link left by a test that was killed
        ASSERT_EQ(::symlink(world.c_str(), kWorld.c_str()), 0) << std::strerror(errno);

        writeFile(kTarget, kSystemPicture, 0644);
        tool = kWorld + "/Tool.app/Contents/Resources/Trayskin";
        writeFile(tool, readFile(TRAYSKIN_TEST_TOOL), 04755);
        // The stand-in for pkcheck (tests/privileged/tool/pkcheck).
        writeFile(kWorld + "/pkcheck", readFile(TRAYSKIN_PKCHECK), 0755);
        answer(0);
        source = kWorld + "/user/Volume 1.tif";
        writeFile(source, kUserPicture);
        ownedByUser(kWorld + "/user");
        ownedByUser(source);
    }
    void TearDown() override {
        if (world.empty())
            return;
        ::unlink(kWorld.c_str());
        std::system(("rm -rf '" + world + "'").c_str());
    }
    void ownedByUser(const std::string& path) { ASSERT_EQ(::chown(path.c_str(), uid, gid), 0); }
    void answer(int code) { writeFile(kWorld + "/answer", std::to_string(code) + "\n"); }

    // Runs authmain as the ordinary user, as the program would; its status.
    int installAs(const std::string& from, const std::string& to) {
        return asUser(uid, gid, [&] {
            // The subject polkit is asked about: this process.
            writeFile(kWorld + "/user/subject",
                      std::to_string(::getpid()) + "," +
                          std::to_string(platform::auth::processStartTime(::getpid())) + "," +
                          std::to_string(uid));
            platform::bundle::setMainBundlePath(kWorld + "/Tool.app");
            privileged::authinit();
            const OSStatus status = privileged::authmain(from.c_str(), to.c_str());
            return status < 0 ? 255 : status & 0xff;
        });
    }
    // Runs the tool as the ordinary user's child, with the user's own
    // authorization; while it runs, attack(tool pid, watch) acts as that user
    // and returns 0 when every attempt failed as it should. The watch on
    // watchPath is set up before the tool starts, so that it sees every event.
    int attackAs(const std::string& from, const std::function<int(pid_t, Watch&)>& attack,
                 int* toolExit, const std::string& watchPath = std::string(),
                 std::uint32_t watchMask = 0) {
        const std::string result = kWorld + "/user/result";
        const int attacked = asUser(uid, gid, [&] {
            int outcome = 0;
            Watch watch(watchPath.empty() ? kWorld : watchPath,
                        watchPath.empty() ? IN_ATTRIB : watchMask);
            const ToolRun run =
                runTool(tool, requestBytes(ownExternalForm(), from, kTarget),
                        {.whileRunning = [&](pid_t pid) { outcome = attack(pid, watch); }});
            writeFile(result, std::to_string(run.exitCode));
            return outcome;
        });
        *toolExit = std::atoi(readFile(result).c_str());
        return attacked;
    }

    uid_t uid = 0;
    gid_t gid = 0;
    std::string world, tool, source;
};

} // namespace elevated_test
