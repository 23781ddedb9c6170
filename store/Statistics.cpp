#include "store/Statistics.h"

#include "store/StoredDate.h"
#include "store/Totals.h"

#include <QHash>
#include <algorithm>

namespace store {

namespace {

using Units = Amount::Units;

// Stored text as a group's key: the bytes of the row being read, or of the group's own copy.
struct Utf8Key
{
    QByteArrayView bytes;
    friend bool operator==(Utf8Key a, Utf8Key b) { return a.bytes == b.bytes; }
    friend size_t qHash(Utf8Key key, size_t seed) { return qHash(key.bytes, seed); }
};

// Orders summed by a stored text.
struct Grouping
{
    // The group of these bytes, made on first sight.
    int find(QByteArrayView bytes)
    {
        const auto found = index.constFind(Utf8Key{bytes});
        if (found != index.cend()) {
            return *found;
        }
        keys.emplace_back(bytes.data(), bytes.size());
        sums.emplace_back();
        const int group = int(keys.size() - 1);
        // A QByteArray keeps its bytes where they are when the vector moves it.
        index.insert(Utf8Key{keys.back()}, group);
        return group;
    }

    QHash<Utf8Key, int> index;
    std::vector<QByteArray> keys;
    std::vector<FiguresSum> sums;
};

// How a sum ranks, highest first: too large above every value, a value by its units of 10^-8, NULL (no
// order had the numbers) below every value.
struct RankKey
{
    int level = 0; // 2 too large, 1 a value, 0 NULL
    Units units = 0;
    friend auto operator<=>(const RankKey&, const RankKey&) = default;
};

// An amount's units of 10^-8, from its text: a sum of products has eight decimals, so they fit.
Units unitsOf(const Amount& amount)
{
    const QString text = amount.text();
    Units units = 0;
    int decimals = -1;
    for (const QChar c : text) {
        if (c == u'.') {
            decimals = 0;
        } else if (c.isDigit()) {
            units = units * 10 + (c.unicode() - u'0');
            decimals += decimals >= 0 ? 1 : 0;
        }
    }
    for (int d = std::max(decimals, 0); d < 2 * Amount::readDecimals; ++d) {
        units *= 10;
    }
    return text.startsWith(QLatin1Char('-')) ? -units : units;
}

RankKey rankKey(const AmountSum& sum)
{
    if (sum.tooLarge()) {
        return {2, 0};
    }
    return sum.isNull() ? RankKey{} : RankKey{1, unitsOf(sum.value())};
}

// The groups' names, each made once: the rows and the losses share them. The scan is over: its index and
// keys go.
std::vector<QString> namesOf(Grouping& grouping)
{
    grouping.index = {};
    std::vector<QString> names;
    names.reserve(grouping.keys.size());
    for (const QByteArray& key : grouping.keys) {
        names.push_back(QString::fromUtf8(key));
    }
    grouping.keys = {};
    return names;
}

// The groups' figures as named rows, ranked by one sum, highest first, then by name.
template <typename Row>
std::vector<Row> ranked(const Grouping& grouping, const std::vector<QString>& names, bool bySales)
{
    std::vector<std::pair<RankKey, std::size_t>> order;
    order.reserve(names.size());
    for (std::size_t g = 0; g < names.size(); ++g) {
        const FiguresSum& sum = grouping.sums[g];
        if (const std::optional<Units> fast = bySales ? sum.fastSalesAmount() : sum.fastProfit()) {
            order.push_back({{1, *fast}, g});
        } else {
            const Figures figures = sum.figures();
            order.push_back({rankKey(bySales ? figures.salesAmount : figures.profit), g});
        }
    }
    std::sort(order.begin(), order.end(), [&names](const auto& a, const auto& b) {
        if (a.first != b.first) {
            return a.first > b.first;
        }
        return names[a.second] < names[b.second];
    });
    std::vector<Row> rows;
    rows.reserve(order.size());
    for (const auto& [key, g] : order) {
        rows.push_back({names[g], grouping.sums[g].figures()});
    }
    return rows;
}

// Adds one group's figures to another's.
void addFigures(Figures& into, const Figures& more)
{
    into.orders += more.orders;
    AmountSum* sums[] = {&into.pieces, &into.purchaseCost, &into.salesAmount, &into.profit};
    const AmountSum* mores[] = {&more.pieces, &more.purchaseCost, &more.salesAmount, &more.profit};
    for (int i = 0; i < 4; ++i) {
        if (mores[i]->tooLarge()) {
            sums[i]->add(std::nullopt);
        } else if (!mores[i]->isNull()) {
            sums[i]->add(mores[i]->value());
        }
    }
}

// The first day of the period the day lies in.
QDate periodStart(QDate day, Period period)
{
    switch (period) {
    case Period::Day:
        return day;
    case Period::Month:
        return QDate(day.year(), day.month(), 1);
    case Period::Year:
        break;
    }
    return QDate(day.year(), 1, 1);
}

QDate nextPeriod(QDate start, Period period)
{
    switch (period) {
    case Period::Day:
        return start.addDays(1);
    case Period::Month:
        return start.addMonths(1);
    case Period::Year:
        break;
    }
    return start.addYears(1);
}

// A loss found by the scan, named by its groups until the groups' names are made.
struct PendingLoss
{
    qint64 id;
    int day;
    int goods;
    int buyer;
    QString waybill;
    Amount profit;
};

} // namespace

struct StatisticsScan::Groups
{
    FiguresSum all;
    Grouping days;
    Grouping goods;
    Grouping buyers;
    // Orders come mostly in date order: the last day's group is tried before the hash.
    QByteArrayView lastDayBytes;
    int lastDay = -1;
    int lastGoods = -1;
    int lastBuyer = -1;
    std::optional<Amount> lastProfit;
    std::vector<PendingLoss> losses;
};

StatisticsScan::StatisticsScan()
    : m(std::make_unique<Groups>())
{}

StatisticsScan::~StatisticsScan() = default;

bool StatisticsScan::add(const OrderTerms& terms,
                         QByteArrayView saleDate,
                         QByteArrayView goods,
                         QByteArrayView buyer)
{
    m->all.add(terms);
    if (m->lastDay < 0 || saleDate != m->lastDayBytes) {
        m->lastDay = m->days.find(saleDate);
        m->lastDayBytes = m->days.keys[std::size_t(m->lastDay)];
    }
    m->days.sums[std::size_t(m->lastDay)].add(terms);
    m->lastGoods = m->goods.find(goods);
    m->goods.sums[std::size_t(m->lastGoods)].add(terms);
    m->lastBuyer = m->buyers.find(buyer);
    m->buyers.sums[std::size_t(m->lastBuyer)].add(terms);
    if (!terms.isLoss()) {
        return false;
    }
    m->lastProfit = terms.profit();
    return true;
}

void StatisticsScan::addLoss(qint64 id, const QString& waybill)
{
    m->losses.push_back(
        {id, m->lastDay, m->lastGoods, m->lastBuyer, waybill, m->lastProfit.value_or(Amount())});
}

Statistics StatisticsScan::statistics()
{
    Statistics s;
    s.all = m->all.figures();

    std::vector<QDate> dayOf(m->days.keys.size());
    for (std::size_t g = 0; g < m->days.keys.size(); ++g) {
        dayOf[g] = storedDate(m->days.keys[g]).value_or(QDate());
        if (dayOf[g].isValid()) {
            s.days.push_back({dayOf[g], m->days.sums[g].figures()});
        }
    }
    std::sort(s.days.begin(), s.days.end(),
              [](const DayFigures& a, const DayFigures& b) { return a.day < b.day; });
    if (!s.days.empty()) {
        s.first = s.days.front().day;
        s.last = s.days.back().day;
    }
    m->days = {};

    const std::vector<QString> goodsNames = namesOf(m->goods);
    s.goods = ranked<GoodsFigures>(m->goods, goodsNames, false);
    m->goods = {};
    const std::vector<QString> buyerNames = namesOf(m->buyers);
    s.buyers = ranked<BuyerFigures>(m->buyers, buyerNames, true);
    m->buyers = {};
    // The losses name their goods and buyer by the groups' strings, shared rather than copied.
    // The latest sales first, as a seller looks for them; orders of one day newest first.
    std::sort(m->losses.begin(), m->losses.end(), [&dayOf](const PendingLoss& a, const PendingLoss& b) {
        const QDate& dayA = dayOf[std::size_t(a.day)];
        const QDate& dayB = dayOf[std::size_t(b.day)];
        return dayA != dayB ? dayA > dayB : a.id > b.id;
    });
    s.losses.reserve(m->losses.size());
    for (PendingLoss& loss : m->losses) {
        s.losses.push_back({loss.id, dayOf[std::size_t(loss.day)], goodsNames[std::size_t(loss.goods)],
                            buyerNames[std::size_t(loss.buyer)], std::move(loss.waybill), loss.profit});
    }
    return s;
}

Period periodFor(QDate first, QDate last)
{
    if (!first.isValid() || !last.isValid() || first.daysTo(last) + 1 <= 62) {
        return Period::Day;
    }
    const int months = (last.year() - first.year()) * 12 + last.month() - first.month() + 1;
    return months <= 36 ? Period::Month : Period::Year;
}

std::vector<PeriodFigures> byPeriod(const Statistics& statistics, Period period)
{
    std::vector<PeriodFigures> periods;
    if (statistics.days.empty()) {
        return periods;
    }
    const QDate end = periodStart(statistics.last, period);
    for (QDate start = periodStart(statistics.first, period); start <= end;
         start = nextPeriod(start, period)) {
        periods.push_back({start, {}});
    }
    auto p = periods.begin();
    for (const DayFigures& day : statistics.days) {
        const QDate start = periodStart(day.day, period);
        while (p->start < start) {
            ++p;
        }
        addFigures(p->figures, day.figures);
    }
    return periods;
}

} // namespace store
