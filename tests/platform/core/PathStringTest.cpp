#include "platform/core/PathString.h"
#include "library/Layout.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(PathString, SubstitutionNeverReadsTheArguments) {
    // Names that a format string would misread come through as they are.
    const std::string hostile = "50% %@ %s %n \\ \xff\xfe .x";
    EXPECT_EQ(formatPath("%@/%@/default/%@", {"/r", hostile, "a b.tif"}),
              "/r/" + hostile + "/default/a b.tif");
    EXPECT_EQ(formatPath("%@%@", {"/r", "/backup"}), "/r/backup");
    // Too few arguments leave the placeholder empty; surplus ones are ignored.
    EXPECT_EQ(formatPath("%@/%@", {"a"}), "a/");
    EXPECT_EQ(formatPath("%@", {"a", "b"}), "a");
    EXPECT_EQ(formatPath("100%", {"a"}), "100%");
}

TEST(PathString, ComponentsAndExtensions) {
    EXPECT_EQ(lastPathComponent("/a/b/Clock.menu"), "Clock.menu");
    EXPECT_EQ(lastPathComponent("/a/b/"), "b");
    EXPECT_EQ(lastPathComponent("/"), "/");
    EXPECT_EQ(pathExtension("Clock.menu"), "menu");
    EXPECT_EQ(pathExtension("Volume1.tif.bak"), "bak");
    EXPECT_EQ(pathExtension(".profile"), "");
    EXPECT_EQ(pathExtension("noext"), "");
    EXPECT_EQ(pathExtension("dir.d/file"), "");
    EXPECT_EQ(deletingPathExtension("Clock.menu"), "Clock");
    EXPECT_EQ(deletingPathExtension("My.Big.menu"), "My.Big");
    EXPECT_EQ(splitPath("/Volume/Ocean", "/"), (std::vector<std::string>{"", "Volume", "Ocean"}));
    EXPECT_EQ(splitPath("", "/"), (std::vector<std::string>{""}));
}

TEST(PathString, TildeUsesTheHomeFolder) {
    testing_support::Sandbox sandbox;
    EXPECT_EQ(expandTilde("~/Library/Trayskin"), sandbox.home() + "/Library/Trayskin");
    EXPECT_EQ(expandTilde("~"), sandbox.home());
    EXPECT_EQ(expandTilde("/abs/~"), "/abs/~");
    EXPECT_EQ(library::libraryRoot(), sandbox.library());
    EXPECT_EQ(library::menuExtrasFolder(), sandbox.menuExtras());
}

TEST(Layout, NamingRules) {
    using namespace library;
    EXPECT_TRUE(isPicture("Volume1.tif"));
    EXPECT_TRUE(isPicture("a b.tiff"));
    EXPECT_FALSE(isPicture("VolumeBig.TIF"));
    EXPECT_FALSE(isPicture("Volume1.tif.bak"));
    EXPECT_FALSE(isPicture("tif"));
    EXPECT_TRUE(isMenuBundle("Clock.menu"));
    EXPECT_FALSE(isMenuBundle("Clock.Menu"));
    EXPECT_FALSE(isMenuBundle("ReadMe.txt"));
    EXPECT_EQ(extraNameOfBundle("Clock.menu"), "Clock");
    for (const char* hidden : {"backup", "trayskininfo.txt", "", ".", ".backup-staging", ".x"})
        EXPECT_TRUE(isHiddenName(hidden)) << hidden;
    for (const char* shown : {"Backup", "default", "a.b", "x.", "trayskininfo.txt.bak"})
        EXPECT_FALSE(isHiddenName(shown)) << shown;
    EXPECT_EQ(kDefaultInfoText.size(), 68u);
}
