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

} // namespace

OrderTerms::OrderTerms(const StoredNumber& purchasePrice,
                       const StoredNumber& quantity,
                       const StoredNumber& sellingPrice)
{
    qint64 jj = 0;
    qint64 sl = 0;
    qint64 sj = 0;
    if (readFast(purchasePrice, jj) && readFast(quantity, sl) && readFast(sellingPrice, sj)) {
        // Below 2^40 units each: a product takes 80 bits and leaves room for 2^46 orders in a sum.
        m_fast = true;
        m_units = {sl, Units(jj) * sl, Units(sj) * sl, Units(sj - jj) * sl};
        return;
    }
    const auto cost = exact(purchasePrice);
    const auto pieces = exact(quantity);
    const auto price = exact(sellingPrice);
    if (!pieces) {
        return;
    }
    m_exact[Pieces] = *pieces;
    if (cost) {
        m_exact[PurchaseCost] = times(*cost, *pieces);
    }
    if (price) {
        m_exact[SalesAmount] = times(*price, *pieces);
    }
    if (cost && price) {
        m_exact[Profit] = times(minus(*price, *cost), *pieces);
    }
}

std::optional<Amount> OrderTerms::profit() const
{
    if (m_fast) {
        return Amount::fromUnits(m_units[Profit], 2 * Amount::readDecimals);
    }
    return m_exact[Profit].value_or(std::nullopt);
}

bool OrderTerms::isLoss() const
{
    if (m_fast) {
        return m_units[Profit] < 0;
    }
    const std::optional<Amount> p = profit();
    return p && p->text().startsWith(QLatin1Char('-')); // the text is signed exactly when the amount is
}

FiguresSum::FiguresSum(const FiguresSum& other)
    : m_orders(other.m_orders)
    , m_fast(other.m_fast)
    , m_anyFast(other.m_anyFast)
    , m_slow(other.m_slow ? std::make_unique<Figures>(*other.m_slow) : nullptr)
{}

FiguresSum& FiguresSum::operator=(const FiguresSum& other)
{
    if (this != &other) {
        *this = FiguresSum(other);
    }
    return *this;
}

FiguresSum::~FiguresSum() = default;

void FiguresSum::add(const OrderTerms& terms)
{
    ++m_orders;
    if (terms.m_fast) {
        for (int i = 0; i < 4; ++i) {
            m_fast[i] += terms.m_units[i];
        }
        m_anyFast = true;
        return;
    }
    if (!m_slow) {
        m_slow = std::make_unique<Figures>();
    }
    AmountSum* sums[] = {&m_slow->pieces, &m_slow->purchaseCost, &m_slow->salesAmount, &m_slow->profit};
    for (int i = 0; i < 4; ++i) {
        if (terms.m_exact[i]) {
            sums[i]->add(*terms.m_exact[i]);
        }
    }
}

Figures FiguresSum::figures() const
{
    Figures f;
    if (m_slow) {
        f = *m_slow;
    }
    f.orders = m_orders;
    if (m_anyFast) {
        AmountSum* sums[] = {&f.pieces, &f.purchaseCost, &f.salesAmount, &f.profit};
        for (int i = 0; i < 4; ++i) {
            const int decimals = i == OrderTerms::Pieces ? Amount::readDecimals : 2 * Amount::readDecimals;
            sums[i]->add(Amount::fromUnits(m_fast[i], decimals));
        }
    }
    return f;
}

std::optional<Units> FiguresSum::fastSalesAmount() const
{
    return m_slow ? std::nullopt : std::optional(m_fast[OrderTerms::SalesAmount]);
}

std::optional<Units> FiguresSum::fastProfit() const
{
    return m_slow ? std::nullopt : std::optional(m_fast[OrderTerms::Profit]);
}

Totals TotalsScan::totals() const
{
    return {m_sum.figures()};
}

} // namespace store
