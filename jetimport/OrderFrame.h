#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// One order as the helper frames it, turned into what the store keeps, and a digest of many orders.
namespace jetimport {

// The values of one order as the store keeps them (texts and the date as UTF-8).
struct Order
{
    qint64 id = 0;
    QByteArray spname, mjzh, kddh, xsdate, bz;
    bool bzNull = true;
    double jj = 0, sl = 0, sj = 0;
};

// A sum of two 64-bit hashes of every order: equal for the same set of orders in any order, so the rows
// written and the rows read back are compared without keeping them.
struct Digest
{
    quint64 a = 0;
    quint64 b = 0;
    qint64 count = 0;
    bool operator==(const Digest&) const = default;
    void add(const Order& o);
};

// Reads order frames: the nine tagged values, checked and turned into the store's values. A NULL text or
// number becomes empty text or 0 (counted in blanks: NULL adds nothing to a sum, and neither does 0), a
// date keeps its day (counted in withTime when it had a time of day). Throws ConversionError naming the
// order for a value it cannot take.
class OrderReader final
{
public:
    Order read(QByteArrayView payload);

    qint64 withTime = 0;
    qint64 blanks = 0;

private:
    QByteArray text(char tag, QByteArrayView v, int column);
    double number(char tag, QByteArrayView v, int column, const QString& id);
    QByteArray date(char tag, QByteArrayView v, const QString& id);

    bool m_blank = false;
};

} // namespace jetimport
