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
    // The system on the theme, with base directories of the world and then
    // the given system ones; a start starts on it.
    void useTheme(const QString& theme, const QStringList& systemBases) {
        icontheme::BaseDirs dirs{
            {world.homeIcons(), world.userIcons()}, world.homeIcons(), world.userIcons()};
        dirs.bases += systemBases;
        system = std::make_shared<library::IconThemeSystem>(dirs, theme, world.root() + "/data");
        pictureSystem = system;
    }
    void start(const QString& theme, const QStringList& systemBases) {
        useTheme(theme, systemBases);
        startShown();
    }

    std::string library() const { return (world.root() + "/data/trayskin").toStdString(); }
    QString overlay(const QString& relative) const {
        return world.userIcons() + "/" + system->theme() + u'/' + relative;
    }
    // Clicks each title of the path in its column.
    void open(const std::vector<std::string>& path) {
        for (std::size_t column = 0; column < path.size(); ++column)
            click(browser(), static_cast<int>(column), path[column]);
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
// override of one, and a set Mine for each item in the library
// (tests/icontheme/themes/made-up).
class MadeUpThemeTest : public DesktopTest {
protected:
    void SetUp() override {
        world.copy(TRAYSKIN_THEMES "/made-up");
        mine = ThemeWorld::get(world.userIcons() + "/Test/24x24/legacy/battery-good.png");
        start("Test", {world.systemIcons()});
    }
    bool inOverlay(const char* relative) { return QFileInfo::exists(overlay(relative)); }
    QByteArray theme(const QString& relative) const {
        return ThemeWorld::get(world.systemIcons() + "/Test/" + relative);
    }

    QByteArray mine; // the user's own override
};

} // namespace testing_support
