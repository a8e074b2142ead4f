// The program in desktop mode on a theme of a made-up world, started and
// driven through its window.
#pragma once

#include "library/SystemChoice.h"
#include "library/icontheme/IconThemeSystem.h"
#include "tests/icontheme/ThemeWorld.h"
#include "tests/support/BrowserDriver.h"
#include "tests/support/ControllerFixture.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace testing_support {

class DesktopTest : public ControllerFixture {
protected:
    // Starts on the theme, with base directories of the world and then the
    // given system ones.
    void start(const QString& theme, const QStringList& systemBases) {
        icontheme::BaseDirs dirs{
            {world.homeIcons(), world.userIcons()}, world.homeIcons(), world.userIcons()};
        dirs.bases += systemBases;
        system = std::make_shared<library::IconThemeSystem>(dirs, theme, world.root() + "/data");
        pictureSystem = system;
        startShown();
    }

    std::string library() const { return (world.root() + "/data/trayskin").toStdString(); }
    QString overlay(const QString& relative) const {
        return world.userIcons() + "/" + system->theme() + u'/' + relative;
    }
    // Selects the set and uses it; what was printed is kept in lines.
    void use(const std::string& item, const std::string& set) {
        click(browser(), 0, item);
        click(browser(), 1, set);
        ASSERT_TRUE(part<QPushButton>("useButton").isEnabled());
        lines = quietly([&] { controller.useButtonClick(); });
    }
    void put(const std::string& path, const QByteArray& bytes) {
        writeFile(library() + "/" + path, bytes.toStdString());
    }
    // The status bar's answer, once it is there.
    QString inUse() {
        auto& label = part<QLabel>("inUse");
        EXPECT_TRUE(waitUntil(
            [&] {
                QApplication::processEvents();
                return !label.property("pending").toBool();
            },
            std::chrono::seconds(60)));
        return label.text();
    }

    ThemeWorld world;
    std::shared_ptr<library::IconThemeSystem> system;
    std::string lines;
};

// A made-up theme Test with pictures of Volume and Battery, the user's own
// override of one, and a set Mine for each item in the library.
class MadeUpThemeTest : public DesktopTest {
protected:
    void SetUp() override {
        const QString sys = world.systemIcons() + "/Test/";
        ThemeWorld::put(sys, "index.theme",
                        "[Icon Theme]\nName=Test\n"
                        "Directories=16x16/status,24x24/legacy,scalable/status\n"
                        "[16x16/status]\nSize=16\nType=Fixed\n"
                        "[24x24/legacy]\nSize=24\nType=Fixed\n"
                        "[scalable/status]\nSize=16\nMinSize=8\nMaxSize=512\nType=Scalable\n");
        ThemeWorld::put(sys, "16x16/status/audio-volume-high.png", pngBytes(16, 0xff0000));
        ThemeWorld::put(sys, "24x24/legacy/audio-volume-high.png", pngBytes(24, 0xee0000));
        ThemeWorld::put(sys, "scalable/status/audio-volume-high-symbolic.svg", svgBytes(0x333333));
        ThemeWorld::put(sys, "16x16/status/audio-volume-high-symbolic.symbolic.png",
                        pngBytes(16, 0x333333));
        ThemeWorld::put(sys, "24x24/legacy/battery-good.png", pngBytes(24, 0x00aa00));
        ThemeWorld::put(sys, "16x16/status/folder-open.png", pngBytes(16, 0x0000ff));
        // The user's own override, there before Trayskin.
        ThemeWorld::put(world.userIcons(), "Test/24x24/legacy/battery-good.png", mine);

        put("Volume/Mine/audio-volume-high.png", pngBytes(20, 0x0000ff));
        put("Volume/Mine/audio-volume-high-symbolic.svg", svgBytes(0x0000ff));
        put("Volume/Mine/bad name!.png", pngBytes(16, 0));
        put("Volume/Mine/audio-volume-low.svg", pngBytes(16, 0));
        put("Volume/Mine/notes.txt", "notes");
        put("Volume/Mine/folder-open.png", pngBytes(16, 0)); // another item's icon
        put("Volume/Mine/trayskininfo.txt", "Mine.");
        put("Battery/Mine/battery-good.png", pngBytes(24, 0xffff00));
        put("Battery/Mine/trayskininfo.txt", "Yellow.");
        start("Test", {world.systemIcons()});
    }
    bool inOverlay(const char* relative) { return QFileInfo::exists(overlay(relative)); }

    const QByteArray mine = pngBytes(24, 0x00ff00);
};

} // namespace testing_support
