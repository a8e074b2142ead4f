// The rows of one column of the browser for Qt's views, inside the widgets
// folder only.
#pragma once

#include "platform/widgets/ColumnBrowser.h"

#include <QAbstractListModel>
#include <memory>
#include <vector>

namespace platform {

// A row's cell is made and filled the first time it is drawn. What else asks
// about a row (keyboard navigation, an accessibility client) reads the
// filled cell, or else a cell that the delegate only describes, kept apart
// until the row is drawn.
class ColumnModel final : public QAbstractListModel {
public:
    ColumnModel(ColumnBrowser& browser, int column, int rows, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Type-to-select asks for the rows whose titles start with the typed
    // text: answered from the delegate's titles, so no cell is filled for
    // it; only a row that matches is filled (to know whether it is enabled).
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits,
                          Qt::MatchFlags flags) const override;

    // The row's cell if it was filled, else null.
    BrowserCell* loaded(int row) const;
    // The row's cell, filled now if it was not.
    BrowserCell& filled(int row) const;
    // The cell of a row for reading: the filled one; for a row on screen,
    // which is drawn (and so filled) anyway, filled now; otherwise one
    // described.
    const BrowserCell& read(int row) const;

private:
    bool onScreen(int row) const;
    bool validRow(const QModelIndex& index) const;

    ColumnBrowser& browser_;
    int column_;
    mutable std::vector<std::unique_ptr<BrowserCell>> cells_;
    mutable std::vector<std::unique_ptr<BrowserCell>> described_;
};

} // namespace platform
