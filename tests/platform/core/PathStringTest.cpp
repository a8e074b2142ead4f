#include "platform/core/PathString.h"
#include "library/Layout.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(PathString, SubstitutionComponentsExtensionsAndTilde) {
    // Names that a format string would misread come through as they are; too
    // few arguments leave the placeholder empty, surplus ones are ignored.
    const std::string hostile = "50% %@ %s %n \\ \xff\xfe .x";
    EXPECT_EQ(formatPath("%@/%@/default/%@", {"/r", hostile, "a b.tif"}),
              "/r/" + hostile + "/default/a b.tif");
    EXPECT_EQ(formatPath("%@/%@", {"a"}), "a/");
    EXPECT_EQ(formatPath("%@", {"a", "b"}), "a");
    EXPECT_EQ(formatPath("100%", {"a"}), "100%");

    testing_support::Sandbox sandbox;
    struct Case {
        std::string (*function)(std::string_view);
        const char* path;
        std::string expected;
    };
    const Case cases[] = {
        {lastPathComponent, "/a/b/Clock.menu", "Clock.menu"},
        {lastPathComponent, "/a/b/", "b"},
        {lastPathComponent, "/", "/"},
        {pathExtension, "Volume1.tif.bak", "bak"},
        {pathExtension, ".profile", ""},
        {pathExtension, "dir.d/file", ""},
        {deletingPathExtension, "My.Big.menu", "My.Big"},
        {expandTilde, "~/Library/Trayskin", sandbox.home() + "/Library/Trayskin"},
        {expandTilde, "~", sandbox.home()},
        {expandTilde, "/abs/~", "/abs/~"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.function(c.path), c.expected) << c.path;
    EXPECT_EQ(splitPath("/Volume/Ocean", "/"), (std::vector<std::string>{"", "Volume", "Ocean"}));
    EXPECT_EQ(splitPath("", "/"), (std::vector<std::string>{""}));
}

TEST(Layout, NamingRules) {
    using namespace library;
    for (const char* picture : {"Volume1.tif", "a b.tiff"})
        EXPECT_TRUE(isPicture(picture)) << picture;
    for (const char* other : {"VolumeBig.TIF", "Volume1.tif.bak", "tif"})
        EXPECT_FALSE(isPicture(other)) << other;
    EXPECT_TRUE(isMenuBundle("Clock.menu"));
    EXPECT_FALSE(isMenuBundle("Clock.Menu"));
    EXPECT_EQ(extraNameOfBundle("Clock.menu"), "Clock");
    for (const char* hidden : {"backup", "trayskininfo.txt", "", ".backup-staging", ".x"})
        EXPECT_TRUE(isHiddenName(hidden)) << hidden;
    for (const char* shown : {"Backup", "default", "a.b", "trayskininfo.txt.bak"})
        EXPECT_FALSE(isHiddenName(shown)) << shown;
}
