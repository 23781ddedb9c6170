// The order list as the seller sees it: the grid's layout, the cells and totals of a listing, newest first,
// what stays when a listing finds nothing or fails, and long lists read a page at a time.
#include "mainwindow/MainWindow.h"
#include "store/ListedOrders.h"
#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "ui/Label.h"
#include "ui/MessageBox.h"

#include <QFile>
#include <QHeaderView>
#include <QtTest>

namespace {

using store::OrderFilter;

class ListingTest : public testsupport::GuiTest
{
protected:
    static mainwindow::MainWindow* startedWindow()
    {
        auto* form = new mainwindow::MainWindow;
        form->startUp();
        return form;
    }
    static QStringList totals(const mainwindow::MainWindow* form)
    {
        return {form->ordersTotal->text(), form->piecesTotal->text(), form->costTotal->text(),
                form->salesTotal->text(), form->profitTotal->text()};
    }
    // count orders of 2026-12-09, ids 1..count, goods "货<id>", quantity id, the remark absent for even ids.
    void addOrders(int count) const
    {
        store->exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<%1) "
                                   "INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) "
                                   "SELECT '货'||i,1.5,i,2,'买家','K','2026-12-09',"
                                   "CASE WHEN i%2 THEN '备注'||i END FROM n")
                        .arg(count));
    }
};

const QStringList titles = {QString(),
                            QStringLiteral("商品名称"),
                            QStringLiteral("买家呢称"),
                            QStringLiteral("购买数量"),
                            QStringLiteral("进价"),
                            QStringLiteral("售价"),
                            QStringLiteral("销售日期"),
                            QStringLiteral("快递单号"),
                            QStringLiteral("备注")};
const QList<int> widths = {0, 3000, 1500, 800, 800, 800, 1200, 1800, 3000};

void expectLaidOut(ui::FlexGrid* grid)
{
    ASSERT_EQ(grid->Cols(), 9);
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(grid->TextMatrix(0, c), titles.at(c)) << c;
        EXPECT_EQ(grid->ColWidth(c), widths.at(c)) << c;
    }
    EXPECT_TRUE(grid->isColumnHidden(0));
    EXPECT_EQ(grid->verticalHeader()->defaultSectionSize(), 20); // 300 twips
    EXPECT_EQ(grid->horizontalHeader()->height(), 20);
}

TEST_F(ListingTest, NothingListedKeepsTheSelectedOrderAndLaysOutTheHeader)
{
    store->addOrder(QStringLiteral("旧"), 1, 1, 2, QStringLiteral("甲"), QStringLiteral("K"),
                    QStringLiteral("2020-01-01"));
    mainwindow::MainWindow* form = startedWindow();
    form->listOrders(OrderFilter::everyOrder());
    const std::optional<qint64> selected = form->selectedOrderId();
    ASSERT_TRUE(selected.has_value());

    form->listOrders(OrderFilter::days(QDate(2019, 5, 5), QDate(2019, 5, 5)));
    EXPECT_EQ(form->orderGrid->Rows(), 1);
    expectLaidOut(form->orderGrid);
    EXPECT_EQ(form->selectedOrderId(), selected);
    const QString yuan = QStringLiteral(" 元");
    EXPECT_EQ(totals(form), (QStringList{QStringLiteral("0 条"), QStringLiteral(" 件"), yuan, yuan, yuan}));
}

TEST_F(ListingTest, OneOrderFillsRowOneSelectedAcrossTheRow)
{
    const qint64 id =
        store->addOrder(QStringLiteral("蓝牙耳机"), 12.5, 3, 20, QStringLiteral("小王'的店"),
                        QStringLiteral("YT123"), QStringLiteral("2026-09-30"), QStringLiteral("加急"));
    mainwindow::MainWindow* form = startedWindow();
    form->listOrders(OrderFilter::everyOrder());
    ui::FlexGrid* grid = form->orderGrid;
    ASSERT_EQ(grid->Rows(), 2);
    expectLaidOut(grid);
    const QStringList expected = {
        QString::number(id),         QStringLiteral("蓝牙耳机"), QStringLiteral("小王'的店"),
        QStringLiteral("3"),         QStringLiteral("12.5"),     QStringLiteral("20"),
        QStringLiteral("2026/9/30"), QStringLiteral("YT123"),    QStringLiteral("加急")};
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(grid->TextMatrix(1, c), expected.at(c)) << c;
    }
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->RowSel(), 1);
    EXPECT_EQ(grid->Col(), 0);
    EXPECT_EQ(grid->ColSel(), 8);
    EXPECT_EQ(form->selectedOrderId(), id);
    EXPECT_EQ(totals(form),
              (QStringList{QStringLiteral("1 条"), QStringLiteral("3 件"), QStringLiteral("37.5 元"),
                           QStringLiteral("60 元"), QStringLiteral("22.5 元")}));
}

TEST_F(ListingTest, ManyOrdersNewestFirstWithRemarksAndNegativeProfit)
{
    const qint64 a = store->addOrder(QStringLiteral("甲"), 10, 1, 8, QStringLiteral("x"), QStringLiteral("1"),
                                     QStringLiteral("2026-01-01"));
    const qint64 b = store->addOrder(QStringLiteral("乙"), 10, 2, 9, QStringLiteral("y"), QStringLiteral("2"),
                                     QStringLiteral("2026-01-02"), QStringLiteral(""));
    const qint64 c =
        store->addOrder(QStringLiteral("丙"), 1, 1, 1.5, QStringLiteral("z"), QStringLiteral("3"),
                        QStringLiteral("2026-01-03"), QStringLiteral("备注"));
    mainwindow::MainWindow* form = startedWindow();
    form->listOrders(OrderFilter::everyOrder());
    ui::FlexGrid* grid = form->orderGrid;
    ASSERT_EQ(grid->Rows(), 4);
    EXPECT_EQ(grid->TextMatrix(1, 0), QString::number(c));
    EXPECT_EQ(grid->TextMatrix(2, 0), QString::number(b));
    EXPECT_EQ(grid->TextMatrix(3, 0), QString::number(a));
    EXPECT_EQ(grid->TextMatrix(3, 8), QStringLiteral(" ")); // no remark
    EXPECT_EQ(grid->TextMatrix(2, 8), QString());           // an empty remark
    EXPECT_EQ(grid->TextMatrix(1, 8), QStringLiteral("备注"));
    EXPECT_EQ(form->selectedOrderId(), c);
    EXPECT_EQ(form->ordersTotal->text(), QStringLiteral("3 条"));
    EXPECT_EQ(form->piecesTotal->text(), QStringLiteral("4 件"));
    EXPECT_EQ(form->profitTotal->text(), QStringLiteral("-3.5 元"));

    // A refill replaces everything: fewer rows, the selection back on row 1.
    grid->setRow(3);
    form->listOrders(OrderFilter::days(QDate(2026, 1, 1), QDate(2026, 1, 1)));
    EXPECT_EQ(grid->Rows(), 2);
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("甲"));
    EXPECT_EQ(grid->TextMatrix(2, 1), QString());
    EXPECT_EQ(form->selectedOrderId(), a);

    // Each listing reads afresh.
    store->exec(QStringLiteral("UPDATE ddlist SET spname='改过', sl=5 WHERE id=%1").arg(a));
    form->listOrders(OrderFilter::days(QDate(2026, 1, 1), QDate(2026, 1, 1)));
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("改过"));
    EXPECT_EQ(form->piecesTotal->text(), QStringLiteral("5 件"));
    EXPECT_EQ(form->costTotal->text(), QStringLiteral("50 元"));
}

TEST_F(ListingTest, AFailedListingLeavesTheWindowAsItWas)
{
    store->addOrder(QStringLiteral("甲"), 10, 1, 8, QStringLiteral("x"), QStringLiteral("1"),
                    QStringLiteral("2026-01-01"));
    mainwindow::MainWindow* form = startedWindow();
    form->listOrders(OrderFilter::everyOrder());
    const std::optional<qint64> id = form->selectedOrderId();

    // The file turns into something that is not a database.
    QFile file(store->dataFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(4096, 'x'));
    file.close();

    EXPECT_FALSE(form->guarded([form] { form->listOrders(OrderFilter::everyOrder()); }));
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_EQ(ui::msgbox_seam::shown().front().title, QStringLiteral("提示"));
    EXPECT_EQ(ui::msgbox_seam::shown().front().flags, 48);
    EXPECT_FALSE(ui::msgbox_seam::shown().front().text.isEmpty());
    EXPECT_EQ(form->orderGrid->Rows(), 2);
    EXPECT_EQ(form->orderGrid->TextMatrix(1, 1), QStringLiteral("甲"));
    EXPECT_EQ(form->ordersTotal->text(), QStringLiteral("1 条"));
    EXPECT_EQ(form->selectedOrderId(), id);

    // Any other exception gets the generic message.
    EXPECT_FALSE(form->guarded([] { throw std::runtime_error("boom"); }));
    EXPECT_TRUE(ui::msgbox_seam::shown().back().text.startsWith(QStringLiteral("操作未能完成")));
}

TEST_F(ListingTest, ALongListShowsEveryRowAndAnOrderDeletedSinceShowsItsIdAlone)
{
    const int count = int(store::OrderStore::pageSize) * 9 + 7; // ten pages, the last one short
    addOrders(count);
    mainwindow::MainWindow* form = startedWindow();
    form->listOrders(OrderFilter::everyOrder());
    ui::FlexGrid* grid = form->orderGrid;
    ASSERT_EQ(grid->Rows(), count + 1);
    EXPECT_EQ(form->ordersTotal->text(), QStringLiteral("%1 条").arg(count));
    for (const int row : {1, 256, 257, 512, count / 2, count - 7, count}) {
        const int id = count + 1 - row;
        EXPECT_EQ(grid->TextMatrix(row, 0), QString::number(id)) << row;
        EXPECT_EQ(grid->TextMatrix(row, 1), QStringLiteral("货%1").arg(id)) << row;
        EXPECT_EQ(grid->TextMatrix(row, 3), QString::number(id)) << row; // the quantity
        EXPECT_EQ(grid->TextMatrix(row, 4), QStringLiteral("1.5")) << row;
        EXPECT_EQ(grid->TextMatrix(row, 6), QStringLiteral("2026/12/9")) << row;
        EXPECT_EQ(grid->TextMatrix(row, 8), id % 2 ? QStringLiteral("备注%1").arg(id) : QStringLiteral(" "))
            << row;
    }
    // Row 800 lies on a page nobody has read yet.
    store->exec(QStringLiteral("DELETE FROM ddlist WHERE id=%1").arg(count + 1 - 800));
    EXPECT_EQ(grid->TextMatrix(800, 0), QString::number(count + 1 - 800));
    for (int col = 1; col < 9; ++col) {
        EXPECT_TRUE(grid->TextMatrix(800, col).isEmpty()) << col;
    }
    EXPECT_EQ(grid->TextMatrix(801, 1), QStringLiteral("货%1").arg(count - 800));

    // A few pages are kept, not the whole list: a page read long ago is read again.
    std::vector<qint64> ids;
    for (qint64 id = count; id >= 1; --id) {
        ids.push_back(id);
    }
    store::ListedOrders listed(store->dataFile(), ids);
    for (const std::size_t index : {0, 1, 255, 256}) {
        listed.order(index);
    }
    EXPECT_EQ(listed.pageReads(), 2);
    for (std::size_t page = 0; page < 10; ++page) {
        listed.order(page * 256);
    }
    const int reads = listed.pageReads();
    EXPECT_EQ(listed.order(0)->goods, QStringLiteral("货%1").arg(count));
    EXPECT_EQ(listed.pageReads(), reads + 1);
    EXPECT_EQ(listed.order(ids.size()), nullptr); // outside the list: nothing, and no read
    EXPECT_EQ(listed.pageReads(), reads + 1);
}

} // namespace
