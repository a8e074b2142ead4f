#include "app/AppController.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "tests/support/BrowserDriver.h"
#include "tests/support/ControllerFixture.h"
#include "tests/support/TiffFiles.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTextEdit>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testing_support;

namespace {

int copies(const std::string& out) {
    int n = 0;
    for (auto at = out.find("copy\n"); at != std::string::npos; at = out.find("copy\n", at + 1))
        ++n;
    return n;
}

// The started program in a sandbox with the real privileged tool.
class InstallTest : public ControllerFixture {
protected:
    void SetUp() override {
        box.addBundle("Volume", {{"Volume1.tif", tiffBytes("sys1")},
                                 {"Volume2.tiff", tiffBytes("sys2")},
                                 {"Volume3.tif", tiffBytes("sys3")},
                                 {"Volume1.TIF", "sysBig"}});
        box.addBundle("Eject", {{"Eject1.tif", tiffBytes("e1")}});
        makeFolders(box.sysroot() + "/System/Library/PreferencePanes/Sound.prefPane");
        const std::string lib = box.library();
        writeFile(lib + "/Volume/Mine/Volume1.tif", tiffBytes("mine1"));
        writeFile(lib + "/Volume/Mine/Volume2.tiff", tiffBytes("mine2"));
        writeFile(lib + "/Volume/Mine/Volume1.TIF", "not a picture");
        writeFile(lib + "/Volume/Mine/Volume1.tif.bak", "not a picture");
        writeFile(lib + "/Volume/Mine/notes.txt", "notes");
        writeFile(lib + "/Volume/Mine/trayskininfo.txt", "My own set.");
        writeFile(lib + "/Volume/Three/Volume1.tif", tiffBytes("t1"));
        writeFile(lib + "/Volume/Three/Volume2.tiff", tiffBytes("t2"));
        writeFile(lib + "/Volume/Three/Volume3.tif", tiffBytes("t3"));
        writeFile(lib + "/Volume/Three/trayskininfo.txt", "Three pictures.");
        writeFile(lib + "/Volume/Empty/trayskininfo.txt", "No pictures.");
        writeFile(lib + "/Eject/Plain/Eject1.tif", tiffBytes("plain eject"));
        writeFile(lib + "/Eject/Plain/trayskininfo.txt", "An eject set.");
        writeFile(lib + "/Eject/Bad/Eject1.tif", "not a TIFF picture");
        writeFile(lib + "/Eject/Bad/trayskininfo.txt", "A set that cannot be used.");
        // An item whose bundle is not installed.
        writeFile(lib + "/Gone/Mine/Gone1.tif", tiffBytes("gone"));
        writeFile(lib + "/Gone/Mine/trayskininfo.txt", "For a Menu Extra that is not there.");
        startShown();
    }

    // Selects the set and presses the use button; returns standard output.
    std::string install(const std::string& extra, const std::string& set) {
        click(browser(), 0, extra);
        click(browser(), 1, set);
        EXPECT_TRUE(part<QPushButton>("useButton").isEnabled());
        return quietly([&] { pressUse(); });
    }
    QString inUse() { return part<QLabel>("inUse").text(); }
    std::string target(const std::string& extra, const std::string& name) {
        return box.menuExtras() + "/" + extra + ".menu/Contents/Resources/" + name;
    }
    std::string bundlePicture(const std::string& extra, const std::string& name) {
        return readFile(target(extra, name));
    }
    // The number of copies the command makes.
    int copiesOf(const std::function<void()>& command) { return copies(quietly(command)); }
    void pressUse() { QTest::mouseClick(&part<QPushButton>("useButton"), Qt::LeftButton); }
};

} // namespace

TEST_F(InstallTest, InstallsExactlyThePicturesOfTheSetAndOpensThePane) {
    const auto libraryBefore = snapshot(box.library());
    const std::string out = install("Volume", "Mine");
    EXPECT_EQ(copies(out), 2);
    EXPECT_EQ(bundlePicture("Volume", "Volume1.tif"), tiffBytes("mine1"));
    EXPECT_EQ(bundlePicture("Volume", "Volume2.tiff"), tiffBytes("mine2"));
    EXPECT_EQ(bundlePicture("Volume", "Volume1.TIF"), "sysBig");
    EXPECT_EQ(bundlePicture("Volume", "Volume3.tif"), tiffBytes("sys3"));
    EXPECT_FALSE(platform::fs::exists(target("Volume", "notes.txt")));
    EXPECT_FALSE(platform::fs::exists(target("Volume", "trayskininfo.txt")));

    ASSERT_EQ(alertTitles(), QStringList{QStringLiteral("Installation Complete")});
    EXPECT_EQ(presenter.alerts[0].message, QStringLiteral("Need restart Sound"));
    EXPECT_EQ(presenter.alerts[0].button, QStringLiteral("Open System Preferences"));
    EXPECT_EQ(
        desktop.opened,
        std::vector<std::string>{box.sysroot() + "/System/Library/PreferencePanes/Sound.prefPane"});
    EXPECT_TRUE(desktop.launched.empty());
    // Nothing was written into the library; the browser was not reloaded.
    EXPECT_EQ(snapshot(box.library()), libraryBefore);
    EXPECT_EQ(browser().path(), "/Volume/Mine");
}

TEST_F(InstallTest, AFailedPictureStopsTheInstall) {
    // The bundle's second picture is a folder: the tool cannot replace it.
    ::unlink(target("Volume", "Volume2.tiff").c_str());
    makeFolders(target("Volume", "Volume2.tiff"));
    const std::string out = install("Volume", "Three");
    EXPECT_EQ(copies(out), 2);
    EXPECT_NE(out.find("copy problem!  err is 63\n"), std::string::npos) << out;
    EXPECT_EQ(bundlePicture("Volume", "Volume1.tif"), tiffBytes("t1"));
    EXPECT_EQ(bundlePicture("Volume", "Volume3.tif"), tiffBytes("sys3"));
    ASSERT_EQ(alertTitles(), QStringList{QStringLiteral("My Apologies")});
    EXPECT_EQ(presenter.alerts[0].button, QStringLiteral("OK"));
    EXPECT_EQ(presenter.alerts[0].message,
              QStringLiteral("Wrong Password (") +
                  QString::fromStdString(box.library() + "/Volume/Three/Volume2.tiff") +
                  QStringLiteral(" to ") +
                  QString::fromStdString(target("Volume", "Volume2.tiff")) + QLatin1Char(')'));
    // Beneath it, and in the status bar until the next action, the cause.
    EXPECT_EQ(presenter.alerts[0].detail,
              QStringLiteral("The picture to replace is not a plain file."));
    EXPECT_EQ(statusLine(), presenter.alerts[0].detail);
    EXPECT_TRUE(desktop.opened.empty() && desktop.launched.empty());
    click(browser(), 2, "Volume1.tif");
    EXPECT_TRUE(statusLine().isEmpty());
}

TEST_F(InstallTest, AnItemWithoutBundleIsSaidBeforeAndAfterUse) {
    click(browser(), 0, "Gone");
    EXPECT_EQ(inUse(), QStringLiteral("No Menu Extra of this name is installed."));
    click(browser(), 1, "Mine");
    EXPECT_EQ(inUse(), QStringLiteral("No Menu Extra of this name is installed."));
    install("Gone", "Mine");
    ASSERT_EQ(presenter.alerts.size(), 1u);
    EXPECT_TRUE(presenter.alerts[0].message.startsWith(QStringLiteral("Wrong Password (")));
    EXPECT_EQ(presenter.alerts[0].detail,
              QStringLiteral(
                  "The Menu Extra or its picture is not installed, or is reached through a link."));
}

TEST_F(InstallTest, WithATableAnExtraWithoutPaneHasASentenceOfItsOwn) {
    // (How the table's sentence places a pane's name is read end to end.)
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_TRUE(platform::bundle::loadTranslations());
    install("Eject", "Plain");
    ASSERT_EQ(presenter.alerts.size(), 1u);
    EXPECT_EQ(presenter.alerts[0].message,
              platform::bundle::localizedString("Need restart, no settings pane"));
}

TEST_F(InstallTest, ASetOfLinksInstallsThePicturesTheyPointTo) {
    // The way back to the system's pictures: a default set whose pictures are
    // links (as a bundle's links are copied) installs what they point to.
    const std::string lib = box.library();
    writeFile(box.base() + "/originals/Volume1.tif", tiffBytes("original one"));
    makeFolders(lib + "/Volume/Linked");
    ASSERT_EQ(::symlink((box.base() + "/originals/Volume1.tif").c_str(),
                        (lib + "/Volume/Linked/Volume1.tif").c_str()),
              0);
    ASSERT_EQ(::symlink("../Mine/Volume2.tiff", (lib + "/Volume/Linked/Volume2.tiff").c_str()), 0);
    writeFile(lib + "/Volume/Linked/trayskininfo.txt", "Links.");
    reload();
    const std::string out = install("Volume", "Linked");
    EXPECT_EQ(copies(out), 2);
    EXPECT_EQ(bundlePicture("Volume", "Volume1.tif"), tiffBytes("original one"));
    EXPECT_EQ(bundlePicture("Volume", "Volume2.tiff"), tiffBytes("mine2"));
    ASSERT_EQ(alertTitles(), QStringList{QStringLiteral("Installation Complete")});
}

TEST_F(InstallTest, UnknownExtrasEmptySetsAndAMissingTool) {
    install("Eject", "Plain");
    EXPECT_EQ(bundlePicture("Eject", "Eject1.tif"), tiffBytes("plain eject"));
    ASSERT_EQ(presenter.alerts.size(), 1u);
    EXPECT_EQ(presenter.alerts[0].message, QStringLiteral("Need restart "));
    EXPECT_EQ(desktop.launched, std::vector<std::string>{"System Preferences"});
    // Nothing of that name could be started: the status bar says so.
    EXPECT_EQ(statusLine(),
              QStringLiteral("This application could not be started: System Preferences"));

    // A set without pictures shows no rows, so the button keeps the state the
    // set shown before it left.
    click(browser(), 0, "Volume");
    click(browser(), 1, "Mine");
    click(browser(), 1, "Empty");
    ASSERT_TRUE(part<QPushButton>("useButton").isEnabled());
    EXPECT_EQ(copiesOf([&] { pressUse(); }), 0);
    ASSERT_EQ(presenter.alerts.size(), 2u);
    EXPECT_EQ(presenter.alerts[1].title, QStringLiteral("Installation Complete"));

    // The set folder vanished after it was selected.
    click(browser(), 0, "Volume");
    click(browser(), 1, "Three");
    ASSERT_EQ(std::system(("rm -rf '" + box.library() + "/Volume/Three'").c_str()), 0);
    EXPECT_EQ(copiesOf([&] { controller.useButtonClick(); }), 0);
    EXPECT_EQ(presenter.alerts.size(), 3u);

    // Without the tool the first picture fails.
    const std::string toolless = box.base() + "/NoTool.app";
    makeFolders(toolless + "/Contents/Resources");
    platform::bundle::setMainBundlePath(toolless);
    const std::string out = install("Volume", "Mine");
    EXPECT_EQ(copies(out), 1);
    ASSERT_EQ(presenter.alerts.size(), 4u);
    EXPECT_TRUE(presenter.alerts[3].message.startsWith(QStringLiteral("Wrong Password (")));

    // Nothing selected in the second column: nothing happens.
    reload();
    click(browser(), 0, "Volume");
    controller.useButtonClick();
    EXPECT_EQ(presenter.alerts.size(), 4u);
}

TEST_F(InstallTest, RestorePutsTheOriginalsBackAndTheStatusBarNamesTheSetInUse) {
    click(browser(), 0, "Volume");
    EXPECT_TRUE(part<QAction>("actionRestore").isEnabled());
    EXPECT_EQ(inUse(), QStringLiteral("In use: default"));
    // An untouched item: nothing to put back, no tool run, no pane.
    EXPECT_EQ(copiesOf([&] { controller.restoreOriginalPictures(); }), 0);
    ASSERT_EQ(presenter.alerts.size(), 1u);
    EXPECT_EQ(presenter.alerts[0].message, QStringLiteral("Nothing needed restoring"));
    EXPECT_EQ(presenter.alerts[0].button, QStringLiteral("OK"));
    EXPECT_TRUE(desktop.opened.empty() && desktop.launched.empty());

    install("Volume", "Mine");
    EXPECT_EQ(inUse(), QStringLiteral("In use: Mine"));
    click(browser(), 0, "Volume");
    // Only the two pictures that differ go back, through the tool.
    EXPECT_EQ(copiesOf([&] { controller.restoreOriginalPictures(); }), 2);
    const std::string backup = box.library() + "/backup/Volume.menu/Contents/Resources/";
    for (const char* name : {"Volume1.tif", "Volume2.tiff", "Volume3.tif"})
        EXPECT_EQ(bundlePicture("Volume", name), readFile(backup + name)) << name;
    EXPECT_EQ(inUse(), QStringLiteral("In use: default"));

    // A bundle that shows pictures of two sets, then one no set holds.
    writeFile(target("Volume", "Volume1.tif"), tiffBytes("t1"));
    writeFile(target("Volume", "Volume2.tiff"), tiffBytes("mine2"));
    click(browser(), 0, "Eject");
    click(browser(), 0, "Volume");
    EXPECT_EQ(inUse(), QStringLiteral("In use: a mix of sets"));
    writeFile(target("Volume", "Volume3.tif"), tiffBytes("nobody's"));
    click(browser(), 0, "Eject");
    click(browser(), 0, "Volume");
    EXPECT_EQ(inUse(), QStringLiteral("In use: pictures that no set holds"));

    // Restore All puts back every installed extra's pictures.
    writeFile(target("Eject", "Eject1.tif"), tiffBytes("changed"));
    EXPECT_EQ(copiesOf([&] { controller.restoreAllOriginalPictures(); }), 4);
    EXPECT_EQ(presenter.alerts.back().message,
              QStringLiteral("The menu items must be restarted to show their original pictures."));
    EXPECT_EQ(bundlePicture("Eject", "Eject1.tif"),
              readFile(box.library() + "/backup/Eject.menu/Contents/"
                                       "Resources/Eject1.tif"));
    for (const char* name : {"Volume1.tif", "Volume2.tiff", "Volume3.tif"})
        EXPECT_EQ(bundlePicture("Volume", name), readFile(backup + name))
            << name; // Again: nothing differs, and that is said.
    EXPECT_EQ(copiesOf([&] { controller.restoreAllOriginalPictures(); }), 0);
    EXPECT_EQ(presenter.alerts.back().message, QStringLiteral("Nothing needed restoring"));
}

TEST_F(InstallTest, RestoreWithoutACompleteBackupCopiesNothingAndSaysSo) {
    install("Volume", "Mine");
    const std::string lib = box.library();
    ASSERT_EQ(::rename((lib + "/backup").c_str(), (lib + "/.backup-staging").c_str()), 0);
    click(browser(), 0, "Volume");
    const std::size_t before = presenter.alerts.size();
    EXPECT_EQ(copiesOf([&] { controller.restoreOriginalPictures(); }), 0);
    EXPECT_EQ(copiesOf([&] { controller.restoreAllOriginalPictures(); }), 0);
    ASSERT_EQ(presenter.alerts.size(), before + 2);
    EXPECT_EQ(presenter.alerts[before].title, QStringLiteral("Nothing Restored"));
    EXPECT_EQ(presenter.alerts[before].message,
              QStringLiteral("The backup of the Menu Extras folder is not complete yet."));
    EXPECT_EQ(bundlePicture("Volume", "Volume1.tif"), tiffBytes("mine1"));

    ASSERT_EQ(std::system(("rm -rf '" + lib + "/.backup-staging'").c_str()), 0);
    controller.restoreOriginalPictures();
    EXPECT_EQ(presenter.alerts.back().message,
              QStringLiteral("There is no backup of the Menu Extras folder yet."));
    EXPECT_EQ(bundlePicture("Volume", "Volume1.tif"), tiffBytes("mine1"));

    // Nothing selected: the command is not offered.
    reload();
    click(browser(), 0, "Volume");
    QTest::mouseClick(browser().columnView(0)->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(10, 400));
    EXPECT_FALSE(part<QAction>("actionRestore").isEnabled());
}

TEST_F(InstallTest, TheKeyboardReachesTheButtonAndTheMenuItemFollowsIt) {
    QMainWindow& window = *controller.mainWindow();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QPushButton& button = part<QPushButton>("useButton");
    QAction& item = part<QAction>("actionUse");
    EXPECT_FALSE(item.isEnabled());
    EXPECT_EQ(QKeySequence::mnemonic(button.text()), QKeySequence(Qt::ALT | Qt::Key_U));
    EXPECT_FALSE(item.shortcut().isEmpty());

    click(browser(), 0, "Volume");
    click(browser(), 1, "Mine");
    ASSERT_TRUE(button.isEnabled());
    EXPECT_TRUE(item.isEnabled());
    // Tab: browser, inspector, button; Shift+Tab back the same way.
    QWidget* column = QApplication::focusWidget();
    ASSERT_TRUE(browser().isAncestorOf(column));
    QTest::keyClick(column, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(),
              static_cast<QWidget*>(&part<QTextEdit>("nodeInspector")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(&button));
    QTest::keyClick(&button, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(),
              static_cast<QWidget*>(&part<QTextEdit>("nodeInspector")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), column);

    // The menu item installs what the button would.
    EXPECT_EQ(copiesOf([&] { item.trigger(); }), 2);
    EXPECT_EQ(bundlePicture("Volume", "Volume1.tif"), tiffBytes("mine1"));
    // A column without an info file disables both.
    click(browser(), 0, "Eject");
    EXPECT_FALSE(button.isEnabled());
    EXPECT_FALSE(item.isEnabled());
    EXPECT_EQ(copiesOf([&] { item.trigger(); }), 0);
}

TEST_F(InstallTest, TheWindowFitsSmallScreensAndAWidePreviewScrollsInside) {
    // A set of 40 pictures of 22 x 16.
    for (int i = 0; i < 40; ++i)
        writeTiff(box.library() + "/Volume/Forty/Volume" + std::to_string(i) + ".tif", 22, 16);
    writeFile(box.library() + "/Volume/Forty/trayskininfo.txt", "Forty pictures.");
    QMainWindow& window = *controller.mainWindow();
    const int width = window.width();
    click(browser(), 0, "Volume");
    click(browser(), 1, "Forty");
    QApplication::processEvents();
    const QLabel& preview = part<QLabel>("setPreview");
    ASSERT_FALSE(preview.pixmap().isNull());
    EXPECT_GT(preview.width(), width); // wider than the window: it scrolls
    EXPECT_EQ(window.width(), width);
    EXPECT_FALSE(preview.accessibleDescription().isEmpty());

    // The smallest window fits a 1280 x 800 screen at twice the scale and a
    // 1024 x 600 screen at once, with room for a title bar; so do the
    // controls, inside it.
    // (The same test runs again with QT_SCALE_FACTOR=2, where the window's
    // pixel ratio is 2.)
    const double ratio = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                             ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                             : 1.0;
    EXPECT_EQ(window.devicePixelRatio(), ratio);
    const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
    for (const auto& [screen, scale] : {std::pair{QSize(1280, 800), 2}, {QSize(1024, 600), 1}}) {
        SCOPED_TRACE(scale);
        const QSize room(screen.width() / scale, screen.height() / scale - 40);
        EXPECT_LE(least.width(), room.width());
        EXPECT_LE(least.height(), room.height());
        window.resize(room);
        QApplication::processEvents();
        EXPECT_EQ(window.size(), room);
        for (QWidget* control : std::initializer_list<QWidget*>{
                 &browser(), &part<QLabel>("nodeIconWell"), &part<QTextEdit>("nodeInspector"),
                 &part<QPushButton>("useButton"), preview.parentWidget()->parentWidget()}) {
            const QRect inWindow(control->mapTo(&window, QPoint(0, 0)), control->size());
            EXPECT_TRUE(window.rect().contains(inWindow)) << control->objectName().toStdString();
            EXPECT_FALSE(control->visibleRegion().isEmpty()) << control->objectName().toStdString();
        }
    }
}
