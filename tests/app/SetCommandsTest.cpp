// The set commands of the File menu on a library of the sandbox: a set goes
// to the desktop's trash with its .trashinfo (by the menu or the Delete key
// in the sets column), the default set stays, names are checked before
// anything moves, a duplicate is the set byte for byte.
#include "tests/app/DesktopFixture.h"
#include "tests/support/BrowserDriver.h"
#include "tests/support/ControllerFixture.h"
#include "tests/support/TiffFiles.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class SetCommandsTest : public ControllerFixture {
protected:
    void SetUp() override {
        box.addBundle("Volume", {{"Volume1.tif", tiffBytes("system")}});
        writeFile(box.library() + "/Volume/Mine/trayskininfo.txt", "mine\n");
        writeFile(box.library() + "/Volume/Mine/Volume1.tif", tiffBytes("mine"));
        // The user's data folder, where the desktop's trash is.
        makeFolders(box.home() + "/data");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(box.home() + "/data"));
        startShown();
    }
    void TearDown() override { qunsetenv("XDG_DATA_HOME"); }
    void select(const std::string& set) {
        click(browser(), 0, "Volume");
        click(browser(), 1, set);
    }
    // Runs the menu item, answering its dialog (a name or a file) with the text.
    template <class Dialog> void run(const char* action, const QString& answer) {
        QTimer::singleShot(0, [answer] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if constexpr (std::is_same_v<Dialog, QInputDialog>)
                dialog->setTextValue(answer);
            else
                dialog->selectFile(answer);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        part<QAction>(action).trigger();
    }
    void runNamed(const char* action, const QString& name) { run<QInputDialog>(action, name); }
    void runWithFile(const char* action, const std::string& path) {
        run<QFileDialog>(action, QString::fromStdString(path));
    }
    std::map<std::string, std::string> set(const std::string& name) {
        return snapshot(box.library() + "/Volume/" + name);
    }
};

// The default set stays, with the reason; in the items column, or with a
// picture selected, the key is not the sets column's.
TEST_F(SetCommandsTest, TheDeleteKeyInTheSetsColumnMovesTheSetToTheTrash) {
    select("default");
    QTest::keyClick(browser().columnView(1), Qt::Key_Delete);
    ASSERT_EQ(presenter.alerts.size(), 1u);
    EXPECT_TRUE(presenter.alerts[0].message.contains("stays"))
        << qPrintable(presenter.alerts[0].message);
    EXPECT_FALSE(set("default").empty());
    select("Mine");
    const auto before = set("Mine");
    browser().columnView(0)->setFocus();
    QTest::keyClick(browser().columnView(0), Qt::Key_Delete);
    click(browser(), 2, "Volume1.tif");
    QTest::keyClick(browser().columnView(2), Qt::Key_Delete);
    EXPECT_EQ(set("Mine"), before);
    select("Mine");
    QTest::keyClick(browser().columnView(1), Qt::Key_Delete);
    EXPECT_TRUE(set("Mine").empty());
    const std::string trash = box.home() + "/data/Trash";
    EXPECT_EQ(snapshot(trash + "/files/Mine"), before);
    const std::string info = readFile(trash + "/info/Mine.trashinfo");
    EXPECT_NE(info.find("Path=" + box.library() + "/Volume/Mine"), std::string::npos) << info;
    settle(browser());
    const auto shown = titles(browser(), 1);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Mine"), 0);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "default"), 1);
    EXPECT_EQ(presenter.alerts.size(), 1u);
}

TEST_F(SetCommandsTest, ANameIsCheckedBeforeAnythingMoves) {
    const struct {
        const char* name;
        const char* reason;
    } refused[] = {{"", "needs a name"},   {"a/b", "\"/\""},
                   {".hidden", "hidden"},  {"backup", "library's own use"},
                   {"default", "already"}, {"trayskininfo.txt", "library's own use"}};
    for (const auto& row : refused) {
        SCOPED_TRACE(row.name);
        presenter.alerts.clear();
        select("Mine");
        runNamed("actionRenameSet", QString::fromUtf8(row.name));
        ASSERT_EQ(presenter.alerts.size(), 1u);
        EXPECT_TRUE(presenter.alerts[0].message.contains(QString::fromUtf8(row.reason)))
            << presenter.alerts[0].message.toStdString();
        EXPECT_FALSE(set("Mine").empty());
    }
    const auto before = set("Mine");
    runNamed("actionRenameSet", "Renamed");
    EXPECT_TRUE(set("Mine").empty());
    EXPECT_EQ(set("Renamed"), before);
    EXPECT_EQ(browser().path(), "/Volume/Renamed");
}

TEST_F(SetCommandsTest, ADuplicateHoldsTheSameBytesAndTheLibraryFolderOpens) {
    select("Mine");
    runNamed("actionDuplicateSet", "Mine copy");
    EXPECT_EQ(set("Mine copy"), set("Mine"));
    EXPECT_EQ(browser().path(), "/Volume/Mine copy");
    EXPECT_TRUE(snapshot(box.library() + "/.trayskin-work").empty());
    part<QAction>("actionOpenLibraryFolder").trigger();
    EXPECT_EQ(desktop.opened, std::vector<std::string>({box.library()}));
}

TEST_F(SetCommandsTest, AnExportedSetComesBackThroughImport) {
    select("Mine");
    const auto before = set("Mine");
    const std::string file = box.base() + "/Mine.tar.gz";
    runWithFile("actionExportSet", file);
    EXPECT_TRUE(statusLine().contains("Mine.tar.gz")) << statusLine().toStdString();
    part<QAction>("actionMoveSetToTrash").trigger();
    ASSERT_TRUE(set("Mine").empty());
    runWithFile("actionImportSets", file);
    EXPECT_EQ(set("Mine"), before);
    EXPECT_EQ(browser().path(), "/Volume/Mine");
    // A folder of pictures made by hand becomes a set too.
    writeFile(box.base() + "/Shared/trayskininfo.txt", "shared\n");
    writeFile(box.base() + "/Shared/Volume1.tif", tiffBytes("shared"));
    runWithFile("actionImportFolder", box.base() + "/Shared");
    EXPECT_EQ(set("Shared"), snapshot(box.base() + "/Shared"));
}

TEST_F(SetCommandsTest, ASetThatCannotBeUsedSaysWhyBeforeItIsTried) {
    writeFile(box.library() + "/Volume/Notes/trayskininfo.txt", "notes\n");
    writeFile(box.library() + "/Volume/Notes/notes.txt", "not a picture");
    reload();
    auto& use = part<QPushButton>("useButton");
    const struct {
        const char* set;
        const char* reason; // "" for none
    } rows[] = {{"Notes", "no picture"}, {"Mine", ""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.set);
        select(row.set);
        EXPECT_TRUE(use.toolTip().contains(row.reason)) << use.toolTip().toStdString();
        EXPECT_EQ(use.toolTip().isEmpty(), *row.reason == '\0');
        EXPECT_TRUE(statusLine().contains(row.reason)) << statusLine().toStdString();
    }
    select("Notes");
    click(browser(), 2, "notes.txt");
    const QString inspector = part<QTextEdit>("nodeInspector").toPlainText();
    EXPECT_TRUE(inspector.contains("leaves this file out")) << inspector.toStdString();
    select("Mine");
    click(browser(), 2, "Volume1.tif");
    EXPECT_FALSE(part<QTextEdit>("nodeInspector").toPlainText().contains("leaves"));
}

TEST_F(SetCommandsTest, TheBrowsersContextMenuOffersTheSetCommandsTheSelectionAllows) {
    const char* names[] = {"actionNewSet", "actionDuplicateSet", "actionRenameSet",
                           "actionExportSet", "actionMoveSetToTrash"};
    const struct {
        const char* set; // "" for the item alone
        std::vector<bool> enabled;
    } rows[] = {{"", {true, false, false, false, false}},
                {"default", {true, true, false, true, false}},
                {"Mine", {true, true, true, true, true}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.set);
        click(browser(), 0, "Volume");
        // A right click on a row selects it; below the rows, the item stays.
        QWidget* sets = browser().columnView(1)->viewport();
        const QPoint at =
            *row.set ? browser().columnView(1)->rowRect(rowOf(browser(), 1, row.set)).center()
                     : QPoint(5, sets->height() - 5);
        QTest::mousePress(sets, Qt::RightButton, Qt::NoModifier, at);
        QTest::mouseRelease(sets, Qt::RightButton, Qt::NoModifier, at);
        EXPECT_EQ(browser().path(), std::string("/Volume") + (*row.set ? "/" : "") + row.set);
        std::vector<std::pair<QString, bool>> offered;
        QTimer::singleShot(0, [&offered] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* action : menu->actions())
                offered.emplace_back(action->objectName(), action->isEnabled());
            menu->close();
        });
        QContextMenuEvent ask(QContextMenuEvent::Mouse, at, sets->mapToGlobal(at));
        QApplication::sendEvent(sets, &ask);
        ASSERT_EQ(offered.size(), std::size(names));
        for (std::size_t i = 0; i < offered.size(); ++i) {
            EXPECT_EQ(offered[i].first, names[i]);
            EXPECT_EQ(offered[i].second, row.enabled[i]) << names[i];
        }
    }
}

using ThemeSetsWindowTest = DesktopTest;

// A first start lists every other theme's sets once its later work ends; the
// menu command adds the sets of a theme installed since.
TEST_F(ThemeSetsWindowTest, EveryThemesSetsAtAFirstStartAndFromTheMenu) {
    const auto install = [&](const QString& folder, const QString& name) {
        ThemeWorld::put(world.systemIcons(), folder + "/index.theme",
                        "[Icon Theme]\nName=" + name.toUtf8() +
                            "\nDirectories=16x16/status\n[16x16/status]\nSize=16\nType=Fixed\n");
        for (const QString icon : {"battery-good", "audio-volume-high"})
            ThemeWorld::put(world.systemIcons(), folder + "/16x16/status/" + icon + ".png",
                            pngBytes(16, 1));
    };
    install("Test", "Test");
    install("Other", "Other Icons");
    install("Spare", "Spare");
    // The start selects the first item, whose sets column is read before
    // the other themes' sets are made.
    start("Test", {world.systemIcons()});
    EXPECT_EQ(browser().path(), "/Battery");
    EXPECT_EQ(titles(browser(), 1),
              (std::vector<std::string>{"Leaf", "Other Icons", "Slate", "Spare", "default"}));
    EXPECT_TRUE(statusLine().endsWith("(2): Other Icons, Spare")) << qPrintable(statusLine());
    EXPECT_TRUE(presenter.alerts.empty());
    click(browser(), 0, "Volume");
    install("Later", "Later Icons");
    part<QAction>("addThemeSets").trigger();
    settle(browser());
    const auto shown = titles(browser(), 1);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Later Icons"), 1);
    EXPECT_TRUE(statusLine().endsWith("(1): Later Icons")) << qPrintable(statusLine());
    EXPECT_EQ(browser().path(), "/Volume");
}

} // namespace
