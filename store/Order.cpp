#include "store/Order.h"

#include "store/TextForms.h"

namespace store {

QString Number::text() const
{
    return textforms::numberText(m_stored);
}

QString shownText(const Order& order, OrderColumn column)
{
    switch (column) {
    case OrderColumn::Id:
        return QString::number(order.id);
    case OrderColumn::Goods:
        return order.goods;
    case OrderColumn::PurchasePrice:
        return order.purchasePrice.text();
    case OrderColumn::Quantity:
        return order.quantity.text();
    case OrderColumn::SellingPrice:
        return order.sellingPrice.text();
    case OrderColumn::Buyer:
        return order.buyer;
    case OrderColumn::Waybill:
        return order.waybill;
    case OrderColumn::SaleDate:
        return order.saleDate.isValid() ? textforms::dateText(order.saleDate) : QString();
    case OrderColumn::Remark:
        return order.remark.value_or(absentRemarkText);
    }
    return QString();
}

} // namespace store
