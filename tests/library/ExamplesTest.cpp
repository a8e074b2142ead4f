#include "library/Examples.h"
#include "platform/core/FileManager.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace testing_support;

namespace {

struct ExampleWorld {
    Sandbox box;
    std::string bundle = box.base() + "/Trayskin.app";
    std::string included = bundle + "/Contents/Resources/included";
    std::string lib = box.library();

    ExampleWorld() { makeFolders(lib); }
    bool run() { return library::includeExamples(bundle); }
};

} // namespace

TEST(IncludeExamples, MergesWithoutTouchingTheUsersFiles) {
    ExampleWorld w;
    writeFile(w.included + "/Clock/Digital/Clock1.tif", "d1");
    writeFile(w.included + "/Clock/Digital/trayskininfo.txt", "Digital clock");
    writeFile(w.included + "/Clock/Digital/Sub/inner.txt", "inner");
    writeFile(w.included + "/Weird Name %@/Set 50%/x.tif", "w");
    writeFile(w.included + "/.DS_Store", "plain file at level 1");
    writeFile(w.included + "/Clock/Readme", "plain file at level 2");

    ASSERT_TRUE(w.run());
    // A copy of the tree, but plain files at the first two levels make empty
    // folders of their names; the work folder is left empty.
    auto expected = snapshot(w.included);
    expected[".DS_Store"] = expected["Clock/Readme"] = expected[".trayskin-work"] = "d";
    EXPECT_EQ(snapshot(w.lib), expected);

    // The user edits a file, deletes another, deletes a whole set, adds one.
    writeFile(w.lib + "/Clock/Digital/trayskininfo.txt", "my words");
    ::unlink((w.lib + "/Clock/Digital/Clock1.tif").c_str());
    writeFile(w.lib + "/Clock/Digital/Sub/mine.txt", "mine");
    ASSERT_EQ(std::system(("rm -rf '" + w.lib + "/Weird Name %@/Set 50%'").c_str()), 0);
    writeFile(w.lib + "/Clock/Mine/Clock1.tif", "own");
    const auto before = snapshot(w.lib);

    ASSERT_TRUE(w.run());
    // Nothing that was there changed (the existing Sub folder was not merged);
    // only the deleted file and the deleted set with its file came back.
    expected = before;
    expected["Clock/Digital/Clock1.tif"] = "f:d1";
    expected["Weird Name %@/Set 50%"] = "d";
    expected["Weird Name %@/Set 50%/x.tif"] = "f:w";
    EXPECT_EQ(snapshot(w.lib), expected);
}

// A file of the user's where an extra's folder goes: AppControllerTest.
TEST(IncludeExamples, MissingTreeAndFailures) {
    {
        SCOPED_TRACE("no included folder");
        ExampleWorld w;
        ASSERT_TRUE(w.run());
        EXPECT_TRUE(snapshot(w.lib).empty());
    }
    {
        SCOPED_TRACE("no library root");
        ExampleWorld w;
        writeFile(w.included + "/Clock/Digital/Clock1.tif", "d1");
        ASSERT_EQ(::rmdir(w.lib.c_str()), 0);
        EXPECT_FALSE(w.run());
        EXPECT_FALSE(platform::fs::exists(w.lib));
    }
    {
        SCOPED_TRACE("a file cannot be copied: the ones before it stay");
        ExampleWorld w;
        writeFile(w.included + "/Clock/Digital/A.tif", "a");
        makeSocket(w.included + "/Clock/Digital/B.tif");
        writeFile(w.included + "/Clock/Digital/C.tif", "c");
        EXPECT_FALSE(w.run());
        EXPECT_EQ(readFile(w.lib + "/Clock/Digital/A.tif"), "a");
        EXPECT_FALSE(platform::fs::exists(w.lib + "/Clock/Digital/C.tif"));
    }
}
