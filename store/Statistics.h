#pragma once

#include "store/Amount.h"

#include <QDate>
#include <QString>
#include <vector>

namespace store {

// The figures of a group of listed orders, exact: sums of amounts as the totals sum them (NULL over no
// orders, "too large" beyond the arithmetic).
struct Figures
{
    qint64 orders = 0;
    AmountSum pieces;       // quantity
    AmountSum purchaseCost; // purchase price x quantity
    AmountSum salesAmount;  // selling price x quantity
    AmountSum profit;       // (selling price - purchase price) x quantity
};

struct DayFigures
{
    QDate day;
    Figures figures;
};

struct GoodsFigures
{
    QString goods;
    Figures figures;
};

struct BuyerFigures
{
    QString buyer;
    Figures figures;
};

// One order whose profit is below zero.
struct LossOrder
{
    qint64 id = 0;
    QDate saleDate;
    QString goods;
    QString buyer;
    QString waybill;
    Amount profit;
};

// What the statistics window shows of the listed orders, from one pass over them.
struct Statistics
{
    Figures all;
    QDate first; // the first and the last day of sale; null without orders
    QDate last;
    std::vector<DayFigures> days;     // each day with orders, oldest first
    std::vector<GoodsFigures> goods;  // each goods name, by profit, highest first (then by name)
    std::vector<BuyerFigures> buyers; // each buyer, by sales amount, highest first (then by name)
    std::vector<LossOrder> losses;    // the latest day of sale first, then the newest order
};

// The length of one period of the figures over time.
enum class Period { Day, Month, Year };

// The period for a span of days: the day for up to 62 days, the month for up to 36 months, else the year.
Period periodFor(QDate first, QDate last);

struct PeriodFigures
{
    QDate start; // the period's first day (the 1st of its month, the 1st of January)
    Figures figures;
};

// The days' figures gathered into periods, every period from the first day's to the last day's: one
// without orders is there too, with no orders and empty sums (which the window shows as 0).
std::vector<PeriodFigures> byPeriod(const Statistics& statistics, Period period);

} // namespace store
