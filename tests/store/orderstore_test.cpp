// The order store as the windows use it: listings by date and keyword, reading orders back by id, and
// writing them.
#include "Printing.h"
#include "store/AppFolder.h"
#include "store/EmptyStore.h"
#include "store/ListedOrders.h"
#include "store/OrderStore.h"
#include "store/StoreError.h"
#include "support/Fixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using store::OrderFilter;
using store::SearchField;

store::Order order(const QString& goods,
                   const QString& buyer,
                   const QString& waybill,
                   QDate day,
                   std::optional<QString> remark = std::nullopt)
{
    return {0, goods, buyer, store::Number(1), store::Number(10), store::Number(12.5), day, waybill, remark};
}

class OrderStoreTest : public testsupport::StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        orders = store::OrderStore(store->dataFile());
    }
    store::OrderStore orders{QString()};
};

TEST_F(OrderStoreTest, ListingsCoverWhatTheFilterSaysNewestFirst)
{
    const QString longGoods = QString(20000, QChar(u'货')) + QStringLiteral("尾"); // 60,003 bytes
    const QString nul(1, QChar(0));
    orders.insertAll(std::vector<store::Order>{
        order(QStringLiteral("保温杯 100%_[a]'s"), QStringLiteral("张三"), QStringLiteral("SF1"),
              {2026, 11, 30}),
        order(QStringLiteral("茶杯a"), QStringLiteral("李四"), QStringLiteral("YT2"), {2026, 12, 1},
              QStringLiteral("亏本 % 急")),
        order(QStringLiteral("保温杯 大号"), QStringLiteral("王五"), QStringLiteral("sf3"), {2026, 12, 9},
              QString()), // an empty remark is a remark
        order(longGoods, QStringLiteral("张三"), QStringLiteral("ＳＦ１２３"), {2026, 12, 10},
              QStringLiteral("a") + nul + QStringLiteral("b")),
    });
    const auto find = [](SearchField field, const QString& keyword, QDate first = {}, QDate last = {}) {
        return OrderFilter{first, last, field, keyword};
    };
    const struct
    {
        OrderFilter filter;
        std::vector<qint64> ids;
    } cases[] = {
        {OrderFilter::everyOrder(), {4, 3, 2, 1}},
        {OrderFilter::days({2026, 12, 1}, {2026, 12, 9}), {3, 2}}, // both bounds count
        {OrderFilter::days({2026, 11, 30}, {2026, 11, 30}), {1}},
        {OrderFilter::days({2026, 12, 9}, {2026, 12, 1}), {}},
        {OrderFilter::days({2026, 12, 9}, {}), {4, 3}}, // a missing end is open
        {OrderFilter::days({}, {2026, 12, 1}), {2, 1}},
        {find(SearchField::Goods, QStringLiteral("保温"), {2026, 11, 1}, {2026, 12, 31}), {3, 1}},
        {find(SearchField::Goods, QStringLiteral("保温"), {2026, 12, 1}, {2026, 12, 31}), {3}},
        {find(SearchField::Buyer, QStringLiteral("张三")), {4, 1}},
        // Full-width ASCII forms are their ASCII characters, either way round.
        {find(SearchField::Waybill, QStringLiteral("sf")), {4, 3, 1}},
        {find(SearchField::Waybill, QStringLiteral("SF123")), {4}},
        {find(SearchField::Waybill, QStringLiteral("ｓｆ")), {4, 3, 1}},
        {find(SearchField::Goods, QStringLiteral("０＿")), {}},
        {find(SearchField::Remark, QStringLiteral("亏")), {2}},
        // The keyword's characters are the characters searched for, ASCII letters in either case.
        {find(SearchField::Goods, QStringLiteral("%")), {1}},
        {find(SearchField::Remark, QStringLiteral("%")), {2}},
        {find(SearchField::Goods, QStringLiteral("_")), {1}},
        {find(SearchField::Goods, QStringLiteral("0_")), {}},
        {find(SearchField::Goods, QStringLiteral("[a]")), {1}},
        {find(SearchField::Goods, QStringLiteral("[A]'S")), {1}},
        {find(SearchField::Goods, QStringLiteral("'")), {1}},
        {find(SearchField::Goods, QStringLiteral("x' or '1'='1")), {}},
        {find(SearchField::Remark, nul), {4}},
        // Any: the goods name, the buyer, the waybill or the remark (a NULL one holds nothing).
        {find(SearchField::Any, QStringLiteral("保温")), {3, 1}},
        {find(SearchField::Any, QStringLiteral("张三"), {2026, 12, 1}, {2026, 12, 31}), {4}},
        {find(SearchField::Any, QStringLiteral("SF1")), {4, 1}},
        {find(SearchField::Any, QStringLiteral("亏")), {2}},
        {find(SearchField::Any, QStringLiteral("%")), {2, 1}},
        {find(SearchField::Any, QStringLiteral("A")), {4, 2, 1}},
        {find(SearchField::Any, QStringLiteral("_")), {1}},
        {find(SearchField::Any, QStringLiteral("杯a%")), {}},
        {find(SearchField::Goods, nul), {}},
        {find(SearchField::Goods, QString(15000, QChar(u'货')) + QStringLiteral("尾")), {4}}, // 45,003 bytes
        // An absent remark is shown as a blank, but holds nothing a keyword could find.
        {find(SearchField::Remark, store::absentRemarkText), {2}},
    };
    for (const auto& c : cases) {
        const store::Listing listing = orders.list(c.filter);
        EXPECT_EQ(listing.ids, c.ids) << c.filter.keyword.left(20).toStdString();
        EXPECT_EQ(listing.totals.orders, qint64(c.ids.size()));
        std::vector<qint64> first;
        for (const store::Order& o : listing.firstOrders) {
            first.push_back(o.id);
        }
        std::sort(first.begin(), first.end(), std::greater<>());
        EXPECT_EQ(first, c.ids);
    }
    EXPECT_EQ(orders.dateSpan(), std::pair(QDate(2026, 11, 30), QDate(2026, 12, 10)));
    EXPECT_EQ(orders.load(4)->goods, longGoods);
    EXPECT_EQ(orders.load(1)->remark, std::nullopt);
    EXPECT_EQ(orders.load(3)->remark, QString());
    EXPECT_EQ(orders.load(4)->waybill, QStringLiteral("ＳＦ１２３")) << "stored as typed";
}

TEST_F(OrderStoreTest, OrdersComeBackAsTheyWereWritten)
{
    EXPECT_EQ(orders.dateSpan(), std::nullopt);
    store::Order o = order(QStringLiteral("it's \"双引号\" %1"), QStringLiteral("%1 %2"),
                           QStringLiteral("O'K;--"), {2026, 12, 9}, QStringLiteral("备注 '%'"));
    o.purchasePrice = store::Number(0.1);
    o.quantity = store::Number(1e-5);
    o.sellingPrice = store::Number(-2);
    o.id = orders.insert(o);
    EXPECT_EQ(orders.load(o.id), o);
    EXPECT_EQ(store->cell(o.id, QStringLiteral("xsdate")), QStringLiteral("2026-12-09"));

    o.quantity = store::Number(1.5);
    o.waybill = QString(); // empty, not missing
    o.remark.reset();
    o.saleDate = QDate(9999, 12, 31);
    EXPECT_TRUE(orders.update(o));
    EXPECT_EQ(orders.load(o.id), o);
    EXPECT_TRUE(store->cell(o.id, QStringLiteral("bz")).isNull());
    const qint64 wanted[] = {o.id, o.id + 1};
    EXPECT_EQ(orders.read(wanted), std::vector{o});

    EXPECT_TRUE(orders.remove(o.id));
    EXPECT_EQ(orders.load(o.id), std::nullopt);
    EXPECT_FALSE(orders.update(o)) << "an order that is gone is not written again";
    EXPECT_FALSE(orders.remove(o.id));
    EXPECT_EQ(store->count(), 0);
}

TEST_F(OrderStoreTest, InsertAllStoresEveryOrderOrNone)
{
    const store::Order good =
        order(QStringLiteral("杯"), QStringLiteral("m"), QStringLiteral("k"), {2026, 12, 9});
    store::Order noNumber = good;
    noNumber.quantity = store::Number(std::nan(""));
    for (const store::Order& bad :
         {order(QStringLiteral("杯"), QStringLiteral("m"), QStringLiteral("k"), QDate()),
          order(QStringLiteral("杯"), QStringLiteral("m"), QStringLiteral("k"), {26, 12, 9}), noNumber}) {
        try {
            orders.insertAll(std::vector{good, bad});
            ADD_FAILURE() << "stored " << bad.saleDate.toString(Qt::ISODate).toStdString();
        } catch (const store::StoreError& e) {
            EXPECT_EQ(e.kind(), store::StoreError::Kind::TypeMismatch);
        }
        EXPECT_EQ(store->count(), 0);
    }
    EXPECT_EQ(orders.insertAll(std::vector{good, good}), (std::vector<qint64>{1, 2}));
}

TEST_F(OrderStoreTest, ListedOrdersFollowEveryRowOfALongList)
{
    std::vector<store::Order> many;
    for (int i = 1; i <= 600; ++i) {
        many.push_back(order(QStringLiteral("货%1").arg(i), QStringLiteral("m"), QStringLiteral("k"),
                             QDate(2026, 1, 1).addDays(i % 300),
                             i % 4 ? std::optional(QString::number(i)) : std::nullopt));
    }
    orders.insertAll(many);
    store::Listing listing = orders.list(OrderFilter::everyOrder());
    EXPECT_EQ(orders.read(listing.ids).size(), store::OrderStore::pageSize);
    store::ListedOrders listed(orders.dataFile(), std::move(listing.ids), std::move(listing.firstOrders));
    ASSERT_TRUE(orders.remove(300));
    // Forwards, then pages far apart: more pages than are cached.
    for (const std::size_t step : {std::size_t(1), std::size_t(257)}) {
        for (std::size_t n = 0, i = 0; n < listed.size(); ++n, i = (i + step) % listed.size()) {
            const store::Order* o = listed.order(i);
            ASSERT_EQ(o == nullptr, listed.id(i) == 300) << i;
            if (o) {
                EXPECT_EQ(o->id, listed.id(i));
                EXPECT_EQ(o->goods, QStringLiteral("货%1").arg(o->id));
                EXPECT_EQ(o->remark.has_value(), o->id % 4 != 0);
            }
        }
        // The pages' connection stays open until the event loop turns; it never holds up a save.
        EXPECT_NO_THROW(orders.insert(
            order(QStringLiteral("新"), QStringLiteral("m"), QStringLiteral("k"), QDate(2026, 12, 10))));
    }
    EXPECT_EQ(listed.id(0), 600);
    // A walk through the whole list meets every listed id in turn, the deleted one without its order.
    std::size_t visited = 0;
    listed.forEach([&](std::size_t i, const store::Order* o) {
        EXPECT_EQ(i, visited++);
        EXPECT_EQ(o ? o->id : 300, listed.id(i));
    });
    EXPECT_EQ(visited, listed.size());
}

TEST_F(OrderStoreTest, StoresInFoldersWithAwkwardNamesOpen)
{
    for (const QString& name : {QStringLiteral("x;b=c"), QStringLiteral("淘宝 记账 O'K")}) {
        const QString folder = store->folder() + QLatin1Char('/') + name;
        ASSERT_TRUE(QDir().mkpath(folder));
        store::createEmptyStore(store::dataFileIn(folder));
        const store::OrderStore there(store::dataFileIn(folder));
        there.insert(order(QStringLiteral("杯"), QStringLiteral("m"), QStringLiteral("k"), {2026, 12, 9}));
        EXPECT_EQ(there.list(OrderFilter::everyOrder()).ids, std::vector<qint64>{1});
    }
    EXPECT_EQ(store->count(), 0) << "the other store was not touched";

    EXPECT_EQ(store::dataFileIn(QStringLiteral("/opt/tallywick/")),
              QStringLiteral("/opt/tallywick/data.mdb"));
    EXPECT_EQ(store::dataFileIn(QStringLiteral("/")), QStringLiteral("/data.mdb"));
    store::setAppFolder(QString());
    EXPECT_EQ(store::appFolder(), QCoreApplication::applicationDirPath());
}

} // namespace
