#pragma once

#include "store/Amount.h"
#include "store/Statistics.h"

#include <QByteArrayView>
#include <QtGlobal>
#include <array>
#include <memory>
#include <optional>

namespace store {

// The five totals over listed orders: the figures of the listing (exact, NULL over no orders, "too large"
// beyond the arithmetic).
struct Totals : Figures
{};

// A stored number as a scan meets it: NULL, an integer or a real (a text counts by its leading number,
// as SQL's own sum takes it).
struct StoredNumber
{
    enum class Kind : quint8 { Null, Integer, Real };
    Kind kind = Kind::Null;
    qint64 integer = 0;
    double real = 0;
};

// One order's four terms (quantity, purchase cost, sales amount, profit), in exact decimal arithmetic:
// a stored number is read as an amount at four decimals, NULL leaves the terms it is in out, a value too
// large for the arithmetic makes its terms too large. Read once, added to as many sums as the order
// counts in. Ordinary prices and quantities (below 10^8 with at most four decimals, nearly all of them)
// take a fast path of 128-bit integers that cannot overflow: no decimal alignment, no overflow test.
class OrderTerms final
{
public:
    OrderTerms(const StoredNumber& purchasePrice,
               const StoredNumber& quantity,
               const StoredNumber& sellingPrice);

    // The profit: nullopt when a number is NULL or it is too large.
    std::optional<Amount> profit() const;
    // True when the profit is known and below zero.
    bool isLoss() const;

private:
    friend class FiguresSum;
    enum Term { Pieces, PurchaseCost, SalesAmount, Profit };
    bool m_fast = false;
    // The fast path's terms, in units of 10^-4 (pieces) and 10^-8 (products).
    std::array<Amount::Units, 4> m_units{};
    // Off the fast path: each term, nullopt when it is left out, an empty optional inside when too large.
    std::array<std::optional<std::optional<Amount>>, 4> m_exact;
};

// Orders' terms added up into figures. Small while every order takes the fast path, as a few thousand of
// them (one per goods name, buyer or day) are kept at once.
class FiguresSum final
{
public:
    FiguresSum() = default;
    FiguresSum(const FiguresSum& other);
    FiguresSum& operator=(const FiguresSum& other);
    FiguresSum(FiguresSum&&) noexcept = default;
    FiguresSum& operator=(FiguresSum&&) noexcept = default;
    ~FiguresSum();

    void add(const OrderTerms& terms);
    Figures figures() const;
    // The sales amount and the profit in units of 10^-8 while every order took the fast path; nullopt
    // otherwise (the figures then tell).
    std::optional<Amount::Units> fastSalesAmount() const;
    std::optional<Amount::Units> fastProfit() const;

private:
    qint64 m_orders = 0;
    std::array<Amount::Units, 4> m_fast{};
    bool m_anyFast = false;
    std::unique_ptr<Figures> m_slow; // the orders that left the fast path
};

// Adds orders up into the five totals.
class TotalsScan final
{
public:
    void
    add(const StoredNumber& purchasePrice, const StoredNumber& quantity, const StoredNumber& sellingPrice)
    {
        m_sum.add(OrderTerms(purchasePrice, quantity, sellingPrice));
    }
    Totals totals() const;

private:
    FiguresSum m_sum;
};

// Adds orders up into the statistics: all of them, and by day of sale, goods name and buyer (the groups
// found by the stored texts' bytes, so a scan makes no string per order); the losses kept apart.
class StatisticsScan final
{
public:
    StatisticsScan();
    ~StatisticsScan();
    Q_DISABLE_COPY_MOVE(StatisticsScan)

    // Adds one order, its sale date as stored (yyyy-mm-dd; another form counts in no day), goods name and
    // buyer as UTF-8. True when it is a loss: addLoss then takes its id and waybill.
    bool add(const OrderTerms& terms, QByteArrayView saleDate, QByteArrayView goods, QByteArrayView buyer);
    void addLoss(qint64 id, const QString& waybill);
    // The statistics of the orders added, ranked and sorted; the scan is spent.
    Statistics statistics();

private:
    struct Groups;
    std::unique_ptr<Groups> m;
};

} // namespace store
