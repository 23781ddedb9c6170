#include "store/Amount.h"
#include "store/OrderStore.h"
#include "store/Totals.h"
#include "support/Fixtures.h"

namespace {

QStringList texts(std::initializer_list<const char*> utf8)
{
    QStringList list;
    for (const char* text : utf8) {
        list << QString::fromUtf8(text);
    }
    return list;
}

// The five totals' texts; "too large" for a sum beyond the arithmetic, "" for NULL.
QStringList shown(const store::Totals& totals)
{
    QStringList list{QString::number(totals.orders)};
    for (const store::AmountSum* sum :
         {&totals.pieces, &totals.purchaseCost, &totals.salesAmount, &totals.profit}) {
        list << (sum->tooLarge() ? QStringLiteral("too large")
                 : sum->isNull() ? QString()
                                 : sum->value().text());
    }
    return list;
}

class TotalsTest : public testsupport::StoreTest
{
protected:
    // times orders of these prices and quantity on 2026-12-09, in one statement.
    void add(double jj, double sl, double sj, int times = 1)
    {
        const auto number = [](double v) { return QString::number(v, 'g', 17); };
        store->exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<%1) "
                                   "INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) "
                                   "SELECT '货',%2,%3,%4,'买家','K1','2026-12-09',NULL FROM n")
                        .arg(times)
                        .arg(number(jj), number(sl), number(sj)));
    }
    // The five totals of one listing.
    QStringList totals(const store::OrderFilter& filter = store::OrderFilter::everyOrder())
    {
        return shown(orders.list(filter).totals);
    }
    void SetUp() override
    {
        StoreTest::SetUp();
        orders = store::OrderStore(store->dataFile());
    }
    store::OrderStore orders{QString()};
};

TEST_F(TotalsTest, AwkwardDecimalsSumExactly)
{
    add(0.1, 0.1, 0.3);
    add(0.2, 0.2, 0.15);
    // Binary sums give 0.30000000000000004 pieces.
    EXPECT_EQ(totals(), texts({"2", "0.3", "0.05", "0.06", "0.01"}));
}

TEST_F(TotalsTest, ManyPricesOfTwoDecimalsAndALossStayToTheCent)
{
    add(19.9, 3, 12.25, 10000);
    EXPECT_EQ(totals(), texts({"10000", "30000", "597000", "367500", "-229500"}));
}

TEST_F(TotalsTest, MoreThanFourDecimalsAreSummedAtFour)
{
    add(0.00005, 1, 1.23456, 3); // 0.0001 and 1.2346 each, as money is held
    EXPECT_EQ(totals(), texts({"3", "3", "0.0003", "3.7038", "3.7035"}));
    // The grid shows the value as stored.
    EXPECT_EQ(orders.load(1)->purchasePrice.text(), QStringLiteral("0.00005"));
}

TEST_F(TotalsTest, SumsBeyondTwoToTheFiftyThreeCentsAndBeyondTheArithmetic)
{
    add(99999999999.99, 1000, 0.01, 100); // 9,999,999,999,999,000 yuan of purchases
    EXPECT_EQ(totals().value(2), QStringLiteral("9999999999999000"));
    EXPECT_EQ(totals().value(4), QStringLiteral("-9999999999998000"));

    add(1e300, 1, 1);
    const QStringList huge = totals();
    EXPECT_EQ(huge.value(0), QStringLiteral("101"));
    EXPECT_EQ(huge.value(2), QStringLiteral("too large"));
    EXPECT_EQ(huge.value(1), QStringLiteral("100001")); // the other sums stay exact
    EXPECT_EQ(huge.value(3), QStringLiteral("1001"));
}

TEST_F(TotalsTest, NoOrdersGiveZeroAndNullAndTheFilterHolds)
{
    EXPECT_EQ(totals(), texts({"0", "", "", "", ""}));
    add(2.5, 2, 3);
    store->addOrder(QStringLiteral("别的"), 1, 1, 1, QStringLiteral("x"), QStringLiteral("y"),
                    QStringLiteral("2020-01-01"));
    EXPECT_EQ(totals(store::OrderFilter::days({2026, 12, 9}, {2026, 12, 9})),
              texts({"1", "2", "5", "6", "1"}));
    EXPECT_EQ(totals(store::OrderFilter::days({2026, 12, 8}, {2026, 12, 8})), texts({"0", "", "", "", ""}));

    // Stored numbers of other kinds, as other programs leave them: a NULL leaves its order's terms out.
    using N = store::StoredNumber;
    store::TotalsScan scan;
    scan.add(N{N::Kind::Null}, N{N::Kind::Integer, 2}, N{N::Kind::Real, 0, 3});
    EXPECT_EQ(shown(scan.totals()), texts({"1", "2", "", "6", ""}));
    scan.add(N{N::Kind::Integer, 1}, N{N::Kind::Real, 0, 0.5}, N{N::Kind::Null});
    EXPECT_EQ(shown(scan.totals()), texts({"2", "2.5", "0.5", "6", ""}));
}

TEST(Amount, TextAndProducts)
{
    EXPECT_EQ(store::Amount::fromNumber(350.5)->text(), QStringLiteral("350.5"));
    EXPECT_EQ(store::Amount::fromNumber(-12.25)->text(), QStringLiteral("-12.25"));
    EXPECT_EQ(store::Amount().text(), QStringLiteral("0"));
    EXPECT_EQ((*store::Amount::fromNumber(0.0001) * *store::Amount::fromNumber(0.5))->text(),
              QStringLiteral("0.00005"));
    EXPECT_FALSE(store::Amount::fromNumber(std::numeric_limits<double>::infinity()));
    const auto big = store::Amount::fromNumber(1e30);
    ASSERT_TRUE(big);
    EXPECT_FALSE(*big * *big);
}

} // namespace
