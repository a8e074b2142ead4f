// Desktop mode's first start makes the items' default sets on several
// threads: an item that cannot be made is reported, the others are made
// whole anyway, and the next start makes the one that was missing.
#include "library/IconThemeSystem.h"
#include "platform/core/FileManager.h"
#include "tests/icontheme/ThemeWorld.h"
#include "tests/library/NoProgress.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <set>
#include <string>
#include <unistd.h>

using testing_support::NoProgress;
using testing_support::pngBytes;
using testing_support::svgBytes;
using testing_support::ThemeWorld;

namespace {

TEST(DesktopStart, EveryItemIsMadeWholeAndTheFirstFailureInTheItemsOrderIsReported) {
    ThemeWorld world;
    ThemeWorld::put(world.systemIcons(), "Made/index.theme",
                    "[Icon Theme]\nDirectories=24x24/status,scalable/status\n"
                    "[24x24/status]\nSize=24\nType=Fixed\n"
                    "[scalable/status]\nSize=16\nType=Scalable\n");
    // Eight items of three pictures each, in PNG and SVG.
    const char* const icons[] = {"audio-volume-",       "battery-",
                                 "network-wired-",      "bluetooth-",
                                 "display-brightness-", "microphone-sensitivity-",
                                 "night-light-",        "airplane-mode-"};
    std::map<std::string, std::string> expected; // library path -> bytes
    unsigned colour = 1;
    for (const char* prefix : icons) {
        for (const char* state : {"low", "high"}) {
            const QString name = QString::fromLatin1(prefix) + QString::fromLatin1(state);
            const QByteArray png = pngBytes(24, ++colour);
            ThemeWorld::put(world.systemIcons(), "Made/24x24/status/" + name + ".png", png);
            const QByteArray svg = svgBytes(++colour);
            ThemeWorld::put(world.systemIcons(), "Made/scalable/status/" + name + "-symbolic.svg",
                            svg);
            expected[name.toStdString() + ".png"] = png.toStdString();
            expected[name.toStdString() + "-symbolic.svg"] = svg.toStdString();
        }
    }
    const icontheme::BaseDirs dirs{world.bases(), world.homeIcons(), world.userIcons()};
    const QString data = world.root() + "/data";
    const std::string library = data.toStdString() + "/trayskin";
    // Two items cannot be made: a plain file holds each one's folder name.
    ThemeWorld::put(data, "trayskin/Bluetooth", "not a folder");
    ThemeWorld::put(data, "trayskin/Volume", "not a folder");

    NoProgress progress;
    library::SetupReport report;
    library::IconThemeSystem system(dirs, "Made", data);
    EXPECT_FALSE(system.setupLibrary(progress, &report));
    EXPECT_EQ(report.failedPath, library + "/Bluetooth/default");
    EXPECT_EQ(report.failedError, ENOTDIR);

    // Every other item's set is there, whole, with no file of another item's.
    const auto check = [&](const std::set<std::string>& missing) {
        const std::vector<std::string> titles = system.items();
        EXPECT_EQ(titles.size(), std::size(icons));
        for (const std::string& title : titles) {
            SCOPED_TRACE(title);
            const std::string set = library + "/" + title + "/default";
            if (missing.count(title)) {
                EXPECT_FALSE(platform::fs::isDirectory(set));
                continue;
            }
            auto files = testing_support::snapshot(set);
            EXPECT_NE(files["trayskininfo.txt"].find("icon theme Made"), std::string::npos);
            files.erase("trayskininfo.txt");
            EXPECT_EQ(files.size(), 4u);
            for (const auto& [name, bytes] : files)
                EXPECT_EQ("f:" + expected.at(name), bytes) << name;
        }
    };
    check({"Bluetooth", "Volume"});

    ASSERT_EQ(::unlink((library + "/Bluetooth").c_str()), 0);
    ASSERT_EQ(::unlink((library + "/Volume").c_str()), 0);
    library::SetupReport again;
    EXPECT_TRUE(system.setupLibrary(progress, &again)) << again.failedPath;
    check({});
    // Nothing is left in the work folder of the failed start.
    EXPECT_TRUE(platform::fs::listFolder(library + "/.trayskin-work").empty());
}

} // namespace
