#pragma once

#include <QDate>
#include <QString>

// The order that the crash child saves as number n, in its first form (version 1) and after its
// edit (version 2). Every column depends on n and the version, so a row that is only half written, or
// mixes two versions, is told apart from a whole one.
namespace crashorder {

struct Order
{
    QString spname;
    double jj;
    double sl;
    double sj;
    QString mjzh;
    QString kddh;
    QDate xsdate;
    QString bz;
};

inline Order make(int n, int version)
{
    const QString tag = QString::number(n) + QStringLiteral("-v") + QString::number(version);
    Order o;
    o.spname = QStringLiteral("商品 ") + tag;
    o.jj = n % 100 + 0.5 * version;
    o.sl = n % 7 + version;
    o.sj = n % 100 + 10.25 * version;
    o.mjzh = QStringLiteral("买家'") + tag;
    o.kddh = QStringLiteral("KD#") + tag;
    o.xsdate = QDate(2020, 1, 1).addDays(n % 2000 + version);
    // Long enough to spill into overflow pages, so a torn write would show.
    o.bz = QStringLiteral("备注 %1 ").arg(tag).repeated(200);
    return o;
}

} // namespace crashorder
