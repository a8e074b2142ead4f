// Desktop mode's Reapply through the window, on a theme that gains a size
// folder after an install.
#include "tests/app/DesktopFixture.h"

#include <QAction>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

TEST_F(DesktopTest, AStartAfterTheThemeGainedASizeOffersReapplyWhichWritesThatSize) {
    world.copy(TRAYSKIN_THEMES "/test-blue");
    start("Test", {world.systemIcons()});
    EXPECT_FALSE(part<QAction>("reapply").isEnabled());
    use("Volume", "Blue");
    EXPECT_TRUE(part<QAction>("reapply").isEnabled());
    EXPECT_TRUE(part<QWidget>("reapplyButton").parentWidget()->isHidden());

    // A package update: the theme gains a 32-pixel folder with the name
    // (what GTK then shows is the command line's reapply row's).
    world.copy(TRAYSKIN_THEMES "/test-grown");

    // The next start says so in its status bar, and Reapply puts the set there.
    AppController again;
    useTheme("Test", {world.systemIcons()});
    startQuietly(again);
    ASSERT_TRUE(exits.empty());
    auto* button = again.mainWindow()->findChild<QWidget*>("reapplyButton");
    auto* line = again.mainWindow()->findChild<QLabel*>("reapplyLine");
    ASSERT_TRUE(button && line);
    EXPECT_FALSE(button->parentWidget()->isHidden());
    EXPECT_TRUE(line->text().endsWith(": Volume: Blue")) << line->text().toStdString();
    const auto before = presenter.alerts.size();
    quietly([&] { again.reapplySets(); });
    ASSERT_EQ(presenter.alerts.size(), before + 1);
    EXPECT_EQ(presenter.alerts.back().title, "Installation Complete");
    EXPECT_TRUE(presenter.alerts.back().message.startsWith("Volume: Blue\n"));
    EXPECT_TRUE(button->parentWidget()->isHidden());
    // Help opens at the page's section about desktop mode.
    again.showHelp();
    EXPECT_EQ(desktop.anchors, std::vector<std::string>{"desktop-mode"});
    EXPECT_NE(readFile(desktop.opened.back()).find("id=\"desktop-mode\""), std::string::npos);
}

} // namespace
