// Runs the built bundle as a user would start it, in a sandbox, offscreen.
#include "Sandbox.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <gtest/gtest.h>

using namespace testing_support;
using namespace std::chrono_literals;

namespace {

QProcess* startBundle(const Sandbox& box) {
    auto* process = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), QString::fromStdString(box.home()));
    env.insert(QStringLiteral("TRAYSKIN_SYSROOT"), QString::fromStdString(box.sysroot()));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process->setProcessEnvironment(env);
    process->start(QStringLiteral(TRAYSKIN_TEST_BUNDLE "/Contents/MacOS/trayskin"), {});
    EXPECT_TRUE(process->waitForStarted(10000));
    return process;
}

// Ends the program the way the session does when the user logs out.
void terminate(QProcess& process) {
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(10000));
}

} // namespace

TEST(BundleRun, FirstStartPreparesTheLibraryAndQuitsCleanly) {
    Sandbox box;
    box.addBundle("Volume", {{"Volume1.tif", "v1"}, {"VolumeBig.TIF", "big"}});
    box.addBundle("Clock", {{"Clock1.tif", "c1"}});
    writeFile(box.menuExtras() + "/ReadMe.txt", "not a bundle");

    std::unique_ptr<QProcess> process(startBundle(box));
    // The shipped examples are merged last, after the backup and the default
    // sets: once one of them is in, start-up is over.
    const std::string last = box.library() + "/Volume/Ocean/trayskininfo.txt";
    ASSERT_TRUE(waitUntil([&] { return !readFile(last).empty(); }, 30s))
        << process->readAllStandardError().toStdString();
    terminate(*process);

    EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process->exitCode(), 0);
    EXPECT_EQ(process->readAllStandardOutput().toStdString(), "");
    EXPECT_EQ(snapshot(box.library() + "/backup"), snapshot(box.menuExtras()));
    EXPECT_EQ(readFile(box.library() + "/Volume/default/Volume1.tif"), "v1");
    EXPECT_EQ(readFile(box.library() + "/Clock/default/Clock1.tif"), "c1");
    EXPECT_FALSE(readFile(box.library() + "/Clock/default/trayskininfo.txt").empty());
    EXPECT_FALSE(readFile(box.library() + "/Battery/Leaf/trayskininfo.txt").empty());
}

TEST(BundleRun, ImpossibleLibraryRootReportsAndEndsWithZero) {
    Sandbox box;
    box.addBundle("Volume", {{"Volume1.tif", "v1"}});
    writeFile(box.home() + "/Library", "in the way");

    std::unique_ptr<QProcess> process(startBundle(box));
    // The line comes first, then the modal alert holds the program until it
    // is answered; ending the session while it is up still exits with 0.
    ASSERT_TRUE(waitUntil(
        [&] {
            process->waitForReadyRead(100);
            return process->peek(4096).contains("\n");
        },
        30s));
    EXPECT_EQ(process->state(), QProcess::Running);
    terminate(*process);
    EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process->exitCode(), 0);
    EXPECT_EQ(process->readAllStandardOutput().toStdString(), "Problem setting up home folder!\n");
    EXPECT_EQ(readFile(box.home() + "/Library"), "in the way");
    EXPECT_EQ(snapshot(box.home()).size(), 1u);
}
