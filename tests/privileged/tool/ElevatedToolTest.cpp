// The test tool installed setuid root and attacked by an ordinary user
// (nobody), so that the rules that hold only when elevated are exercised for
// real: polkit, credentials, sources, inherited state, where it may write and
// what a kill at any step leaves. The tool's Menu Extras folder and pkcheck are compile-time
// constants under TRAYSKIN_ELEVATED_WORLD, a name in /run (where only root may create one) that
// each test points at a fresh mkdtemp folder of its own.
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
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace testing_support;

const std::string kWorld = TRAYSKIN_ELEVATED_WORLD;
const std::string kMenuExtras = kWorld + "/Menu Extras";
const std::string kResources = kMenuExtras + "/Volume.menu/Contents/Resources";
const std::string kTarget = kResources + "/Volume1.tif";
const std::string kSystemPicture = tiffBytes("system picture");
const std::string kUserPicture = tiffBytes("the user's picture");

// Whether root here may raise a hard limit (containers may withhold it).
bool rootMayRaiseLimits() {
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
                 int* toolExit, const std::string& watchPath, std::uint32_t watchMask) {
        const std::string result = kWorld + "/user/result";
        const int attacked = asUser(uid, gid, [&] {
            int outcome = 0;
            Watch watch(watchPath, watchMask);
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

} // namespace

TEST_F(ElevatedTest, PolkitDecidesForTheParentAndRunsAsRoot) {
    // pkcheck's answer (none: it failed to run) and the tool's status.
    for (const auto& [pkcheck, status] : {std::pair{2, 44}, {1, 43}, {-1, 46}}) {
        if (pkcheck < 0)
            ::unlink((kWorld + "/answer").c_str());
        else
            answer(pkcheck);
        EXPECT_EQ(installAs(source, kTarget), status) << pkcheck;
        EXPECT_EQ(readFile(kTarget), kSystemPicture);
    }

    answer(0);
    EXPECT_EQ(installAs(source, kTarget), 0);
    EXPECT_EQ(readFile(kTarget), kUserPicture);
    struct stat st {};
    ASSERT_EQ(::stat(kTarget.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 0u);
    EXPECT_EQ(st.st_mode & 07777, 0644u);

    // pkcheck ran wholly as root, with nothing inherited, about the right
    // and the process that asked (its uid from the kernel, not the request).
    const std::string log = readFile(kWorld + "/pkcheck.log");
    EXPECT_NE(log.find("argv: [" + kWorld + "/pkcheck] [--action-id] [" +
                       privileged::protocol::kCommandRight + "] [--process] [" +
                       readFile(kWorld + "/user/subject") + "] [--allow-user-interaction]\n"),
              std::string::npos)
        << log;
    EXPECT_TRUE(std::regex_search(
        log, std::regex("\nUid:\t0\t0\t0\t0\nGid:\t0\t0\t0\t0\nGroups:[ \t]*\nenviron:\n")))
        << log;
}

TEST_F(ElevatedTest, PolkitIsNeverAskedAboutAParentThatIsNotTheUsers) {
    // The user's tool below a root process (where CLONE_PARENT, or an orphan
    // handed to a root subreaper, puts it), with the request naming that
    // process: anyone may read its pid and start time.
    const ToolRun run =
        runTool(tool, requestBytes(ownExternalForm(), source, kTarget), {.uid = uid, .gid = gid});
    EXPECT_EQ(run.exitCode, 76) << run.err;
    EXPECT_NE(::access((kWorld + "/pkcheck.log").c_str(), F_OK), 0) << "polkit was asked";
    EXPECT_EQ(readFile(kTarget), kSystemPicture);
}

TEST_F(ElevatedTest, SourcesAreReadOnlyWithTheUsersRights) {
    const std::string secret = kWorld + "/secret.tif";
    writeFile(secret, tiffBytes("root only"));
    ::chmod(secret.c_str(), 0600);
    EXPECT_EQ(installAs(secret, kTarget), 50);
    EXPECT_EQ(readFile(kTarget), kSystemPicture);
}

TEST_F(ElevatedTest, ASourceThatGrowsWhileReadNeverPassesTheCap) {
    // Starts just under the cap and grows (sparse) while the tool reads it.
    const std::string growing = kWorld + "/user/growing.tif";
    const off_t cap = 16 * 1024 * 1024;
    for (int run = 0; run < 3; ++run) {
        writeFile(growing, tiffBytes(""));
        ASSERT_EQ(::truncate(growing.c_str(), cap - 4096), 0);
        ownedByUser(growing);
        std::atomic<bool> stop{false};
        int exit = -1;
        attackAs(
            growing,
            [&](pid_t, Watch& closed) {
                std::thread grower([&] {
                    for (off_t size = cap - 4096; !stop && size < 4 * cap; size += 4096)
                        if (::truncate(growing.c_str(), size) != 0)
                            break;
                });
                closed.next();
                stop = true;
                grower.join();
                return 0;
            },
            &exit, growing, IN_CLOSE_NOWRITE);
        struct stat st {};
        ASSERT_EQ(::stat(kTarget.c_str(), &st), 0);
        EXPECT_LE(st.st_size, cap);
        EXPECT_TRUE(exit == 0 || exit == 52 || exit == 55) << exit;
        if (exit == 0) {
            const std::string now = readFile(kTarget);
            EXPECT_TRUE(readFile(growing).compare(0, now.size(), now) == 0);
        } else {
            EXPECT_EQ(readFile(kTarget), kSystemPicture);
        }
    }
}

TEST_F(ElevatedTest, LimitsTheUserSetNoLongerHoldOnceTheToolIsRoot) {
    // The user starts the tool with a CPU-time limit and an out-of-memory
    // score that would let the kernel end it; once its copy is named in the
    // system folder, the root tool runs without them. Too few descriptors
    // are raised as root (where root may not, ToolTest has the refusal).
    const std::string seen = kWorld + "/user/seen";
    const bool mayRaise = rootMayRaiseLimits();
    const int outcome = asUser(uid, gid, [&] {
        const rlimit cpu{300, 600};
        // Dumpable again, as a user's own shell is, so /proc/self is the user's.
        ::prctl(PR_SET_DUMPABLE, 1);
        const int score = ::open("/proc/self/oom_score_adj", O_WRONLY | O_CLOEXEC);
        if (::setrlimit(RLIMIT_CPU, &cpu) != 0 || score < 0 || ::write(score, "1000", 4) != 4)
            return 1;
        ::close(score);
        Watch watch(kResources, IN_CREATE);
        const ToolRun run =
            runTool(tool, requestBytes(ownExternalForm(), source, kTarget),
                    {.descriptorLimit = mayRaise ? 3 : -1, .whileRunning = [&](pid_t pid) {
                         if (!watch.valid() || !watch.next())
                             return;
                         const std::string proc = "/proc/" + std::to_string(pid);
                         writeFile(seen, readFile(proc + "/oom_score_adj") + "\n" +
                                             readFile(proc + "/limits"));
                     }});
        return run.exitCode;
    });
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(readFile(kTarget), kUserPicture);
    const std::string seenText = readFile(seen);
    EXPECT_EQ(seenText.substr(0, 2), "0\n") << seenText;
    // Without CAP_SYS_RESOURCE (a container) root may only raise the soft
    // limit to the user's hard one.
    const std::string cpuLine = std::regex_replace(seenText.substr(seenText.find("Max cpu time")),
                                                   std::regex("\n[^]*"), "");
    EXPECT_TRUE(
        std::regex_search(cpuLine, std::regex(mayRaise ? "unlimited +unlimited" : " 600 +600 ")))
        << cpuLine;
}

TEST_F(ElevatedTest, OnlyPicturesOfMenuExtrasThroughFoldersOnlyRootMayChange) {
    // Outside the Menu Extras folder (even where the user could write), or
    // through a linked bundle (ToolTest has the rest, elevated or not).
    const std::string own = kWorld + "/user/Own.tif";
    writeFile(own, kSystemPicture);
    ownedByUser(own);
    ASSERT_EQ(::symlink("Volume.menu", (kMenuExtras + "/Alias.menu").c_str()), 0);
    const std::pair<std::string, int> refused[] = {
        {own, 60},
        {kMenuExtras + "/Volume.menu/Contents/Volume1.tif", 60},
        {kMenuExtras + "/Volume/Contents/Resources/Volume1.tif", 60},
        {kMenuExtras + "/Alias.menu/Contents/Resources/Volume1.tif", 62},
    };
    for (const auto& [to, status] : refused)
        EXPECT_EQ(installAs(source, to), status) << to;

    // Every folder on the way must be root's and closed to others.
    const std::string bundle = kMenuExtras + "/Volume.menu";
    for (const std::string& folder : {kMenuExtras, bundle, bundle + "/Contents", kResources}) {
        SCOPED_TRACE(folder);
        // Open to all, open to the group, the user's own.
        for (const auto& [mode, owner] : {std::pair{0777, 0u}, {0775, 0u}, {0755, uid}}) {
            ::chmod(folder.c_str(), static_cast<mode_t>(mode));
            ASSERT_EQ(::chown(folder.c_str(), owner, 0), 0);
            EXPECT_EQ(installAs(source, kTarget), 64) << mode << " " << owner;
        }
        ASSERT_EQ(::chown(folder.c_str(), 0, 0), 0);
    }
    EXPECT_EQ(readFile(kTarget), kSystemPicture);
    EXPECT_EQ(installAs(source, kTarget), 0);
    EXPECT_EQ(readFile(kTarget), kUserPicture);
}

TEST_F(ElevatedTest, AKillAtAnyStepLeavesNothingBesideTheTarget) {
    // The user kills the tool at each step it can see: the source opened,
    // pkcheck started, the copy named beside the target, the rename. Once
    // polkit said yes the tool is root and the kill is refused.
    struct Step {
        std::string path;
        std::uint32_t mask;
        bool killable;
    };
    const std::vector<Step> steps = {{source, IN_OPEN, true},
                                     {kWorld + "/pkcheck", IN_OPEN, true},
                                     {kResources, IN_CREATE, false},
                                     {kResources, IN_MOVED_TO, false}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.path + " " + std::to_string(step.mask));
        writeFile(kTarget, kSystemPicture);
        int exit = -1;
        const int attacked = attackAs(
            source,
            [&](pid_t tool, Watch& watch) {
                if (!watch.valid() || !watch.next())
                    return 1;
                const int killed = ::kill(tool, SIGKILL);
                return killed == 0 ? 0 : errno == EPERM ? 2 : 3;
            },
            &exit, step.path, step.mask);
        // Killed before polkit answered, or refused once the tool was root.
        if (step.killable) {
            EXPECT_TRUE(attacked == 0 || attacked == 2) << attacked;
        } else {
            EXPECT_EQ(attacked, 2);
            EXPECT_EQ(exit, 0);
        }
        const std::string now = readFile(kTarget);
        EXPECT_TRUE(now == kSystemPicture || now == kUserPicture);
        EXPECT_EQ(snapshot(kResources).size(), 1u) << "a copy was left beside the target";
    }
}
