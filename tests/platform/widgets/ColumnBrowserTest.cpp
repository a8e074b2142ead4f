#include "platform/widgets/ColumnBrowser.h"
#include "tests/support/BrowserDriver.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <set>

using platform::BrowserCell;
using platform::BrowserColumn;
using platform::ColumnBrowser;
using testing_support::click;
using testing_support::settle;

namespace {

// A tree of numbered rows: column c has rows[c] rows, every row a branch
// except in the last column. Records every question the browser asks.
struct CountingDelegate : platform::ColumnBrowserDelegate {
    std::vector<int> rows;
    std::vector<int> countsAsked;
    std::map<std::pair<int, int>, int> fills; // (column, row) -> times filled

    int browserNumberOfRowsInColumn(ColumnBrowser&, int column) override {
        countsAsked.push_back(column);
        return column < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(column)] : 0;
    }
    void browserWillDisplayCell(ColumnBrowser&, BrowserCell& cell, int row, int column) override {
        ++fills[{column, row}];
        cell.setAttributedStringValue("c" + std::to_string(column) + "r" + std::to_string(row), {});
        cell.setLeaf(column + 1 >= static_cast<int>(rows.size()));
    }
    bool tellTitles = false;
    bool browserTitlesInColumn(ColumnBrowser&, int column,
                               std::vector<std::string>& titles) override {
        if (!tellTitles)
            return false;
        titles.clear();
        for (int row = 0; row < rows[static_cast<std::size_t>(column)]; ++row)
            titles.push_back("c" + std::to_string(column) + "r" + std::to_string(row));
        return true;
    }
    int filledIn(int column) const {
        return int(std::count_if(fills.begin(), fills.end(),
                                 [&](const auto& fill) { return fill.first.first == column; }));
    }
    bool eachFilledOnce() const {
        return std::all_of(fills.begin(), fills.end(),
                           [](const auto& fill) { return fill.second == 1; });
    }
};

struct BrowserFixture : ::testing::Test {
    CountingDelegate delegate;
    ColumnBrowser browser;
    std::vector<std::size_t> actions; // selected cell count at each action
    int doubles = 0;

    void SetUp() override {
        browser.setDelegate(&delegate);
        browser.setAction(
            [this](ColumnBrowser& b) { actions.push_back(b.selectedCells().size()); });
        browser.setDoubleAction([this](ColumnBrowser&) { ++doubles; });
        browser.setMaxVisibleColumns(4);
        browser.resize(800, 400);
        browser.show();
        QApplication::processEvents();
    }
    // Rows of column 0 that fit on screen, the one cut at the bottom too.
    int visible() {
        return static_cast<int>(browser.columnView(0)->viewport()->height() / browser.rowHeight()) +
               1;
    }
    void load() {
        browser.loadColumnZero();
        settle(browser);
    }
};

} // namespace

TEST_F(BrowserFixture, OnlyRowsOnScreenAreFilledAndEachOnce) {
    delegate.rows = {100000, 3};
    load();
    EXPECT_EQ(delegate.countsAsked, std::vector<int>{0});
    EXPECT_GT(delegate.filledIn(0), 0);
    EXPECT_LE(delegate.filledIn(0), visible());
    settle(browser);
    EXPECT_TRUE(delegate.eachFilledOnce());

    // Scrolling far down fills the rows that come into view, and only those.
    auto* bar = browser.columnView(0)->verticalScrollBar();
    bar->setValue(bar->maximum());
    settle(browser);
    EXPECT_EQ(delegate.fills.count({0, 99999}), 1u);
    EXPECT_LE(delegate.filledIn(0), 2 * visible());
    bar->setValue(0);
    settle(browser);
    EXPECT_TRUE(delegate.eachFilledOnce());
}

TEST_F(BrowserFixture, SelectionReloadsOnlyTheColumnsToItsRight) {
    delegate.rows = {5, 4, 3};
    load();
    click(browser, 0, "c0r2");
    ASSERT_EQ(browser.numberOfColumns(), 2);
    click(browser, 1, "c1r1");
    ASSERT_EQ(browser.numberOfColumns(), 3);
    EXPECT_EQ(browser.pathToColumn(0), "/");
    EXPECT_EQ(browser.pathToColumn(2), "/c0r2/c1r1");
    EXPECT_EQ(browser.path(), "/c0r2/c1r1");
    EXPECT_EQ(delegate.countsAsked, (std::vector<int>{0, 1, 2}));

    // Another row of column 1: column 2 is loaded afresh, columns 0 and 1 not.
    click(browser, 1, "c1r3");
    EXPECT_EQ(delegate.countsAsked, (std::vector<int>{0, 1, 2, 2}));
    EXPECT_EQ(delegate.fills[std::make_pair(0, 2)], 1);
    EXPECT_EQ(delegate.fills[std::make_pair(1, 3)], 1);
    EXPECT_EQ(delegate.fills[std::make_pair(2, 0)], 2); // once per load of column 2
    EXPECT_EQ(actions, (std::vector<std::size_t>{1, 1, 1}));

    // Several rows of one column: no column to the right, all reported.
    click(browser, 1, "c1r0", Qt::ControlModifier);
    EXPECT_EQ(browser.numberOfColumns(), 2);
    EXPECT_EQ(browser.selectedCells().size(), 2u);
    // Shift extends from the last row clicked (Qt's rule: rows picked with
    // Control before stay picked).
    click(browser, 1, "c1r2", Qt::ShiftModifier);
    EXPECT_EQ(browser.selectedCells().size(), 4u);
    EXPECT_EQ(actions.back(), 4u);

    // A click below the rows leaves nothing selected in that column.
    QTest::mouseClick(browser.columnView(1)->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(10, 300));
    EXPECT_EQ(browser.selectedColumn(), 0);
    EXPECT_EQ(browser.path(), "/c0r2");

    QTest::mouseDClick(browser.columnView(0)->viewport(), Qt::LeftButton, Qt::NoModifier,
                       browser.columnView(0)->rowRect(1).center());
    EXPECT_EQ(doubles, 1);

    // Reload: column 0 afresh, nothing selected, nothing to its right.
    browser.loadColumnZero();
    EXPECT_EQ(browser.numberOfColumns(), 1);
    EXPECT_EQ(browser.selectedColumn(), -1);
    EXPECT_TRUE(browser.selectedCells().empty());
    EXPECT_EQ(browser.path(), "/");
}

TEST_F(BrowserFixture, KeyboardAndPaths) {
    delegate.rows = {30, 4, 3};
    load();
    auto* column0 = browser.columnView(0);
    // The focus comes to the first row without selecting it; Space selects
    // it, the arrows move on.
    column0->setFocus();
    for (const auto& [column, key, path] : {std::tuple{0, Qt::Key_Space, "/c0r0"},
                                            {0, Qt::Key_Down, "/c0r1"},
                                            {0, Qt::Key_Right, "/c0r1/c1r0"},
                                            {1, Qt::Key_Left, "/c0r1"}}) {
        QTest::keyClick(browser.columnView(column), key);
        EXPECT_EQ(browser.path(), path) << key;
    }
    // Typing a title's start selects it, also one not yet on screen.
    QTest::keyClicks(browser.columnView(0), "c0r2");
    QTest::keyClick(browser.columnView(0), Qt::Key_9);
    EXPECT_EQ(browser.path(), "/c0r29");
    // The driver scrolls a row out of view above back onto the screen.
    click(browser, 0, "c0r1");
    EXPECT_EQ(browser.path(), "/c0r1");

    EXPECT_TRUE(browser.setPath("/c0r3/c1r2"));
    EXPECT_EQ(browser.path(), "/c0r3/c1r2");
    EXPECT_EQ(browser.numberOfColumns(), 3);
    EXPECT_FALSE(browser.setPath("/c0r4/none"));
    EXPECT_EQ(browser.path(), "/c0r4");
}

TEST_F(BrowserFixture, ColumnWidthsFollowTheLimits) {
    delegate.rows = {3, 3, 3, 3, 3, 3};
    browser.loadColumnZero();
    EXPECT_EQ(browser.columnWidth(), std::floor(browser.contentsRect().width() / 4.0));
    browser.setMinColumnWidth(300);
    EXPECT_EQ(browser.columnWidth(), 300);
    for (int c = 0; c < 5; ++c)
        browser.selectRow(0, c);
    EXPECT_EQ(browser.numberOfColumns(), 6);
    QApplication::processEvents();
    // The newest column is in view.
    auto* last = browser.columnView(5);
    EXPECT_TRUE(last->isVisible());
    const QRect shown(last->mapTo(&browser, QPoint(0, 0)), last->size());
    EXPECT_TRUE(browser.contentsRect().contains(shown)) << shown.x() << "," << shown.width();
}

TEST_F(BrowserFixture, MatchingTitlesFillsOnlyWhatComesOnScreen) {
    delegate.rows = {2000, 3};
    delegate.tellTitles = true;
    load();

    // A path to a row far down: that row and the rows around it on screen.
    delegate.fills.clear();
    EXPECT_TRUE(browser.setPath("/c0r1500"));
    settle(browser);
    EXPECT_EQ(browser.path(), "/c0r1500");
    EXPECT_LE(delegate.filledIn(0), visible() + 1);
    EXPECT_EQ(delegate.fills.count({0, 1500}), 1u);

    // Reloading the same way costs the same.
    delegate.fills.clear();
    browser.loadColumnZero();
    EXPECT_TRUE(browser.setPath("/c0r1000"));
    settle(browser);
    EXPECT_LE(delegate.filledIn(0), 2 * visible() + 1);

    // Typing what no title starts with fills nothing and changes nothing.
    delegate.fills.clear();
    auto* column = browser.columnView(0);
    column->setFocus();
    QTest::keyClicks(column, "zzz");
    settle(browser);
    EXPECT_EQ(delegate.filledIn(0), 0);
    EXPECT_EQ(browser.path(), "/c0r1000");
    // One that matches a row off screen fills the rows it selected on the
    // way (c0r1001, c0r1900, c0r1990, c0r1999) and what is then shown.
    QTest::keyClick(column, Qt::Key_Escape);
    QTest::keyClicks(column, "c0r1999");
    settle(browser);
    EXPECT_EQ(browser.path(), "/c0r1999");
    EXPECT_LE(delegate.filledIn(0), visible() + 4);
}

TEST_F(BrowserFixture, TheActionWaitsUntilTheClickSelectionIsFinal) {
    delegate.rows = {6, 3};
    load();
    auto* view = browser.columnView(0);
    auto send = [&](QEvent::Type type, int row, Qt::MouseButtons buttons) {
        const QPointF at = view->rowRect(row).center();
        QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &event);
    };
    // Press on one row, drag to the next, release: one action, for both rows.
    send(QEvent::MouseButtonPress, 1, Qt::LeftButton);
    EXPECT_TRUE(actions.empty());
    send(QEvent::MouseMove, 2, Qt::LeftButton);
    EXPECT_TRUE(actions.empty());
    send(QEvent::MouseButtonRelease, 2, Qt::NoButton);
    EXPECT_EQ(actions, std::vector<std::size_t>{2});
    EXPECT_EQ(view->selectedRows(), (std::set<int>{1, 2}));
    // A click on one row of the two: the action sees that row alone.
    send(QEvent::MouseButtonPress, 2, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, 2, Qt::NoButton);
    EXPECT_EQ(actions, (std::vector<std::size_t>{2, 1}));
    EXPECT_EQ(browser.path(), "/c0r2");
}

TEST_F(BrowserFixture, KeyboardStartsAtTheTopStaysThroughReloadAndTabsOut) {
    delegate.rows = {30, 4};
    delegate.tellTitles = true;
    QWidget window;
    // The browser is the fixture's: it leaves the window before the window goes.
    struct Release {
        ColumnBrowser& browser;
        ~Release() { browser.setParent(nullptr); }
    } release{browser};
    auto* layout = new QHBoxLayout(&window);
    auto* before = new QPushButton("before");
    auto* after = new QPushButton("after");
    for (QWidget* part : std::initializer_list<QWidget*>{before, &browser, after})
        layout->addWidget(part);
    window.resize(900, 400);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    load();

    // Tab from the button before enters column 0; nothing is selected yet,
    // so Down selects the first row and a search starts at the top.
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    auto* column0 = browser.columnView(0);
    ASSERT_EQ(QApplication::focusWidget(), column0);
    QTest::keyClick(column0, Qt::Key_Down);
    EXPECT_EQ(browser.path(), "/c0r0");
    browser.loadColumnZero();
    column0 = browser.columnView(0);
    EXPECT_EQ(QApplication::focusWidget(), column0); // reload kept the keyboard
    QTest::keyClick(column0, Qt::Key_C);
    EXPECT_EQ(browser.path(), "/c0r0");

    // Into column 1: only the row with the keyboard reports the focus.
    QTest::keyClick(column0, Qt::Key_Right);
    auto* column1 = browser.columnView(1);
    ASSERT_EQ(QApplication::focusWidget(), column1);
    const auto focusedRows = [](QWidget* column) {
        const auto rows = testing_support::accessibleRows(column);
        return std::count_if(rows.begin(), rows.end(), [](auto& r) { return r.second.focused; });
    };
    EXPECT_EQ(focusedRows(column0), 0);
    EXPECT_EQ(focusedRows(column1), 1);

    // Tab leaves the browser from any column, and Shift+Tab comes back.
    for (const auto& [key, next] : {std::pair<Qt::Key, QWidget*>{Qt::Key_Tab, after},
                                    {Qt::Key_Backtab, column1},
                                    {Qt::Key_Backtab, before}}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        ASSERT_EQ(QApplication::focusWidget(), next) << key;
    }
}

TEST_F(BrowserFixture, ReloadingColumnsCountsThemAgainAndKeepsWhatTheyShow) {
    delegate.tellTitles = true;
    browser.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&browser));
    const struct {
        std::vector<int> rowsThen;
        std::set<int> selected0, selected1; // what stays selected
    } cases[] = {{{120, 5, 2}, {60}, {0, 2}}, {{50, 5, 2}, {}, {}}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.rowsThen[0]);
        delegate.rows = {100, 3, 2};
        load();
        browser.selectRow(60, 0);
        browser.selectRow(0, 1);
        browser.selectRow(2, 1, Qt::ControlModifier);
        browser.columnView(0)->verticalScrollBar()->setValue(300);
        browser.columnView(1)->setFocus();
        const std::size_t actionsBefore = actions.size();
        delegate.rows = row.rowsThen;
        browser.reloadColumns();
        settle(browser);
        EXPECT_EQ(browser.numberOfRowsInColumn(0), row.rowsThen[0]);
        EXPECT_EQ(browser.columnView(0)->selectedRows(), row.selected0);
        EXPECT_EQ(browser.numberOfColumns(), row.selected0.empty() ? 1 : 2);
        if (BrowserColumn* sets = browser.columnView(1)) {
            EXPECT_EQ(sets->rowCount(), row.rowsThen[1]);
            EXPECT_EQ(sets->selectedRows(), row.selected1);
        }
        EXPECT_EQ(browser.columnView(0)->verticalScrollBar()->value(), 300);
        EXPECT_EQ(QApplication::focusWidget(), browser.columnView(browser.numberOfColumns() - 1));
        EXPECT_EQ(actions.size(), actionsBefore);
    }
}
