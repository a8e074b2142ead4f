// Drives a column browser as a user does: real mouse clicks on rows found by
// their titles, and repaints so that the rows on screen are filled.
#pragma once

#include "platform/widgets/ColumnBrowser.h"

#include <QAccessible>
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

// Clicks the row with that title, scrolled into view first: the point of a
// row off screen would land on another row, or on none.
inline void click(platform::ColumnBrowser& browser, int column, const std::string& title,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    auto* view = browser.columnView(column);
    ASSERT_TRUE(view) << column;
    const int row = rowOf(browser, column, title);
    view->scrollTo(view->model()->index(row, 0));
    settle(browser);
    const QRect shown = view->rowRect(row);
    ASSERT_TRUE(view->viewport()->rect().contains(shown.center())) << title;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, shown.center());
    settle(browser);
}

// The rows of a column as an assistive client reads them: name and state.
inline std::vector<std::pair<QString, QAccessible::State>> accessibleRows(QWidget* column) {
    std::vector<std::pair<QString, QAccessible::State>> rows;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(column);
    for (int i = 0; list && i < list->childCount(); ++i) {
        QAccessibleInterface* child = list->child(i);
        if (child && child->role() == QAccessible::ListItem)
            rows.emplace_back(child->text(QAccessible::Name), child->state());
    }
    return rows;
}

} // namespace testing_support
