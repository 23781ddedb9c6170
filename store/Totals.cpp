#include "store/Totals.h"

#include <cmath>
#include <optional>

namespace store {

namespace {

using Units = Amount::Units;

// A stored number in units of 10^-4, when it is one of the fast path's: a whole or four-decimal value
// below 2^40 units that does not lie near a half unit (where the double's error could tip the rounding).
bool readFast(const StoredNumber& n, qint64& units)
{
    if (n.kind == StoredNumber::Kind::Integer) {
        if (n.integer > -100'000'000 && n.integer < 100'000'000) {
            units = n.integer * 10'000;
            return true;
        }
        return false;
    }
    if (n.kind != StoredNumber::Kind::Real) {
        return false;
    }
    const double t = n.real * 1e4;
    if (!(std::fabs(t) < 0x1p40)) {
        return false;
    }
    const qint64 rounded = qint64(t + (t < 0 ? -0.5 : 0.5)); // half away from zero, without a libm call
    if (std::fabs(t - double(rounded)) > 0.499) {
        return false;
    }
    units = rounded;
    return true;
}

// nullopt for NULL; an empty optional inside for a value too large.
std::optional<std::optional<Amount>> exact(const StoredNumber& n)
{
    switch (n.kind) {
    case StoredNumber::Kind::Null:
        return std::nullopt;
    case StoredNumber::Kind::Integer:
        return std::optional<Amount>(Amount::fromInteger(n.integer));
    case StoredNumber::Kind::Real:
        break;
    }
    return Amount::fromNumber(n.real);
}

// a * b, and a - b: a value too large stays too large.
std::optional<Amount> times(const std::optional<Amount>& a, const std::optional<Amount>& b)
{
    return a && b ? *a * *b : std::nullopt;
}
std::optional<Amount> minus(const std::optional<Amount>& a, const std::optional<Amount>& b)
{
    return a && b ? *a - *b : std::nullopt;
}

enum Sum { Pieces, PurchaseCost, SalesAmount, Profit };

} // namespace

void TotalsScan::add(const StoredNumber& purchasePrice,
                     const StoredNumber& quantity,
                     const StoredNumber& sellingPrice)
{
    ++m_orders;
    qint64 jj = 0;
    qint64 sl = 0;
    qint64 sj = 0;
    if (readFast(purchasePrice, jj) && readFast(quantity, sl) && readFast(sellingPrice, sj)) {
        // Below 2^40 units each: a product takes 80 bits and leaves room for 2^46 orders.
        m_fast[Pieces] += sl;
        m_fast[PurchaseCost] += Units(jj) * sl;
        m_fast[SalesAmount] += Units(sj) * sl;
        m_fast[Profit] += Units(sj - jj) * sl;
        m_anyFast = {true, true, true, true};
        return;
    }
    const auto cost = exact(purchasePrice);
    const auto pieces = exact(quantity);
    const auto price = exact(sellingPrice);
    if (pieces) {
        m_slow.pieces.add(*pieces);
        if (cost) {
            m_slow.purchaseCost.add(times(*cost, *pieces));
        }
        if (price) {
            m_slow.salesAmount.add(times(*price, *pieces));
        }
        if (cost && price) {
            m_slow.profit.add(times(minus(*price, *cost), *pieces));
        }
    }
}

Totals TotalsScan::totals() const
{
    Totals t = m_slow;
    t.orders = m_orders;
    AmountSum* sums[] = {&t.pieces, &t.purchaseCost, &t.salesAmount, &t.profit};
    const int decimals[] = {Amount::readDecimals, 2 * Amount::readDecimals, 2 * Amount::readDecimals,
                            2 * Amount::readDecimals};
    for (int i = 0; i < 4; ++i) {
        if (m_anyFast[i]) {
            sums[i]->add(Amount::fromUnits(m_fast[i], decimals[i]));
        }
    }
    return t;
}

} // namespace store
