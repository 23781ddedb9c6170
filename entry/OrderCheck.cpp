#include "entry/OrderCheck.h"

#include "entry/EntryTexts.h"
#include "store/TextForms.h"

namespace entry {

std::variant<store::Order, CheckFailure> checkOrder(const OrderTexts& o)
{
    using namespace texts;
    if (o.goods.isEmpty()) {
        return CheckFailure{needGoods, OrderBox::Goods};
    }
    // Steps 2 to 7: each number must be there and read as a number.
    struct NumberStep
    {
        const QString& text;
        const QString& missing;
        const QString& notNumber;
        OrderBox box;
    };
    const NumberStep numberSteps[] = {
        {o.quantity, needQuantity, quantityNotNumber, OrderBox::Quantity},
        {o.purchasePrice, needPurchasePrice, purchasePriceNotNumber, OrderBox::PurchasePrice},
        {o.sellingPrice, needSellingPrice, sellingPriceNotNumber, OrderBox::SellingPrice},
    };
    double numbers[3] = {};
    for (std::size_t i = 0; i < std::size(numberSteps); ++i) {
        const NumberStep& step = numberSteps[i];
        if (step.text.isEmpty()) {
            return CheckFailure{step.missing, step.box};
        }
        const std::optional<double> number = store::textforms::readNumber(step.text);
        if (!number) {
            return CheckFailure{step.notNumber, step.box};
        }
        numbers[i] = *number;
    }
    if (o.buyer.isEmpty()) {
        return CheckFailure{needBuyer, OrderBox::Buyer};
    }
    if (o.waybill.isEmpty()) {
        return CheckFailure{needWaybill, OrderBox::Waybill};
    }
    if (o.saleDate.isEmpty()) {
        return CheckFailure{needSaleDate, OrderBox::SaleDate};
    }
    // A date the calendar cannot show (typed "0026" for 2026) could be stored, but no query would ever find
    // it: refused like a text that is no date, with the form to use.
    const std::optional<QDate> saleDate = store::textforms::readDate(o.saleDate);
    if (!saleDate || !store::textforms::inCalendarRange(*saleDate)) {
        return CheckFailure{saleDateForm(store::textforms::dateText(QDate::currentDate())),
                            OrderBox::SaleDate};
    }
    store::Order order;
    order.goods = o.goods;
    order.buyer = o.buyer;
    order.quantity = store::Number(numbers[0]);
    order.purchasePrice = store::Number(numbers[1]);
    order.sellingPrice = store::Number(numbers[2]);
    order.saleDate = *saleDate;
    order.waybill = o.waybill;
    order.remark = o.remark;
    return order;
}

} // namespace entry
