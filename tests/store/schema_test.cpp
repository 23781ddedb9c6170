// The layout of a data file and its version: what a new store is written as, an older store brought up to
// date with every order kept, and a newer program's store left alone.
#include "Printing.h"
#include "store/EmptyStore.h"
#include "store/OrderStore.h"
#include "store/StoreError.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using Kind = store::StoreError::Kind;

class SchemaTest : public testsupport::StoreTest
{
protected:
    // The first column of every row of sql, read straight from the file.
    QStringList rows(const QString& sql) const
    {
        sqlite3* db = nullptr;
        sqlite3_open_v2(store->dataFile().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
        QStringList list;
        while (sqlite3_step(st) == SQLITE_ROW) {
            list << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return list;
    }
    int version() const { return rows(QStringLiteral("PRAGMA user_version")).value(0).toInt(); }
    // Every stored value of every order: its type, then its bytes, or its number to the last bit.
    QStringList dump() const
    {
        QStringList values;
        for (const store::ColumnDescription& c : store::orderColumns) {
            values << QStringLiteral("typeof(%1)||':'||iif(typeof(%1)='real',printf('%!.17g',%1),hex(%1))")
                          .arg(QLatin1String(c.name));
        }
        return rows(QStringLiteral("SELECT ") + values.join(QStringLiteral("||' '||")) +
                    QStringLiteral(" FROM ddlist ORDER BY id"));
    }
    QByteArray bytes() const
    {
        QFile f(store->dataFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void addOrders() const
    {
        store->addOrder(QStringLiteral("杯 'a' %1"), 0.1, 1e-5, -2, QStringLiteral("买家"),
                        QStringLiteral("SF1"),
                        QStringLiteral("2026-12-09")); // no remark
        store->addOrder(QStringLiteral("碗"), 1.5, 3, 1e300, QStringLiteral("m"), QStringLiteral("k"),
                        QStringLiteral("2026-12-10"), QStringLiteral("备注"));
    }
    void SetUp() override
    {
        StoreTest::SetUp();
        orders = store::OrderStore(store->dataFile());
    }
    store::OrderStore orders{QString()};
};

TEST_F(SchemaTest, ANewStoreHasTheOrderTableAtThisVersionAndNeverReplacesAFile)
{
    EXPECT_EQ(version(), 1);
    EXPECT_FALSE(orders.needsUpgrade());
    EXPECT_EQ(
        rows(QStringLiteral(
            "SELECT name||' '||type||' '||\"notnull\"||' '||pk FROM pragma_table_info('ddlist')")),
        QString::fromUtf8("id INTEGER 0 1|spname TEXT 1 0|jj REAL 1 0|sl REAL 1 0|sj REAL 1 0|mjzh TEXT 1 0|"
                          "kddh TEXT 1 0|xsdate TEXT 1 0|bz TEXT 0 0")
            .split(QLatin1Char('|')));
    EXPECT_EQ(rows(QStringLiteral("SELECT name FROM pragma_index_info('ddlist_xsdate')")),
              QStringList{QStringLiteral("xsdate")});
    EXPECT_TRUE(rows(QStringLiteral("SELECT sql FROM sqlite_master WHERE name='ddlist'"))
                    .value(0)
                    .contains(QStringLiteral("AUTOINCREMENT")));

    // An existing file, store or not, stays exactly as it was.
    addOrders();
    const QString other = QDir(store->folder()).filePath(QStringLiteral("other.mdb"));
    QFile f(other);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("orders of years");
    f.close();
    for (const QString& existing : {store->dataFile(), other}) {
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        try {
            store::createEmptyStore(existing);
            ADD_FAILURE() << "replaced " << existing.toStdString();
        } catch (const store::StoreError& e) {
            EXPECT_TRUE(e.description().contains(existing));
        }
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), before);
    }
    EXPECT_THROW(store::createEmptyStore(store->folder() + QStringLiteral("/no/such/folder/data.mdb")),
                 store::StoreError);
}

TEST_F(SchemaTest, AnUnversionedStoreIsUpgradedWithEveryOrderKept)
{
    addOrders();
    store->exec(QStringLiteral("PRAGMA user_version=0"));
    const QStringList before = dump();
    ASSERT_EQ(before.size(), 2);
    ASSERT_TRUE(before[0].endsWith(QStringLiteral("null:"))) << before[0].toStdString();
    EXPECT_TRUE(orders.needsUpgrade());
    EXPECT_EQ(orders.list(store::OrderFilter::everyOrder()).ids, (std::vector<qint64>{2, 1}));
    orders.upgrade();
    EXPECT_EQ(version(), 1);
    EXPECT_FALSE(orders.needsUpgrade());
    EXPECT_EQ(dump(), before);
    orders.upgrade(); // once more changes nothing
    EXPECT_EQ(version(), 1);
    EXPECT_EQ(dump(), before);
}

TEST_F(SchemaTest, AStoreOfANewerProgramIsNeitherReadNorWritten)
{
    addOrders();
    store->exec(QStringLiteral("PRAGMA user_version=2"));
    const QByteArray before = bytes();
    store::Order order{0,
                       QStringLiteral("杯"),
                       QStringLiteral("m"),
                       store::Number(1),
                       store::Number(1),
                       store::Number(2),
                       QDate(2026, 12, 9),
                       QStringLiteral("k"),
                       std::nullopt};
    const qint64 ids[] = {1, 2};
    store::OrderPages pages(store->dataFile());
    const std::function<void()> calls[] = {
        [&] { orders.list(store::OrderFilter::everyOrder()); },
        [&] {
            orders.list(store::OrderFilter::days({2026, 12, 9}, {2026, 12, 9}));
        },
        [&] { orders.read(ids); },
        [&] { orders.load(1); },
        [&] { orders.dateSpan(); },
        [&] { orders.insert(order); },
        [&] { orders.insertAll(std::vector{order}); },
        [&] { order.id = 1, orders.update(order); },
        [&] { orders.remove(1); },
        [&] { orders.requireWritable(); },
        [&] { orders.needsUpgrade(); },
        [&] { orders.upgrade(); },
        [&] { pages.read(ids); },
    };
    for (const auto& call : calls) {
        try {
            call();
            ADD_FAILURE() << "a call went through";
        } catch (const store::StoreError& e) {
            EXPECT_EQ(e.kind(), Kind::NewerVersion);
            EXPECT_TRUE(e.description().contains(store->dataFile()));
        }
    }
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(QDir(store->folder()).entryList(QDir::Files), QStringList{QStringLiteral("data.mdb")});
}

} // namespace
