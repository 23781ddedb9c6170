#include "Printing.h"
#include "store/DbConfig.h"
#include "store/EmptyStore.h"
#include "store/Recordset.h"
#include "store/SqlText.h"
#include "store/StoreError.h"
#include "support/Fixtures.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using store::StoreError;

class RecordsetTest : public testsupport::StoreTest
{
protected:
    // One operation as the windows do it: take ddrs, set it up, open, use, release.
    store::Recordset& openDdrs(const QString& sql, int lockType = 1)
    {
        store::Recordset& rs = db_config::takeDdrs();
        rs.ActiveConnection = db_config::connstr;
        rs.CursorLocation = 3;
        rs.CursorType = 3;
        rs.LockType = lockType;
        rs.Source = sql;
        rs.Open();
        return rs;
    }
    // The value of j of a total statement, as text; the recordset is released after it.
    QString total(const QString& head, const QString& condition)
    {
        store::Recordset& rs = openDdrs(head + condition);
        const QString value = rs.Fields(QStringLiteral("j")).text();
        rs.Close();
        db_config::releaseDdrs();
        return value;
    }
    // The ids of the list statement, in the order listed.
    QList<qint64> listIds(const QString& condition)
    {
        store::Recordset& rs = openDdrs(QStringLiteral("select * from ddlist where 1=1 ") + condition +
                                        QStringLiteral("  order by id desc"));
        QList<qint64> ids;
        const qint64 count = rs.RecordCount();
        while (!rs.Eof()) {
            ids << rs.Fields(QStringLiteral("ID")).value().toLongLong();
            rs.MoveNext();
        }
        EXPECT_EQ(count, ids.size());
        db_config::releaseDdrs();
        return ids;
    }
    static QString range(const char* from, const char* to)
    {
        return QStringLiteral(" and  xsdate>=#%1#   and xsdate<= #%2#   ")
            .arg(QLatin1String(from), QLatin1String(to));
    }
    static QString day(const char* date)
    {
        return QStringLiteral(" and  xsdate=#%1#  ").arg(QLatin1String(date));
    }
    static QString keyword(const char* column, const QString& typed)
    {
        return QStringLiteral(" and %1 like '%%2%' ")
            .arg(QLatin1String(column), store::sqltext::likeKeyword(typed));
    }
    void exec(const QString& sql)
    {
        store::Recordset rs;
        rs.ActiveConnection = db_config::connstr;
        rs.LockType = 4;
        rs.Source = sql;
        rs.Open();
        affected = rs.RecordsAffected();
    }
    qint64 affected = -1;
};

const QString countHead = QStringLiteral("select count(*) as j from ddlist where 1=1 ");
const QString slHead = QStringLiteral("select sum(sl) as j from ddlist where 1=1 ");
const QString jjHead = QStringLiteral("select sum(jj*sl) as j from ddlist where 1=1 ");
const QString sjHead = QStringLiteral("select sum(sj*sl) as j from ddlist where 1=1 ");
const QString profitHead = QStringLiteral("select sum((sj-jj)*sl) as j from ddlist where 1=1 ");

TEST_F(RecordsetTest, TotalsOverNoRowsAreZeroAndNull)
{
    EXPECT_EQ(total(countHead, QString()), QStringLiteral("0"));
    for (const QString& head : {slHead, jjHead, sjHead, profitHead}) {
        store::Recordset& rs = openDdrs(head);
        EXPECT_EQ(rs.RecordCount(), 1);
        EXPECT_TRUE(rs.Fields(QStringLiteral("j")).isNull());
        EXPECT_EQ(rs.Fields(QStringLiteral("J")).text(), QString());
        db_config::releaseDdrs();
    }
    store->addOrder(QStringLiteral("杯"), 1, 1, 2, QStringLiteral("m"), QStringLiteral("k"),
                    QStringLiteral("2026-12-09"));
    EXPECT_EQ(total(countHead, day("2026/12/8")), QStringLiteral("0"));
    store::Recordset& rs = openDdrs(slHead + day("2026/12/8"));
    EXPECT_TRUE(rs.Fields(QStringLiteral("j")).isNull());
}

TEST_F(RecordsetTest, TotalsAndListFollowTheCondition)
{
    store->addOrder(QStringLiteral("保温杯"), 10, 2, 15.5, QStringLiteral("张三"), QStringLiteral("SF1"),
                    QStringLiteral("2026-11-30"));
    store->addOrder(QStringLiteral("茶杯"), 20, 1, 18, QStringLiteral("李四"), QStringLiteral("YT2"),
                    QStringLiteral("2026-12-01"), QStringLiteral("亏本"));
    store->addOrder(QStringLiteral("保温杯 大号"), 12.5, 3, 20, QStringLiteral("王五"), QStringLiteral("SF3"),
                    QStringLiteral("2026-12-09"));
    store->addOrder(QStringLiteral("毛巾"), 3, 10, 5, QStringLiteral("张三"), QStringLiteral("ZTO4"),
                    QStringLiteral("2026-12-10"));

    EXPECT_EQ(listIds(QString()), (QList<qint64>{4, 3, 2, 1}));
    EXPECT_EQ(total(countHead, QString()), QStringLiteral("4"));
    EXPECT_EQ(total(slHead, QString()), QStringLiteral("16"));
    EXPECT_EQ(total(jjHead, QString()), QStringLiteral("107.5"));
    EXPECT_EQ(total(sjHead, QString()), QStringLiteral("159"));
    EXPECT_EQ(total(profitHead, QString()), QStringLiteral("51.5"));
    // Both bounds are inclusive and compare by day.
    EXPECT_EQ(listIds(range("2026/12/1", "2026/12/9")), (QList<qint64>{3, 2}));
    EXPECT_EQ(listIds(range("2026/11/30", "2026/11/30")), (QList<qint64>{1}));
    EXPECT_EQ(listIds(range("2026/12/9", "2026/12/1")), (QList<qint64>{}));
    EXPECT_EQ(listIds(day("2026/12/9")), (QList<qint64>{3}));
    EXPECT_EQ(listIds(day("2026-12-09")), (QList<qint64>{3}));
    // The keyword occurs anywhere, and the totals cover only the matching orders.
    EXPECT_EQ(listIds(keyword("spname", QStringLiteral("保温")) + range("2026/11/1", "2026/12/31")),
              (QList<qint64>{3, 1}));
    EXPECT_EQ(total(slHead, keyword("spname", QStringLiteral("保温"))), QStringLiteral("5"));
    EXPECT_EQ(total(profitHead, keyword("bz", QStringLiteral("亏"))), QStringLiteral("-2"));
    EXPECT_EQ(listIds(keyword("mjzh", QStringLiteral("张三"))), (QList<qint64>{4, 1}));
    EXPECT_EQ(listIds(keyword("kddh", QStringLiteral("sf"))),
              (QList<qint64>{3, 1})); // ASCII letter case ignored
    // A NULL remark never matches, not even the empty keyword.
    EXPECT_EQ(listIds(keyword("bz", QString())), (QList<qint64>{2}));
}

TEST_F(RecordsetTest, CellsReadAsTheWindowsShowThem)
{
    const qint64 id = store->addOrder(QStringLiteral("杯"), 12.5, 3, 0.1 + 0.2, QStringLiteral("m"),
                                      QStringLiteral("k"), QStringLiteral("2026-12-09"));
    store->addOrder(QStringLiteral("碗"), 1, 1, 1, QStringLiteral("m"), QStringLiteral("k"),
                    QStringLiteral("2026-12-09"), QStringLiteral(""));
    store::Recordset& rs = openDdrs(QStringLiteral("select * from ddlist where 1=1   order by id desc"));
    ASSERT_EQ(rs.RecordCount(), 2);
    EXPECT_FALSE(rs.Fields(QStringLiteral("bz")).isNull()); // the empty remark is not NULL
    EXPECT_EQ(rs.Fields(QStringLiteral("bz")).text(), QString());
    rs.MoveNext();
    EXPECT_EQ(rs.Fields(QStringLiteral("id")).text(), QString::number(id));
    EXPECT_EQ(rs.Fields(QStringLiteral("jj")).text(), QStringLiteral("12.5"));
    EXPECT_EQ(rs.Fields(QStringLiteral("sl")).text(), QStringLiteral("3"));
    EXPECT_EQ(rs.Fields(QStringLiteral("sj")).text(), QStringLiteral("0.3"));
    EXPECT_EQ(rs.Fields(QStringLiteral("xsdate")).text(), QStringLiteral("2026/12/9"));
    EXPECT_EQ(rs.Fields(QStringLiteral("xsdate")).value().toDate(), QDate(2026, 12, 9));
    EXPECT_TRUE(rs.Fields(QStringLiteral("bz")).isNull());
    EXPECT_THROW(rs.Fields(QStringLiteral("nope")), StoreError);
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_THROW(rs.Fields(QStringLiteral("id")), StoreError);
    EXPECT_THROW(rs.MoveNext(), StoreError);
}

TEST_F(RecordsetTest, FieldsFollowEveryRowOfALongList)
{
    // Neighbouring rows that share some values and differ in others, including values of other kinds.
    const char* dates[] = {"2026-12-09", "2026-12-09", "2026-12-08", "2026-12-09", "bad date"};
    const double amounts[] = {1, 1, 1.5, -1, 1};
    const char* remarks[] = {"", "x", "x", nullptr, "y"};
    for (int i = 0; i < 25; ++i) {
        store->addOrder(QString(i % 3, QChar(u'货')), amounts[i % 5], amounts[(i + 1) % 5], 2,
                        QStringLiteral("m"), QStringLiteral("k"), QLatin1String(dates[i % 5]),
                        remarks[i % 4] ? QString::fromUtf8(remarks[i % 4]) : QString());
    }
    store::Recordset& rs = openDdrs(QStringLiteral("select * from ddlist where 1=1   order by id desc"));
    int rows = 0;
    for (; !rs.Eof(); rs.MoveNext(), ++rows) {
        const int i = 24 - rows; // newest first
        EXPECT_EQ(rs.Fields(QStringLiteral("id")).text(), QString::number(i + 1));
        EXPECT_EQ(rs.Fields(QStringLiteral("spname")).text(), QString(i % 3, QChar(u'货'))) << "row " << rows;
        EXPECT_EQ(rs.Fields(QStringLiteral("bz")).isNull(), remarks[i % 4] == nullptr) << "row " << rows;
    }
    EXPECT_EQ(rows, 25);
    EXPECT_EQ(store->cell(5, QStringLiteral("xsdate")), QStringLiteral("bad date"));
}

TEST_F(RecordsetTest, StoreInAFolderWithChineseNameAndBlanks)
{
    const QString folder = store->folder() + QStringLiteral("/淘宝 记账 O'K");
    ASSERT_TRUE(QDir().mkpath(folder));
    store::createEmptyStore(folder + QStringLiteral("/data.mdb"));
    db_config::connstr = db_config::buildConnstr(folder);
    exec(QStringLiteral(
        "INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES ('杯', '1', '2', '3','m', "
        "'k', '2026/12/9', '')"));
    EXPECT_EQ(affected, 1);
    EXPECT_EQ(listIds(QString()), (QList<qint64>{1}));
    EXPECT_EQ(store->count(), 0); // the other store was not touched
}

TEST_F(RecordsetTest, EachOperationGetsAFreshDdrs)
{
    store->addOrder(QStringLiteral("a"), 1, 1, 1, QStringLiteral("m"), QStringLiteral("k"),
                    QStringLiteral("2026-12-09"));
    store->addOrder(QStringLiteral("b"), 1, 1, 1, QStringLiteral("m"), QStringLiteral("k"),
                    QStringLiteral("2026-12-09"));
    store::Recordset& first = openDdrs(QStringLiteral("select * from ddlist where 1=1   order by id desc"));
    first.MoveNext();
    first.Source = QStringLiteral("something else");
    db_config::releaseDdrs();
    EXPECT_EQ(db_config::ddrs, nullptr);
    store::Recordset& second = db_config::takeDdrs();
    EXPECT_FALSE(second.isOpen());
    EXPECT_TRUE(second.Source.isEmpty());
    EXPECT_TRUE(second.Eof());
    EXPECT_EQ(second.RecordCount(), 0);
    openDdrs(QStringLiteral("select * from ddlist where 1=1   order by id desc"));
    EXPECT_EQ(db_config::ddrs->Fields(QStringLiteral("spname")).text(), QStringLiteral("b"));
}

TEST_F(RecordsetTest, InsertUpdateAndDeleteKeepTypedTextsExactly)
{
    const QString tricky = QStringLiteral("O'Neil 100%_[新]'");
    exec(QStringLiteral("INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES ('") +
         store::sqltext::quoted(tricky) +
         QStringLiteral("', '12.5', '2', '20','买家', 'SF1', '2026/12/9', '')"));
    EXPECT_EQ(affected, 1);
    ASSERT_EQ(store->count(), 1);
    EXPECT_EQ(store->cell(1, QStringLiteral("spname")), tricky);
    EXPECT_EQ(store->cell(1, QStringLiteral("jj")), QStringLiteral("12.5"));
    EXPECT_EQ(store->cell(1, QStringLiteral("xsdate")), QStringLiteral("2026-12-09"));
    EXPECT_EQ(store->cell(1, QStringLiteral("bz")), QStringLiteral("")); // empty, not NULL
    EXPECT_FALSE(store->cell(1, QStringLiteral("bz")).isNull());
    store->addOrder(QStringLiteral("O'Neil 100"), 1, 1, 1, QStringLiteral("m"), QStringLiteral("k"),
                    QStringLiteral("2026-12-09"));
    store->addOrder(QStringLiteral("O'Neil 1000"), 1, 1, 1, QStringLiteral("m"), QStringLiteral("k"),
                    QStringLiteral("2026-12-09"));

    // The special characters match themselves only.
    EXPECT_EQ(listIds(keyword("spname", QStringLiteral("100%_["))), (QList<qint64>{1}));
    EXPECT_EQ(listIds(keyword("spname", QStringLiteral("l 1"))), (QList<qint64>{3, 2, 1}));
    EXPECT_EQ(listIds(keyword("spname", QStringLiteral("0_"))), (QList<qint64>{}));
    EXPECT_EQ(listIds(keyword("spname", QStringLiteral("[新]'"))), (QList<qint64>{1}));

    exec(QStringLiteral(
        "update  ddlist set spname='x',jj='1,500',sl='-2',sj='3',mjzh='m',kddh='k',xsdate='2027-01-02',bz=' "
        "'  where id=1"));
    EXPECT_EQ(affected, 1);
    EXPECT_EQ(store->cell(1, QStringLiteral("sl")), QStringLiteral("-2.0"));
    EXPECT_EQ(store->cell(1, QStringLiteral("jj")), QStringLiteral("1500.0")); // a group separator is read
    EXPECT_EQ(store->cell(1, QStringLiteral("bz")), QStringLiteral(" "));
    exec(QStringLiteral("update  ddlist set spname='x'  where id=99"));
    EXPECT_EQ(affected, 0); // no such order: nothing changed, and nothing claims it did

    // A value that cannot be converted writes nothing.
    EXPECT_THROW(exec(QStringLiteral("update  ddlist set spname='y',sl='abc'  where id=1")), StoreError);
    EXPECT_EQ(store->cell(1, QStringLiteral("spname")), QStringLiteral("x"));

    // Delete(1) and UpdateBatch(3) remove the current row by its id.
    store::Recordset& rs = openDdrs(QStringLiteral("select * From ddlist where id=2"), 4);
    ASSERT_FALSE(rs.Eof());
    rs.Delete(1);
    rs.UpdateBatch(3);
    EXPECT_EQ(rs.RecordsAffected(), 1);
    rs.Close();
    db_config::releaseDdrs();
    EXPECT_EQ(store->count(), 2);
    EXPECT_EQ(store->count(QStringLiteral("WHERE id=2")), 0);
    // An order no longer stored: nothing to stand on, nothing deleted.
    store::Recordset& gone = openDdrs(QStringLiteral("select * From ddlist where id=2"), 4);
    EXPECT_TRUE(gone.Eof());
    EXPECT_THROW(gone.Delete(1), StoreError);
    EXPECT_EQ(store->count(), 2);
    db_config::releaseDdrs();

    // A read-only lock refuses every write before the file is touched.
    store::Recordset& readOnly = openDdrs(QStringLiteral("select * From ddlist where id=1"));
    EXPECT_THROW(readOnly.Delete(1), StoreError);
    readOnly.LockType = 4;
    readOnly.Delete(1);
    readOnly.LockType = 1;
    EXPECT_THROW(readOnly.UpdateBatch(3), StoreError);
    readOnly.Source = QStringLiteral("update  ddlist set spname='z'  where id=1");
    EXPECT_THROW(readOnly.Open(), StoreError);
    db_config::releaseDdrs();
    EXPECT_EQ(store->cell(1, QStringLiteral("spname")), QStringLiteral("x"));
    EXPECT_EQ(store->count(), 2);
}

TEST_F(RecordsetTest, InjectionThroughValuesLeavesTheTableUnchanged)
{
    store->addOrder(QStringLiteral("a"), 1, 1, 1, QStringLiteral("m"), QStringLiteral("k"),
                    QStringLiteral("2026-12-09"));
    const QString attacks[] = {
        QStringLiteral("x'; DROP TABLE ddlist; --"),
        QStringLiteral("x' or '1'='1"),
        QStringLiteral("%' or 1=1 or spname like '"),
    };
    for (const QString& typed : attacks) {
        // Built by the helpers, the text stays one value.
        EXPECT_EQ(listIds(keyword("spname", typed)), (QList<qint64>{}));
        // Built without them, the statement is refused before it reaches the file.
        EXPECT_THROW(openDdrs(QStringLiteral("select * from ddlist where 1=1  and spname like '%") + typed +
                              QStringLiteral("%'   order by id desc")),
                     StoreError);
        db_config::releaseDdrs();
        EXPECT_THROW(
            exec(QStringLiteral("update  ddlist set spname='") + typed + QStringLiteral("'  where id=1")),
            StoreError);
    }
    exec(QStringLiteral("update  ddlist set spname='") + store::sqltext::quoted(attacks[0]) +
         QStringLiteral("'  where id=1"));
    EXPECT_EQ(store->count(), 1);
    EXPECT_EQ(store->cell(1, QStringLiteral("spname")), attacks[0]);
    try {
        openDdrs(QStringLiteral("select * from ddlist where 1=1 ; delete from ddlist"));
        FAIL();
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), StoreError::Kind::Refused);
    }
    EXPECT_EQ(store->count(), 1);
}

TEST_F(RecordsetTest, LongKeywordsAndBigTextsWork)
{
    // Far beyond SQLite's own like-pattern limit of 50,000 bytes.
    const QString longText = QString(120000, QChar(u'货')) + QStringLiteral("尾");
    store->addOrder(longText, 1, 1, 1, QStringLiteral("m"), QStringLiteral("k"),
                    QStringLiteral("2026-12-09"));
    store->addOrder(QStringLiteral("短"), 1, 1, 1, QStringLiteral("m"), QStringLiteral("k"),
                    QStringLiteral("2026-12-09"));
    EXPECT_EQ(listIds(keyword("spname", QString(100000, QChar(u'货')) + QStringLiteral("尾"))),
              (QList<qint64>{1}));
    store::Recordset& rs = openDdrs(QStringLiteral("select * from ddlist where 1=1   order by id desc"));
    EXPECT_EQ(rs.Fields(QStringLiteral("spname")).text(), QStringLiteral("短"));
    rs.MoveNext();
    EXPECT_EQ(rs.Fields(QStringLiteral("spname")).text(), longText);
}

} // namespace
