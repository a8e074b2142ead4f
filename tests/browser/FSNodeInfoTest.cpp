#include "browser/FSNodeInfo.h"
#include "library/Layout.h"
#include "platform/core/Bundle.h"
#include "platform/gui/Image.h"
#include "platform/gui/Workspace.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/Sandbox.h"
#include "tests/support/SpecialFiles.h"
#include "tests/support/TiffFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using browser::FSNodeInfo;
using namespace testing_support;

namespace {

std::vector<std::string> names(const std::vector<std::unique_ptr<FSNodeInfo>>& nodes) {
    std::vector<std::string> out;
    for (const auto& node : nodes)
        out.push_back(node->lastPathComponent());
    return out;
}

// A desktop whose icons the test knows: a 10 x 10 one for every item.
struct KnownDesktop : testing_support::RecordingWorkspace {
    std::vector<std::string> askedFiles;
    std::vector<std::string> askedTypes;
    bool haveFileIcons = true;
    std::vector<int> askedSides;
    std::shared_ptr<platform::Image> iconForFile(const std::string& path, int side) override {
        askedFiles.push_back(path);
        askedSides.push_back(side);
        if (!haveFileIcons)
            return nullptr;
        QImage icon(10, 10, QImage::Format_ARGB32);
        icon.fill(Qt::green);
        return std::make_shared<platform::Image>(icon);
    }
    std::shared_ptr<platform::Image> iconForFileType(const std::string& extension, int) override {
        askedTypes.push_back(extension);
        return nullptr;
    }
};

} // namespace

TEST(FSNodeInfo, VisibleEntriesLinksTypesAndPaths) {
    Sandbox box;
    const std::string lib = box.library();
    // Which names are hidden is Layout's test; here, that they are left out.
    for (const char* name : {"backup/x", ".hidden", "Volume/default/Volume1.tif"})
        writeFile(lib + "/" + name, "x");
    ASSERT_EQ(::symlink("Volume", (lib + "/Link").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", (lib + "/Dangling").c_str()), 0);

    auto root = FSNodeInfo::nodeWithParent(nullptr, lib);
    EXPECT_EQ(names(root->subNodes()),
              (std::vector<std::string>{".hidden", "Dangling", "Link", "Volume", "backup"}));
    EXPECT_EQ(names(root->visibleSubNodes()),
              (std::vector<std::string>{"Dangling", "Link", "Volume"}));
    FSNodeInfo volume(root.get(), "Volume");
    FSNodeInfo set(&volume, "default");

    // Link, directory, readable, type.
    const std::tuple<FSNodeInfo, bool, bool, bool, QString> kinds[] = {
        {{root.get(), "Link"}, true, true, true, "Directory"},
        {{root.get(), "Dangling"}, true, false, false, QString()},
        {{root.get(), "Volume"}, false, true, true, "Directory"},
        {{&set, "Volume1.tif"}, false, false, true, QString()},
        {{root.get(), "Missing"}, false, false, false, QString()},
    };
    for (const auto& [node, link, directory, readable, type] : kinds) {
        SCOPED_TRACE(node.lastPathComponent());
        EXPECT_EQ(node.isLink(), link);
        EXPECT_EQ(node.isDirectory(), directory);
        EXPECT_EQ(node.isReadable(), readable);
        EXPECT_EQ(node.fsType(), type);
    }
    // Child paths join with one slash, below the root folder too.
    EXPECT_EQ(set.absolutePath(), lib + "/Volume/default");
    auto slash = FSNodeInfo::nodeWithParent(nullptr, "/");
    EXPECT_EQ(FSNodeInfo(slash.get(), "Users").absolutePath(), "/Users");
}

TEST(FSNodeInfo, InfoFileRewritesTheCallersText) {
    Sandbox box;
    const std::string set = box.library() + "/Clock/Chalk";
    writeFile(set + "/trayskininfo.txt", "Chalk on a board.\n");
    writeFile(set + "/Clock1.tif", "x");
    writeFile(box.library() + "/Clock/Upper/TRAYSKININFO.TXT", "not the info file");
    writeFile(box.library() + "/Clock/Bytes/trayskininfo.txt", "caf\xe9 \xff");
    makeFolders(box.library() + "/Clock/Odd/trayskininfo.txt");

    // Whether the node has one, and the caller's text after: the file's, or
    // empty (a folder of that name is one, with no text to be made of it).
    const std::tuple<std::string, bool, QString> cases[] = {
        {set, true, "Chalk on a board.\n"},
        {box.library() + "/Clock/Upper", false, QString()},
        {set + "/Clock1.tif", false, QString()},
        {box.library() + "/Clock/Odd", true, QString()},
    };
    QString text;
    for (const auto& [path, has, after] : cases) {
        SCOPED_TRACE(path);
        text = "stale";
        EXPECT_EQ(FSNodeInfo::nodeWithParent(nullptr, path)->hasInfoFile(text), has);
        EXPECT_EQ(text, after);
    }
    EXPECT_TRUE(
        FSNodeInfo::nodeWithParent(nullptr, box.library() + "/Clock/Bytes")->hasInfoFile(text));
    EXPECT_TRUE(text.startsWith("caf"));
    EXPECT_TRUE(text.contains(QChar(QChar::ReplacementCharacter)));
}

TEST(FSNodeInfo, IconsFollowTheSizeRule) {
    Sandbox box;
    platform::bundle::setMainBundlePath(TRAYSKIN_TEST_BUNDLE);
    KnownDesktop desktop;
    const std::string dir = box.base() + "/icons";
    writeTiff(dir + "/wide.tif", 32, 20);
    writeTiff(dir + "/Caps.TIF", 20, 20);
    writeFile(dir + "/fake.tif", "not a picture");
    writeFile(dir + "/cut.tif", readFile(dir + "/wide.tif").substr(0, 40));
    makeFolders(dir + "/folder.tif");
    auto node = [&](const char* name) {
        return FSNodeInfo::rootNode(dir + "/" + name, library::isPicture);
    };

    auto wide16 = node("wide.tif")->iconImageOfSize(16, 16);
    ASSERT_TRUE(wide16);
    EXPECT_EQ(wide16->size(), QSizeF(32, 20));
    EXPECT_EQ(node("wide.tif")->iconImageOfSize(64, 64)->size(), QSizeF(64, 64));
    // A name that is no UTF-8 keeps its own picture.
    writeTiff(dir + "/latin1.tif", 12, 12);
    ASSERT_EQ(::rename((dir + "/latin1.tif").c_str(), (dir + "/caf\xe9.tif").c_str()), 0);
    EXPECT_EQ(node("caf\xe9.tif")->iconImageOfSize(16, 16)->pixels().size(), QSize(12, 12));

    // A capitalised extension is no picture: the desktop's icon, grown to 64.
    auto caps = node("Caps.TIF")->iconImageOfSize(64, 64);
    EXPECT_EQ(caps->pixels().size(), QSize(10, 10));
    EXPECT_EQ(caps->size(), QSizeF(64, 64));
    EXPECT_EQ(desktop.askedFiles, std::vector<std::string>{dir + "/Caps.TIF"});
    // Asked for at the size it is shown, not stretched up to it.
    EXPECT_EQ(desktop.askedSides, std::vector<int>{64});

    // Whatever cannot be read as a picture gets the shared default icon at
    // its own size, and the desktop is not asked.
    auto defaultIcon = platform::Image::named(browser::kDefaultIconName);
    ASSERT_TRUE(defaultIcon);
    const QSizeF ownSize = defaultIcon->size();
    for (const char* name : {"fake.tif", "cut.tif", "folder.tif", "gone.tif"}) {
        auto icon = node(name)->iconImageOfSize(256, 256);
        EXPECT_EQ(icon, defaultIcon) << name;
    }
    EXPECT_EQ(defaultIcon->size(), ownSize);
    EXPECT_EQ(desktop.askedFiles.size(), 1u);

    // No desktop icon for the file nor its type: the default icon.
    desktop.haveFileIcons = false;
    EXPECT_EQ(node("notes.txt")->iconImageOfSize(16, 16), defaultIcon);
    EXPECT_EQ(desktop.askedTypes, std::vector<std::string>{"txt"});
}

TEST(FSNodeInfo, ReadsNoMoreThanIsShownAndNeverWaits) {
    Sandbox box;
    platform::bundle::setMainBundlePath(TRAYSKIN_TEST_BUNDLE);
    const std::string dir = box.base() + "/lib";
    auto node = [&](const std::string& name) {
        return FSNodeInfo::rootNode(dir + "/" + name, library::isPicture);
    };
    // A long description: its beginning, more than is shown, no more than
    // that needs (four bytes a character at most).
    writeFile(dir + "/long/trayskininfo.txt", std::string(1 << 20, 'w'));
    const QString text = FSNodeInfo::readInfoText(dir + "/long/trayskininfo.txt");
    EXPECT_GT(text.size(), browser::kInfoTextShownLimit);
    EXPECT_LE(text.size(), 4 * (browser::kInfoTextShownLimit + 1));

    // Pictures are decoded no larger than twice the size asked for, and
    // those of too many pixels not at all; the display size stays their own.
    writeTiff(dir + "/mid.tif", 600, 400, true);
    writeTiff(dir + "/big.tif", 2100, 2100, true);
    const auto mid = node("mid.tif")->iconImageOfSize(16, 16);
    ASSERT_TRUE(mid);
    EXPECT_EQ(mid->pixels().size(), QSize(32, 21));
    EXPECT_EQ(mid->size(), QSizeF(600, 400));
    const auto defaultIcon = platform::Image::named(browser::kDefaultIconName);
    EXPECT_EQ(node("big.tif")->iconImageOfSize(16, 16), defaultIcon);

    // FIFOs, sockets and devices as info files and pictures: nothing waits
    // on them and nothing is read from them.
    for (Special kind : kAllSpecials) {
        SCOPED_TRACE(nameOf(kind));
        const std::string set = dir + "/" + nameOf(kind);
        makeSpecial(kind, set + "/trayskininfo.txt");
        makeSpecial(kind, set + "/x.tif");
        makeSpecial(kind, set + "/x.txt");
        FifoWatchdog watchdog({set});
        QString info = "stale";
        EXPECT_TRUE(FSNodeInfo::nodeWithParent(nullptr, set)->hasInfoFile(info));
        EXPECT_EQ(info, QString());
        EXPECT_EQ(node(std::string(nameOf(kind)) + "/x.tif")->iconImageOfSize(16, 16), defaultIcon);
        EXPECT_TRUE(node(std::string(nameOf(kind)) + "/x.txt")->iconImageOfSize(16, 16));
        EXPECT_FALSE(watchdog.fired());
    }
}
