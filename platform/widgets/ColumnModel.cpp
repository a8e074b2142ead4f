#include "platform/widgets/ColumnModel.h"

#include <QAbstractItemView>
#include <algorithm>

namespace platform {

ColumnModel::ColumnModel(ColumnBrowser& browser, int column, int rows, QObject* parent)
    : QAbstractListModel(parent), browser_(browser), column_(column),
      cells_(static_cast<std::size_t>(std::max(rows, 0))),
      described_(static_cast<std::size_t>(std::max(rows, 0))) {}

int ColumnModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(cells_.size());
}

QVariant ColumnModel::data(const QModelIndex& index, int role) const {
    if (!validRow(index))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return read(index.row()).displayTitle();
    default:
        return {};
    }
}

Qt::ItemFlags ColumnModel::flags(const QModelIndex& index) const {
    if (!validRow(index))
        return Qt::NoItemFlags;
    // Disabled rows can be neither selected nor highlighted.
    return read(index.row()).isEnabled()
               ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
               : Qt::ItemNeverHasChildren;
}

QModelIndexList ColumnModel::match(const QModelIndex& start, int role, const QVariant& value,
                                   int hits, Qt::MatchFlags flags) const {
    std::vector<std::string> titles;
    if (role != Qt::DisplayRole || (flags & Qt::MatchTypeMask) != Qt::MatchStartsWith ||
        !browser_.titlesOf(column_, titles) || titles.size() != cells_.size())
        return QAbstractListModel::match(start, role, value, hits, flags);
    const QString wanted = value.toString();
    const Qt::CaseSensitivity cs =
        flags & Qt::MatchCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QModelIndexList found;
    const int rows = rowCount();
    const int from = std::max(0, start.row());
    const int count = flags & Qt::MatchWrap ? rows : rows - from;
    for (int i = 0; i < count && (hits < 0 || found.size() < hits); ++i) {
        const int row = (from + i) % rows;
        const std::string& title = titles[static_cast<std::size_t>(row)];
        QString shown = browser_.displayTitleOf(column_, title);
        if (shown.isEmpty())
            shown = QString::fromUtf8(title);
        if (shown.startsWith(wanted, cs))
            found << index(row);
    }
    return found;
}

BrowserCell* ColumnModel::loaded(int row) const {
    if (row < 0 || row >= rowCount())
        return nullptr;
    return cells_[static_cast<std::size_t>(row)].get();
}

BrowserCell& ColumnModel::filled(int row) const {
    auto& slot = cells_[static_cast<std::size_t>(row)];
    if (!slot) {
        slot = browser_.makeCell();
        browser_.fillCell(*slot, row, column_);
        described_[static_cast<std::size_t>(row)].reset();
    }
    return *slot;
}

const BrowserCell& ColumnModel::read(int row) const {
    if (const BrowserCell* cell = loaded(row))
        return *cell;
    if (onScreen(row))
        return filled(row);
    auto& slot = described_[static_cast<std::size_t>(row)];
    if (!slot) {
        auto cell = browser_.makeCell();
        if (!browser_.describeCell(*cell, row, column_))
            return filled(row);
        slot = std::move(cell);
    }
    return *slot;
}

bool ColumnModel::onScreen(int row) const {
    const auto* view = qobject_cast<const QAbstractItemView*>(QObject::parent());
    return view && view->isVisible() &&
           view->visualRect(index(row)).intersects(view->viewport()->rect());
}

bool ColumnModel::validRow(const QModelIndex& index) const {
    return index.isValid() && index.row() >= 0 && index.row() < rowCount();
}

} // namespace platform
