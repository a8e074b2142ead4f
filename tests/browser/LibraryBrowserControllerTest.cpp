#include "browser/LibraryBrowserController.h"
#include "browser/FSBrowserCell.h"
#include "library/Examples.h"
#include "library/HomeFolder.h"
#include "library/Layout.h"
#include "platform/core/Bundle.h"
#include "platform/gui/Image.h"
#include "tests/library/NoProgress.h"
#include "tests/support/BrowserDriver.h"
#include "tests/support/Sandbox.h"

#include <QAccessible>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <unistd.h>

using namespace testing_support;

namespace {

// The browser with its data source and inspector on a sandbox library
// prepared as a start prepares it, driven by real clicks.
class LibraryBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::bundle::setMainBundlePath(TRAYSKIN_TEST_BUNDLE);
        box.addBundle("Volume", {{"Volume1.tif", "v1"}});
        box.addBundle("Clock", {{"Clock1.tif", "c1"}});
        NoProgress progress;
        ASSERT_TRUE(library::setupHomeFolder(progress));
        ASSERT_TRUE(library::includeExamples(TRAYSKIN_TEST_BUNDLE));
        const std::string lib = box.library();
        writeFile(lib + "/Volume/Info Only/trayskininfo.txt", "Nothing but words.");
        writeFile(lib + "/Volume/Plain/Volume1.tif", "p");
        writeFile(lib + "/.secret/x", "x");

        auto* row = new QHBoxLayout(&window); // owned by the window
        row->addWidget(view, 1);
        for (QWidget* part : std::initializer_list<QWidget*>{well, inspector, button})
            row->addWidget(part);
        well->setFixedSize(64, 64);
        data = std::make_unique<browser::LibraryBrowserController>(
            browser::LibraryBrowserController::Outlets{view, well, inspector, button}, lib,
            library::isPicture);
        data->setInfostore("test ");
        view->setDelegate(data.get());
        view->setCellClass<browser::FSBrowserCell>();
        view->setAction(
            [this](platform::ColumnBrowser& sender) { data->browserSingleClick(sender); });
        // Configured as the program configures it.
        view->setMaxVisibleColumns(4);
        view->setMinColumnWidth(150);
        view->setPath(box.library());
        view->loadColumnZero();
        window.resize(900, 500);
        window.show();
        settle(browser());
    }
    void reload() {
        view->setPath(box.library());
        view->loadColumnZero();
        settle(browser());
    }

    platform::ColumnBrowser& browser() { return *view; }

    Sandbox box;
    QWidget window;
    platform::ColumnBrowser* view = new platform::ColumnBrowser(&window);
    QLabel* well = new QLabel(&window);
    QTextEdit* inspector = new QTextEdit(&window);
    QPushButton* button = new QPushButton(&window);
    std::unique_ptr<browser::LibraryBrowserController> data;
};

} // namespace

TEST_F(LibraryBrowserTest, ColumnsListTheLibraryInListingOrder) {
    EXPECT_EQ(titles(browser(), 0), (std::vector<std::string>{"Battery", "Clock", "Volume"}));
    click(browser(), 0, "Volume");
    EXPECT_EQ(titles(browser(), 1),
              (std::vector<std::string>{"Ember", "Info Only", "Ocean", "Plain", "default"}));
    click(browser(), 1, "default");
    EXPECT_EQ(data->fsPathToColumn(2), box.library() + "/Volume/default");
    EXPECT_EQ(titles(browser(), 2), std::vector<std::string>{"Volume1.tif"});

    // The folder loses its entries while shown: a late fill of a row that is
    // gone leaves the cell blank.
    browser::FSBrowserCell late;
    ::unlink((box.library() + "/Volume/default/Volume1.tif").c_str());
    data->browserWillDisplayCell(browser(), late, 0, 2);
    EXPECT_EQ(late.stringValue(), "");
    EXPECT_FALSE(late.iconImage());
    EXPECT_EQ(data->browserNumberOfRowsInColumn(browser(), 2), 0);

    // In the same pass of the event loop, an entry made since that listing
    // is counted, listed and found by typing.
    writeFile(box.library() + "/Volume/default/Zebra.tif", "z");
    EXPECT_EQ(data->browserNumberOfRowsInColumn(browser(), 2), 1);
    std::vector<std::string> listed;
    data->browserTitlesInColumn(browser(), 2, listed);
    EXPECT_EQ(listed, std::vector<std::string>{"Zebra.tif"});
    QKeyEvent z(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, "z");
    QApplication::sendEvent(browser().columnView(2), &z);
    EXPECT_EQ(browser().columnView(2)->selectedRows(), std::set<int>{0});

    // A set made in a shown column's folder, in a later pass, leaves the
    // column's rows the entries counted until the column is counted again.
    writeFile(box.library() + "/Volume/A new set/trayskininfo.txt", "new");
    QApplication::processEvents();
    browser::FSBrowserCell first;
    data->browserWillDisplayCell(browser(), first, 0, 1);
    EXPECT_EQ(first.stringValue(), "Ember");
    data->browserTitlesInColumn(browser(), 1, listed);
    EXPECT_EQ(listed.size(), 5u);
}

// The well for a set and a picture, and what several or none selected show.
TEST_F(LibraryBrowserTest, PlaceholdersForNoneAndSeveral) {
    click(browser(), 0, "Volume");
    click(browser(), 1, "Ocean");
    EXPECT_FALSE(well->pixmap().isNull());
    // The well shows a picture at its size; a screen reader hears what it holds.
    const std::string picture = titles(browser(), 2).front();
    click(browser(), 2, picture);
    EXPECT_EQ(well->pixmap().deviceIndependentSize(), QSizeF(64, 64));
    EXPECT_EQ(well->accessibleName(), "Icon of " + QString::fromStdString(picture));
    click(browser(), 1, "Ember", Qt::ControlModifier);
    EXPECT_TRUE(well->pixmap().isNull());
    EXPECT_EQ(inspector->toPlainText(), "Multiple Selection");
    EXPECT_EQ(well->accessibleName(), "No icon");
    EXPECT_TRUE(button->isEnabled());
    // With several selected, the lowest of them makes the path (and so the
    // set that Use installs).
    EXPECT_EQ(browser().pathToColumn(2), "/Volume/Ocean");
    click(browser(), 1, "Plain", Qt::ControlModifier);
    EXPECT_EQ(browser().pathToColumn(2), "/Volume/Plain");
    EXPECT_EQ(browser().path(), "/Volume/Plain");

    reload();
    QTest::mouseClick(browser().columnView(0)->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(20, 400));
    EXPECT_EQ(inspector->toPlainText(), "No Selection");

    // A double click does what its first click did, nothing more.
    click(browser(), 0, "Volume");
    const QString shown = inspector->toPlainText();
    const int columns = browser().numberOfColumns();
    data->browserDoubleClick(browser());
    EXPECT_EQ(inspector->toPlainText(), shown);
    EXPECT_EQ(browser().numberOfColumns(), columns);
}

TEST_F(LibraryBrowserTest, TheInspectorShowsTextAsStoredAndHugeTextsInPart) {
    const std::string set = box.library() + "/Volume/Big  Set";
    const std::string info = "  indented\n\ttabbed  twice\n\nlast line   ";
    writeFile(set + "/trayskininfo.txt", info);
    writeFile(set + "/Volume1.tif", "p");
    reload();
    click(browser(), 0, "Volume");
    click(browser(), 1, "Big  Set");
    EXPECT_EQ(inspector->toPlainText(),
              "Name: Big  Set\nType: Directory\n" + QString::fromStdString(info) + "\n");

    // Of a description of megabytes only its beginning is read, and shown in part.
    std::string huge;
    while (huge.size() < 5 * 1024 * 1024)
        huge += "A long description line that goes on and on.\n";
    writeFile(set + "/trayskininfo.txt", huge);
    click(browser(), 1, "Ocean");
    click(browser(), 1, "Big  Set");
    const QString shown = inspector->toPlainText();
    EXPECT_LT(shown.size(), browser::LibraryBrowserController::kInspectorShownLimit + 200);
    EXPECT_TRUE(shown.endsWith("The rest of the description is not shown."));
}

TEST_F(LibraryBrowserTest, DisabledRowsRefuseSelectionAndRowsAreAccessible) {
    // A link to nothing cannot be read, so its row is disabled.
    ASSERT_EQ(::symlink("nowhere", (box.library() + "/Zzz gone").c_str()), 0);
    reload();
    ASSERT_EQ(titles(browser(), 0),
              (std::vector<std::string>{"Battery", "Clock", "Volume", "Zzz gone"}));
    auto* column = browser().columnView(0);

    click(browser(), 0, "Zzz gone");
    EXPECT_EQ(browser().selectedColumn(), -1);
    EXPECT_EQ(inspector->toPlainText(), QString()); // the click did nothing at all
    click(browser(), 0, "Volume");
    column->setFocus();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_End, Qt::Key_Z}) {
        QTest::keyClick(column, key);
        EXPECT_EQ(browser().path(), "/Volume") << key;
    }
    EXPECT_FALSE(browser().setPath("/Zzz gone"));

    // Every row has its title as its name, and its state.
    std::map<QString, QAccessible::State> rows;
    for (const auto& [name, state] : accessibleRows(column))
        rows[name] = state;
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_TRUE(rows["Volume"].selected);
    EXPECT_FALSE(rows["Clock"].selected);
    // Qt's item views say a row that cannot be chosen is not selectable.
    EXPECT_FALSE(rows["Zzz gone"].selectable);
    EXPECT_TRUE(rows["Battery"].selectable);
}

TEST_F(LibraryBrowserTest, AScreenReaderReadingAColumnChangesNeitherButtonNorInspector) {
    // A column of 200 sets, most of them far off screen.
    for (int i = 0; i < 196; ++i)
        writeFile(box.library() + "/Volume/Set " + std::to_string(1000 + i) + "/Volume1.tif", "p");
    reload();
    click(browser(), 0, "Volume");
    ASSERT_EQ(browser().numberOfRowsInColumn(1), 201);
    ASSERT_TRUE(browser().setPath("/Volume/Ocean"));
    settle(browser());
    click(browser(), 2, titles(browser(), 2).front());
    const QString shown = inspector->toPlainText();
    ASSERT_TRUE(button->isEnabled());
    ASSERT_TRUE(shown.contains("sea-green waves")) << shown.toStdString();

    // Every row answers its title and state.
    std::vector<std::string> read;
    for (const auto& [name, state] : accessibleRows(browser().columnView(1))) {
        read.push_back(name.toStdString());
        EXPECT_TRUE(state.selectable) << read.back();
    }
    std::vector<std::string> listed;
    data->browserTitlesInColumn(browser(), 1, listed);
    EXPECT_EQ(read, listed);
    // The button and the info text are as they were: the inspector of the
    // picture is the same at its next click.
    EXPECT_TRUE(button->isEnabled());
    click(browser(), 2, titles(browser(), 2).front());
    EXPECT_EQ(inspector->toPlainText(), shown);
}

TEST_F(LibraryBrowserTest, RowsAre20HighAndGrowWithALargeFont) {
    EXPECT_EQ(browser().rowHeight(), 20.0);
    EXPECT_EQ(browser().columnView(0)->rowRect(0).height(), 20);
    const QFont before = QApplication::font();
    QFont large = before;
    large.setPointSize(16);
    QApplication::setFont(large);
    settle(browser());
    const int line = QFontMetrics(large).height();
    EXPECT_GT(line, 18);
    EXPECT_GE(browser().rowHeight(), line + 2);
    EXPECT_GE(browser().columnView(0)->rowRect(0).height(), line + 2);
    QApplication::setFont(before);
    settle(browser());
    EXPECT_EQ(browser().rowHeight(), 20.0);
}
