#include "app/AppController.h"
#include "platform/core/Bundle.h"
#include "tests/support/BrowserDriver.h"
#include "tests/support/ControllerFixture.h"
#include "tests/support/TiffFiles.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QPushButton>
#include <QTextEdit>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace testing_support;

namespace {

using Files = std::map<std::string, std::string>;

// The pictures the tool copied: one "copy" line each.
int copies(const std::string& out) {
    return int(QString::fromStdString(out).count(u"copy\n"));
}

// The started program in a sandbox with the real privileged tool.
class InstallTest : public ControllerFixture {
protected:
    void SetUp() override {
        // Volume and Eject, and sets of each and of an item not installed.
        box.copy("app/fixtures/install");
        makeFolders(box.sysroot() + "/System/Library/PreferencePanes/Sound.prefPane");
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
    // Every file of the bundle's pictures (or of their backup), by name, with its bytes.
    Files resources(const std::string& extra, bool backup = false) {
        const std::string at = backup ? box.library() + "/backup/" : box.menuExtras() + "/";
        Files files;
        for (const auto& [name, kind] : snapshot(at + extra + ".menu/Contents/Resources"))
            files[name] = kind.substr(std::min<std::size_t>(2, kind.size()));
        return files;
    }
    Files backup(const std::string& extra) { return resources(extra, true); }
    // Title, message, button and detail of an alert (the last by default).
    QStringList said(int i = -1) {
        const auto& a = presenter.alerts.at(i < 0 ? presenter.alerts.size() - 1 : std::size_t(i));
        return {a.title, a.message, a.button, a.detail};
    }
    // The number of copies the command makes.
    int copiesOf(const std::function<void()>& command) { return copies(quietly(command)); }
    void pressUse() { QTest::mouseClick(&part<QPushButton>("useButton"), Qt::LeftButton); }
    void show(const char* extra) { // leaves the item and comes back: its line is read afresh
        click(browser(), 0, "Eject");
        click(browser(), 0, extra);
    }
};

} // namespace

TEST_F(InstallTest, InstallsExactlyThePicturesOfTheSetAndOpensThePane) {
    const auto libraryBefore = snapshot(box.library());
    const std::string out = install("Volume", "Mine");
    EXPECT_EQ(copies(out), 2);
    EXPECT_EQ(resources("Volume"), (Files{{"Volume1.TIF", "sysBig"},
                                          {"Volume1.tif", tiffBytes("mine1")},
                                          {"Volume2.tiff", tiffBytes("mine2")},
                                          {"Volume3.tif", tiffBytes("sys3")}}));
    ASSERT_EQ(presenter.alerts.size(), 1u);
    // The alert as it is; beneath it, the files Use left out.
    EXPECT_EQ(said(),
              (QStringList{"Installation Complete", "Need restart Sound", "Open System Preferences",
                           "2 of the set's 5 files are in place; left out:\n"
                           "Volume1.TIF: Use This Set takes only pictures of the system's "
                           "kinds.\nVolume1.tif.bak: Use This Set takes only pictures of "
                           "the system's kinds.\nnotes.txt: Use This Set takes only "
                           "pictures of the system's kinds."}));
    EXPECT_EQ(desktop.opened,
              std::vector{box.sysroot() + "/System/Library/PreferencePanes/Sound.prefPane"});
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
    EXPECT_EQ(copies(out), 2); // (its "copy problem!" line is the command line's)
    EXPECT_EQ(resources("Volume")["Volume1.tif"], tiffBytes("t1"));
    EXPECT_EQ(resources("Volume")["Volume3.tif"], tiffBytes("sys3"));
    ASSERT_EQ(presenter.alerts.size(), 1u);
    // Beneath it, and in the status bar until the next action, the cause.
    const std::string from = box.library() + "/Volume/Three/Volume2.tiff";
    EXPECT_EQ(said(), (QStringList{"My Apologies",
                                   QString::fromStdString("Wrong Password (" + from + " to " +
                                                          target("Volume", "Volume2.tiff") + ")"),
                                   "OK", "The picture to replace is not a plain file."}));
    EXPECT_EQ(statusLine(), presenter.alerts[0].detail);
    EXPECT_TRUE(desktop.opened.empty() && desktop.launched.empty());
    click(browser(), 2, "Volume1.tif");
    EXPECT_TRUE(statusLine().isEmpty());
}

TEST_F(InstallTest, AnItemWithoutBundleIsSaidBeforeAndAfterUse) {
    click(browser(), 0, "Gone");
    EXPECT_EQ(inUse(), "No Menu Extra of this name is installed.");
    click(browser(), 1, "Mine");
    EXPECT_EQ(inUse(), "No Menu Extra of this name is installed.");
    // (The tool's refusal is ToolTest's, its words FailureCauseTest's.)
    install("Gone", "Mine");
    EXPECT_EQ(alertTitles(), QStringList{"My Apologies"});
}

TEST_F(InstallTest, ASetOfLinksInstallsThePicturesTheyPointTo) {
    // The way back to the system's pictures: a default set whose pictures are
    // links (as a bundle's links are copied) installs what they point to.
    const std::string set = box.library() + "/Volume/Linked/";
    writeFile(box.base() + "/originals/Volume1.tif", tiffBytes("original one"));
    writeFile(set + "trayskininfo.txt", "Links.");
    ASSERT_EQ(
        ::symlink((box.base() + "/originals/Volume1.tif").c_str(), (set + "Volume1.tif").c_str()),
        0);
    ASSERT_EQ(::symlink("../Mine/Volume2.tiff", (set + "Volume2.tiff").c_str()), 0);
    reload();
    EXPECT_EQ(copies(install("Volume", "Linked")), 2);
    EXPECT_EQ(resources("Volume")["Volume1.tif"], tiffBytes("original one"));
    EXPECT_EQ(resources("Volume")["Volume2.tiff"], tiffBytes("mine2"));
    ASSERT_EQ(alertTitles(), QStringList{"Installation Complete"});
}
TEST_F(InstallTest, UnknownExtrasEmptySetsAndVanishedSets) {
    install("Eject", "Plain");
    EXPECT_EQ(resources("Eject")["Eject1.tif"], tiffBytes("plain eject"));
    ASSERT_EQ(presenter.alerts.size(), 1u);
    EXPECT_EQ(said()[1], "Need restart ");
    EXPECT_EQ(desktop.launched, std::vector<std::string>{"System Preferences"});
    // Nothing of that name could be started: the status bar says so.
    EXPECT_EQ(statusLine(), "This application could not be started: System Preferences");

    // A set without pictures shows no rows, so the button keeps the state the
    // set shown before it left.
    click(browser(), 0, "Volume");
    click(browser(), 1, "Mine");
    click(browser(), 1, "Empty");
    ASSERT_TRUE(part<QPushButton>("useButton").isEnabled());
    EXPECT_EQ(copiesOf([&] { pressUse(); }), 0);
    ASSERT_EQ(presenter.alerts.size(), 2u);
    EXPECT_EQ(said()[0], "Installation Complete");

    // The set folder vanished after it was selected.
    click(browser(), 0, "Volume");
    click(browser(), 1, "Three");
    ASSERT_EQ(std::system(("rm -rf '" + box.library() + "/Volume/Three'").c_str()), 0);
    EXPECT_EQ(copiesOf([&] { controller.useButtonClick(); }), 0);
    EXPECT_EQ(presenter.alerts.size(), 3u);

    // (Without the tool the runner fails, as AuthRunnerTest checks, and the
    // first failure stops an install, as above.)
    // Nothing selected in the second column: nothing happens.
    reload();
    click(browser(), 0, "Volume");
    controller.useButtonClick();
    EXPECT_EQ(presenter.alerts.size(), 3u);

    // With a table, an extra without a pane has a sentence of its own (how
    // the table's sentence places a pane's name is read end to end).
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_TRUE(platform::bundle::loadTranslations());
    install("Eject", "Plain");
    EXPECT_EQ(said()[1], platform::bundle::localizedString("Need restart, no settings pane"));
}

TEST_F(InstallTest, RestorePutsTheOriginalsBackAndTheStatusBarNamesTheSetInUse) {
    click(browser(), 0, "Volume");
    EXPECT_TRUE(part<QAction>("actionRestore").isEnabled());
    EXPECT_EQ(inUse(), "In use: default");
    // (An untouched item's restore is the command line's "restore --all".)
    install("Volume", "Mine");
    EXPECT_EQ(inUse(), "In use: Mine");
    click(browser(), 0, "Volume");
    // Only the two pictures that differ go back, through the tool.
    EXPECT_EQ(copiesOf([&] { controller.restoreOriginalPictures(); }), 2);
    EXPECT_EQ(resources("Volume"), backup("Volume"));
    EXPECT_EQ(inUse(), "In use: default");

    // A bundle that shows pictures of two sets, then one no set holds.
    writeFile(target("Volume", "Volume1.tif"), tiffBytes("t1"));
    writeFile(target("Volume", "Volume2.tiff"), tiffBytes("mine2"));
    show("Volume");
    EXPECT_EQ(inUse(), "In use: a mix of sets");
    writeFile(target("Volume", "Volume3.tif"), tiffBytes("nobody's"));
    show("Volume");
    EXPECT_EQ(inUse(), "In use: pictures that no set holds");

    // Restore All puts back every installed extra's pictures.
    writeFile(target("Eject", "Eject1.tif"), tiffBytes("changed"));
    EXPECT_EQ(copiesOf([&] { controller.restoreAllOriginalPictures(); }), 4);
    EXPECT_EQ(said()[1], "The menu items must be restarted to show their original pictures.");
    EXPECT_EQ(resources("Eject"), backup("Eject"));
    EXPECT_EQ(resources("Volume"), backup("Volume"));
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
    EXPECT_EQ(said(int(before)).mid(0, 2),
              (QStringList{"Nothing Restored",
                           "The backup of the Menu Extras folder is not complete yet."}));
    EXPECT_EQ(resources("Volume")["Volume1.tif"], tiffBytes("mine1"));

    ASSERT_EQ(std::system(("rm -rf '" + lib + "/.backup-staging'").c_str()), 0);
    controller.restoreOriginalPictures();
    EXPECT_EQ(said()[1], "There is no backup of the Menu Extras folder yet.");
    EXPECT_EQ(resources("Volume")["Volume1.tif"], tiffBytes("mine1"));

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
    QWidget* inspector = &part<QTextEdit>("nodeInspector");
    for (const auto& [key, next] : {std::pair{Qt::Key_Tab, inspector},
                                    {Qt::Key_Tab, &button},
                                    {Qt::Key_Backtab, inspector},
                                    {Qt::Key_Backtab, column}}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }

    // The menu item installs what the button would.
    EXPECT_EQ(copiesOf([&] { item.trigger(); }), 2);
    EXPECT_EQ(resources("Volume")["Volume1.tif"], tiffBytes("mine1"));
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
    // controls, inside it. (The same test runs again with QT_SCALE_FACTOR=2,
    // where the preview's test checks the window's pixel ratio.)
    for (const auto& [screen, scale] : {std::pair{QSize(1280, 800), 2}, {QSize(1024, 600), 1}}) {
        SCOPED_TRACE(scale);
        const QSize room(screen.width() / scale, screen.height() / scale - 40);
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
