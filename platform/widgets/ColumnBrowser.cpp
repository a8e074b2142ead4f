#include "platform/widgets/ColumnBrowser.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cmath>

namespace platform {

// ---- ColumnBrowser -------------------------------------------------------

namespace {

// The row of columns, with a divider drawn for every slot, loaded or not.
class ColumnStrip final : public QWidget {
public:
    explicit ColumnStrip(const ColumnBrowser& browser) : browser_(browser) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Base));
        painter.setPen(palette().color(QPalette::Mid));
        const int width = static_cast<int>(browser_.columnWidth());
        for (int x = width - 1; x < this->width(); x += width)
            painter.drawLine(x, 0, x, height());
    }

private:
    const ColumnBrowser& browser_;
};

} // namespace

ColumnBrowser::ColumnBrowser(QWidget* parent) : QFrame(parent) {
    setCellFactory([] { return std::make_unique<BrowserCell>(); });
    setFrameShape(QFrame::StyledPanel);
    scroller_ = new QScrollArea(this);
    scroller_->setFrameShape(QFrame::NoFrame);
    // The keyboard belongs to the columns, not to the area that scrolls them;
    // the browser is their one stop in the window's tab order.
    setFocusPolicy(Qt::StrongFocus);
    scroller_->setFocusPolicy(Qt::NoFocus);
    scroller_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroller_->setWidgetResizable(true);
    strip_ = new ColumnStrip(*this);
    stripLayout_ = new QHBoxLayout(strip_);
    stripLayout_->setContentsMargins(0, 0, 0, 0);
    stripLayout_->setSpacing(0);
    stripLayout_->addStretch(1);
    scroller_->setWidget(strip_);
    // What holds the columns is named for an assistive client too.
    const QString columns = QCoreApplication::translate("Trayskin", "Columns");
    for (QWidget* holder : {static_cast<QWidget*>(scroller_), scroller_->viewport(), strip_})
        holder->setAccessibleName(columns);
}

ColumnBrowser::~ColumnBrowser() = default;

void ColumnBrowser::setCellFactory(CellFactory factory) {
    factory_ = std::move(factory);
    updateRowHeight();
}

void ColumnBrowser::updateRowHeight() {
    // Every row is as high as a fresh cell says it wants to be, and never
    // lower than a line of the font with a point above and below.
    auto probe = makeCell();
    const double natural = probe->cellSizeForBounds(QRectF(0, 0, 1e4, 1e4)).height();
    const double line = QFontMetricsF(systemFont()).height() + 2.0;
    rowHeight_ = std::max(1.0, std::ceil(std::max(natural, line)));
    for (BrowserColumn* column : columns_)
        column->refresh();
}

void ColumnBrowser::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    // Focus given to the browser goes to the column that had it last.
    const int column = std::min(focusedColumn_, numberOfColumns() - 1);
    if (BrowserColumn* view = columnView(std::max(0, column)))
        view->setFocus(event->reason());
}

void ColumnBrowser::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::ApplicationFontChange)
        updateRowHeight();
}

void ColumnBrowser::setColumnNames(const QStringList& names) {
    columnNames_ = names;
    for (BrowserColumn* column : columns_)
        column->refresh();
}

QString ColumnBrowser::columnName(int column) const {
    if (column >= 0 && column < columnNames_.size())
        return columnNames_.at(column);
    return QCoreApplication::translate("Trayskin", "Column %1").arg(column + 1);
}

bool ColumnBrowser::describeCell(BrowserCell& cell, int row, int column) {
    if (!delegate_ || !delegate_->browserDescribeCell(*this, cell, row, column))
        return false;
    cell.setDisplayTitle(displayTitleOf(column, cell.stringValue()));
    return true;
}

bool ColumnBrowser::focusOutOfBrowser(bool next) {
    // The next widget in the window's chain that is not part of the
    // browser and takes focus from the Tab key.
    QWidget* w = this;
    for (;;) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == this)
            return false;
        if (isAncestorOf(w))
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window()) && w->isEnabled())
            break;
    }
    w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

std::unique_ptr<BrowserCell> ColumnBrowser::makeCell() const {
    return factory_();
}

void ColumnBrowser::fillCell(BrowserCell& cell, int row, int column) {
    if (!delegate_)
        return;
    delegate_->browserWillDisplayCell(*this, cell, row, column);
    cell.setDisplayTitle(displayTitleOf(column, cell.stringValue()));
}

QString ColumnBrowser::displayTitleOf(int column, const std::string& title) {
    if (!delegate_ || title.empty())
        return {};
    return delegate_->browserDisplayTitle(*this, column, title);
}

bool ColumnBrowser::titlesOf(int column, std::vector<std::string>& titles) {
    return delegate_ && delegate_->browserTitlesInColumn(*this, column, titles);
}

void ColumnBrowser::setMaxVisibleColumns(int count) {
    maxVisibleColumns_ = std::max(1, count);
    layoutColumns();
}

void ColumnBrowser::setMinColumnWidth(double width) {
    minColumnWidth_ = std::max(1.0, width);
    layoutColumns();
}

double ColumnBrowser::columnWidth() const {
    const double available = contentsRect().width();
    return std::max(minColumnWidth_, std::floor(available / maxVisibleColumns_));
}

void ColumnBrowser::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    scroller_->setGeometry(contentsRect());
    layoutColumns();
}

void ColumnBrowser::layoutColumns() {
    if (!strip_)
        return;
    const int width = static_cast<int>(columnWidth());
    const int slots =
        std::max(numberOfColumns(), std::max(1, contentsRect().width() / std::max(1, width)));
    strip_->setMinimumWidth(slots * width);
    for (BrowserColumn* column : columns_) {
        column->setFixedWidth(width);
        column->show();
    }
    // The strip takes its new width now, so that newly loaded columns come
    // into view at the right at once.
    const QSize area = scroller_->viewport()->size();
    strip_->resize(std::max(area.width(), slots * width), area.height());
    scroller_->horizontalScrollBar()->setValue(scroller_->horizontalScrollBar()->maximum());
}

void ColumnBrowser::addColumn() {
    const int index = numberOfColumns();
    const int rows =
        delegate_ ? std::max(0, delegate_->browserNumberOfRowsInColumn(*this, index)) : 0;
    auto* column = new BrowserColumn(*this, index, rows);
    stripLayout_->insertWidget(index, column);
    columns_.push_back(column);
    layoutColumns();
    // Give the column its place now, so that it never paints at a size it
    // does not have.
    stripLayout_->activate();
}

void ColumnBrowser::dropColumnsAfter(int column) {
    while (numberOfColumns() > column + 1) {
        BrowserColumn* last = columns_.back();
        columns_.pop_back();
        // Deleted later: the column may be the one handling the current event.
        stripLayout_->removeWidget(last);
        last->hide();
        last->deleteLater();
    }
}

void ColumnBrowser::loadColumnZero() {
    // The keyboard stays in the browser when it was there.
    const QWidget* focus = QApplication::focusWidget();
    const bool hadFocus = focus && isAncestorOf(focus);
    dropColumnsAfter(-1);
    focusedColumn_ = 0;
    addColumn();
    if (hadFocus)
        focusColumn(0);
}

void ColumnBrowser::reloadColumns() {
    struct Kept {
        std::vector<std::string> selected;
        int scrolled = 0;
    };
    std::vector<Kept> kept;
    for (BrowserColumn* view : columns_) {
        Kept column{{}, view->verticalScrollBar()->value()};
        for (int row : view->selectedRows())
            column.selected.push_back(view->filledCell(row).stringValue());
        kept.push_back(std::move(column));
    }
    const int focused = focusedColumn_;
    const QWidget* focus = QApplication::focusWidget();
    const bool hadFocus = focus && isAncestorOf(focus);
    loadColumnZero();
    for (std::size_t i = 0; i < kept.size() && i < columns_.size(); ++i) {
        BrowserColumn* view = columns_[i];
        std::vector<std::string> titles;
        if (!titlesOf(static_cast<int>(i), titles) ||
            titles.size() != static_cast<std::size_t>(view->rowCount())) {
            titles.clear();
            for (int row = 0; row < view->rowCount(); ++row)
                titles.push_back(view->filledCell(row).stringValue());
        }
        Qt::KeyboardModifiers add = Qt::NoModifier;
        for (const std::string& title : kept[i].selected) {
            const auto found = std::find(titles.begin(), titles.end(), title);
            if (found != titles.end() &&
                view->select(static_cast<int>(found - titles.begin()), add))
                add = Qt::ControlModifier;
        }
        // Laid out now, so that the scroll bar has its range.
        view->doItemsLayout();
        view->verticalScrollBar()->setValue(kept[i].scrolled);
    }
    if (hadFocus)
        focusColumn(std::min(focused, numberOfColumns() - 1));
}

int ColumnBrowser::numberOfRowsInColumn(int column) const {
    BrowserColumn* view = columnView(column);
    return view ? view->rowCount() : 0;
}

BrowserColumn* ColumnBrowser::columnView(int column) const {
    if (column < 0 || column >= numberOfColumns())
        return nullptr;
    return columns_[static_cast<std::size_t>(column)];
}

BrowserCell* ColumnBrowser::loadedCellAtRow(int row, int column) const {
    BrowserColumn* view = columnView(column);
    return view ? view->cellAt(row) : nullptr;
}

void ColumnBrowser::focusColumn(int column) {
    if (BrowserColumn* view = columnView(column))
        view->setFocus(Qt::OtherFocusReason);
}

void ColumnBrowser::selectionChanged(int column) {
    dropColumnsAfter(column);
    BrowserColumn* view = columnView(column);
    if (!view)
        return;
    const auto rows = view->selectedRows();
    if (rows.size() != 1)
        return;
    if (!view->filledCell(*rows.begin()).isLeaf())
        addColumn();
}

void ColumnBrowser::selectRow(int row, int column, Qt::KeyboardModifiers modifiers) {
    BrowserColumn* view = columnView(column);
    if (!view || !view->select(row, modifiers))
        return;
    clicked();
}

void ColumnBrowser::clicked() {
    if (action_)
        action_(*this);
}

void ColumnBrowser::doubleClicked() {
    if (doubleAction_)
        doubleAction_(*this);
}

bool ColumnBrowser::setPath(const std::string& path) {
    if (numberOfColumns() == 0)
        addColumn();
    int column = 0;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string component = path.substr(start, end - start);
        start = end + 1;
        if (component.empty())
            continue;
        BrowserColumn* view = columnView(column);
        if (!view)
            return false;
        // One list of the titles; only the row found is filled.
        std::vector<std::string> titles;
        const bool told =
            titlesOf(column, titles) && titles.size() == static_cast<std::size_t>(view->rowCount());
        bool found = false;
        for (int row = 0; row < view->rowCount() && !found; ++row) {
            const std::string& title =
                told ? titles[static_cast<std::size_t>(row)] : view->filledCell(row).stringValue();
            found = title == component && view->select(row, Qt::NoModifier);
        }
        if (!found)
            return false;
        ++column;
    }
    return true;
}

std::string ColumnBrowser::pathToColumn(int column) const {
    std::string path = pathSeparator();
    const int upTo = std::min(column, numberOfColumns());
    for (int i = 0; i < upTo; ++i) {
        BrowserColumn* view = columnView(i);
        const auto rows = view->selectedRows();
        if (rows.empty())
            break;
        // Several selected: the lowest of them, as the platform's matrix says.
        BrowserCell& cell = view->filledCell(*rows.rbegin());
        if (i > 0)
            path += pathSeparator();
        path += cell.stringValue();
    }
    return path;
}

int ColumnBrowser::selectedColumn() const {
    for (int i = numberOfColumns() - 1; i >= 0; --i)
        if (!columnView(i)->selectedRows().empty())
            return i;
    return -1;
}

std::string ColumnBrowser::path() const {
    return pathToColumn(selectedColumn() + 1);
}

std::vector<BrowserCell*> ColumnBrowser::selectedCells() const {
    std::vector<BrowserCell*> cells;
    BrowserColumn* view = columnView(selectedColumn());
    if (!view)
        return cells;
    for (int row : view->selectedRows())
        cells.push_back(&view->filledCell(row));
    return cells;
}

} // namespace platform
