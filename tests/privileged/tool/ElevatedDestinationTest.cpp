// Where the elevated test tool may write, and what a kill at any step leaves.
#include "tests/privileged/tool/ElevatedFixture.h"

#include <gtest/gtest.h>

using namespace testing_support;
using namespace elevated_test;

TEST_F(ElevatedTest, OnlyPicturesOfMenuExtrasThroughFoldersOnlyRootMayChange) {
    // Outside the Menu Extras folder (even where the user could write), not
    // a picture, missing, or reached through a link (a linked bundle, a
    // linked picture, a second hard link).
    const std::string own = kWorld + "/user/Own.tif";
    writeFile(own, kSystemPicture);
    ownedByUser(own);
    ASSERT_EQ(::symlink("Volume.menu", (kMenuExtras + "/Alias.menu").c_str()), 0);
    ASSERT_EQ(::symlink("Volume1.tif", (kResources + "/Link.tif").c_str()), 0);
    const std::pair<std::string, int> refused[] = {
        {own, 60},
        {kMenuExtras + "/Volume.menu/Contents/Volume1.tif", 60},
        {kMenuExtras + "/Volume/Contents/Resources/Volume1.tif", 60},
        {kResources + "/Info.plist", 61},
        {kResources + "/Missing.tif", 62},
        {kMenuExtras + "/Alias.menu/Contents/Resources/Volume1.tif", 62},
        {kResources + "/Link.tif", 63},
    };
    for (const auto& [to, status] : refused)
        EXPECT_EQ(installAs(source, to), status) << to;
    ASSERT_EQ(::link(kTarget.c_str(), (kWorld + "/hardlink.tif").c_str()), 0);
    EXPECT_EQ(installAs(source, kTarget), 63);
    ::unlink((kWorld + "/hardlink.tif").c_str());

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
        EXPECT_TRUE(onlyTheTarget());
    }
}
