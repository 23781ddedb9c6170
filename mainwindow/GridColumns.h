#pragma once

#include "export/ExportRows.h"
#include "store/OrderTable.h"

#include <QString>
#include <array>
#include <span>

namespace mainwindow {

// The grid after a listing, one entry per grid column: the column of the order it shows, its title and
// its width in twips. The first, the order's id, is hidden: it is how a row finds its order again.
struct GridColumn
{
    store::OrderColumn column;
    const char16_t* title;
    int width;
};
inline constexpr std::array<GridColumn, 9> gridColumns{{
    {store::OrderColumn::Id, u"", 0},
    {store::OrderColumn::Goods, u"商品名称", 3000},
    {store::OrderColumn::Buyer, u"买家呢称", 1500},
    {store::OrderColumn::Quantity, u"购买数量", 800},
    {store::OrderColumn::PurchasePrice, u"进价", 800},
    {store::OrderColumn::SellingPrice, u"售价", 800},
    {store::OrderColumn::SaleDate, u"销售日期", 1200},
    {store::OrderColumn::Waybill, u"快递单号", 1800},
    {store::OrderColumn::Remark, u"备注", 3000},
}};
// "|<商品名称|<...": the grid's titles after the id, each left-aligned.
QString gridFormat();
constexpr int gridRowHeight = 300;
// The export's columns: the grid's, without the id.
std::span<const xl::ExportColumn> exportColumns();

} // namespace mainwindow
