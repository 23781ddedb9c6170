#include "store/OrderStore.h"
#include "store/Statistics.h"
#include "support/Fixtures.h"

#include <map>

namespace {

// Orders as the seller writes them; the expected figures are worked out from these texts in whole units.
struct Sale
{
    const char* goods;
    const char* buyer;
    const char* purchasePrice;
    const char* quantity;
    const char* sellingPrice;
    QDate day;
    const char* remark; // nullptr: NULL
};

const Sale sales[] = {
    {"保温杯", "甲", "0.1", "1", "0.3", {2026, 11, 30}, "r"},
    {"保温杯", "乙", "0.2", "1", "0.15", {2026, 11, 30}, nullptr}, // 0.1 + 0.2 pieces of cost, a loss
    {"水杯", "甲", "19.9", "3", "12.25", {2026, 12, 2}, nullptr},
    {"礼盒", "丁", "0.00005", "4", "2.5", {2026, 12, 2}, "x"},                   // held as 0.0001
    {"水杯", "丙", "1.23456", "2", "1.23454", {2026, 12, 31}, nullptr},          // 1.2346 and 1.2345: a loss
    {"相机", "戊", "123456789.5", "1", "123456789.25", {2026, 12, 31}, nullptr}, // beyond the fast path
    {"茶壶", "乙", "100", "1", "150", {2027, 1, 3}, nullptr},
    {"茶叶", "丙", "10", "5", "20", {2027, 1, 3}, nullptr}, // profit 50 as the teapot's: ranked by name
    {"茶杯", "己", "2", "10", "13", {2027, 1, 3}, nullptr},
    {"茶碗", "庚", "3", "10", "13", {2027, 1, 3}, nullptr}, // sales 130 as 己's: ranked by name
};

// A decimal text in units of 10^-4, rounded half away from zero as money is held.
qint64 units(const char* text)
{
    const QByteArray t(text);
    const bool negative = t.startsWith('-');
    qint64 whole = 0;
    int decimals = -1;
    bool up = false;
    for (const char c : t) {
        if (c == '.') {
            decimals = 0;
        } else if (c >= '0' && c <= '9' && decimals < 4) {
            whole = whole * 10 + (c - '0');
            decimals += decimals >= 0 ? 1 : 0;
        } else if (c >= '0' && c <= '9' && decimals == 4) {
            up = c >= '5';
            decimals = 5;
        }
    }
    for (int d = std::max(decimals, 0); d < 4; ++d) {
        whole *= 10;
    }
    whole += up ? 1 : 0;
    return negative ? -whole : whole;
}

// Units of 10^-decimals as the amounts' text.
QString text(qint64 value, int decimals)
{
    QString digits = QString::number(value < 0 ? -value : value).rightJustified(decimals + 1, u'0');
    digits.insert(digits.size() - decimals, u'.');
    while (digits.endsWith(u'0')) {
        digits.chop(1);
    }
    if (digits.endsWith(u'.')) {
        digits.chop(1);
    }
    return value < 0 ? u'-' + digits : digits;
}

// orders, pieces, cost, sales, profit; "" for a NULL sum.
QStringList shown(const store::Figures& f)
{
    QStringList list{QString::number(f.orders)};
    for (const store::AmountSum* sum : {&f.pieces, &f.purchaseCost, &f.salesAmount, &f.profit}) {
        list << (sum->tooLarge() ? QStringLiteral("too large")
                 : sum->isNull() ? QString()
                                 : sum->value().text());
    }
    return list;
}

// The same figures summed in whole units: pieces at 10^-4, products at 10^-8.
struct Expected
{
    qint64 orders = 0, pieces = 0, cost = 0, sales = 0, profit = 0;
    void add(const Sale& s)
    {
        const qint64 jj = units(s.purchasePrice), sl = units(s.quantity), sj = units(s.sellingPrice);
        ++orders, pieces += sl, cost += jj * sl, sales += sj * sl, profit += (sj - jj) * sl;
    }
    QStringList shown() const
    {
        if (orders == 0) {
            return {QStringLiteral("0"), QString(), QString(), QString(), QString()};
        }
        return {QString::number(orders), text(pieces, 4), text(cost, 8), text(sales, 8), text(profit, 8)};
    }
};

// name and figures, ranked by one sum, highest first, then by name.
std::vector<QStringList> rankedExpected(const std::map<QString, Expected>& groups, qint64 Expected::*by)
{
    std::vector<std::pair<QString, Expected>> rows(groups.begin(), groups.end());
    std::stable_sort(rows.begin(), rows.end(),
                     [by](const auto& a, const auto& b) { return a.second.*by > b.second.*by; });
    std::vector<QStringList> list;
    for (const auto& [name, e] : rows) {
        list.push_back(QStringList{name} + e.shown());
    }
    return list;
}

template <typename Rows, typename Name> std::vector<QStringList> rankedActual(const Rows& rows, Name name)
{
    std::vector<QStringList> list;
    for (const auto& row : rows) {
        list.push_back(QStringList{row.*name} + shown(row.figures));
    }
    return list;
}

class StatisticsTest : public testsupport::StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        for (std::size_t i = 0; i < std::size(sales); ++i) {
            const Sale& s = sales[i];
            store->addOrder(QString::fromUtf8(s.goods), QByteArray(s.purchasePrice).toDouble(),
                            QByteArray(s.quantity).toDouble(), QByteArray(s.sellingPrice).toDouble(),
                            QString::fromUtf8(s.buyer), QStringLiteral("K%1").arg(i + 1),
                            s.day.toString(Qt::ISODate), s.remark ? QString::fromUtf8(s.remark) : QString());
        }
    }
};

TEST_F(StatisticsTest, EveryFigureMatchesTheOrdersTheFilterCovers)
{
    const struct
    {
        store::OrderFilter filter;
        std::optional<QString> goodsHolding; // the keyword in the goods name
    } cases[] = {
        {store::OrderFilter::everyOrder(), std::nullopt},
        {store::OrderFilter::days({2026, 11, 30}, {2026, 12, 2}), std::nullopt},
        {store::OrderFilter::days({2026, 12, 1}, {2026, 12, 31}), std::nullopt},
        {{QDate(), QDate(), store::SearchField::Goods, QStringLiteral("杯")}, QStringLiteral("杯")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter.first.toString(Qt::ISODate).toStdString() + " " +
                     c.filter.keyword.toStdString());
        std::vector<std::size_t> covered; // newest first
        for (std::size_t i = std::size(sales); i-- > 0;) {
            const Sale& s = sales[i];
            if ((!c.filter.first.isValid() || (s.day >= c.filter.first && s.day <= c.filter.last)) &&
                (!c.goodsHolding || QString::fromUtf8(s.goods).contains(*c.goodsHolding))) {
                covered.push_back(i);
            }
        }
        Expected all;
        std::map<QDate, Expected> days;
        std::map<QString, Expected> goods, buyers;
        std::vector<QStringList> losses;
        for (const std::size_t i : covered) {
            const Sale& s = sales[i];
            for (Expected* e : {&all, &days[s.day], &goods[QString::fromUtf8(s.goods)],
                                &buyers[QString::fromUtf8(s.buyer)]}) {
                e->add(s);
            }
            Expected one;
            one.add(s);
            if (one.profit < 0) {
                losses.push_back({QString::number(i + 1), s.day.toString(Qt::ISODate),
                                  QString::fromUtf8(s.goods), QString::fromUtf8(s.buyer),
                                  QStringLiteral("K%1").arg(i + 1), text(one.profit, 8)});
            }
        }
        const store::Statistics stats = store::OrderStore(store->dataFile()).statistics(c.filter);
        EXPECT_EQ(shown(stats.all), all.shown());
        EXPECT_EQ(stats.first, days.begin()->first);
        EXPECT_EQ(stats.last, days.rbegin()->first);
        std::vector<QStringList> expectedDays, actualDays;
        for (const auto& [day, e] : days) {
            expectedDays.push_back(QStringList{day.toString(Qt::ISODate)} + e.shown());
        }
        for (const store::DayFigures& d : stats.days) {
            actualDays.push_back(QStringList{d.day.toString(Qt::ISODate)} + shown(d.figures));
        }
        EXPECT_EQ(actualDays, expectedDays);
        EXPECT_EQ(rankedActual(stats.goods, &store::GoodsFigures::goods),
                  rankedExpected(goods, &Expected::profit));
        EXPECT_EQ(rankedActual(stats.buyers, &store::BuyerFigures::buyer),
                  rankedExpected(buyers, &Expected::sales));
        std::vector<QStringList> actualLosses;
        for (const store::LossOrder& l : stats.losses) {
            actualLosses.push_back({QString::number(l.id), l.saleDate.toString(Qt::ISODate), l.goods, l.buyer,
                                    l.waybill, l.profit.text()});
        }
        // The latest day of sale first, then the newest order.
        std::sort(losses.begin(), losses.end(), [](const QStringList& a, const QStringList& b) {
            return a[1] != b[1] ? a[1] > b[1] : a[0].toLongLong() > b[0].toLongLong();
        });
        EXPECT_EQ(actualLosses, losses);

        // Every period from the first's to the last's, the empty ones too, adds up to the days in it.
        for (const auto period : {store::Period::Day, store::Period::Month, store::Period::Year}) {
            const auto startOf = [period](QDate d) {
                return period == store::Period::Day     ? d
                       : period == store::Period::Month ? QDate(d.year(), d.month(), 1)
                                                        : QDate(d.year(), 1, 1);
            };
            std::map<QDate, Expected> periods;
            for (QDate d = stats.first; d <= stats.last; d = d.addDays(1)) {
                periods[startOf(d)];
            }
            for (const std::size_t i : covered) {
                periods[startOf(sales[i].day)].add(sales[i]);
            }
            std::vector<QStringList> expected, actual;
            for (const auto& [start, e] : periods) {
                expected.push_back(QStringList{start.toString(Qt::ISODate)} + e.shown());
            }
            for (const store::PeriodFigures& p : store::byPeriod(stats, period)) {
                actual.push_back(QStringList{p.start.toString(Qt::ISODate)} + shown(p.figures));
            }
            EXPECT_EQ(actual, expected);
        }
    }
}

TEST_F(StatisticsTest, TiesAreRankedByName)
{
    const store::Statistics stats =
        store::OrderStore(store->dataFile()).statistics(store::OrderFilter::everyOrder());
    const auto at = [](const auto& rows, auto name, const char* text) {
        return std::find_if(rows.begin(), rows.end(),
                            [&](const auto& row) { return row.*name == QString::fromUtf8(text); }) -
               rows.begin();
    };
    EXPECT_EQ(
        at(stats.goods, &store::GoodsFigures::goods, "茶叶") + 1,
        at(stats.goods, &store::GoodsFigures::goods, "茶壶")); // profit 50 each; 叶 U+53F6 before 壶 U+58F6
    const auto buyer = [&](const char* name) { return at(stats.buyers, &store::BuyerFigures::buyer, name); };
    EXPECT_EQ(buyer("己") + 1, buyer("庚")); // sales 130 each
}

TEST(Statistics, NoOrdersAndThePeriodForASpan)
{
    testsupport::TempStore empty;
    const store::Statistics none =
        store::OrderStore(empty.dataFile()).statistics(store::OrderFilter::everyOrder());
    EXPECT_EQ(shown(none.all),
              (QStringList{QStringLiteral("0"), QString(), QString(), QString(), QString()}));
    EXPECT_TRUE(none.first.isNull() && none.last.isNull());
    EXPECT_TRUE(none.days.empty() && none.goods.empty() && none.buyers.empty() && none.losses.empty());
    EXPECT_TRUE(store::byPeriod(none, store::Period::Month).empty());

    const struct
    {
        QDate first, last;
        store::Period period;
    } spans[] = {
        {{2026, 12, 9}, {2026, 12, 9}, store::Period::Day},
        {{2026, 1, 1}, {2026, 3, 3}, store::Period::Day},     // 62 days
        {{2026, 1, 1}, {2026, 3, 4}, store::Period::Month},   // 63 days
        {{2024, 1, 31}, {2026, 12, 1}, store::Period::Month}, // 36 months
        {{2024, 1, 31}, {2027, 1, 1}, store::Period::Year},   // 37 months
    };
    for (const auto& s : spans) {
        EXPECT_EQ(store::periodFor(s.first, s.last), s.period) << s.first.toString(Qt::ISODate).toStdString();
    }
}

} // namespace
