// Drives a column browser as a user does: real mouse clicks on rows found by
// their titles, and repaints so that the rows on screen are filled.
#pragma once

#include "platform/widgets/ColumnBrowser.h"

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace testing_support {

inline void settle(platform::ColumnBrowser& browser) {
    for (int c = 0; c < browser.numberOfColumns(); ++c)
        browser.columnView(c)->viewport()->repaint();
    QApplication::processEvents();
}

inline std::vector<std::string> titles(platform::ColumnBrowser& browser, int column) {
    std::vector<std::string> out;
    for (int row = 0; row < browser.numberOfRowsInColumn(column); ++row) {
        auto* cell = browser.loadedCellAtRow(row, column);
        out.push_back(cell ? cell->stringValue() : "<unfilled>");
    }
    return out;
}

inline int rowOf(platform::ColumnBrowser& browser, int column, const std::string& title) {
    auto all = titles(browser, column);
    auto it = std::find(all.begin(), all.end(), title);
    EXPECT_NE(it, all.end()) << title;
    return static_cast<int>(it - all.begin());
}

inline void click(platform::ColumnBrowser& browser, int column, const std::string& title,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    auto* view = browser.columnView(column);
    ASSERT_TRUE(view) << column;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                      view->rowRect(rowOf(browser, column, title)).center());
    settle(browser);
}

} // namespace testing_support
