#pragma once

#include <QString>

namespace entry {

// The eight box texts of one order, as typed.
struct OrderTexts
{
    QString goods;
    QString purchasePrice; // of one piece
    QString quantity;
    QString sellingPrice; // of one piece
    QString buyer;
    QString waybill;
    QString saleDate; // short date text
    QString remark;
};

} // namespace entry
