#pragma once

#include "entry/OrderTexts.h"
#include "store/Order.h"

#include <QString>
#include <optional>
#include <variant>

namespace entry {

// The box a failed check sends the focus to.
enum class OrderBox { Goods, Quantity, PurchasePrice, SellingPrice, Buyer, Waybill, SaleDate };

struct CheckFailure
{
    QString message;
    std::optional<OrderBox> focus; // none: the focus stays where it is
};

// The field check of both save commands: ten steps in order, the first that fails is returned; else the
// order the boxes describe, each text stored as typed.
// "Empty" is the empty text (a blank passes); "a number" is the shown-number test of the locale; a date
// of sale that store::textforms::readDate cannot read, or outside the calendar's years, fails with the
// form to use.
std::variant<store::Order, CheckFailure> checkOrder(const OrderTexts& texts);

} // namespace entry
