// status in desktop mode keeps its answer between runs: given again while
// nothing it was worked out from changed, worked out again (and then the
// same as a fresh reading) after any change, however it was made.
#include "library/icontheme/IconThemeSystem.h"
#include "tests/icontheme/ThemeWorld.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <thread>

using testing_support::pngBytes;
using testing_support::ThemeWorld;

namespace {

struct StatusWorld {
    ThemeWorld world;
    icontheme::BaseDirs dirs{world.bases(), world.homeIcons(), world.userIcons()};
    QString data = world.root() + "/data";
    QString theirs = world.systemIcons() + "/Made/24x24/legacy/audio-volume-high.png";
    QString mine = data + "/trayskin/Volume/Mine/audio-volume-high.png";
    QString overlay = world.userIcons() + "/Made/24x24/legacy/audio-volume-high.png";

    StatusWorld() {
        world.copy(TRAYSKIN_THEMES "/own");
        ThemeWorld::put(data, "trayskin/Volume/Mine/trayskininfo.txt", "mine");
        ThemeWorld::put(data, "trayskin/Volume/Blue/trayskininfo.txt", "blue");
        ThemeWorld::put(data, "trayskin/Volume/Mine/audio-volume-high.png",
                        ThemeWorld::get(theirs));
        ThemeWorld::put(data, "trayskin/Volume/Blue/audio-volume-high.png", pngBytes(24, 0xff));
    }
    library::IconThemeSystem system() { return {dirs, "Made", data}; }
    // Waits for the clock to pass the tick (100 ms on this file system) in
    // which a stamp of what was just changed is not yet trusted.
    static void settle() {
        const auto settled = std::chrono::system_clock::now() + std::chrono::milliseconds(150);
        while (std::chrono::system_clock::now() < settled)
            std::this_thread::sleep_for(std::chrono::milliseconds(10)); // polling interval only
    }
};

// Rewrites a file in place, one byte changed, and sets its time back.
void rewriteInPlace(const QString& path) {
    QByteArray bytes = ThemeWorld::get(path);
    bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 0x55);
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_EQ(file.write(bytes), bytes.size());
    file.close();
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

std::vector<std::pair<std::string, library::InUse::Kind>>
kinds(const std::vector<library::ItemInUse>& answer) {
    std::vector<std::pair<std::string, library::InUse::Kind>> out;
    for (const auto& [item, inUse] : answer)
        out.emplace_back(item + ":" + inUse.set, inUse.kind);
    return out;
}

TEST(StatusMemo, TheKeptAnswerIsGivenOnlyWhileEverythingItWasWorkedOutFromHolds) {
    struct Case {
        const char* what;
        bool installBlue;
        std::function<void(StatusWorld&)> change;
        bool settled; // nothing had changed for a tick when the answer was kept
        bool kept;
    };
    const Case cases[] = {
        {"nothing changed", false, [](StatusWorld&) {}, true, true},
        {"nothing changed since the install", true, [](StatusWorld&) {}, true, true},
        {"a set's picture rewritten in place, its time set back", false,
         [](StatusWorld& w) { rewriteInPlace(w.mine); }, true, false},
        {"the installed picture rewritten in place, its time set back", true,
         [](StatusWorld& w) { rewriteInPlace(w.overlay); }, true, false},
        {"a set added", false,
         [](StatusWorld& w) {
             ThemeWorld::put(w.data, "trayskin/Volume/Copy/audio-volume-high.png",
                             ThemeWorld::get(w.theirs));
         },
         true, false},
        {"the theme gains a folder", false,
         [](StatusWorld& w) {
             ThemeWorld::put(w.world.systemIcons(), "Made/32x32/legacy/audio-volume-high.png",
                             pngBytes(32, 0xff00));
         },
         true, false},
        {"kept in the tick of a change", false, [](StatusWorld&) {}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StatusWorld w;
        if (c.installBlue) {
            ASSERT_TRUE(w.system().install("Volume", "Blue").done);
        }
        testing_support::age(w.world.root());
        if (c.settled)
            w.settle();
        const auto first = w.system().itemsInUse();
        ASSERT_EQ(kinds(first), kinds(w.system().library::PictureSystem::itemsInUse()));
        c.change(w);
        w.settle();
        library::IconThemeSystem system = w.system();
        const auto again = system.itemsInUse();
        EXPECT_EQ(system.themeReads() == 0, c.kept);
        // Kept or not, what a fresh reading says.
        EXPECT_EQ(kinds(again), kinds(w.system().library::PictureSystem::itemsInUse()));
        if (c.kept) {
            EXPECT_EQ(kinds(again), kinds(first));
        }
    }
}

} // namespace
