#pragma once

#include <QString>

namespace entry {

// The eight box texts of one order, as typed.
struct OrderTexts
{
    QString spname; // goods name
    QString jj;     // purchase price of one piece
    QString sl;     // quantity
    QString sj;     // selling price of one piece
    QString mjzh;   // buyer's account
    QString kddh;   // courier waybill number
    QString xsdate; // date of sale, short date text
    QString bz;     // remark
};

} // namespace entry
