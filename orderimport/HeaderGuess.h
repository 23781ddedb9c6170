#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>
#include <vector>

namespace orderimport {

// The values of an order that an import fills from a column.
enum class OrderField { Goods, Buyer, Quantity, PurchasePrice, SellingPrice, SaleDate, Waybill, Remark };
inline constexpr std::size_t orderFieldCount = 8;

// For each field (indexed by OrderField), the zero-based column that holds it, if any.
using ColumnMap = std::array<std::optional<int>, orderFieldCount>;

// The field a header names, compared trimmed, case-insensitive and full-width folded: the headers of this
// program's own export (商品名称, 买家呢称, ...) and of the shops' order exports (宝贝标题, 买家会员名,
// 订单付款时间, 物流单号, ...). A header that only contains a name ("商品单价(元)", "宝贝总数量") names
// that field too: the longest name in it wins, and between names as long, the one it ends with.
std::optional<OrderField> fieldForHeader(QStringView header);
// The field's name as this program's own grid and export title it.
QString fieldName(OrderField field);

// Which column holds which field, one column per field and one field per column: exact names win over
// names contained in a longer header, then longer names, then a name at the header's end, then the column
// further left.
ColumnMap guessColumns(const std::vector<QString>& headers);

} // namespace orderimport
