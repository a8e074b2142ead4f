#include "platform/widgets/ColumnBrowser.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace platform {

namespace {
// Typed letters within this time are one search.
constexpr int kTypeSelectMs = 900;
} // namespace

// ---- BrowserColumn -------------------------------------------------------

BrowserColumn::BrowserColumn(ColumnBrowser& browser, int index, int rows)
    : QAbstractScrollArea(&browser), browser_(browser), index_(index),
      cells_(static_cast<std::size_t>(std::max(rows, 0))) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(static_cast<int>(browser_.rowHeight()));
    updateScrollRange();
}

BrowserCell* BrowserColumn::cellAt(int row) const {
    if (row < 0 || row >= rowCount())
        return nullptr;
    return cells_[static_cast<std::size_t>(row)].get();
}

BrowserCell& BrowserColumn::filledCell(int row) {
    auto& slot = cells_[static_cast<std::size_t>(row)];
    if (!slot) {
        slot = browser_.makeCell();
        browser_.fillCell(*slot, row, index_);
    }
    return *slot;
}

int BrowserColumn::rowAt(const QPoint& point) const {
    const double h = browser_.rowHeight();
    const int row = static_cast<int>(std::floor((point.y() + verticalScrollBar()->value()) / h));
    return row >= 0 && row < rowCount() ? row : -1;
}

QRect BrowserColumn::rowRect(int row) const {
    const double h = browser_.rowHeight();
    return QRect(0, static_cast<int>(row * h) - verticalScrollBar()->value(), viewport()->width(),
                 static_cast<int>(h));
}

void BrowserColumn::updateScrollRange() {
    const int h = static_cast<int>(browser_.rowHeight());
    const long long total = static_cast<long long>(rowCount()) * h;
    const int range = static_cast<int>(
        std::clamp<long long>(total - viewport()->height(), 0, std::numeric_limits<int>::max()));
    verticalScrollBar()->setRange(0, range);
    verticalScrollBar()->setPageStep(viewport()->height());
}

void BrowserColumn::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void BrowserColumn::scrollToRow(int row) {
    const QRect r = rowRect(row);
    if (r.top() < 0)
        verticalScrollBar()->setValue(verticalScrollBar()->value() + r.top());
    else if (r.bottom() > viewport()->height())
        verticalScrollBar()->setValue(verticalScrollBar()->value() + r.bottom() -
                                      viewport()->height() + 1);
}

void BrowserColumn::prepareVisibleRows() {
    if (rowCount() == 0)
        return;
    const int first = std::max(0, rowAt(QPoint(0, 0)));
    const double h = browser_.rowHeight();
    const int last =
        std::min(rowCount() - 1,
                 static_cast<int>((verticalScrollBar()->value() + viewport()->height() - 1) / h));
    for (int row = first; row <= last; ++row)
        filledCell(row);
}

void BrowserColumn::paintEvent(QPaintEvent*) {
    prepareVisibleRows();
    QPainter painter(viewport());
    const QPalette pal = palette();
    painter.fillRect(viewport()->rect(), pal.color(QPalette::Base));
    BrowserView view{painter, pal, true};
    if (!hasFocus()) {
        // An inactive column shows its selection in the muted colour.
        view.palette.setColor(QPalette::Active, QPalette::Highlight,
                              pal.color(QPalette::Inactive, QPalette::Highlight).lighter(115));
        view.palette.setColor(QPalette::Active, QPalette::HighlightedText,
                              pal.color(QPalette::Inactive, QPalette::HighlightedText));
    }
    const int first = std::max(0, rowAt(QPoint(0, 0)));
    for (int row = first; row < rowCount(); ++row) {
        const QRect r = rowRect(row);
        if (r.top() >= viewport()->height())
            break;
        BrowserCell& cell = filledCell(row);
        cell.setHighlighted(selected_.count(row) != 0);
        if (cell.isHighlighted())
            painter.fillRect(r, cell.highlightColorInView(view));
        cell.drawInteriorWithFrame(QRectF(r), view);
    }
    painter.setPen(pal.color(QPalette::Mid));
    painter.drawLine(viewport()->width() - 1, 0, viewport()->width() - 1, viewport()->height());
}

void BrowserColumn::clearSelection() {
    selected_.clear();
    anchor_ = -1;
    viewport()->update();
}

void BrowserColumn::select(int row, Qt::KeyboardModifiers modifiers) {
    if (row < 0 || row >= rowCount()) {
        clearSelection();
    } else if (modifiers & Qt::ShiftModifier && anchor_ >= 0) {
        selected_.clear();
        for (int r = std::min(anchor_, row); r <= std::max(anchor_, row); ++r)
            selected_.insert(r);
    } else if (modifiers & Qt::ControlModifier) {
        if (!selected_.erase(row))
            selected_.insert(row);
        anchor_ = row;
    } else {
        selected_ = {row};
        anchor_ = row;
    }
    if (row >= 0 && row < rowCount()) {
        filledCell(row);
        scrollToRow(row);
    }
    viewport()->update();
}

void BrowserColumn::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    browser_.selectRow(rowAt(event->position().toPoint()), index_, event->modifiers());
}

void BrowserColumn::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        browser_.doubleClicked(index_);
}

void BrowserColumn::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void BrowserColumn::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void BrowserColumn::typeToSelect(const QString& text) {
    if (!typedAt_.isValid() || typedAt_.elapsed() > kTypeSelectMs)
        typed_.clear();
    typed_ += text;
    typedAt_.restart();
    // Filled rows first; the rest are filled in order until one matches.
    for (int row = 0; row < rowCount(); ++row) {
        const QString title = QString::fromUtf8(filledCell(row).stringValue());
        if (title.startsWith(typed_, Qt::CaseInsensitive)) {
            browser_.selectRow(row, index_);
            return;
        }
    }
}

void BrowserColumn::keyPressEvent(QKeyEvent* event) {
    const int current = selected_.empty() ? -1 : *selected_.rbegin();
    switch (event->key()) {
    case Qt::Key_Up:
        if (rowCount())
            browser_.selectRow(current <= 0 ? 0 : current - 1, index_,
                               event->modifiers() & Qt::ShiftModifier);
        return;
    case Qt::Key_Down:
        if (rowCount())
            browser_.selectRow(std::min(rowCount() - 1, current + 1), index_,
                               event->modifiers() & Qt::ShiftModifier);
        return;
    case Qt::Key_Home:
        if (rowCount())
            browser_.selectRow(0, index_);
        return;
    case Qt::Key_End:
        if (rowCount())
            browser_.selectRow(rowCount() - 1, index_);
        return;
    case Qt::Key_Right:
        if (index_ + 1 < browser_.numberOfColumns() &&
            browser_.numberOfRowsInColumn(index_ + 1) > 0) {
            browser_.focusColumn(index_ + 1);
            browser_.selectRow(0, index_ + 1);
        }
        return;
    case Qt::Key_Left:
        if (index_ > 0) {
            BrowserColumn* left = browser_.columnView(index_ - 1);
            browser_.focusColumn(index_ - 1);
            if (!left->selectedRows().empty())
                browser_.selectRow(*left->selectedRows().begin(), index_ - 1);
        }
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier)) {
        typeToSelect(text);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

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
    // The keyboard belongs to the columns, not to the area that scrolls them.
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
}

ColumnBrowser::~ColumnBrowser() = default;

void ColumnBrowser::setCellFactory(CellFactory factory) {
    factory_ = std::move(factory);
    // Every row is as high as a fresh cell says it wants to be.
    auto probe = makeCell();
    const double natural = probe->cellSizeForBounds(QRectF(0, 0, 1e4, 1e4)).height();
    rowHeight_ = std::max(1.0, std::ceil(natural));
}

std::unique_ptr<BrowserCell> ColumnBrowser::makeCell() const {
    return factory_();
}

void ColumnBrowser::fillCell(BrowserCell& cell, int row, int column) {
    if (delegate_)
        delegate_->browserWillDisplayCell(*this, cell, row, column);
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
    // Newly loaded columns come into view at the right.
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
    dropColumnsAfter(-1);
    addColumn();
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
    if (view->selectedRows().size() != 1)
        return;
    const int row = *view->selectedRows().begin();
    if (!view->filledCell(row).isLeaf())
        addColumn();
}

void ColumnBrowser::selectRow(int row, int column, Qt::KeyboardModifiers modifiers) {
    BrowserColumn* view = columnView(column);
    if (!view)
        return;
    view->select(row, modifiers);
    selectionChanged(column);
    clicked(column);
}

void ColumnBrowser::clicked(int) {
    if (action_)
        action_(*this);
}

void ColumnBrowser::doubleClicked(int) {
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
        int found = -1;
        for (int row = 0; row < view->rowCount() && found < 0; ++row) {
            if (view->filledCell(row).stringValue() == component)
                found = row;
        }
        if (found < 0)
            return false;
        view->select(found, Qt::NoModifier);
        selectionChanged(column);
        ++column;
    }
    return true;
}

std::string ColumnBrowser::pathToColumn(int column) const {
    std::string path = pathSeparator();
    const int upTo = std::min(column, numberOfColumns());
    for (int i = 0; i < upTo; ++i) {
        BrowserColumn* view = columnView(i);
        if (view->selectedRows().empty())
            break;
        BrowserCell* cell = view->cellAt(*view->selectedRows().begin());
        if (i > 0)
            path += pathSeparator();
        path += cell ? cell->stringValue() : std::string();
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
        if (BrowserCell* cell = view->cellAt(row))
            cells.push_back(cell);
    return cells;
}

} // namespace platform
