#pragma once

#include "store/Amount.h"

#include <QtGlobal>
#include <array>

namespace store {

// The five totals over listed orders, exact: each sum is NULL over no orders (as SQL's sum is) and
// "too large" once a value or the sum leaves the arithmetic.
struct Totals
{
    qint64 orders = 0;
    AmountSum pieces;       // quantity
    AmountSum purchaseCost; // purchase price x quantity
    AmountSum salesAmount;  // selling price x quantity
    AmountSum profit;       // (selling price - purchase price) x quantity
};

// A stored number as a scan meets it: NULL, an integer or a real (a text counts by its leading number,
// as SQL's own sum takes it).
struct StoredNumber
{
    enum class Kind : quint8 { Null, Integer, Real };
    Kind kind = Kind::Null;
    qint64 integer = 0;
    double real = 0;
};

// Adds orders up into the five totals, in exact decimal arithmetic: a stored number is read as an amount
// at four decimals, NULL leaves the order's term out, a value too large for the arithmetic makes its sum
// too large. Orders whose numbers are ordinary prices and quantities (below 10^8 with at most four
// decimals, nearly all of them) take a fast path of 128-bit integers that cannot overflow: no decimal
// alignment and no overflow test per order.
class TotalsScan final
{
public:
    void
    add(const StoredNumber& purchasePrice, const StoredNumber& quantity, const StoredNumber& sellingPrice);
    Totals totals() const;

private:
    Totals m_slow; // the orders that left the fast path
    qint64 m_orders = 0;
    // The fast path's sums, in units of 10^-4 (pieces) and 10^-8 (products).
    std::array<Amount::Units, 4> m_fast{};
    std::array<bool, 4> m_anyFast{};
};

} // namespace store
