// Polkit, credentials, sources and inherited state, with the tool setuid root (ElevatedFixture.h).
#include "tests/privileged/tool/ElevatedFixture.h"

#include <gtest/gtest.h>

using namespace testing_support;
using namespace elevated_test;

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
    EXPECT_NE(log.find("Uid:\t0\t0\t0\t0\n"), std::string::npos) << log;
    EXPECT_NE(log.find("Gid:\t0\t0\t0\t0\n"), std::string::npos) << log;
    const auto groups = log.find("Groups:");
    ASSERT_NE(groups, std::string::npos) << log;
    EXPECT_EQ(log.find_first_not_of(" \t", groups + 7), log.find('\n', groups)) << log;
    EXPECT_NE(log.find("environ:\n"), std::string::npos) << log;
}

TEST_F(ElevatedTest, PolkitIsNeverAskedAboutAParentThatIsNotTheUsers) {
    for (const Adoption adoption : {Adoption::CloneParent, Adoption::Orphan}) {
        SCOPED_TRACE(adoption == Adoption::CloneParent ? "CLONE_PARENT" : "orphan");
        ::unlink((kWorld + "/pkcheck.log").c_str());
        EXPECT_EQ(startAdoptedBelowRoot(tool, adoption, uid, gid,
                                        [&](const AuthorizationExternalForm& root) {
                                            return requestBytes(root, source, kTarget);
                                        }),
                  76);
        EXPECT_NE(::access((kWorld + "/pkcheck.log").c_str(), F_OK), 0) << "polkit was asked";
        EXPECT_EQ(readFile(kTarget), kSystemPicture);
    }
}

TEST_F(ElevatedTest, TheUserCanNeitherTraceNorStopPolkitOrTheTool) {
    answer(1);
    ASSERT_EQ(::mkfifo((kWorld + "/gate").c_str(), 0666), 0);
    ::chmod((kWorld + "/gate").c_str(), 0666);
    int exit = -1;
    const int attacked = attackAs(
        source,
        [&](pid_t tool, Watch&) {
            pid_t pkcheck = 0;
            waitUntil(
                [&] {
                    return (pkcheck = std::atoi(readFile(kWorld + "/user/pkcheck.pid").c_str()));
                },
                std::chrono::seconds(30));
            int failures = pkcheck ? 0 : 1;
            // Each attempt must be refused by the kernel; one that is not is
            // undone at once, so that the run still ends.
            if (pkcheck && ::ptrace(PTRACE_ATTACH, pkcheck, nullptr, nullptr) == 0) {
                failures |= 2;
                ::waitpid(pkcheck, nullptr, __WALL);
                ::ptrace(PTRACE_DETACH, pkcheck, nullptr, nullptr);
            }
            if (::ptrace(PTRACE_SEIZE, tool, nullptr, nullptr) == 0) {
                failures |= 4;
                ::ptrace(PTRACE_DETACH, tool, nullptr, nullptr);
            }
            if (pkcheck && ::kill(pkcheck, SIGSTOP) == 0) {
                failures |= 8;
                ::kill(pkcheck, SIGCONT);
            }
            // Let pkcheck answer.
            const int gate = ::open((kWorld + "/gate").c_str(), O_WRONLY | O_CLOEXEC);
            if (gate < 0 || ::write(gate, "go\n", 3) != 3)
                failures |= 16;
            if (gate >= 0)
                ::close(gate);
            return failures;
        },
        &exit);
    EXPECT_EQ(attacked, 0);
    EXPECT_EQ(exit, 43);
    EXPECT_EQ(readFile(kTarget), kSystemPicture);
    EXPECT_TRUE(onlyTheTarget());
}

TEST_F(ElevatedTest, SourcesAreReadOnlyWithTheUsersRights) {
    const std::string secret = kWorld + "/secret.tif";
    writeFile(secret, tiffBytes("root only"));
    ::chmod(secret.c_str(), 0600);
    EXPECT_EQ(installAs(secret, kTarget), 50);
    const std::string link = kWorld + "/user/secret link.tif";
    ASSERT_EQ(::symlink(secret.c_str(), link.c_str()), 0);
    EXPECT_EQ(installAs(link, kTarget), 50);
    for (const std::string pseudo : {"/proc/1/stat", "/proc/self/maps", "/proc/uptime"})
        EXPECT_EQ(installAs(pseudo, kTarget), 54) << pseudo;
    EXPECT_EQ(readFile(kTarget), kSystemPicture);

    // A link to the user's own picture installs that picture.
    const std::string own = kWorld + "/user/own link.tif";
    ASSERT_EQ(::symlink(source.c_str(), own.c_str()), 0);
    EXPECT_EQ(installAs(own, kTarget), 0);
    EXPECT_EQ(readFile(kTarget), kUserPicture);
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
    // system folder, the root tool runs without them.
    const std::string seen = kWorld + "/user/seen";
    const int outcome = asUser(uid, gid, [&] {
        const rlimit cpu{300, 600};
        // Dumpable again, as a user's own shell is, so /proc/self is the user's.
        ::prctl(PR_SET_DUMPABLE, 1);
        const int score = ::open("/proc/self/oom_score_adj", O_WRONLY | O_CLOEXEC);
        if (::setrlimit(RLIMIT_CPU, &cpu) != 0 || score < 0 || ::write(score, "1000", 4) != 4)
            return 1;
        ::close(score);
        Watch watch(kResources, IN_CREATE);
        const ToolRun run = runTool(tool, requestBytes(ownExternalForm(), source, kTarget),
                                    {.whileRunning = [&](pid_t pid) {
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
    EXPECT_TRUE(std::regex_search(
        cpuLine, std::regex(rootMayRaiseLimits() ? "unlimited +unlimited" : " 600 +600 ")))
        << cpuLine;
}

TEST_F(ElevatedTest, InheritedStateIsRefusedOrPutRight) {
    const std::string request = requestBytes(ownExternalForm(), source, kTarget);
    // Each run by the user, as an attacker would start the setuid tool.
    for (const auto& [options, code] : {std::pair{ToolOptions{.noArguments = true}, 10},
                                        {ToolOptions{.environment = {"TRAYSKIN=1"}}, 11},
                                        {ToolOptions{.extraDescriptor = true}, 13}})
        EXPECT_EQ(asUser(uid, gid, [&] { return runTool(tool, request, options).exitCode; }), code);
    EXPECT_EQ(readFile(kTarget), kSystemPicture);
    // Too few descriptors are raised as root, and the copy goes through (the
    // user's process starts the tool with its own authorization); where root
    // may not raise limits (a container), the tool says so.
    const int limited = asUser(uid, gid, [&] {
        return runTool(tool, requestBytes(ownExternalForm(), source, kTarget),
                       {.descriptorLimit = 3})
            .exitCode;
    });
    if (rootMayRaiseLimits()) {
        EXPECT_EQ(limited, 0);
        EXPECT_EQ(readFile(kTarget), kUserPicture);
    } else {
        EXPECT_EQ(limited, 15);
        EXPECT_EQ(readFile(kTarget), kSystemPicture);
    }
}
