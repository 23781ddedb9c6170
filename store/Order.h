#pragma once

#include "store/Number.h"
#include "store/OrderTable.h"

#include <QDate>
#include <QString>
#include <optional>

namespace store {

// One order as the store keeps it.
struct Order
{
    qint64 id = 0; // assigned by the store; 0 for one not stored yet
    QString goods;
    QString buyer;
    Number quantity;
    Number purchasePrice; // of one piece
    Number sellingPrice;  // of one piece
    QDate saleDate;       // null when the stored text is no date (never written by this program)
    QString waybill;
    std::optional<QString> remark; // absent: none was ever given (the entry window always gives one)

    friend bool operator==(const Order&, const Order&) = default;
};

// What stands in the place of an absent remark, in the grid and in the entry window's box.
inline const QString absentRemarkText = QStringLiteral(" ");

// A column of an order as the windows show it: numbers in plain decimal text, the date in the short date
// form, an absent remark as absentRemarkText, the id as its decimal text.
QString shownText(const Order& order, OrderColumn column);
// The number a column holds: the quantity or a price; nullptr for every other column.
const Number* numberIn(const Order& order, OrderColumn column);

} // namespace store
