#pragma once

#include "store/ListedOrders.h"
#include "ui/GridRows.h"

#include <memory>

namespace mainwindow {

// The grid's rows of one listing: each cell's text is made from the listed order when the grid paints it
// or a caller reads it. An order deleted since the listing shows its id only.
class GridOrders final : public ui::GridRows
{
public:
    explicit GridOrders(std::shared_ptr<store::ListedOrders> orders)
        : m_orders(std::move(orders))
    {}

    // Grid row (from 1) and grid column (0 the id, then gridColumns). Throws StoreError when the page
    // cannot be read.
    QString text(int row, int col) override;

private:
    std::shared_ptr<store::ListedOrders> m_orders;
};

} // namespace mainwindow
