#include "export/ExportRows.h"

#include "export/SheetError.h"
#include "store/ListedOrders.h"
#include "store/StoreError.h"

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

void ExportRows::forEachOrder(const std::function<void(int row, const store::Order* order)>& visit)
{
    if (m_orders == nullptr) {
        return;
    }
    try {
        m_orders->forEach(
            [&visit](std::size_t index, const store::Order* order) { visit(int(index) + 1, order); });
    } catch (const store::StoreError& e) {
        throw SheetError(e.description());
    }
}

const store::Order* ExportRows::order(int row)
{
    // The store's failure (locked, gone, a disk error) is told in its own words, as every failure of the
    // export is.
    try {
        return m_orders->order(std::size_t(row) - 1);
    } catch (const store::StoreError& e) {
        throw SheetError(e.description());
    }
}

} // namespace xl
