#pragma once

#include "store/OrderTable.h"

#include <QString>
#include <functional>
#include <span>

namespace store {
class ListedOrders;
struct Order;
} // namespace store

namespace xl {

// A column of the export: its title and the column of the order it shows.
struct ExportColumn
{
    QString title;
    store::OrderColumn column;
};

// The cells an export writes, read from the listed orders: the titles in row 0, then one row per listed
// order, newest first, each cell as the grid shows it. An order deleted since the listing gives an empty
// row.
class ExportRows final
{
public:
    // orders may be null: nothing is listed.
    ExportRows(store::ListedOrders* orders, std::span<const ExportColumn> columns);

    int rowCount() const; // the title row included
    int columnCount() const { return int(m_columns.size()); }
    store::OrderColumn column(int col) const { return m_columns[std::size_t(col)].column; }
    // Throws SheetError when the order's page cannot be read.
    QString text(int row, int col);
    // The order of a row below the titles (row >= 1); nullptr when it was deleted since the listing.
    // Valid until the next call. Throws SheetError when its page cannot be read.
    const store::Order* order(int row);
    // Each row below the titles in turn (row >= 1), with its order or nullptr, reading the listed orders
    // once from first to last: the way to write them all. Throws SheetError when a page cannot be read.
    void forEachOrder(const std::function<void(int row, const store::Order* order)>& visit);

private:
    store::ListedOrders* m_orders;
    std::span<const ExportColumn> m_columns;
};

} // namespace xl
