// Runs the built bundle as a user would start it, in a sandbox, offscreen.
#include "tests/support/Sandbox.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace testing_support;
using namespace std::chrono_literals;
using namespace std::string_literals;

namespace {

QProcess* startBundle(const Sandbox& box, const QStringList& arguments = {}) {
    auto* process = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const std::string& set :
         {"HOME=" + box.home(), "TRAYSKIN_SYSROOT=" + box.sysroot(), "QT_QPA_PLATFORM=offscreen"s,
          "LANG=C"s, "LC_ALL=C"s, "XDG_DATA_HOME=" + box.base() + "/data",
          "XDG_CONFIG_HOME=" + box.base() + "/config", "XDG_DATA_DIRS=/usr/share"s}) {
        const QString variable = QString::fromStdString(set);
        env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    }
    env.remove("XDG_CURRENT_DESKTOP");
    process->setProcessEnvironment(env);
    process->start(TRAYSKIN_TEST_BUNDLE "/Contents/MacOS/trayskin", arguments);
    EXPECT_TRUE(process->waitForStarted(10000));
    return process;
}

// How many entries the tree below a folder holds (names only, cheap enough
// to look at while the program works; what goes meanwhile ends the count).
std::size_t countEntries(const std::string& folder) {
    std::error_code error;
    std::size_t count = 0;
    for (std::filesystem::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error))
        ++count;
    return count;
}

// A Menu Extras folder big enough for a first start to take a while.
void addManyBundles(Sandbox& box) {
    const std::string picture(48 * 1024, 'p');
    for (int b = 0; b < 10; ++b) {
        std::map<std::string, std::string> files;
        for (int p = 0; p < 8; ++p)
            files["Pic" + std::to_string(p) + ".tif"] = picture + std::to_string(b * 10 + p);
        files["English.lproj/Info.strings"] = "strings";
        box.addBundle("Extra" + std::to_string(b), files);
    }
}

// Whether the process has a handler of its own for the signal.
bool catches(pid_t pid, int signal) {
    const std::string status = readFile("/proc/" + std::to_string(pid) + "/status");
    const auto at = status.find("SigCgt:");
    if (at == std::string::npos)
        return false;
    const unsigned long long mask = std::stoull(status.substr(at + 7), nullptr, 16);
    return (mask >> (signal - 1)) & 1;
}

// Ends the program the way the session does when the user logs out, once it
// listens for that.
void terminate(QProcess& process) {
    const auto pid = static_cast<pid_t>(process.processId());
    ASSERT_TRUE(waitUntil([&] { return catches(pid, SIGTERM); }, 30s));
    ::kill(pid, SIGTERM);
    ASSERT_TRUE(process.waitForFinished(10000));
}

// The shipped examples are merged last, after the backup and the default
// sets: once one of them is in, start-up is over.
bool startUpDone(const Sandbox& box) {
    return !readFile(box.library() + "/Volume/Ocean/trayskininfo.txt").empty();
}

using Tree = std::map<std::string, std::string>;

// Ended by itself or the session, the process ended with 0 and printed out (by default nothing).
void expectQuietZero(QProcess& process, const std::string& out = "") {
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput().toStdString(), out);
}

// What a first start that nobody interrupts makes of many bundles; ended by
// the session, the program quits cleanly.
Tree cleanFirstStart() {
    Sandbox clean;
    addManyBundles(clean);
    std::unique_ptr<QProcess> process(startBundle(clean));
    EXPECT_TRUE(waitUntil([&] { return startUpDone(clean); }, 60s))
        << process->readAllStandardError().toStdString();
    terminate(*process);
    expectQuietZero(*process);
    // (What a first start makes is HomeFolderTest's.)
    EXPECT_EQ(snapshot(clean.library() + "/backup"), snapshot(clean.menuExtras()));
    const Tree reference = snapshot(clean.library());
    for (const auto& [path, kind] : reference)
        EXPECT_EQ(path.find(".trayskin-copy-"), std::string::npos) << path;
    return reference;
}

// Waits until the library is the reference.
void expectBecomes(const Sandbox& box, const Tree& reference) {
    EXPECT_TRUE(waitUntil([&] { return snapshot(box.library()) == reference; }, 60s));
}

} // namespace

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
    expectQuietZero(*process, "Problem setting up home folder!\n");
    // What failed, and why, beneath it on standard error.
    EXPECT_TRUE(process->readAllStandardError().contains(
        QByteArray::fromStdString("Could not set up " + box.library() + ": Not a directory\n")));
    EXPECT_EQ(readFile(box.home() + "/Library"), "in the way");
    EXPECT_EQ(snapshot(box.home()).size(), 1u);
}

TEST(BundleRun, AKillAtAnyMomentOfAFirstStartLeavesNothingHalfDone) {
    const Tree reference = cleanFirstStart();
    const std::size_t total = reference.size();
    ASSERT_GT(total, 100u);

    // Killed once the library holds a given number of its entries: during the
    // backup, the default sets and, last, the example copies; then started
    // again.
    std::vector<std::size_t> thresholds;
    for (std::size_t share = 0; share < 10; ++share)
        thresholds.push_back(total * share / 10);
    for (std::size_t fromEnd : {30, 20, 12, 6, 2})
        thresholds.push_back(total - fromEnd);
    for (const std::size_t threshold : thresholds) {
        SCOPED_TRACE(threshold);
        Sandbox box;
        addManyBundles(box);
        std::unique_ptr<QProcess> dying(startBundle(box));
        waitUntil([&] { return countEntries(box.library()) >= threshold; }, 60s);
        ::kill(static_cast<pid_t>(dying->processId()), SIGKILL);
        ASSERT_TRUE(dying->waitForFinished(10000));

        std::unique_ptr<QProcess> again(startBundle(box));
        expectBecomes(box, reference);
        terminate(*again);
        EXPECT_EQ(again->exitCode(), 0);
        EXPECT_EQ(snapshot(box.library()), reference);
    }
}

TEST(BundleRun, TwoStartsOnOneLibraryLeaveOneProgramAndAWholeLibrary) {
    const Tree reference = cleanFirstStart();
    ASSERT_GT(reference.size(), 100u);

    // The second start comes at another moment of the first one's start-up
    // each time: at once, once the first holds the library, during its
    // backup, during its default sets, and once it is done.
    const std::vector<std::function<bool(const Sandbox&)>> moments = {
        [](const Sandbox&) { return true; },
        [](const Sandbox& box) { return ::access(box.library().c_str(), F_OK) == 0; },
        [](const Sandbox& box) {
            return countEntries(box.library() + "/.backup-staging") > 3 || startUpDone(box);
        },
        [](const Sandbox& box) {
            return countEntries(box.library() + "/Extra3") > 0 || startUpDone(box);
        },
        startUpDone,
    };
    for (std::size_t moment = 0; moment < moments.size(); ++moment) {
        SCOPED_TRACE(moment);
        Sandbox box;
        addManyBundles(box);
        std::unique_ptr<QProcess> first(startBundle(box));
        waitUntil([&] { return moments[moment](box); }, 60s);
        std::unique_ptr<QProcess> second(startBundle(box));
        // One of the two ends by itself, with 0, and says why.
        QProcess* ended = nullptr;
        ASSERT_TRUE(waitUntil(
            [&] {
                for (QProcess* p : {first.get(), second.get()})
                    if (p->waitForFinished(0) || p->state() == QProcess::NotRunning)
                        ended = p;
                return ended != nullptr;
            },
            60s));
        QProcess* running = ended == first.get() ? second.get() : first.get();
        expectQuietZero(*ended);
        EXPECT_TRUE(ended->readAllStandardError().contains("already running"));
        // The other prepares the whole library, undisturbed.
        expectBecomes(box, reference);
        EXPECT_EQ(running->state(), QProcess::Running);
        terminate(*running);
        expectQuietZero(*running);
        EXPECT_EQ(snapshot(box.library()), reference);
    }
}

TEST(BundleRun, DesktopModeFromTheCommandLineWorksOnTheMachinesAdwaita) {
    // The Menu Extras folder exists, yet the command line decides.
    Sandbox box;
    std::unique_ptr<QProcess> process(startBundle(box, {"--desktop", "--icon-theme", "Adwaita"}));
    const std::string library = box.base() + "/data/trayskin";
    ASSERT_TRUE(waitUntil(
        [&] { return !readFile(library + "/Network/Dusk/trayskininfo.txt").empty(); }, 60s))
        << process->readAllStandardError().toStdString();
    terminate(*process);
    EXPECT_NE(readFile(library + "/Volume/default/trayskininfo.txt").find("icon theme Adwaita"),
              std::string::npos);
    EXPECT_TRUE(snapshot(box.library()).empty()) << "the Menu Extras library was made";
}
