#include "mainwindow/MainForm.h"
#include "store/DbConfig.h"
#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "ui/Label.h"
#include "ui/MessageBox.h"

#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QtTest>

namespace {

class DdlistTest : public testsupport::GuiTest
{
protected:
    mainwindow::MainForm* loadedForm()
    {
        auto* form = new mainwindow::MainForm;
        form->Form_Load();
        return form;
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

TEST_F(DdlistTest, NothingListedKeepsTheSelectedIdAndLaysOutTheHeader)
{
    store->addOrder(QStringLiteral("旧"), 1, 1, 2, QStringLiteral("甲"), QStringLiteral("K"),
                    QStringLiteral("2020-01-01"));
    mainwindow::MainForm* form = loadedForm();
    form->ddlist(QString());
    const QString selected = form->ddid->text();
    ASSERT_FALSE(selected.isEmpty());

    form->ddlist(QStringLiteral(" and  xsdate=#2019/5/5#  "));
    EXPECT_EQ(form->MSFlexGrid1->Rows(), 1);
    expectLaidOut(form->MSFlexGrid1);
    EXPECT_EQ(form->ddid->text(), selected);
    EXPECT_EQ(form->d1->text(), QStringLiteral("0 条"));
    EXPECT_EQ(form->d2->text(), QStringLiteral(" 件"));
    EXPECT_EQ(form->d5->text(), QStringLiteral(" 元"));
    EXPECT_EQ(db_config::ddrs, nullptr);
}

TEST_F(DdlistTest, OneOrderFillsRowOneSelectedAcrossTheRow)
{
    const qint64 id =
        store->addOrder(QStringLiteral("蓝牙耳机"), 12.5, 3, 20, QStringLiteral("小王'的店"),
                        QStringLiteral("YT123"), QStringLiteral("2026-09-30"), QStringLiteral("加急"));
    mainwindow::MainForm* form = loadedForm();
    form->ddlist(QString());
    ui::FlexGrid* grid = form->MSFlexGrid1;
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
    EXPECT_EQ(form->ddid->text(), QString::number(id));
    EXPECT_EQ(form->d1->text(), QStringLiteral("1 条"));
    EXPECT_EQ(form->d3->text(), QStringLiteral("37.5 元"));
    EXPECT_EQ(form->d4->text(), QStringLiteral("60 元"));
    EXPECT_EQ(form->d5->text(), QStringLiteral("22.5 元"));
}

TEST_F(DdlistTest, ManyOrdersNewestFirstWithRemarksAndNegativeProfit)
{
    const qint64 a = store->addOrder(QStringLiteral("甲"), 10, 1, 8, QStringLiteral("x"), QStringLiteral("1"),
                                     QStringLiteral("2026-01-01"));
    const qint64 b = store->addOrder(QStringLiteral("乙"), 10, 2, 9, QStringLiteral("y"), QStringLiteral("2"),
                                     QStringLiteral("2026-01-02"), QStringLiteral(""));
    const qint64 c =
        store->addOrder(QStringLiteral("丙"), 1, 1, 1.5, QStringLiteral("z"), QStringLiteral("3"),
                        QStringLiteral("2026-01-03"), QStringLiteral("备注"));
    mainwindow::MainForm* form = loadedForm();
    form->ddlist(QString());
    ui::FlexGrid* grid = form->MSFlexGrid1;
    ASSERT_EQ(grid->Rows(), 4);
    EXPECT_EQ(grid->TextMatrix(1, 0), QString::number(c));
    EXPECT_EQ(grid->TextMatrix(2, 0), QString::number(b));
    EXPECT_EQ(grid->TextMatrix(3, 0), QString::number(a));
    EXPECT_EQ(grid->TextMatrix(3, 8), QStringLiteral(" ")); // NULL remark
    EXPECT_EQ(grid->TextMatrix(2, 8), QString());           // empty remark
    EXPECT_EQ(grid->TextMatrix(1, 8), QStringLiteral("备注"));
    EXPECT_EQ(form->ddid->text(), QString::number(c));
    EXPECT_EQ(form->d1->text(), QStringLiteral("3 条"));
    EXPECT_EQ(form->d2->text(), QStringLiteral("4 件"));
    EXPECT_EQ(form->d5->text(), QStringLiteral("-3.5 元"));

    // A refill replaces everything: fewer rows, the selection back on row 1.
    grid->setRow(3);
    form->ddlist(QStringLiteral(" and  xsdate=#2026/1/1#  "));
    EXPECT_EQ(grid->Rows(), 2);
    EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("甲"));
    EXPECT_EQ(grid->TextMatrix(2, 1), QString());
    EXPECT_EQ(form->ddid->text(), QString::number(a));
}

TEST_F(DdlistTest, AFailedListingLeavesTheWindowAsItWasAndReleasesTheRecordset)
{
    store->addOrder(QStringLiteral("甲"), 10, 1, 8, QStringLiteral("x"), QStringLiteral("1"),
                    QStringLiteral("2026-01-01"));
    mainwindow::MainForm* form = loadedForm();
    form->ddlist(QString());
    const QString id = form->ddid->text();

    // The file turns into something that is not a database.
    QFile file(store->dataFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(4096, 'x'));
    file.close();

    EXPECT_FALSE(form->guarded([form] { form->ddlist(QString()); }));
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_EQ(ui::msgbox_seam::shown().front().title, QStringLiteral("提示"));
    EXPECT_EQ(ui::msgbox_seam::shown().front().flags, 48);
    EXPECT_FALSE(ui::msgbox_seam::shown().front().text.isEmpty());
    EXPECT_EQ(form->MSFlexGrid1->Rows(), 2);
    EXPECT_EQ(form->MSFlexGrid1->TextMatrix(1, 1), QStringLiteral("甲"));
    EXPECT_EQ(form->d1->text(), QStringLiteral("1 条"));
    EXPECT_EQ(form->ddid->text(), id);
    EXPECT_EQ(db_config::ddrs, nullptr);

    // Any other exception gets the generic message.
    EXPECT_FALSE(form->guarded([] { throw std::runtime_error("boom"); }));
    EXPECT_TRUE(ui::msgbox_seam::shown().back().text.startsWith(QStringLiteral("操作未能完成")));
}

} // namespace
