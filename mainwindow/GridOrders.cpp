#include "mainwindow/GridOrders.h"

#include "mainwindow/GridColumns.h"

namespace mainwindow {

QString GridOrders::text(int row, int col)
{
    if (row < 1 || std::size_t(row) > m_orders->size() || col < 0 || col >= int(gridColumns.size())) {
        return QString();
    }
    const std::size_t index = std::size_t(row) - 1;
    if (col == 0) {
        return QString::number(m_orders->id(index)); // the id needs no read, also for a deleted order
    }
    const store::Order* order = m_orders->order(index);
    return order ? store::shownText(*order, gridColumns[std::size_t(col)].column) : QString();
}

} // namespace mainwindow
