#include "entry/OrderStore.h"

#include <gtest/gtest.h>

using entry::OrderTexts;

namespace {

OrderTexts sample()
{
    return OrderTexts{QStringLiteral("茶杯"),      QStringLiteral("10.5"),    QStringLiteral("2"),
                      QStringLiteral("18"),        QStringLiteral("buyer01"), QStringLiteral("SF1000"),
                      QStringLiteral("2026/12/1"), QStringLiteral("送货上门")};
}

} // namespace

TEST(EntryStatements, InsertIsBuiltPieceByPieceInColumnOrder)
{
    EXPECT_EQ(entry::insertStatement(sample()),
              QStringLiteral("INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES "
                             "('茶杯', '10.5', '2', '18','buyer01', 'SF1000', '2026/12/1', '送货上门')"));

    // An empty remark is two apostrophes with nothing between them; blanks stay as typed.
    OrderTexts o = sample();
    o.bz.clear();
    o.sl = QStringLiteral(" 5 ");
    EXPECT_EQ(entry::insertStatement(o),
              QStringLiteral("INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES "
                             "('茶杯', '10.5', ' 5 ', '18','buyer01', 'SF1000', '2026/12/1', '')"));
}

TEST(EntryStatements, UpdateSetsAllEightColumnsOfTheOneOrder)
{
    EXPECT_EQ(entry::updateStatement(sample(), QStringLiteral("17")),
              QStringLiteral("update  ddlist set spname='茶杯',jj='10.5',sl='2',sj='18',mjzh='buyer01',"
                             "kddh='SF1000',xsdate='2026/12/1',bz='送货上门'  where id=17"));
    EXPECT_EQ(entry::loadStatement(QStringLiteral("17")), QStringLiteral("Select * From ddlist where id=17"));
}

TEST(EntryStatements, ApostrophesInEveryBoxAreDoubledSoNoTextEndsItsLiteral)
{
    const OrderTexts o{QStringLiteral("O'Brien"), QStringLiteral("'"),
                       QStringLiteral("''"),      QStringLiteral("1'"),
                       QStringLiteral("a'b"),     QStringLiteral("'); DROP TABLE ddlist; --"),
                       QStringLiteral("#1'#"),    QStringLiteral("it's")};
    EXPECT_EQ(entry::insertStatement(o),
              QStringLiteral("INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES "
                             "('O''Brien', '''', '''''', '1''','a''b', '''); DROP TABLE ddlist; --', "
                             "'#1''#', 'it''s')"));
    EXPECT_EQ(entry::updateStatement(o, QStringLiteral("3")),
              QStringLiteral("update  ddlist set spname='O''Brien',jj='''',sl='''''',sj='1''',mjzh='a''b',"
                             "kddh='''); DROP TABLE ddlist; --',xsdate='#1''#',bz='it''s'  where id=3"));
}

TEST(EntryStatements, PlaceMarkersTypedIntoABoxStayAsTyped)
{
    OrderTexts o = sample();
    o.spname = QStringLiteral("%2 杯");
    o.bz = QStringLiteral("%1%9 100%");
    EXPECT_EQ(entry::updateStatement(o, QStringLiteral("4")),
              QStringLiteral("update  ddlist set spname='%2 杯',jj='10.5',sl='2',sj='18',mjzh='buyer01',"
                             "kddh='SF1000',xsdate='2026/12/1',bz='%1%9 100%'  where id=4"));
    EXPECT_TRUE(entry::insertStatement(o).endsWith(QStringLiteral("'%1%9 100%')")));
}
