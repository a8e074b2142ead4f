// A column browser in passive mode, built on Qt's item views: each column is
// a list view over a model of ours, so keyboard, focus, scrolling and
// accessibility are Qt's. The browser makes its row cells itself and asks a
// delegate how many rows a column has when the column loads, and to fill each
// cell once, just before that cell is first drawn. Only rows that come on
// screen are filled, so a long column costs its visible rows; titles are
// matched (setPath, type-to-select) against the delegate's list of titles,
// and what an accessibility client or the keyboard asks of a row not yet
// drawn is answered from a cell the delegate only describes, so neither
// fills a cell.
//
// Selecting rows in a column drops the columns to its right; when exactly one
// row that is not a leaf is selected, the next column is loaded. Disabled
// rows can be neither selected nor highlighted. The action runs once a
// click's selection is final: on release of the button, after a drag.
// The browser is one stop in the window's tab order.
#pragma once

#include "platform/widgets/BrowserCell.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QListView>
#include <QStringList>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

class QHBoxLayout;
class QScrollArea;

namespace platform {

class ColumnBrowser;
class BrowserColumn;
class ColumnModel;

class ColumnBrowserDelegate {
public:
    virtual ~ColumnBrowserDelegate() = default;
    virtual int browserNumberOfRowsInColumn(ColumnBrowser& browser, int column) = 0;
    virtual void browserWillDisplayCell(ColumnBrowser& browser, BrowserCell& cell, int row,
                                        int column) = 0;
    // The titles of a column's rows, in row order, told without filling any
    // cell. A delegate that cannot tell them returns false; the browser then
    // fills cells to read their titles.
    virtual bool browserTitlesInColumn(ColumnBrowser&, int, std::vector<std::string>&) {
        return false;
    }
    // Gives a cell a row's title and flags for reading only (an assistive
    // client, the keyboard), with none of a fill's other effects. A
    // delegate that cannot returns false; the browser then fills the cell.
    virtual bool browserDescribeCell(ColumnBrowser&, BrowserCell&, int, int) { return false; }
    // What a row of the column with that title shows in its place, reads
    // out and names in its tooltip ("" for the title itself); typing selects
    // by it. The browser's paths keep the title.
    virtual QString browserDisplayTitle(ColumnBrowser&, int, const std::string&) { return {}; }
};

class ColumnBrowser : public QFrame {
    Q_OBJECT

public:
    using CellFactory = std::function<std::unique_ptr<BrowserCell>()>;
    using Action = std::function<void(ColumnBrowser&)>;

    explicit ColumnBrowser(QWidget* parent = nullptr);
    ~ColumnBrowser() override;

    template <class Cell> void setCellClass() {
        setCellFactory([] { return std::make_unique<Cell>(); });
    }
    void setCellFactory(CellFactory factory);
    void setDelegate(ColumnBrowserDelegate* delegate) { delegate_ = delegate; }

    // The action runs after every click (once the button is released) and
    // every change of selection made from the keyboard; the double action
    // after a double click.
    void setAction(Action action) { action_ = std::move(action); }
    void setDoubleAction(Action action) { doubleAction_ = std::move(action); }

    void setMaxVisibleColumns(int count);
    int maxVisibleColumns() const { return maxVisibleColumns_; }
    void setMinColumnWidth(double width);
    double minColumnWidth() const { return minColumnWidth_; }
    std::string pathSeparator() const { return "/"; }

    // Drops every column and loads column 0 afresh, with nothing selected.
    void loadColumnZero();
    // Counts every column's rows again, selecting the titles that were
    // selected where they are still there, with each column scrolled as it
    // was and the keyboard in the column it was in; the action does not run.
    void reloadColumns();
    // Selects, column by column, the rows whose titles are the components of
    // the path, loading columns as it goes; stops at the first component that
    // no enabled row carries. Returns true when every component was found.
    bool setPath(const std::string& path);
    // "/" and the titles selected in columns 0 to column - 1; where several
    // rows of a column are selected, the lowest of them.
    std::string pathToColumn(int column) const;
    // The same, up to and including the last column with a selection.
    std::string path() const;
    // The selected cells of the last column with a selection, top to bottom.
    std::vector<BrowserCell*> selectedCells() const;
    int selectedColumn() const;

    int numberOfColumns() const { return static_cast<int>(columns_.size()); }
    int numberOfRowsInColumn(int column) const;
    // The cell of a row once it has been filled; nothing before.
    BrowserCell* loadedCellAtRow(int row, int column) const;
    // Selects rows as clicks with the given modifiers would, and runs the
    // action (for menus, keyboard and tests). A disabled row is refused.
    void selectRow(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    BrowserColumn* columnView(int column) const;
    // What an accessibility client calls each column, by its index; a column
    // without a name here is "Column n".
    void setColumnNames(const QStringList& names);
    // The row height: a fresh cell's natural height, or the font's line
    // height when that needs more.
    double rowHeight() const { return rowHeight_; }
    double columnWidth() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    friend class BrowserColumn;
    friend class ColumnModel;

    void updateRowHeight();
    // Tab and Shift+Tab from a column: the next widget outside the browser.
    bool focusOutOfBrowser(bool next);
    bool describeCell(BrowserCell& cell, int row, int column);
    QString columnName(int column) const;

    void addColumn();
    void dropColumnsAfter(int column);
    void selectionChanged(int column);
    void layoutColumns();
    void clicked();
    void doubleClicked();
    std::unique_ptr<BrowserCell> makeCell() const;
    void fillCell(BrowserCell& cell, int row, int column);
    bool titlesOf(int column, std::vector<std::string>& titles);
    // What a row of the column with that title shows.
    QString displayTitleOf(int column, const std::string& title);
    void focusColumn(int column);

    CellFactory factory_;
    ColumnBrowserDelegate* delegate_ = nullptr;
    Action action_;
    Action doubleAction_;
    int maxVisibleColumns_ = 3;
    double rowHeight_ = 20.0;
    double minColumnWidth_ = 100.0;
    QScrollArea* scroller_ = nullptr;
    QWidget* strip_ = nullptr;
    QHBoxLayout* stripLayout_ = nullptr;
    std::vector<BrowserColumn*> columns_;
    QStringList columnNames_;
    int focusedColumn_ = 0; // the column that had the keyboard last
};

// One column: a list view over the column's rows, the cells filled so far
// and its selection.
class BrowserColumn final : public QListView {
public:
    BrowserColumn(ColumnBrowser& browser, int index, int rows);

    int index() const { return index_; }
    int rowCount() const;
    // The cell of a row once filled, or nothing.
    BrowserCell* cellAt(int row) const;
    // The cell of a row, filled now if it was not yet.
    BrowserCell& filledCell(int row);
    std::set<int> selectedRows() const;
    // Selects as a click with the modifiers would; false for a disabled row.
    bool select(int row, Qt::KeyboardModifiers modifiers);
    // The rectangle of a row in the viewport.
    QRect rowRect(int row) const;
    // Row heights and name again, after a change of font or names.
    void refresh();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The first row from the top that may be selected, or -1.
    int firstEnabledRow() const;

    // Selects the first enabled row whose title starts with what was typed
    // lately; a new search starts below the current row.
    void typeToSelect(const QString& text);

    ColumnBrowser& browser_;
    int index_;
    ColumnModel* model_;   // a child of the view
    int anchor_ = -1;      // where a range selected with Shift starts
    bool pressed_ = false; // a click began here and its button is still down
    QString typed_;
    QElapsedTimer typedAt_;
};

} // namespace platform
