#include "library/HomeFolder.h"
#include "library/InUse.h"
#include "library/Layout.h"
#include "platform/core/FileManager.h"
#include "tests/library/NoProgress.h"
#include "tests/support/Sandbox.h"
#include "tests/support/SpecialFiles.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <sys/mount.h>
#include <unistd.h>
#include <vector>

using namespace testing_support;

namespace {

const std::string kInfo(library::kDefaultInfoText);

// A start with no window: what the backup window shows is AppControllerTest's.
bool setup(library::SetupReport* report = nullptr) {
    NoProgress progress;
    return library::setupHomeFolder(progress, report);
}

void addStandardBundles(Sandbox& box) {
    box.addBundle("Clock", {{"Clock1.tif", "c1"},
                            {"Clock2.tiff", "c2"},
                            {"ClockBig.TIF", "big"},
                            {"Clock1.tif.bak", "bak"},
                            {"English.lproj/Localizable.strings", "s"}});
    box.addBundle("Volume", {{"Volume1.tif", "v1"}, {"Volume2.tif", "v2"}});
    writeFile(box.menuExtras() + "/ReadMe.txt", "not a bundle");
}

} // namespace

TEST(SetupHomeFolder, FirstStartMakesBackupAndDefaultSets) {
    Sandbox box;
    addStandardBundles(box);

    ASSERT_TRUE(setup());

    // The backup is the Menu Extras folder, byte for byte; no staging left.
    EXPECT_EQ(snapshot(box.library() + "/backup"), snapshot(box.menuExtras()));
    EXPECT_FALSE(platform::fs::exists(box.library() + "/.backup-staging"));

    const std::map<std::string, std::string> expected = {
        {"Clock", "d"},
        {"Clock/default", "d"},
        {"Clock/default/trayskininfo.txt", "f:" + kInfo},
        {"Clock/default/Clock1.tif", "f:c1"},
        {"Clock/default/Clock2.tiff", "f:c2"},
        {"Volume", "d"},
        {"Volume/default", "d"},
        {"Volume/default/trayskininfo.txt", "f:" + kInfo},
        {"Volume/default/Volume1.tif", "f:v1"},
        {"Volume/default/Volume2.tif", "f:v2"}};
    auto tree = snapshot(box.library());
    std::erase_if(tree, [](const auto& e) { return e.first.rfind("backup", 0) == 0; });
    // The work folder is all that is left of the copies: empty.
    EXPECT_EQ(tree[".trayskin-work"], "d");
    tree.erase(".trayskin-work");
    EXPECT_EQ(tree, expected);
}

TEST(SetupHomeFolder, AMenuExtrasFolderThatCannotBeListedCountsAsEmpty) {
    Sandbox box;
    ::rmdir(box.menuExtras().c_str());
    EXPECT_TRUE(setup());
    EXPECT_EQ(platform::fs::listFolder(box.library()),
              (std::vector<std::string>{".trayskin-work", "backup"}));
}

TEST(SetupHomeFolder, LaterStartsRestoreWhatIsMissingAndKeepTheRest) {
    Sandbox box;
    addStandardBundles(box);
    ASSERT_TRUE(setup());
    const auto backup = snapshot(box.library() + "/backup");

    // The user's own files at every level, a deleted set and a deleted picture.
    const std::string lib = box.library();
    writeFile(lib + "/mine.txt", "m");
    writeFile(lib + "/Clock/My Set/Clock1.tif", "mine");
    writeFile(lib + "/Volume/default/notes.txt", "n");
    writeFile(lib + "/Volume/default/trayskininfo.txt", "edited");
    writeFile(lib + "/backup/extra-of-mine", "e");
    ::unlink((lib + "/Volume/default/Volume2.tif").c_str());
    ::unlink((lib + "/Clock/default/trayskininfo.txt").c_str());
    ASSERT_EQ(std::system(("rm -rf '" + lib + "/Clock/default'").c_str()), 0);
    // Since the first start the bundle changed and a new bundle arrived.
    writeFile(box.menuExtras() + "/Clock.menu/Contents/Resources/Clock1.tif", "installed");
    box.addBundle("Battery", {{"Battery1.tif", "b1"}});

    ASSERT_TRUE(setup());

    for (const auto& [path, bytes] :
         std::map<std::string, std::string>{{"mine.txt", "m"},
                                            {"Clock/My Set/Clock1.tif", "mine"},
                                            {"Volume/default/notes.txt", "n"},
                                            {"Volume/default/trayskininfo.txt", "edited"},
                                            {"Volume/default/Volume2.tif", "v2"},
                                            {"Clock/default/Clock1.tif", "installed"},
                                            {"Clock/default/trayskininfo.txt", kInfo},
                                            {"Battery/default/Battery1.tif", "b1"}})
        EXPECT_EQ(readFile(lib + "/" + path), bytes) << path;
    // The backup is left as it was, apart from the user's file in it.
    auto nowBackup = snapshot(lib + "/backup");
    nowBackup.erase("extra-of-mine");
    EXPECT_EQ(nowBackup, backup);
    EXPECT_FALSE(platform::fs::exists(lib + "/backup/Battery.menu"));

    // A default set that exists without its info file never gets one.
    ::unlink((lib + "/Battery/default/trayskininfo.txt").c_str());
    ASSERT_TRUE(setup());
    EXPECT_FALSE(platform::fs::exists(lib + "/Battery/default/trayskininfo.txt"));
}

// A library root that cannot be made: BundleRunTest's.
TEST(SetupHomeFolder, FailuresStopAtTheRightMoment) {
    {
        SCOPED_TRACE("a default folder cannot be made");
        Sandbox box;
        addStandardBundles(box);
        writeFile(box.library() + "/Clock", "a file of the user's");
        EXPECT_FALSE(setup());
        EXPECT_EQ(readFile(box.library() + "/Clock"), "a file of the user's");
    }
    {
        SCOPED_TRACE("a picture cannot be copied: the ones before it stay");
        Sandbox box;
        box.addBundle("Clock", {{"Clock1.tif", "c1"}, {"Clock3.tif", "c3"}});
        makeSocket(box.menuExtras() + "/Clock.menu/Contents/Resources/Clock2.tif");
        makeFolders(box.library() + "/backup");
        EXPECT_FALSE(setup());
        EXPECT_EQ(readFile(box.library() + "/Clock/default/Clock1.tif"), "c1");
        EXPECT_FALSE(platform::fs::exists(box.library() + "/Clock/default/Clock2.tif"));
        EXPECT_FALSE(platform::fs::exists(box.library() + "/Clock/default/Clock3.tif"));
    }
}

TEST(SetupHomeFolder, AnEntryThatCanNeverBeCopiedDoesNotLockTheUserOut) {
    // The first start stops at the failed copy, as it always did; every later
    // start keeps the backup staged, names the entry and prepares the rest.
    Sandbox box;
    box.addBundle("A", {{"A1.tif", "a"}});
    makeSocket(box.menuExtras() + "/B");
    box.addBundle("C", {{"C1.tif", "c"}});
    library::SetupReport report;
    EXPECT_FALSE(setup(&report));
    // A was handled before the failing entry, C never reached.
    EXPECT_EQ(readFile(box.library() + "/A/default/A1.tif"), "a");
    EXPECT_FALSE(platform::fs::exists(box.library() + "/C"));
    EXPECT_FALSE(platform::fs::exists(box.library() + "/backup"));

    for (int start = 2; start <= 3; ++start) {
        SCOPED_TRACE(start);
        library::SetupReport again;
        ASSERT_TRUE(setup(&again));
        EXPECT_EQ(again.backupMissing, std::vector<std::string>{"B"});
        EXPECT_EQ(readFile(box.library() + "/A/default/A1.tif"), "a");
        EXPECT_EQ(readFile(box.library() + "/C/default/C1.tif"), "c");
        // Never called complete: still staged, with what did arrive.
        EXPECT_FALSE(platform::fs::exists(box.library() + "/backup"));
        EXPECT_EQ(readFile(box.library() + "/.backup-staging/C.menu/Contents/Resources/C1.tif"),
                  "c");
    }

    // Once the entry can be copied, the next start completes the backup; a
    // copy that was cut short is only ever in the work folder, and goes.
    ::unlink((box.menuExtras() + "/B").c_str());
    writeFile(box.menuExtras() + "/B", "a file now");
    writeFile(box.library() + "/.trayskin-work/.trayskin-copy-0123456789abcdef/x", "part");
    library::SetupReport done;
    ASSERT_TRUE(setup(&done));
    EXPECT_TRUE(done.backupMissing.empty());
    EXPECT_EQ(snapshot(box.library() + "/backup"), snapshot(box.menuExtras()));
    EXPECT_FALSE(platform::fs::exists(box.library() + "/.backup-staging"));
    EXPECT_TRUE(platform::fs::listFolder(box.library() + "/.trayskin-work").empty());
}

TEST(SetupHomeFolder, MenuExtrasNamedLikeTheLibrarysOwnFoldersGetNoExtraFolder) {
    Sandbox box;
    box.addBundle("backup", {{"b1.tif", "b"}});
    box.addBundle(".backup-staging", {{"s1.tif", "s"}});
    box.addBundle(".trayskin-work", {{"w1.tif", "w"}});
    box.addBundle(".trayskin-lock", {{"l1.tif", "l"}});
    box.addBundle("Volume", {{"Volume1.tif", "v1"}});
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE(start);
        library::SetupReport report;
        ASSERT_TRUE(setup(&report));
        EXPECT_TRUE(report.backupMissing.empty());
        // The backup is complete and is the backup, not an extra folder.
        EXPECT_EQ(snapshot(box.library() + "/backup"), snapshot(box.menuExtras()));
        EXPECT_EQ(platform::fs::listFolder(box.library()),
                  (std::vector<std::string>{".trayskin-work", "Volume", "backup"}));
        EXPECT_TRUE(platform::fs::listFolder(box.library() + "/.trayskin-work").empty());
        EXPECT_EQ(readFile(box.library() + "/Volume/default/Volume1.tif"), "v1");
    }
}

TEST(SetupHomeFolder, AFullDiskLeavesNoSetCutShortAndALaterStartMendsIt) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a small tmpfs as the home folder needs root; not run";
    // Pictures of a page each: the disk fills at a different step for each
    // size, in the backup, at an info file or at a picture.
    const std::string page(4096, 'p');
    bool infoFileFailed = false;
    for (int pages = 1; pages <= 24; ++pages) {
        SCOPED_TRACE(pages);
        Sandbox box;
        for (const char* name : {"Battery", "Clock", "Volume"})
            box.addBundle(name, {{std::string(name) + "1.tif", page + name},
                                 {std::string(name) + "2.tif", page + "2"}});
        makeFolders(box.home());
        const std::string size = "size=" + std::to_string(pages * 4) + "k";
        if (::mount("tmpfs", box.home().c_str(), "tmpfs", 0, size.c_str()) != 0) {
            // Root in a container may be denied mounts.
            if (errno == EPERM)
                GTEST_SKIP() << "no tmpfs can be mounted here (" << std::strerror(errno)
                             << "); not run";
            FAIL() << std::strerror(errno);
        }
        library::SetupReport report;
        if (!setup(&report)) {
            EXPECT_EQ(report.failedError, ENOSPC) << report.failedPath;
            infoFileFailed = infoFileFailed || report.failedPath.ends_with("/trayskininfo.txt");
        }
        // No set is in place without its whole info file.
        for (const char* name : {"Battery", "Clock", "Volume"}) {
            const std::string set = box.library() + "/" + name + "/default";
            if (platform::fs::exists(set)) {
                EXPECT_EQ(readFile(set + "/trayskininfo.txt"), kInfo) << set;
            }
        }
        // An older start may have left a cut info file: it is mended too.
        const std::string clockInfo = box.library() + "/Clock/default/trayskininfo.txt";
        if (platform::fs::exists(box.library() + "/Clock/default")) {
            ASSERT_EQ(::truncate(clockInfo.c_str(), 0), 0);
        }

        ASSERT_EQ(::mount("tmpfs", box.home().c_str(), "tmpfs", MS_REMOUNT, "size=4m"), 0);
        library::SetupReport again;
        EXPECT_TRUE(setup(&again)) << again.failedPath;
        EXPECT_EQ(snapshot(box.library() + "/backup"), snapshot(box.menuExtras()));
        for (const char* name : {"Battery", "Clock", "Volume"}) {
            const std::string set = box.library() + "/" + name + "/default/";
            EXPECT_EQ(readFile(set + "trayskininfo.txt"), kInfo) << set;
            EXPECT_EQ(readFile(set + name + "1.tif"), page + name);
        }
        EXPECT_EQ(::umount(box.home().c_str()), 0);
    }
    // The sizes above reach the moment the fault was in.
    EXPECT_TRUE(infoFileFailed);
}

TEST(SetupHomeFolder, FifosSocketsAndDevicesNeverHoldTheStartOrTheInUseLookUp) {
    for (Special kind : kAllSpecials) {
        SCOPED_TRACE(nameOf(kind));
        Sandbox box;
        box.addBundle("Volume", {{"Volume1.tif", "v1"}});
        makeSpecial(kind, box.menuExtras() + "/Volume.menu/Contents/Resources/x.tif");
        makeSpecial(kind, box.library() + "/Volume/default/trayskininfo.txt");
        makeSpecial(kind, box.library() + "/Volume/Odd/Volume1.tif");
        makeSpecial(kind, box.library() + "/Volume/Odd/x.tif");
        FifoWatchdog watchdog({box.base()});
        setup();
        const library::InUse inUse = library::setInUse("Volume");
        EXPECT_EQ(inUse.kind, library::InUse::Kind::Unknown);
        EXPECT_FALSE(watchdog.fired());
    }
}
