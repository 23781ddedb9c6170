#include "mainwindow/ListedOrders.h"
#include "mainwindow/MainForm.h"
#include "store/DbConfig.h"
#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "ui/Label.h"

#include <QLineEdit>

namespace {

using mainwindow::ListedOrders;

class ListingTest : public testsupport::GuiTest
{
protected:
    // count orders, ids 1..count, goods "货<id>", the remark NULL for even ids.
    std::vector<qint64> addOrders(int count)
    {
        store->exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<%1) "
                                   "INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) "
                                   "SELECT '货'||i,1.5,i,2,'买家','K','2026-12-09',"
                                   "CASE WHEN i%2 THEN '备注'||i END FROM n")
                        .arg(count));
        std::vector<qint64> ids;
        for (int i = count; i >= 1; --i) {
            ids.push_back(i); // newest first
        }
        return ids;
    }
};

TEST_F(ListingTest, PagesAtTheEdgesAndTheCache)
{
    const int count = int(ListedOrders::pageRows) * 9 + 7; // ten pages, the last one short
    ListedOrders rows(db_config::connstr, addOrders(count));
    const auto expectRow = [&](int row) {
        const int id = count + 1 - row;
        EXPECT_EQ(rows.text(row, 0), QString::number(id)) << row;
        EXPECT_EQ(rows.text(row, 1), QStringLiteral("货%1").arg(id)) << row;
        EXPECT_EQ(rows.text(row, 3), QString::number(id)) << row; // the quantity column
        EXPECT_EQ(rows.text(row, 4), QStringLiteral("1.5")) << row;
        EXPECT_EQ(rows.text(row, 6), QStringLiteral("2026/12/9")) << row;
        EXPECT_EQ(rows.text(row, 8), id % 2 ? QStringLiteral("备注%1").arg(id) : QStringLiteral(" ")) << row;
    };
    for (const int row : {1, 256, 257, 512, count / 2, count - 7, count}) {
        expectRow(row);
    }
    EXPECT_EQ(rows.pageReads(), 5);
    expectRow(2); // still cached
    EXPECT_EQ(rows.pageReads(), 5);
    for (int page = 0; page < 10; ++page) { // more pages than the cache keeps
        rows.text(page * 256 + 1, 1);
    }
    const int reads = rows.pageReads();
    rows.text(1, 1); // the first page was dropped long ago
    EXPECT_EQ(rows.pageReads(), reads + 1);
    // Outside the list: nothing, and no read.
    EXPECT_TRUE(rows.text(0, 1).isEmpty());
    EXPECT_TRUE(rows.text(count + 1, 1).isEmpty());
    EXPECT_TRUE(rows.text(1, 9).isEmpty());
    EXPECT_EQ(rows.pageReads(), reads + 1);

    ListedOrders none(db_config::connstr, {});
    EXPECT_TRUE(none.text(1, 1).isEmpty());
    EXPECT_EQ(none.pageReads(), 0);
}

TEST_F(ListingTest, AnOrderDeletedSinceTheListingShowsEmptyCells)
{
    addOrders(3);
    auto* form = new mainwindow::MainForm;
    form->Form_Load();
    form->ddlist(QString());
    store->exec(QStringLiteral("DELETE FROM ddlist WHERE id=3"));
    // Row 1 was read with the listing; a fresh listing of the same ids reads again.
    ListedOrders rows(db_config::connstr, {3, 2, 1});
    EXPECT_EQ(rows.text(1, 0), QStringLiteral("3"));
    for (int col = 1; col < 9; ++col) {
        EXPECT_TRUE(rows.text(1, col).isEmpty()) << col;
    }
    EXPECT_EQ(rows.text(2, 1), QStringLiteral("货2"));
    EXPECT_EQ(rows.text(3, 1), QStringLiteral("货1"));
}

TEST_F(ListingTest, EachListingReadsAfresh)
{
    addOrders(2);
    auto* form = new mainwindow::MainForm;
    form->Form_Load();
    form->ddlist(QString());
    EXPECT_EQ(form->MSFlexGrid1->TextMatrix(1, 1), QStringLiteral("货2"));
    store->exec(QStringLiteral("UPDATE ddlist SET spname='改过' WHERE id=2"));
    form->ddlist(QString());
    EXPECT_EQ(form->MSFlexGrid1->TextMatrix(1, 1), QStringLiteral("改过"));
    EXPECT_EQ(form->d2->text(), QStringLiteral("3 件"));
    EXPECT_EQ(form->d3->text(), QStringLiteral("4.5 元"));
    EXPECT_EQ(form->ddid->text(), QStringLiteral("2"));
}

} // namespace
