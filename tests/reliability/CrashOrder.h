#pragma once

#include "store/Order.h"

// The order that the crash child saves as number n, in its first form (version 1) and after its
// edit (version 2). Every column depends on n and the version, so a row that is only half written, or
// mixes two versions, is told apart from a whole one.
namespace crashorder {

inline store::Order make(int n, int version)
{
    const QString tag = QString::number(n) + QStringLiteral("-v") + QString::number(version);
    store::Order o;
    o.goods = QStringLiteral("商品 ") + tag;
    o.purchasePrice = store::Number(n % 100 + 0.5 * version);
    o.quantity = store::Number(n % 7 + version);
    o.sellingPrice = store::Number(n % 100 + 10.25 * version);
    o.buyer = QStringLiteral("买家'") + tag;
    o.waybill = QStringLiteral("KD#") + tag;
    o.saleDate = QDate(2020, 1, 1).addDays(n % 2000 + version);
    // Long enough to spill into overflow pages, so a torn write would show.
    o.remark = QStringLiteral("备注 %1 ").arg(tag).repeated(200);
    return o;
}

} // namespace crashorder
