// The columns of the browser: one list view a column over a model of ours
// (ColumnModel), with its cells drawn through an item delegate; the mouse,
// the keyboard and the focus.
#include "platform/widgets/ColumnBrowser.h"
#include "platform/widgets/ColumnModel.h"

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

namespace {

// Draws each row with its cell: the highlight of a selected row, then the
// cell's own interior (icon, title, branch arrow), then the focus mark.
class CellPainter final : public QStyledItemDelegate {
public:
    CellPainter(ColumnBrowser& browser, BrowserColumn& column)
        : QStyledItemDelegate(&column), browser_(browser), column_(column) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        BrowserCell& cell = column_.filledCell(index.row());
        const bool focused = column_.hasFocus();
        QPalette palette = option.palette;
        if (!focused) {
            // An inactive column shows its selection in the muted colour.
            palette.setColor(QPalette::Active, QPalette::Highlight,
                             palette.color(QPalette::Inactive, QPalette::Highlight).lighter(115));
            palette.setColor(QPalette::Active, QPalette::HighlightedText,
                             palette.color(QPalette::Inactive, QPalette::HighlightedText));
        }
        painter->save();
        BrowserView view{*painter, palette, true};
        cell.setHighlighted((option.state & QStyle::State_Selected) && cell.isEnabled());
        if (cell.isHighlighted())
            painter->fillRect(option.rect, cell.highlightColorInView(view));
        cell.drawInteriorWithFrame(QRectF(option.rect), view);
        painter->restore();
        if (focused && (option.state & QStyle::State_HasFocus)) {
            QStyleOptionFocusRect mark;
            mark.QStyleOption::operator=(option);
            mark.rect = option.rect.adjusted(1, 1, -2, -1);
            mark.backgroundColor =
                palette.color(cell.isHighlighted() ? QPalette::Highlight : QPalette::Base);
            column_.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &mark, painter, &column_);
        }
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        // Every row is as high as the browser's rows; nothing is filled for it.
        return QSize(std::max(1, option.rect.width()), static_cast<int>(browser_.rowHeight()));
    }

private:
    ColumnBrowser& browser_;
    BrowserColumn& column_;
};

} // namespace

// ---- BrowserColumn -------------------------------------------------------

BrowserColumn::BrowserColumn(ColumnBrowser& browser, int index, int rows)
    : QListView(&browser), browser_(browser), index_(index),
      model_(new ColumnModel(browser, index, rows, this)) {
    setModel(model_);
    setItemDelegate(new CellPainter(browser, *this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // The keyboard reaches a column through the browser, which is the one
    // tab stop; a click gives a column the focus directly.
    setFocusPolicy(Qt::ClickFocus);
    setTabKeyNavigation(false);
    refresh();
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { browser_.selectionChanged(index_); });
}

void BrowserColumn::refresh() {
    setAccessibleName(browser_.columnName(index_));
    verticalScrollBar()->setSingleStep(static_cast<int>(browser_.rowHeight()));
    // Uniform rows: the views measure them again.
    scheduleDelayedItemsLayout();
}

int BrowserColumn::firstEnabledRow() const {
    for (int row = 0; row < rowCount(); ++row)
        if (model_->flags(model_->index(row)) & Qt::ItemIsEnabled)
            return row;
    return -1;
}

int BrowserColumn::rowCount() const {
    return model_->rowCount();
}

BrowserCell* BrowserColumn::cellAt(int row) const {
    return model_->loaded(row);
}

BrowserCell& BrowserColumn::filledCell(int row) {
    return model_->filled(row);
}

std::set<int> BrowserColumn::selectedRows() const {
    std::set<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.insert(index.row());
    return rows;
}

QRect BrowserColumn::rowRect(int row) const {
    return visualRect(model_->index(row));
}

bool BrowserColumn::select(int row, Qt::KeyboardModifiers modifiers) {
    if (row < 0 || row >= rowCount()) {
        selectionModel()->clear();
        anchor_ = -1;
        return true;
    }
    const QModelIndex index = model_->index(row);
    if (!(model_->flags(index) & Qt::ItemIsEnabled))
        return false;
    using Flag = QItemSelectionModel::SelectionFlag;
    if ((modifiers & Qt::ShiftModifier) && anchor_ >= 0) {
        const QItemSelection range(model_->index(std::min(anchor_, row)),
                                   model_->index(std::max(anchor_, row)));
        selectionModel()->select(range, Flag::ClearAndSelect | Flag::Rows);
        selectionModel()->setCurrentIndex(index, Flag::NoUpdate);
    } else if (modifiers & Qt::ControlModifier) {
        selectionModel()->setCurrentIndex(index, Flag::Toggle | Flag::Rows);
        anchor_ = row;
    } else {
        selectionModel()->setCurrentIndex(index, Flag::ClearAndSelect | Flag::Rows);
        anchor_ = row;
    }
    scrollTo(index);
    return true;
}

void BrowserColumn::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        // The menu a right click opens is about the row under the pointer.
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid() && !selectionModel()->isRowSelected(index.row()) &&
            select(index.row(), Qt::NoModifier))
            browser_.clicked();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    setFocus(Qt::MouseFocusReason);
    if (index.isValid() && !(model_->flags(index) & Qt::ItemIsEnabled))
        return; // a disabled row takes no click
    if (!index.isValid()) {
        // Below the rows: nothing stays selected in this column.
        if (!(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))) {
            selectionModel()->clear();
            anchor_ = -1;
        }
    } else {
        QListView::mousePressEvent(event);
        if (!(event->modifiers() & Qt::ShiftModifier))
            anchor_ = index.row();
    }
    // The action waits for the release: a drag may still add rows.
    pressed_ = true;
}

void BrowserColumn::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    browser_.clicked();
}

void BrowserColumn::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && (model_->flags(index) & Qt::ItemIsEnabled))
        browser_.doubleClicked();
}

void BrowserColumn::keyPressEvent(QKeyEvent* event) {
    const std::set<int> before = selectedRows();
    switch (event->key()) {
    case Qt::Key_Right:
        // Into the next column, onto its first row that may be selected.
        if (BrowserColumn* next = browser_.columnView(index_ + 1)) {
            for (int row = 0; row < next->rowCount(); ++row) {
                if (next->select(row, Qt::NoModifier)) {
                    browser_.focusColumn(index_ + 1);
                    browser_.clicked();
                    break;
                }
            }
        }
        return;
    case Qt::Key_Left:
        if (BrowserColumn* left = browser_.columnView(index_ - 1)) {
            browser_.focusColumn(index_ - 1);
            const auto rows = left->selectedRows();
            if (!rows.empty()) {
                // Back to the row that opened this column, which is loaded
                // afresh with nothing selected.
                left->select(*rows.rbegin(), Qt::NoModifier);
                browser_.selectionChanged(index_ - 1);
                browser_.clicked();
            }
        }
        return;
    case Qt::Key_Down:
        // Nothing selected here yet: Down selects the first row, not the
        // one below the row that holds the focus mark.
        if (before.empty() && !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))) {
            typed_.clear();
            typedAt_.invalidate();
            if (select(firstEnabledRow(), Qt::NoModifier) && !selectedRows().empty())
                browser_.clicked();
            return;
        }
        break;
    default:
        break;
    }
    const QString text = event->text();
    const bool printable = !text.isEmpty() && text.at(0).isPrint();
    const bool searching =
        typedAt_.isValid() && typedAt_.elapsed() <= QApplication::keyboardInputInterval();
    if (printable && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
        (text != QStringLiteral(" ") || searching)) {
        typeToSelect(text);
    } else {
        // Any other key ends a search; Space on its own selects the current row.
        typed_.clear();
        typedAt_.invalidate();
        QListView::keyPressEvent(event);
        if (!(event->modifiers() & Qt::ShiftModifier) && currentIndex().isValid())
            anchor_ = currentIndex().row();
    }
    if (selectedRows() != before)
        browser_.clicked();
}

void BrowserColumn::typeToSelect(const QString& text) {
    const bool fresh =
        !typedAt_.isValid() || typedAt_.elapsed() > QApplication::keyboardInputInterval();
    if (fresh)
        typed_.clear();
    typed_ += text;
    typedAt_.restart();
    if (rowCount() == 0)
        return;
    // With nothing selected here, a search starts at the top.
    const int current =
        currentIndex().isValid() && !selectedRows().empty() ? currentIndex().row() : -1;
    const int from = current < 0 ? 0 : (current + (fresh ? 1 : 0)) % rowCount();
    // The titles are matched without filling cells; a match that is
    // disabled is passed over.
    const auto matches = model_->match(model_->index(from), Qt::DisplayRole, typed_, -1,
                                       Qt::MatchStartsWith | Qt::MatchWrap);
    for (const QModelIndex& match : matches) {
        if (select(match.row(), Qt::NoModifier))
            return;
    }
}

void BrowserColumn::focusInEvent(QFocusEvent* event) {
    // The focus mark comes back to the row selected last, if any.
    const auto rows = selectedRows();
    if (!currentIndex().isValid() && !rows.empty())
        selectionModel()->setCurrentIndex(model_->index(*rows.rbegin()),
                                          QItemSelectionModel::NoUpdate);
    browser_.focusedColumn_ = index_;
    QListView::focusInEvent(event);
}

void BrowserColumn::focusOutEvent(QFocusEvent* event) {
    QListView::focusOutEvent(event);
    // Only the column with the keyboard has a current row, so that an
    // assistive client hears of focus where it is and nowhere else. A window
    // that goes to the background keeps its focus.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

bool BrowserColumn::focusNextPrevChild(bool next) {
    return browser_.focusOutOfBrowser(next);
}

void BrowserColumn::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(viewport()->width() - 1, 0, viewport()->width() - 1, viewport()->height());
}
} // namespace platform
