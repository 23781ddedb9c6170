#include "export/ExportRows.h"

#include "store/ListedOrders.h"

namespace xl {

ExportRows::ExportRows(store::ListedOrders* orders, std::span<const ExportColumn> columns)
    : m_orders(orders)
    , m_columns(columns)
{}

int ExportRows::rowCount() const
{
    return 1 + (m_orders ? int(m_orders->size()) : 0);
}

QString ExportRows::text(int row, int col)
{
    if (row == 0) {
        return m_columns[std::size_t(col)].title;
    }
    const store::Order* listed = order(row);
    return listed ? store::shownText(*listed, column(col)) : QString();
}

const store::Order* ExportRows::order(int row)
{
    return m_orders->order(std::size_t(row) - 1);
}

} // namespace xl
