#include "Printing.h"
#include "store/SqlText.h"
#include "store/StoreError.h"
#include "store/Translator.h"
#include "support/Fixtures.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

using store::StoreError;

StoreError::Kind refusalOf(const QString& statement)
{
    try {
        store::translate(statement);
    } catch (const StoreError& e) {
        return e.kind();
    }
    ADD_FAILURE() << "accepted: " << statement.toStdString();
    return StoreError::Kind::IoError;
}

class TranslatorTest : public ::testing::Test
{
protected:
    void SetUp() override { testsupport::pinLocale(); }
};

TEST_F(TranslatorTest, ListAndTotalsWithEveryClauseBecomeBoundParameters)
{
    const QString condition =
        QStringLiteral(" and spname like '%abc%'  and  xsdate>=#2026/12/1#   and xsdate<= #2026/12/9#   ");
    const auto list = store::translate(QStringLiteral("select * from ddlist where 1=1 ") + condition +
                                       QStringLiteral("  order by id desc"));
    EXPECT_FALSE(list.writes);
    EXPECT_EQ(list.sql, QByteArray("SELECT id,spname,jj,sl,sj,mjzh,kddh,xsdate,bz FROM ddlist WHERE 1=1 AND "
                                   "spname LIKE ? ESCAPE '\\' AND xsdate>=? AND xsdate<=? ORDER BY id DESC"));
    ASSERT_EQ(list.params.size(), 3u);
    EXPECT_EQ(std::get<QString>(list.params[0]), QStringLiteral("%abc%"));
    EXPECT_EQ(std::get<QString>(list.params[1]), QStringLiteral("2026-12-01"));
    EXPECT_EQ(std::get<QString>(list.params[2]), QStringLiteral("2026-12-09"));

    const auto profit = store::translate(
        QStringLiteral("SELECT SUM((sj-jj)*sl) AS j FROM DDLIST WHERE 1=1  and  xsdate=#2026/12/9#  "));
    EXPECT_EQ(profit.sql, QByteArray("SELECT sum((sj-jj)*sl) AS \"j\" FROM ddlist WHERE 1=1 AND xsdate=?"));
    const auto count = store::translate(QStringLiteral("select count(*) as j from ddlist where 1=1 "));
    EXPECT_EQ(count.sql, QByteArray("SELECT count(*) AS \"j\" FROM ddlist WHERE 1=1"));
    EXPECT_TRUE(count.params.empty());
    const auto byId = store::translate(QStringLiteral("Select * From ddlist where id=42"));
    EXPECT_EQ(std::get<qint64>(byId.params.at(0)), 42);
}

TEST_F(TranslatorTest, LikePatternsKeepEscapedCharactersLiteral)
{
    // The keyword as the filter writes it: apostrophes doubled, % _ [ bracketed.
    const QString keyword = QStringLiteral("50%_[x]'s");
    const auto t =
        store::translate(QStringLiteral("select count(*) as j from ddlist where 1=1  and bz like '%") +
                         store::sqltext::likeKeyword(keyword) + QStringLiteral("%' "));
    EXPECT_TRUE(t.sql.contains("bz LIKE ? ESCAPE"));
    EXPECT_EQ(std::get<QString>(t.params.at(0)), QStringLiteral("%50\\%\\_[x]'s%"));
    // A keyword too long for SQLite's LIKE becomes a substring test of the same meaning.
    const QString longKeyword(30000, QChar(u'货'));
    const auto longer =
        store::translate(QStringLiteral("select count(*) as j from ddlist where 1=1  and bz like '%") +
                         longKeyword + QStringLiteral("%' "));
    EXPECT_TRUE(longer.sql.contains("instr(lower(bz),lower(?))>0"));
    EXPECT_EQ(std::get<QString>(longer.params.at(0)), longKeyword);
    // Any other pattern goes to LIKE with its own escapes.
    const auto general =
        store::translate(QStringLiteral("select * from ddlist where 1=1 and kddh like 'SF_1[%]%'"));
    EXPECT_TRUE(general.sql.contains("kddh LIKE ? ESCAPE '\\'"));
    EXPECT_EQ(std::get<QString>(general.params.at(0)), QStringLiteral("SF_1\\%%"));
    EXPECT_EQ(refusalOf(QStringLiteral("select * from ddlist where 1=1 and bz like '%[a-z]%'")),
              StoreError::Kind::Refused);
    EXPECT_EQ(store::sqltext::quoted(QStringLiteral("it's 'x'")), QStringLiteral("it''s ''x''"));
    EXPECT_EQ(store::sqltext::likeKeyword(QStringLiteral("a%b_c[d]'")), QStringLiteral("a[%]b[_]c[[]d]''"));
}

TEST_F(TranslatorTest, WritesConvertQuotedValuesToTheirColumns)
{
    const auto insert = store::translate(QStringLiteral(
        "INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES ('茶杯', ' 12.5', '-2', "
        "'1,000','张三', 'SF1', '2026/12/9', '')"));
    EXPECT_TRUE(insert.writes);
    EXPECT_EQ(
        insert.sql,
        QByteArray("INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES (?,?,?,?,?,?,?,?)"));
    ASSERT_EQ(insert.params.size(), 8u);
    EXPECT_EQ(std::get<double>(insert.params[1]), 12.5);
    EXPECT_EQ(std::get<double>(insert.params[2]), -2);
    EXPECT_EQ(std::get<double>(insert.params[3]), 1000);
    EXPECT_EQ(std::get<QString>(insert.params[6]), QStringLiteral("2026-12-09"));
    EXPECT_EQ(std::get<QString>(insert.params[7]), QString());

    const auto update = store::translate(QStringLiteral(
        "update  ddlist set spname='a''b',jj='1',sl='2',sj='3',mjzh='m',kddh='k',xsdate='2026-1-2',bz=' '  "
        "where id=7"));
    EXPECT_EQ(update.sql,
              QByteArray("UPDATE ddlist SET spname=?,jj=?,sl=?,sj=?,mjzh=?,kddh=?,xsdate=?,bz=? WHERE id=?"));
    EXPECT_EQ(std::get<QString>(update.params[0]), QStringLiteral("a'b"));
    EXPECT_EQ(std::get<qint64>(update.params[8]), 7);

    try {
        store::translate(QStringLiteral("update  ddlist set sl='abc'  where id=7"));
        FAIL();
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), StoreError::Kind::TypeMismatch);
        EXPECT_TRUE(e.description().contains(QStringLiteral("数据类型不匹配")));
        EXPECT_TRUE(e.description().contains(QStringLiteral("abc")));
    }
    EXPECT_EQ(refusalOf(QStringLiteral("update  ddlist set xsdate='2026/2/30'  where id=7")),
              StoreError::Kind::TypeMismatch);
    EXPECT_EQ(refusalOf(QStringLiteral("select * from ddlist where 1=1  and  xsdate=#abc#  ")),
              StoreError::Kind::TypeMismatch);
    // A day before the calendar's first year could be stored but never found again.
    EXPECT_EQ(refusalOf(QStringLiteral("update  ddlist set xsdate='0026/12/9'  where id=7")),
              StoreError::Kind::TypeMismatch);
    // Full-width digits from a Chinese input method are the numbers they show.
    const auto wide =
        store::translate(QStringLiteral("update  ddlist set sl='１２',jj='１９．９',sj='－５'  where id=7"));
    EXPECT_EQ(std::get<double>(wide.params[0]), 12);
    EXPECT_EQ(std::get<double>(wide.params[1]), 19.9);
    EXPECT_EQ(std::get<double>(wide.params[2]), -5);
}

TEST_F(TranslatorTest, EverythingElseIsRefused)
{
    const char16_t* refused[] = {
        u"select * from ddlist where 1=1 ; delete from ddlist",
        u"select count(*) as j from ddlist where 1=1 ;select 1",
        u"delete from ddlist",
        u"drop table ddlist",
        u"select * from sqlite_master where 1=1 ",
        u"select * from ddlist where 1=1 or 1=1",
        u"select * from ddlist where 1=2",
        u"select * from ddlist where id=",
        u"select * from ddlist where id=1 or 1=1",
        u"select * From ddlist where id=99999999999999999999",
        u"select * from ddlist where 1=1 and spname like 'x' or 'a'='a'",
        u"select * from ddlist where 1=1 and spname like 'unterminated",
        u"select * from ddlist where 1=1 and xsdate=#2026/12/9",
        u"select sum(spname) as j from ddlist where 1=1 ",
        u"select sum(sl) as id from ddlist where 1=1 ",
        u"update  ddlist set id='5'  where id=1",
        u"update  ddlist set sl='1',sl='2'  where id=1",
        u"update  ddlist set sl=1  where id=1",
        u"INSERT INTO ddlist (spname,jj) VALUES ('a')",
        u"INSERT INTO ddlist (spname) VALUES ('a', 'b')",
        u"",
        u"   ",
        u"select * from ddlist where 1=1 -- comment",
    };
    for (const char16_t* s : refused) {
        EXPECT_EQ(refusalOf(QString::fromUtf16(s)), StoreError::Kind::Refused)
            << QString::fromUtf16(s).toStdString();
    }
    // A lone ";" at the end is no second statement.
    EXPECT_NO_THROW(store::translate(QStringLiteral("select count(*) as j from ddlist where 1=1 ; ")));
    // Deep nesting and endless clause chains are refused, not recursed into.
    EXPECT_EQ(
        refusalOf(QStringLiteral("select sum(") + QString(5000, QLatin1Char('(')) + QStringLiteral("sl")),
        StoreError::Kind::Refused);
    QString chain = QStringLiteral("select * from ddlist where 1=1 ");
    for (int i = 0; i < 1000; ++i) {
        chain += QStringLiteral(" and spname like '%a%'");
    }
    EXPECT_EQ(refusalOf(chain), StoreError::Kind::Refused);
}

TEST_F(TranslatorTest, NeverCrashesOnMangledStatements)
{
    const QString seeds[] = {
        QStringLiteral("select * from ddlist where 1=1  and spname like '%a''b%'  and  xsdate>=#2026/12/1#   "
                       "and xsdate<= #2026/12/9#     order by id desc"),
        QStringLiteral("INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES ('a', '1', '2', "
                       "'3','m', 'k', '2026/12/9', '')"),
        QStringLiteral("select sum((sj-jj)*sl) as j from ddlist where 1=1 "),
    };
    QRandomGenerator rng(7);
    const QString alphabet = QStringLiteral("'#%_[]();,*=<>-+ 1aZ\t\n中");
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        QString s = seeds[rng.bounded(3)];
        for (int edits = rng.bounded(1, 5); edits > 0; --edits) {
            const int at = rng.bounded(qsizetype(s.size() + 1));
            switch (rng.bounded(3)) {
            case 0:
                s.insert(at, alphabet.at(rng.bounded(alphabet.size())));
                break;
            case 1:
                s.remove(at, 1);
                break;
            default:
                s.truncate(at);
            }
        }
        try {
            store::translate(s);
            ++accepted;
        } catch (const StoreError&) {
        }
    }
    EXPECT_GT(accepted, 0);
}

} // namespace
