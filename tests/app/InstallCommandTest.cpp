#include "app/AppController.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "tests/support/BrowserDriver.h"
#include "tests/support/ControllerFixture.h"
#include "tests/support/TiffFiles.h"

#include <QLocale>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testing_support;

namespace {

// The started program in a sandbox with the real privileged tool.
class InstallTest : public ControllerFixture {
protected:
    void SetUp() override {
        box.addBundle("Volume", {{"Volume1.tif", "sys1"},
                                 {"Volume2.tiff", "sys2"},
                                 {"Volume3.tif", "sys3"},
                                 {"Volume1.TIF", "sysBig"}});
        box.addBundle("Eject", {{"Eject1.tif", "e1"}});
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
        startShown();
    }

    platform::ColumnBrowser& browser() { return *controller.fsBrowser(); }
    std::string bundlePicture(const std::string& extra, const std::string& name) {
        return readFile(box.menuExtras() + "/" + extra + ".menu/Contents/Resources/" + name);
    }
    // Selects the set and presses the use button; returns standard output.
    std::string install(const std::string& extra, const std::string& set) {
        click(browser(), 0, extra);
        click(browser(), 1, set);
        EXPECT_TRUE(controller.useButton()->isEnabled());
        ::testing::internal::CaptureStdout();
        QTest::mouseClick(controller.useButton(), Qt::LeftButton);
        return ::testing::internal::GetCapturedStdout();
    }
    std::string target(const std::string& extra, const std::string& name) {
        return box.menuExtras() + "/" + extra + ".menu/Contents/Resources/" + name;
    }
};

int copies(const std::string& out) {
    int n = 0;
    for (std::size_t at = out.find("copy\n"); at != std::string::npos;
         at = out.find("copy\n", at + 1))
        ++n;
    return n;
}

} // namespace

TEST_F(InstallTest, InstallsExactlyThePicturesOfTheSetAndOpensThePane) {
    const auto libraryBefore = snapshot(box.library());
    const std::string out = install("Volume", "Mine");
    EXPECT_EQ(copies(out), 2);
    EXPECT_EQ(bundlePicture("Volume", "Volume1.tif"), tiffBytes("mine1"));
    EXPECT_EQ(bundlePicture("Volume", "Volume2.tiff"), tiffBytes("mine2"));
    EXPECT_EQ(bundlePicture("Volume", "Volume1.TIF"), "sysBig");
    EXPECT_EQ(bundlePicture("Volume", "Volume3.tif"), "sys3");
    EXPECT_FALSE(platform::fs::exists(target("Volume", "notes.txt")));
    EXPECT_FALSE(platform::fs::exists(target("Volume", "trayskininfo.txt")));

    ASSERT_EQ(presenter.alerts.size(), 1u);
    EXPECT_EQ(presenter.alerts[0].title, QStringLiteral("Installation Complete"));
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
    EXPECT_EQ(bundlePicture("Volume", "Volume3.tif"), "sys3");
    ASSERT_EQ(presenter.alerts.size(), 1u);
    EXPECT_EQ(presenter.alerts[0].title, QStringLiteral("My Apologies"));
    EXPECT_EQ(presenter.alerts[0].button, QStringLiteral("OK"));
    EXPECT_EQ(presenter.alerts[0].message,
              QStringLiteral("Wrong Password (") +
                  QString::fromStdString(box.library() + "/Volume/Three/Volume2.tiff") +
                  QStringLiteral(" to ") +
                  QString::fromStdString(target("Volume", "Volume2.tiff")) + QLatin1Char(')'));
    EXPECT_TRUE(desktop.opened.empty() && desktop.launched.empty());
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
    controller.reloadData();
    settle(browser());
    const std::string out = install("Volume", "Linked");
    EXPECT_EQ(copies(out), 2);
    EXPECT_EQ(bundlePicture("Volume", "Volume1.tif"), tiffBytes("original one"));
    EXPECT_EQ(bundlePicture("Volume", "Volume2.tiff"), tiffBytes("mine2"));
    ASSERT_EQ(presenter.alerts.size(), 1u);
    EXPECT_EQ(presenter.alerts[0].title, QStringLiteral("Installation Complete"));
}

TEST_F(InstallTest, UnknownExtrasEmptySetsAndAMissingTool) {
    install("Eject", "Plain");
    EXPECT_EQ(bundlePicture("Eject", "Eject1.tif"), tiffBytes("plain eject"));
    ASSERT_EQ(presenter.alerts.size(), 1u);
    EXPECT_EQ(presenter.alerts[0].message, QStringLiteral("Need restart "));
    EXPECT_EQ(desktop.launched, std::vector<std::string>{"System Preferences"});
    // Nothing of that name could be started: the status bar says so.
    EXPECT_EQ(controller.mainWindow()->statusBar()->currentMessage(),
              QStringLiteral("This application could not be started: System Preferences"));

    // A set without pictures shows no rows, so the button keeps the state the
    // set shown before it left.
    click(browser(), 0, "Volume");
    click(browser(), 1, "Mine");
    click(browser(), 1, "Empty");
    ASSERT_TRUE(controller.useButton()->isEnabled());
    ::testing::internal::CaptureStdout();
    QTest::mouseClick(controller.useButton(), Qt::LeftButton);
    EXPECT_EQ(copies(::testing::internal::GetCapturedStdout()), 0);
    ASSERT_EQ(presenter.alerts.size(), 2u);
    EXPECT_EQ(presenter.alerts[1].title, QStringLiteral("Installation Complete"));

    // The set folder vanished after it was selected.
    click(browser(), 0, "Volume");
    click(browser(), 1, "Three");
    ASSERT_EQ(std::system(("rm -rf '" + box.library() + "/Volume/Three'").c_str()), 0);
    ::testing::internal::CaptureStdout();
    controller.useButtonClick();
    EXPECT_EQ(copies(::testing::internal::GetCapturedStdout()), 0);
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
    controller.reloadData();
    settle(browser());
    click(browser(), 0, "Volume");
    controller.useButtonClick();
    EXPECT_EQ(presenter.alerts.size(), 4u);
}
