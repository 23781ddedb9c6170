#include "statswindow/FigureTable.h"
#include "statswindow/SaveChart.h"
#include "statswindow/ShowStatistics.h"
#include "statswindow/StatisticsWindow.h"
#include "store/OrderStore.h"
#include "support/Fixtures.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

using statswindow::FigureTable;
using statswindow::StatisticsWindow;

class StatisticsWindowTest : public testsupport::GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        orders = std::make_unique<store::OrderStore>(store->dataFile());
    }
    void TearDown() override
    {
        statswindow::statswindow_seam::reset();
        statswindow::chartfile_seam::reset();
        GuiTest::TearDown();
    }

    // Five orders over three months, February without any: 0.1 + 0.2 in March, and one order sold at a loss.
    void addOrders()
    {
        store->addOrder(QStringLiteral("商品A"), 10, 2, 15, QStringLiteral("张三"), QStringLiteral("W1"),
                        QStringLiteral("2026-01-05"));
        store->addOrder(QStringLiteral("商品A"), 10, 1, 12, QStringLiteral("王五"), QStringLiteral("W5"),
                        QStringLiteral("2026-01-20"));
        store->addOrder(QStringLiteral("商品B"), 0, 1, 0.1, QStringLiteral("李四"), QStringLiteral("W2"),
                        QStringLiteral("2026-03-10"));
        store->addOrder(QStringLiteral("商品B"), 0, 1, 0.2, QStringLiteral("李四"), QStringLiteral("W3"),
                        QStringLiteral("2026-03-12"));
        lossId = store->addOrder(QStringLiteral("商品C"), 8, 3, 5.5, QStringLiteral("张三"),
                                 QStringLiteral("W4"), QStringLiteral("2026-03-15"));
    }

    // Opens the window the way the main window does and runs drive inside its modal loop.
    void openWith(
        const std::function<void(StatisticsWindow&)>& drive,
        const std::function<bool(qint64)>& editOrder = [](qint64) { return false; })
    {
        int runs = 0;
        statswindow::statswindow_seam::setShownHook([&](StatisticsWindow& w) {
            ++runs;
            drive(w);
        });
        statswindow::showStatistics(nullptr, *orders, store::OrderFilter::everyOrder(), editOrder);
        EXPECT_EQ(runs, 1);
    }

    template <class T> static T* child(StatisticsWindow& w, const char* name)
    {
        T* found = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // The table's cells, a row as one tab-separated line.
    static QStringList rows(StatisticsWindow& w, const char* table)
    {
        auto* t = child<FigureTable>(w, table);
        QStringList lines;
        for (int row = 0; row < t->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < t->columnCount(); ++column) {
                cells.append(t->item(row, column)->text());
            }
            lines.append(cells.join(QLatin1Char('\t')));
        }
        return lines;
    }

    std::unique_ptr<store::OrderStore> orders;
    qint64 lossId = 0;
};

QStringList lines(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts) {
        list.append(QString::fromUtf8(text));
    }
    return list;
}

TEST_F(StatisticsWindowTest, ShowsEveryViewOfTheOrders)
{
    addOrders();
    openWith([&](StatisticsWindow& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("销售统计"));
        EXPECT_EQ(child<QLabel>(w, "coverageLabel")->text(),
                  QStringLiteral("2026/1/5 - 2026/3/15，共 5 条定单"));
        // 70 days: by month, February there with nothing.
        EXPECT_EQ(child<QComboBox>(w, "periodBox")->currentText(), QStringLiteral("月"));
        const struct
        {
            const char* table;
            QStringList expected;
        } views[] = {
            {"periodTable",
             lines({"2026年1月\t2\t42\t30\t12", "2026年2月\t0\t0\t0\t0", "2026年3月\t3\t16.8\t24\t-7.2"})},
            {"goodsTable", lines({"商品A\t3\t42\t12", "商品B\t2\t0.3\t0.3", "商品C\t3\t16.5\t-7.5"})},
            {"buyersTable", lines({"张三\t2\t46.5\t2.5", "王五\t1\t12\t2", "李四\t2\t0.3\t0.3"})},
            {"lossesTable", lines({"2026/3/15\t商品C\t张三\tW4\t-7.5"})},
        };
        for (const auto& view : views) {
            EXPECT_EQ(rows(w, view.table), view.expected) << view.table;
        }
        EXPECT_EQ(child<QLabel>(w, "buyerSummary")->text(),
                  QStringLiteral("共 3 位买家，其中回头买家（定单多于 1 条）2 位"));
        EXPECT_TRUE(child<QLabel>(w, "lossSummary")->text().startsWith(QStringLiteral("共 1 条定单亏损")));

        child<QComboBox>(w, "rankBox")->setCurrentIndex(1); // by pieces: ties by name
        EXPECT_EQ(rows(w, "goodsTable"),
                  lines({"商品A\t3\t42\t12", "商品C\t3\t16.5\t-7.5", "商品B\t2\t0.3\t0.3"}));

        w.setPeriod(store::Period::Year);
        EXPECT_EQ(rows(w, "periodTable"), lines({"2026年\t5\t58.8\t54\t4.8"}));
        w.setPeriod(store::Period::Day);
        const QStringList days = rows(w, "periodTable");
        ASSERT_EQ(days.size(), 70);
        EXPECT_EQ(days.first(), QStringLiteral("2026/1/5\t1\t30\t20\t10"));
        EXPECT_EQ(days.at(1), QStringLiteral("2026/1/6\t0\t0\t0\t0"));
    });
}

TEST_F(StatisticsWindowTest, WithoutOrdersSaysSoInsteadOfCharts)
{
    openWith([&](StatisticsWindow& w) {
        EXPECT_EQ(child<QLabel>(w, "coverageLabel")->text(), QStringLiteral("没有定单"));
        EXPECT_FALSE(child<QTabWidget>(w, "tabs")->isVisible());
    });
}

TEST_F(StatisticsWindowTest, AStoreFailureIsToldOnceAndNothingOpens)
{
    QFile::remove(store->dataFile());
    statswindow::statswindow_seam::setShownHook([](StatisticsWindow&) { ADD_FAILURE() << "opened"; });
    statswindow::showStatistics(nullptr, *orders, store::OrderFilter::everyOrder(),
                                [](qint64) { return false; });
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_EQ(ui::msgbox_seam::shown().first().title, QStringLiteral("提示"));
    EXPECT_FALSE(ui::msgbox_seam::shown().first().text.isEmpty());
}

TEST_F(StatisticsWindowTest, CtrlCCopiesTheSelectedCellsAsASpreadsheetPastesThem)
{
    addOrders();
    openWith([&](StatisticsWindow& w) {
        child<QTabWidget>(w, "tabs")->setCurrentIndex(1);
        auto* table = child<FigureTable>(w, "goodsTable");
        table->selectAll();
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(
            QApplication::clipboard()->text(),
            QStringLiteral(
                "商品\t件数\t销售额\t利润\n商品A\t3\t42\t12\n商品B\t2\t0.3\t0.3\n商品C\t3\t16.5\t-7.5\n"));
        table->clearSelection();
        table->selectRow(2);
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("商品C\t3\t16.5\t-7.5\n"));
    });
}

TEST_F(StatisticsWindowTest, SavesAChartAsPng)
{
    addOrders();
    const QString path = store->folder() + QStringLiteral("/chart");
    statswindow::chartfile_seam::setNextFileName(path);
    openWith([&](StatisticsWindow& w) { child<QPushButton>(w, "savePeriodChart")->click(); });
    EXPECT_EQ(statswindow::chartfile_seam::asked(), 1);
    QFile saved(path + QStringLiteral(".png"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.read(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
}

TEST_F(StatisticsWindowTest, DoubleClickingALossEditsItAndTheFiguresFollow)
{
    addOrders();
    std::vector<qint64> edited;
    const auto sellDearer = [&](qint64 id) {
        edited.push_back(id);
        store::Order order = *orders->load(id);
        order.sellingPrice = store::Number(9);
        return orders->update(order);
    };
    openWith(
        [&](StatisticsWindow& w) {
            child<QTabWidget>(w, "tabs")->setCurrentIndex(3);
            auto* table = child<FigureTable>(w, "lossesTable");
            QCoreApplication::processEvents(); // the shown tab laid out
            const QPoint cell = table->visualItemRect(table->item(0, 1)).center();
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell); // as a real double click begins
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);
            EXPECT_EQ(rows(w, "lossesTable"), QStringList());
            EXPECT_TRUE(
                child<QLabel>(w, "lossSummary")->text().startsWith(QStringLiteral("共 0 条定单亏损")));
            EXPECT_EQ(child<QTabWidget>(w, "tabs")->currentIndex(), 3);
        },
        sellDearer);
    EXPECT_EQ(edited, std::vector<qint64>{lossId});
}

} // namespace
