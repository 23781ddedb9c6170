#include "store/Order.h"

#include "store/TextForms.h"

namespace store {

QString Number::text() const
{
    return textforms::numberText(m_stored);
}

void Number::text(QString& into) const
{
    textforms::numberText(m_stored, into);
}

const Number* numberIn(const Order& order, OrderColumn column)
{
    switch (column) {
    case OrderColumn::PurchasePrice:
        return &order.purchasePrice;
    case OrderColumn::Quantity:
        return &order.quantity;
    case OrderColumn::SellingPrice:
        return &order.sellingPrice;
    default:
        return nullptr;
    }
}

QString shownText(const Order& order, OrderColumn column)
{
    if (const Number* number = numberIn(order, column)) {
        return number->text();
    }
    switch (column) {
    case OrderColumn::Id:
        return QString::number(order.id);
    case OrderColumn::Goods:
        return order.goods;
    case OrderColumn::Buyer:
        return order.buyer;
    case OrderColumn::Waybill:
        return order.waybill;
    case OrderColumn::SaleDate:
        return order.saleDate.isValid() ? textforms::dateText(order.saleDate) : QString();
    case OrderColumn::Remark:
        return order.remark.value_or(absentRemarkText);
    default:
        return QString(); // the numbers, above
    }
}

} // namespace store
