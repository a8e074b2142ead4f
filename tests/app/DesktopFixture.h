// The program in desktop mode on a theme of a made-up world, started and
// driven through its window.
#pragma once

#include "library/IconThemeSystem.h"
#include "library/SystemChoice.h"
#include "tests/icontheme/ThemeWorld.h"
#include "tests/support/BrowserDriver.h"
#include "tests/support/ControllerFixture.h"

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
    QString inUse() { return part<QLabel>("inUse").text(); }

    ThemeWorld world;
    std::shared_ptr<library::IconThemeSystem> system;
    std::string lines;
};

} // namespace testing_support
