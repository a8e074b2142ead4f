// A column browser in passive mode: it makes its row cells itself and asks a
// delegate how many rows a column has when the column loads, and to fill each
// cell once, just before that cell is first shown. Only rows that come on
// screen are filled, so a long column costs its visible rows.
//
// Selecting rows in a column drops the columns to its right; when exactly one
// row that is not a leaf is selected, the next column is loaded.
#pragma once

#include "platform/widgets/BrowserCell.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QFrame>
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

class ColumnBrowserDelegate {
public:
    virtual ~ColumnBrowserDelegate() = default;
    virtual int browserNumberOfRowsInColumn(ColumnBrowser& browser, int column) = 0;
    virtual void browserWillDisplayCell(ColumnBrowser& browser, BrowserCell& cell, int row,
                                        int column) = 0;
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

    // The action runs after every click and every change of selection made
    // from the keyboard; the double action after a double click.
    void setAction(Action action) { action_ = std::move(action); }
    void setDoubleAction(Action action) { doubleAction_ = std::move(action); }

    void setMaxVisibleColumns(int count);
    int maxVisibleColumns() const { return maxVisibleColumns_; }
    void setMinColumnWidth(double width);
    double minColumnWidth() const { return minColumnWidth_; }
    std::string pathSeparator() const { return "/"; }

    // Drops every column and loads column 0 afresh, with nothing selected.
    void loadColumnZero();
    // Selects, column by column, the rows whose titles are the components of
    // the path, loading columns as it goes; stops at the first component that
    // no row carries. Returns true when every component was found.
    bool setPath(const std::string& path);
    // "/" and the titles selected in columns 0 to column - 1.
    std::string pathToColumn(int column) const;
    // The same, up to and including the last column with a selection.
    std::string path() const;
    // The selected cells of the last column with a selection.
    std::vector<BrowserCell*> selectedCells() const;
    int selectedColumn() const;

    int numberOfColumns() const { return static_cast<int>(columns_.size()); }
    int numberOfRowsInColumn(int column) const;
    // The cell of a row once it has been filled; nothing before.
    BrowserCell* loadedCellAtRow(int row, int column) const;
    // Selects rows as clicks with the given modifiers would, and runs the
    // action (for menus, keyboard and tests).
    void selectRow(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    BrowserColumn* columnView(int column) const;
    double rowHeight() const { return rowHeight_; }
    double columnWidth() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class BrowserColumn;

    void addColumn();
    void dropColumnsAfter(int column);
    void selectionChanged(int column);
    void layoutColumns();
    void clicked(int column);
    void doubleClicked(int column);
    std::unique_ptr<BrowserCell> makeCell() const;
    void fillCell(BrowserCell& cell, int row, int column);
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
};

// One column: its rows, the cells filled so far and its selection.
class BrowserColumn final : public QAbstractScrollArea {
public:
    BrowserColumn(ColumnBrowser& browser, int index, int rows);

    int index() const { return index_; }
    int rowCount() const { return static_cast<int>(cells_.size()); }
    BrowserCell* cellAt(int row) const;
    const std::set<int>& selectedRows() const { return selected_; }
    void select(int row, Qt::KeyboardModifiers modifiers);
    void clearSelection();
    // The row under a point of the viewport, or -1.
    int rowAt(const QPoint& point) const;
    QRect rowRect(int row) const;
    void scrollToRow(int row);
    // Fills the cells of the rows now on screen that were never filled.
    void prepareVisibleRows();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class ColumnBrowser;
    BrowserCell& filledCell(int row);
    void updateScrollRange();
    void typeToSelect(const QString& text);

    ColumnBrowser& browser_;
    int index_;
    std::vector<std::unique_ptr<BrowserCell>> cells_;
    std::set<int> selected_;
    int anchor_ = -1;
    QString typed_;
    QElapsedTimer typedAt_;
};

} // namespace platform
