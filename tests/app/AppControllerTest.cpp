#include "app/AppController.h"
#include "platform/core/Bundle.h"
#include "privileged/AuthRunner.h"
#include "tests/support/BrowserDriver.h"
#include "tests/support/ControllerFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <vector>

using namespace testing_support;

using ControllerTest = ControllerFixture;

namespace {

// The backup windows of the controllers made so far: each makes one, hidden
// until a first start needs it.
std::set<QWidget*> backupWindows() {
    std::set<QWidget*> found;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == "BackupWindow")
            found.insert(window);
    return found;
}

// Another controller, with the backup window it made and every value its bar took.
struct Another {
    std::set<QWidget*> before = backupWindows();
    AppController controller;
    QWidget& window = [this]() -> QWidget& {
        for (QWidget* made : backupWindows())
            if (!before.count(made))
                return *made;
        throw std::logic_error("no new backup window");
    }();
    QProgressBar& bar = *window.findChild<QProgressBar*>("backupProgress");
    std::vector<int> seen;
    Another() {
        QObject::connect(&bar, &QProgressBar::valueChanged, &controller,
                         [this](int value) { seen.push_back(value); });
    }
};

} // namespace

TEST_F(ControllerTest, FirstStartPreparesTheLibraryAndALaterOneShowsNoBackup) {
    box.addBundle("Volume", {{"Volume1.tif", "v1"}});
    controller.awakeFromNib(pictureSystem);
    EXPECT_TRUE(presenter.alerts.empty());
    EXPECT_TRUE(exits.empty());
    EXPECT_EQ(browser().numberOfColumns(), 1);
    controller.mainWindow()->show();
    settle(browser());
    // The browser: a quarter of its width per column at least, and its
    // columns named for a screen reader.
    EXPECT_EQ(browser().minColumnWidth(), std::floor(browser().minColumnWidth()));
    EXPECT_GE(browser().minColumnWidth(), 150.0);
    EXPECT_TRUE(part<QTextEdit>("nodeInspector").isReadOnly());
    click(browser(), 0, "Volume");
    click(browser(), 1, "default");
    QStringList columns;
    for (int c = 0; c < browser().numberOfColumns(); ++c)
        columns << QAccessible::queryAccessibleInterface(browser().columnView(c))
                       ->text(QAccessible::Name);
    EXPECT_EQ(columns, (QStringList{"Status Items", "Sets", "Pictures"}));
    // The browser and everything between it and its columns have names.
    std::vector<QAccessibleInterface*> open{QAccessible::queryAccessibleInterface(&browser())};
    int named = 0;
    while (!open.empty()) {
        QAccessibleInterface* part = open.back();
        open.pop_back();
        if (part->role() == QAccessible::List || part->role() == QAccessible::ScrollBar)
            continue;
        EXPECT_FALSE(part->text(QAccessible::Name).isEmpty()) << part->role();
        ++named;
        for (int i = 0; i < part->childCount(); ++i)
            open.push_back(part->child(i));
    }
    EXPECT_GE(named, 3);
    ASSERT_EQ(backupWindows().size(), 1u);
    // A later start shows no backup window.
    Another again;
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&again.bar)->text(QAccessible::Name),
              "Backup progress");
    startQuietly(again.controller);
    EXPECT_TRUE(again.seen.empty());
    EXPECT_FALSE(again.window.isVisible());
    EXPECT_TRUE(exits.empty());
}

// The empty inspector says what to do; Reload leaves nothing selected and
// nothing of the old selection shown, as a click on no row does.
TEST_F(ControllerTest, ReloadShowsNothingOfTheOldSelectionAndClosingQuits) {
    box.addBundle("Volume", {{"Volume1.tif", "v1"}});
    startShown();
    auto& inspector = part<QTextEdit>("nodeInspector");
    EXPECT_TRUE(inspector.toPlainText().isEmpty());
    EXPECT_FALSE(inspector.placeholderText().isEmpty());
    click(browser(), 0, "Volume");
    click(browser(), 1, "default");
    click(browser(), 2, "Volume1.tif");
    ASSERT_FALSE(part<QLabel>("nodeIconWell").pixmap().isNull());
    ASSERT_FALSE(part<QLabel>("setPreview").pixmap().isNull());
    controller.reloadData();
    EXPECT_EQ(browser().path(), "/");
    EXPECT_EQ(inspector.toPlainText(), platform::bundle::localizedString("No Selection"));
    EXPECT_TRUE(part<QLabel>("nodeIconWell").pixmap().isNull());
    EXPECT_TRUE(part<QLabel>("setPreview").pixmap().isNull());

    // Closing the window quits like Quit: the authorization is gone, the
    // runner has none to ask with.
    controller.mainWindow()->close();
    EXPECT_EQ(exits, std::vector<int>{0});
    OSStatus status = 0;
    quietly([&] { status = privileged::authmain("/a.tif", "/b.tif"); });
    EXPECT_EQ(status, errAuthorizationInvalidRef);
}

TEST_F(ControllerTest, AnExampleFailureEndsTheStartAndUntranslatedLanguagesShowTheKeys) {
    // A bundle whose example tree cannot go in: the user has a file where an
    // example extra's folder belongs.
    const std::string bundle = box.base() + "/Other.app";
    writeFile(bundle + "/Contents/Resources/included/Clock/Chalk/Clock1.tif", "c");
    platform::bundle::setMainBundlePath(bundle);
    writeFile(box.library() + "/Clock", "mine");

    EXPECT_EQ(startQuietly(controller), "Problem including examples!\n");
    ASSERT_EQ(presenter.alerts.size(), 1u);
    EXPECT_EQ(presenter.alerts[0].message, "Bad copy");
    EXPECT_EQ(exits, std::vector<int>{0});
    EXPECT_EQ(readFile(box.library() + "/Clock"), "mine");

    // Every other language shows the keys.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    platform::bundle::setMainBundlePath(TRAYSKIN_TEST_BUNDLE);
    EXPECT_FALSE(platform::bundle::loadTranslations());
    EXPECT_EQ(platform::bundle::localizedString("My Apologies"), "My Apologies");
}

TEST_F(ControllerTest, HelpOpensTheBundledPageAndAboutNamesTheVersion) {
    const std::string resources = TRAYSKIN_TEST_BUNDLE "/Contents/Resources/";
    startShown();
    controller.showHelp();
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], resources + "ReadMe.html");

    // A bundle without the page: nothing happens, nothing is said.
    platform::bundle::setMainBundlePath(box.base() + "/Empty.app");
    controller.showHelp();
    EXPECT_EQ(desktop.opened.size(), 1u);
    EXPECT_TRUE(presenter.alerts.empty());

    EXPECT_TRUE(statusLine().isEmpty());

    // The page in the user's language, where the bundle has one.
    platform::bundle::setMainBundlePath(TRAYSKIN_TEST_BUNDLE);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    controller.showHelp();
    ASSERT_EQ(desktop.opened.size(), 2u);
    EXPECT_EQ(desktop.opened[1], resources + "de.lproj/ReadMe.html");
    QLocale::setDefault(QLocale::c());

    // An opener that fails after it started, or none at all: the status
    // bar says so, until the next action.
    const QString cannotOpen = QStringLiteral("The help page could not be opened: ReadMe.html");
    ASSERT_EQ(desktop.openFailures.size(), 2u);
    desktop.openFailures.front()();
    EXPECT_EQ(statusLine(), cannotOpen);
    // Drawn where it can be read, not left without room by the other lines
    // (the status bar has no other text here).
    controller.mainWindow()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(controller.mainWindow()));
    const auto textPixels = [&] {
        const QImage bar = controller.mainWindow()->statusBar()->grab().toImage();
        int dark = 0;
        for (int y = 0; y < bar.height(); ++y)
            for (int x = 0; x < bar.width() / 2; ++x)
                dark += qGray(bar.pixel(x, y)) < 100;
        return dark;
    };
    EXPECT_GT(textPixels(), 50);
    // About clears it; it names the version, the licence and the web address.
    controller.showAbout();
    EXPECT_TRUE(statusLine().isEmpty());
    EXPECT_EQ(textPixels(), 0);
    ASSERT_EQ(alertTitles(), QStringList{"About Trayskin"});
    const QString about = presenter.alerts[0].message;
    EXPECT_TRUE(about.startsWith(QStringLiteral("Trayskin " TRAYSKIN_VERSION "\n")));
    EXPECT_TRUE(about.contains("MIT License") && about.contains(TRAYSKIN_HOMEPAGE))
        << about.toStdString();
    EXPECT_EQ(presenter.alerts[0].button, "OK");
    desktop.opens = false;
    controller.showHelp();
    EXPECT_EQ(statusLine(), cannotOpen);
    controller.reloadData();
    EXPECT_TRUE(statusLine().isEmpty());
}

TEST_F(ControllerTest, TheBarStepsWithEachEntryWhileShownAndNeverPassesItsEnd) {
    // Each entry adds 100 / n, from 5, then 100 as the window goes: past 100
    // for a few entries (held at 100), nothing at all for more than 100
    // (held at 5 until the end).
    for (const int n : {3, 30, 101}) {
        SCOPED_TRACE(n);
        Sandbox world;
        for (int i = 0; i < n; ++i)
            writeFile(world.menuExtras() + "/Entry" + std::to_string(1000 + i), "x");
        Another fresh;
        QObject::connect(&fresh.bar, &QProgressBar::valueChanged, &fresh.controller,
                         [&](int value) { EXPECT_TRUE(fresh.window.isVisible()) << value; });
        startQuietly(fresh.controller);
        std::vector<int> expected{5};
        for (int i = 1; i <= n && 100 / n; ++i)
            expected.push_back(std::min(100, 5 + 100 / n * i));
        if (expected.back() != 100)
            expected.push_back(100);
        EXPECT_EQ(fresh.seen, expected);
        EXPECT_FALSE(fresh.window.isVisible());
    }
    // A one-entry backup that fails: the window stays with the bar at its
    // end, where the step of 100 took it.
    {
        Sandbox world;
        makeSocket(world.menuExtras() + "/Broken");
        Another failing;
        startQuietly(failing.controller);
        EXPECT_TRUE(failing.window.isVisible());
        EXPECT_EQ(failing.bar.value(), 100);
        EXPECT_EQ(exits, std::vector<int>{0});
        exits.clear();
    }
}

TEST_F(ControllerTest, AnUncopyableEntryFailsTheFirstStartOnlyAndIsNamedAfter) {
    box.addBundle("Volume", {{"Volume1.tif", "v1"}});
    makeSocket(box.menuExtras() + "/Broken");

    EXPECT_EQ(startQuietly(controller), "Problem setting up home folder!\n");
    ASSERT_EQ(presenter.alerts.size(), 1u);
    EXPECT_EQ(presenter.alerts[0].message, "Bad setup prefs");
    EXPECT_EQ(exits, std::vector<int>{0});

    for (int again = 2; again <= 3; ++again) {
        SCOPED_TRACE(again);
        Another another;
        AppController& later = another.controller;
        EXPECT_EQ(startQuietly(later), "Backup not complete: could not copy Broken\n");
        EXPECT_FALSE(another.window.isVisible());
        EXPECT_EQ(exits, std::vector<int>{0});  // this start did not end
        EXPECT_EQ(presenter.alerts.size(), 1u); // no new alert
        // The window is ready (the examples, the browser) and says what is missing.
        EXPECT_FALSE(readFile(box.library() + "/Battery/Leaf/trayskininfo.txt").empty());
        const auto* laterBrowser =
            later.mainWindow()->findChild<platform::ColumnBrowser*>("fsBrowser");
        EXPECT_EQ(laterBrowser->numberOfColumns(), 1);
        EXPECT_EQ(later.mainWindow()->statusBar()->currentMessage(),
                  "Backup not complete, tried again at the next start: Broken");
    }
}
