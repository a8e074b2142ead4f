#include "platform/core/FileManager.h"
#include "platform/core/Posix.h"
#include "tests/support/Sandbox.h"
#include "tests/support/SpecialFiles.h"

#include <algorithm>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = platform::fs;
using namespace testing_support;

namespace {

bool hasTemporaryLeftover(const std::string& folder) {
    for (const auto& name : fs::listFolder(folder))
        if (name.rfind(fs::kTemporaryCopyPrefix, 0) == 0)
            return true;
    return false;
}

} // namespace

TEST(FileManager, CopiesATreeWithLinksAsLinks) {
    Sandbox box;
    const std::string src = box.base() + "/src";
    const std::string outside = box.base() + "/outside";
    writeFile(outside + "/secret.txt", "outside");
    writeFile(src + "/Contents/Resources/a b%@.tif", std::string("\0\1\2tiff", 7));
    writeFile(src + "/Contents/Resources/\xff\xfe.tif", "raw");
    writeFile(src + "/.hidden", "h");
    ASSERT_EQ(::symlink("..", (src + "/Contents/loop").c_str()), 0);
    ASSERT_EQ(::symlink("self", (src + "/self").c_str()), 0);
    ASSERT_EQ(::symlink(outside.c_str(), (src + "/out").c_str()), 0);
    ASSERT_EQ(::symlink("missing", (src + "/dangling").c_str()), 0);
    ASSERT_EQ(::mkfifo((src + "/pipe").c_str(), 0640), 0);

    const std::string work = box.base() + "/work";
    ASSERT_TRUE(fs::prepareWorkFolder(work));
    const std::string dst = box.base() + "/dst";
    ASSERT_TRUE(fs::copyPath(src, dst, work));
    EXPECT_EQ(snapshot(dst), snapshot(src));
    // The links were not followed: nothing of the outside folder came in.
    EXPECT_FALSE(fs::exists(dst + "/secret.txt"));
    EXPECT_TRUE(fs::isSymbolicLink(dst + "/out"));
    EXPECT_FALSE(hasTemporaryLeftover(box.base()));
    EXPECT_TRUE(fs::listFolder(work).empty());

    // A single link is copied as a link too.
    ASSERT_TRUE(fs::copyPath(src + "/out", box.base() + "/link-copy", work));
    EXPECT_TRUE(fs::isSymbolicLink(box.base() + "/link-copy"));
}

TEST(FileManager, NeverReplacesAndLeavesNothingHalfDone) {
    Sandbox box;
    const std::string work = box.base() + "/work";
    ASSERT_TRUE(fs::prepareWorkFolder(work));
    writeFile(box.base() + "/a", "new");
    writeFile(box.base() + "/b", "mine");
    EXPECT_FALSE(fs::copyPath(box.base() + "/a", box.base() + "/b", work));
    EXPECT_EQ(readFile(box.base() + "/b"), "mine");
    EXPECT_FALSE(fs::createFile(box.base() + "/b", "other"));
    EXPECT_EQ(readFile(box.base() + "/b"), "mine");
    // A whole write replaces a link of its name, never what the link leads to.
    ASSERT_EQ(::symlink((box.base() + "/b").c_str(), (box.base() + "/to-b").c_str()), 0);
    EXPECT_TRUE(platform::posix::replaceFile(box.base() + "/to-b", "kept"));
    EXPECT_EQ(readFile(box.base() + "/b"), "mine");
    EXPECT_FALSE(fs::isSymbolicLink(box.base() + "/to-b"));
    EXPECT_EQ(readFile(box.base() + "/to-b"), "kept");

    // A tree with a socket in it cannot be copied; no part of it appears.
    writeFile(box.base() + "/t/one.tif", "1");
    makeSocket(box.base() + "/t/s");
    EXPECT_FALSE(fs::copyPath(box.base() + "/t", box.base() + "/t2", work));
    EXPECT_FALSE(fs::exists(box.base() + "/t2"));
    EXPECT_FALSE(hasTemporaryLeftover(box.base()));
    EXPECT_TRUE(fs::listFolder(work).empty());

    // Missing source, missing parent of the destination.
    EXPECT_FALSE(fs::copyPath(box.base() + "/none", box.base() + "/x", work));
    EXPECT_FALSE(fs::copyPath(box.base() + "/a", box.base() + "/no/such/x", work));

    EXPECT_FALSE(fs::moveNoReplace(box.base() + "/a", box.base() + "/b"));
    EXPECT_EQ(readFile(box.base() + "/a"), "new");

    // The work folder is emptied of what a killed copy left (a read-only
    // tree too), and only a plain folder is ever emptied.
    writeFile(work + "/.trayskin-copy-1/Contents/a.tif", "half");
    ASSERT_EQ(::chmod((work + "/.trayskin-copy-1/Contents").c_str(), 0500), 0);
    ASSERT_TRUE(fs::prepareWorkFolder(work));
    EXPECT_TRUE(fs::listFolder(work).empty());
    ASSERT_EQ(::symlink((box.base() + "/t").c_str(), (box.base() + "/linked-work").c_str()), 0);
    EXPECT_FALSE(fs::prepareWorkFolder(box.base() + "/linked-work"));
    EXPECT_FALSE(fs::prepareWorkFolder(box.base() + "/a"));
    EXPECT_TRUE(fs::exists(box.base() + "/t/one.tif"));
    EXPECT_EQ(readFile(box.base() + "/a"), "new");
}

TEST(FileManager, ListingsAreCompleteAndStable) {
    Sandbox box;
    for (const char* name : {"b", "a", ".dot", "B", "\xff", "a b"})
        writeFile(box.base() + "/l/" + name, "");
    EXPECT_EQ(fs::listFolder(box.base() + "/l"),
              (std::vector<std::string>{".dot", "B", "a", "a b", "b", "\xff"}));
    EXPECT_TRUE(fs::listFolder(box.base() + "/none").empty());

    // A long folder of names sharing prefixes, with bytes of every kind.
    std::vector<std::string> expected;
    unsigned seed = 7;
    for (int i = 0; i < 600; ++i) {
        std::string name = i % 3 ? "Extra" : "";
        for (int n = 0; n < 1 + i % 5; ++n) {
            seed = seed * 1103515245u + 12345u;
            char c = static_cast<char>(0x20 + (seed >> 16) % 0xdf);
            name.push_back(c == '/' ? 'x' : c);
        }
        if (name == "." || name == ".." ||
            std::find(expected.begin(), expected.end(), name) != expected.end())
            continue;
        expected.push_back(name);
        writeFile(box.base() + "/long/" + name, "");
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(fs::listFolder(box.base() + "/long"), expected);
    EXPECT_TRUE(fs::listFolder(box.base() + "/l/a").empty());
    EXPECT_EQ(fs::readFile(box.base() + "/l/a").value_or("x"), "");
    EXPECT_FALSE(fs::readFile(box.base() + "/none").has_value());
}

TEST(FileManager, ReadsNeverWaitAndStopAtTheirLimit) {
    Sandbox box;
    const std::string dir = box.base() + "/odd";
    writeFile(dir + "/plain", "plain");
    ASSERT_EQ(::symlink("/dev/zero", (dir + "/zero-link").c_str()), 0);
    std::vector<std::string> odd = {dir + "/zero-link"};
    for (Special kind : kAllSpecials) {
        odd.push_back(dir + "/" + nameOf(kind));
        makeSpecial(kind, odd.back());
    }
    FifoWatchdog watchdog({dir});
    for (const auto& path : odd) {
        SCOPED_TRACE(path);
        EXPECT_LT(fs::openForReading(path), 0);
        EXPECT_FALSE(fs::readFile(path).has_value());
        EXPECT_FALSE(fs::readFilePrefix(path, 10).has_value());
        EXPECT_FALSE(fs::sameContents(path, dir + "/plain"));
        EXPECT_FALSE(fs::sameContents(dir + "/plain", path));
    }
    EXPECT_FALSE(watchdog.fired());

    // A prefix says whether it is the whole file.
    const std::vector<std::pair<std::size_t, bool>> limits = {
        {0, false}, {4, false}, {5, true}, {6, true}};
    for (const auto& [limit, whole] : limits) {
        const auto prefix = fs::readFilePrefix(dir + "/plain", limit);
        ASSERT_TRUE(prefix.has_value());
        EXPECT_EQ(prefix->bytes, std::string("plain").substr(0, limit));
        EXPECT_EQ(prefix->whole, whole) << limit;
    }
}

TEST(FileManager, CopiesAndRemovesTreesDeeperThanThePathLimit) {
    Sandbox box;
    const std::string work = box.base() + "/work";
    ASSERT_TRUE(fs::prepareWorkFolder(work));
    // 40 folders of 200-byte names: 8 KB of path, twice the limit, made and
    // read one level at a time from the level above.
    const std::string name(200, 'd');
    const auto bottom = [&](const std::string& top, bool make) {
        int at = ::open(top.c_str(), O_RDONLY | O_DIRECTORY);
        for (int level = 0; level < 40 && at >= 0; ++level) {
            if (make)
                ::mkdirat(at, name.c_str(), 0755);
            const int next = ::openat(at, name.c_str(), O_RDONLY | O_DIRECTORY);
            ::close(at);
            at = next;
        }
        return at;
    };
    makeFolders(box.base() + "/deep.menu");
    // The file at the bottom, by a short name of its folder.
    const auto atBottom = [](int folder) {
        return "/proc/self/fd/" + std::to_string(folder) + "/bottom.tif";
    };
    const int deep = bottom(box.base() + "/deep.menu", true);
    ASSERT_GE(deep, 0);
    writeFile(atBottom(deep), "deep");
    ::close(deep);

    ASSERT_TRUE(fs::copyPath(box.base() + "/deep.menu", box.base() + "/copy.menu", work));
    const int copy = bottom(box.base() + "/copy.menu", false);
    ASSERT_GE(copy, 0);
    EXPECT_EQ(readFile(atBottom(copy)), "deep");
    ::close(copy);

    // A deep tree left in the work folder is emptied out with the rest.
    ASSERT_TRUE(fs::moveNoReplace(box.base() + "/copy.menu", work + "/.trayskin-copy-left"));
    ASSERT_TRUE(fs::prepareWorkFolder(work));
    EXPECT_TRUE(fs::listFolder(work).empty());
}
