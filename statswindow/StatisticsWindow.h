#pragma once

#include "store/OrderFilter.h"
#include "store/Statistics.h"

#include <QDialog>
#include <QList>
#include <functional>

class QBarCategoryAxis;
class QCategoryAxis;
class QChart;
class QChartView;
class QComboBox;
class QGraphicsSimpleTextItem;
class QLabel;
class QTabWidget;
class QValueAxis;

namespace store {
class OrderStore;
}

namespace statswindow {

class FigureTable;

// Runs a handler's body; whatever it throws is told in a message box over parent, never left to Qt's event
// loop.
void runGuarded(QWidget* parent, const std::function<void()>& body);

// The figures of the listed orders: the coverage line, then four tabs: sales and profit over time (chart
// and table, by day, month or year), the goods ranked by profit or pieces, the buyers ranked by sales
// amount, and the orders that lost money. Double-clicking a loss hands its id to editOrder, which says
// whether an order was saved; then the figures are computed again from the store and the filter.
//
// Controls by objectName: coverageLabel, tabs, periodBox, periodTable, periodChart, savePeriodChart,
// rankBox, goodsTable, goodsChart, saveGoodsChart, buyerSummary, buyersTable, lossSummary, lossesTable.
class StatisticsWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatisticsWindow)
public:
    StatisticsWindow(const store::OrderStore& store,
                     store::OrderFilter filter,
                     store::Statistics statistics,
                     std::function<bool(qint64 orderId)> editOrder,
                     QWidget* parent = nullptr);
    ~StatisticsWindow() override;

    const store::Statistics& statistics() const { return m_statistics; }
    store::Period period() const;
    void setPeriod(store::Period period);
    // Computes the figures again from the store; a store failure is told and the figures stay.
    void recompute();
    // Opens the loss in row for a change, then computes the figures again.
    void editLoss(int row);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildTimeTab();
    QWidget* buildGoodsTab();
    QWidget* buildBuyersTab();
    QWidget* buildLossesTab();
    void showFigures(); // every view from m_statistics
    void showTime();
    void showGoods();
    void showBuyers();
    void showLosses();
    void placeGoodsNames(); // beside their bars, wherever the plot is

    const store::OrderStore& m_store;
    store::OrderFilter m_filter;
    store::Statistics m_statistics;
    std::function<bool(qint64)> m_editOrder;
    bool m_periodChosen = false; // the seller picked the period: it stays when the figures change

    QLabel* m_coverage = nullptr;
    QTabWidget* m_tabs = nullptr;
    QComboBox* m_periodBox = nullptr;
    FigureTable* m_periodTable = nullptr;
    QChartView* m_periodChart = nullptr;
    QCategoryAxis* m_periodAxis = nullptr;
    QStringList m_periodNames;   // under the bars, as many as fit
    int m_periodNamesWidth = -1; // the plot's width they were fitted to
    QValueAxis* m_periodValues = nullptr;
    QComboBox* m_rankBox = nullptr;
    FigureTable* m_goodsTable = nullptr;
    QChartView* m_goodsChart = nullptr;
    QBarCategoryAxis* m_goodsAxis = nullptr;
    QValueAxis* m_goodsValues = nullptr;
    QList<QGraphicsSimpleTextItem*> m_goodsNames; // the charted goods, the lowest bar's first
    QLabel* m_buyerSummary = nullptr;
    FigureTable* m_buyersTable = nullptr;
    QLabel* m_lossSummary = nullptr;
    FigureTable* m_lossesTable = nullptr;
};

} // namespace statswindow
