#pragma once

#include "store/OrderTable.h"

#include <QString>
#include <array>

namespace mainwindow {

// The grid after a listing, one entry per grid column: the stored column it shows and its width in
// twips. The first, the order's id, is hidden: it is how a row finds its order again.
struct GridColumn
{
    std::size_t stored; // place in store::orderColumns
    int width;
};
inline constexpr std::array<GridColumn, 9> gridColumns{{
    {store::columnAt("id"), 0},
    {store::columnAt("spname"), 3000},
    {store::columnAt("mjzh"), 1500},
    {store::columnAt("sl"), 800},
    {store::columnAt("jj"), 800},
    {store::columnAt("sj"), 800},
    {store::columnAt("xsdate"), 1200},
    {store::columnAt("kddh"), 1800},
    {store::columnAt("bz"), 3000},
}};
// The titles of the columns after the id, each left-aligned.
inline const QString gridFormat =
    QStringLiteral("|<商品名称|<买家呢称|<购买数量|<进价|<售价|<销售日期|<快递单号|<备注");
constexpr int gridRowHeight = 300;

} // namespace mainwindow
