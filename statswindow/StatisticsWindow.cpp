#include "statswindow/StatisticsWindow.h"

#include "statswindow/FigureTable.h"
#include "statswindow/SaveChart.h"
#include "statswindow/StatsTexts.h"
#include "store/OrderStore.h"
#include "store/StoreError.h"
#include "store/TextForms.h"
#include "ui/Fonts.h"
#include "ui/Guarded.h"
#include "ui/MessageBox.h"
#include "ui/ScreenFit.h"
#include "ui/UiTexts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

namespace statswindow {

namespace {

// How many of the goods the chart shows, the first by the ranking.
constexpr qsizetype chartedGoods = 20;

// A sum as a cell shows it: exact, with the locale's decimal point; 0 over no orders.
QString sumText(const store::AmountSum& sum)
{
    if (sum.isNull()) {
        return QStringLiteral("0");
    }
    if (sum.tooLarge()) {
        return texts::tooLarge;
    }
    return sum.value().text(store::textforms::uiLocale().decimalPoint().front());
}

QString amountText(const store::Amount& amount)
{
    return amount.text(store::textforms::uiLocale().decimalPoint().front());
}

// A sum as a chart draws it and a ranking compares it: too large ranks first, no sum counts as 0.
double sumValue(const store::AmountSum& sum)
{
    if (sum.isNull()) {
        return 0;
    }
    if (sum.tooLarge()) {
        return std::numeric_limits<double>::infinity();
    }
    return sum.value().text().toDouble();
}

double drawnValue(const store::AmountSum& sum)
{
    const double value = sumValue(sum);
    return std::isfinite(value) ? value : 0;
}

// A period's name in the table.
QString periodText(QDate start, store::Period period)
{
    switch (period) {
    case store::Period::Day:
        return store::textforms::dateText(start);
    case store::Period::Month:
        return texts::monthText(start.year(), start.month());
    case store::Period::Year:
        return texts::yearText(start.year());
    }
    return QString();
}

// A period's name under its bar: within one year the year goes without saying.
QString periodLabel(QDate start, store::Period period, bool oneYear)
{
    if (!oneYear || period == store::Period::Year) {
        return periodText(start, period);
    }
    return period == store::Period::Month ? texts::shortMonthText(start.month())
                                          : texts::shortDayText(start.month(), start.day());
}

QChartView* chartView(const QFont& font, const char* objectName)
{
    auto* chart = new QChart;
    chart->setFont(font);
    chart->setTitleFont(font);
    chart->legend()->setFont(font);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    chart->setAnimationOptions(QChart::NoAnimation);
    auto* view = new QChartView(chart);
    view->setObjectName(QString::fromLatin1(objectName));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(280, 220);
    return view;
}

// A value axis from the lowest to the highest of values, 0 always in view, with the unit as its title.
void setValueRange(QValueAxis& axis, const QString& title, double low, double high)
{
    axis.setTitleText(title);
    axis.setLabelFormat(QStringLiteral("%.10g"));
    axis.setRange(std::min(0.0, low), std::max({0.0, high, std::min(0.0, low) + 1}));
    axis.applyNiceNumbers();
}

// The periods under their bars (bar i stands at i): every period's name when they fit side by side in
// width, else every second, third... of them, so that the names never overlap or get cut.
void setPeriodLabels(QCategoryAxis& axis, const QStringList& periods, int width)
{
    for (const QString& label : axis.categoriesLabels()) {
        axis.remove(label);
    }
    axis.setRange(-0.5, std::max<double>(0.5, double(periods.size()) - 0.5));
    const QFontMetrics metrics(axis.labelsFont());
    int widest = 1;
    for (const QString& period : periods) {
        widest = std::max(widest, metrics.horizontalAdvance(period) + metrics.averageCharWidth() * 2);
    }
    const qsizetype fit = std::max(1, width / widest);
    const qsizetype step = (periods.size() + fit - 1) / fit;
    for (qsizetype i = 0; i < periods.size(); i += step) {
        axis.append(periods[i], double(i));
    }
}

// Puts the axes on a chart once; each drawing replaces the series and attaches the new ones to them.
template <class Axis> Axis* addAxis(QChart& chart, const QFont& font, Qt::Alignment alignment)
{
    auto* axis = new Axis;
    axis->setLabelsFont(font);
    axis->setTitleFont(font);
    chart.addAxis(axis, alignment);
    return axis;
}

QWidget* labelled(const QString& caption, QWidget* buddy)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(caption);
    label->setBuddy(buddy);
    layout->addWidget(label);
    layout->addWidget(buddy);
    return row;
}

// A tab: a row of controls (a switch, then the save button at the right), and below the chart and the
// table side by side.
QWidget* chartTab(QWidget* controls, QPushButton* save, QChartView* chart, FigureTable* table)
{
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    auto* top = new QHBoxLayout;
    top->addWidget(controls);
    top->addStretch(1);
    top->addWidget(save);
    layout->addLayout(top);
    auto* split = new QSplitter(Qt::Horizontal);
    split->setChildrenCollapsible(false);
    split->addWidget(chart);
    split->addWidget(table);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    layout->addWidget(split, 1);
    return tab;
}

// Gives the table beside a chart the width of its columns, at most a little over half of the tab, the chart
// the rest.
void fitBeside(FigureTable& table)
{
    auto* split = qobject_cast<QSplitter*>(table.parentWidget());
    const QList<int> sizes = split->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (total <= 0) {
        split->setSizes({2 * table.contentWidth(), table.contentWidth()});
        return;
    }
    const int wanted = std::min(table.contentWidth(), total * 11 / 20);
    split->setSizes({total - wanted, wanted});
}

QPushButton* saveButton(QChartView* chart, const char* objectName)
{
    auto* button = new QPushButton(texts::saveChart);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, chart,
                     [chart] { runGuarded(chart, [chart] { saveChart(*chart); }); });
    return button;
}

} // namespace

void runGuarded(QWidget* parent, const std::function<void()>& body)
{
    if (const auto failure = ui::guarded<store::StoreError>(body)) {
        ui::MsgBox(failure->described() ? failure->words : texts::unexpectedFailure, ui::MB_OK_EXCLAMATION,
                   ui::texts::noticeTitle, parent);
    }
}

StatisticsWindow::StatisticsWindow(const store::OrderStore& store,
                                   store::OrderFilter filter,
                                   store::Statistics statistics,
                                   std::function<bool(qint64)> editOrder,
                                   QWidget* parent)
    : QDialog(parent)
    , m_store(store)
    , m_filter(std::move(filter))
    , m_statistics(std::move(statistics))
    , m_editOrder(std::move(editOrder))
{
    setWindowTitle(texts::windowTitle);
    // The interface font, a CJK one: the charts measure their labels by it, and a font without the glyphs
    // would measure Chinese labels too small and cut them to "…".
    setFont(ui::fonts::interfaceFont());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    // Inside 1024 x 768 at 125 %: about 819 x 580 points once the task bar and the frame are off.
    resize(790, 540);
    setMinimumSize(560, 400);

    auto* layout = new QVBoxLayout(this);
    m_coverage = new QLabel;
    m_coverage->setObjectName(QStringLiteral("coverageLabel"));
    layout->addWidget(m_coverage);
    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->addTab(buildTimeTab(), texts::byTimeTab);
    m_tabs->addTab(buildGoodsTab(), texts::goodsTab);
    m_tabs->addTab(buildBuyersTab(), texts::buyersTab);
    m_tabs->addTab(buildLossesTab(), texts::lossesTab);
    layout->addWidget(m_tabs, 1);
    showFigures();
}

StatisticsWindow::~StatisticsWindow() = default;

QWidget* StatisticsWindow::buildTimeTab()
{
    m_periodBox = new QComboBox;
    m_periodBox->setObjectName(QStringLiteral("periodBox"));
    m_periodBox->addItem(texts::periodDay, int(store::Period::Day));
    m_periodBox->addItem(texts::periodMonth, int(store::Period::Month));
    m_periodBox->addItem(texts::periodYear, int(store::Period::Year));
    connect(m_periodBox, &QComboBox::activated, this, [this] {
        m_periodChosen = true;
        runGuarded(this, [this] { showTime(); });
    });
    m_periodChart = chartView(font(), "periodChart");
    m_periodChart->chart()->setTitle(texts::timeChartTitle);
    m_periodAxis = addAxis<QCategoryAxis>(*m_periodChart->chart(), font(), Qt::AlignBottom);
    m_periodAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_periodAxis->setGridLineVisible(false);
    // The names are fitted again whenever the plot's width changes (the window shown, or resized).
    connect(m_periodChart->chart(), &QChart::plotAreaChanged, this, [this](const QRectF& plot) {
        if (int(plot.width()) != m_periodNamesWidth) {
            m_periodNamesWidth = int(plot.width());
            setPeriodLabels(*m_periodAxis, m_periodNames, m_periodNamesWidth);
        }
    });
    m_periodValues = addAxis<QValueAxis>(*m_periodChart->chart(), font(), Qt::AlignLeft);
    m_periodTable = new FigureTable({texts::columnPeriod, texts::columnOrders, texts::columnSales,
                                     texts::columnCost, texts::columnProfit},
                                    1, "periodTable");
    return chartTab(labelled(texts::periodLabel, m_periodBox), saveButton(m_periodChart, "savePeriodChart"),
                    m_periodChart, m_periodTable);
}

QWidget* StatisticsWindow::buildGoodsTab()
{
    m_rankBox = new QComboBox;
    m_rankBox->setObjectName(QStringLiteral("rankBox"));
    m_rankBox->addItems({texts::rankByProfit, texts::rankByPieces});
    connect(m_rankBox, &QComboBox::currentIndexChanged, this,
            [this] { runGuarded(this, [this] { showGoods(); }); });
    m_goodsChart = chartView(font(), "goodsChart");
    m_goodsChart->chart()->legend()->setVisible(false);
    // The names are drawn beside the bars by placeGoodsNames: the axis would cut any name taller than a
    // twentieth of the plot to "…".
    m_goodsAxis = addAxis<QBarCategoryAxis>(*m_goodsChart->chart(), font(), Qt::AlignLeft);
    m_goodsAxis->setLabelsVisible(false);
    m_goodsValues = addAxis<QValueAxis>(*m_goodsChart->chart(), font(), Qt::AlignBottom);
    connect(m_goodsChart->chart(), &QChart::plotAreaChanged, this, [this] { placeGoodsNames(); });
    m_goodsTable = new FigureTable(
        {texts::columnGoods, texts::columnPieces, texts::columnSales, texts::columnProfit}, 1, "goodsTable");
    return chartTab(labelled(texts::rankLabel, m_rankBox), saveButton(m_goodsChart, "saveGoodsChart"),
                    m_goodsChart, m_goodsTable);
}

QWidget* StatisticsWindow::buildBuyersTab()
{
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    m_buyerSummary = new QLabel;
    m_buyerSummary->setObjectName(QStringLiteral("buyerSummary"));
    m_buyersTable = new FigureTable(
        {texts::columnBuyer, texts::columnOrders, texts::columnSales, texts::columnProfit}, 1, "buyersTable");
    layout->addWidget(m_buyerSummary);
    layout->addWidget(m_buyersTable, 1);
    return tab;
}

QWidget* StatisticsWindow::buildLossesTab()
{
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    m_lossSummary = new QLabel;
    m_lossSummary->setObjectName(QStringLiteral("lossSummary"));
    m_lossesTable = new FigureTable({texts::columnDate, texts::columnGoods, texts::columnBuyer,
                                     texts::columnWaybill, texts::columnProfit},
                                    4, "lossesTable");
    connect(m_lossesTable, &QTableWidget::cellDoubleClicked, this,
            [this](int row) { runGuarded(this, [this, row] { editLoss(row); }); });
    layout->addWidget(m_lossSummary);
    layout->addWidget(m_lossesTable, 1);
    return tab;
}

store::Period StatisticsWindow::period() const
{
    return store::Period(m_periodBox->currentData().toInt());
}

void StatisticsWindow::setPeriod(store::Period period)
{
    m_periodBox->setCurrentIndex(m_periodBox->findData(int(period)));
    m_periodChosen = true;
    showTime();
}

void StatisticsWindow::showFigures()
{
    const bool any = m_statistics.all.orders > 0;
    m_coverage->setText(any ? texts::coverage(store::textforms::dateText(m_statistics.first),
                                              store::textforms::dateText(m_statistics.last),
                                              m_statistics.all.orders)
                            : texts::noOrders);
    m_tabs->setVisible(any);
    if (!any) {
        return;
    }
    if (!m_periodChosen) {
        m_periodBox->setCurrentIndex(
            m_periodBox->findData(int(store::periodFor(m_statistics.first, m_statistics.last))));
    }
    showTime();
    showGoods();
    showBuyers();
    showLosses();
}

void StatisticsWindow::showTime()
{
    const store::Period shown = period();
    const std::vector<store::PeriodFigures> periods = store::byPeriod(m_statistics, shown);
    std::vector<QStringList> rows;
    QStringList categories;
    auto* sales = new QBarSet(texts::seriesSales);
    auto* profit = new QLineSeries;
    profit->setName(texts::seriesProfit);
    profit->setPointsVisible(periods.size() <= 62);
    double low = 0;
    double high = 0;
    for (const store::PeriodFigures& p : periods) {
        const store::Figures& f = p.figures;
        rows.push_back({periodText(p.start, shown), QString::number(f.orders), sumText(f.salesAmount),
                        sumText(f.purchaseCost), sumText(f.profit)});
        categories.append(periodLabel(p.start, shown, m_statistics.first.year() == m_statistics.last.year()));
        const double sold = drawnValue(f.salesAmount);
        const double earned = drawnValue(f.profit);
        sales->append(sold);
        profit->append(double(categories.size() - 1), earned);
        low = std::min({low, sold, earned});
        high = std::max({high, sold, earned});
    }
    m_periodTable->setRows(rows);
    fitBeside(*m_periodTable);

    QChart& chart = *m_periodChart->chart();
    chart.removeAllSeries();
    auto* bars = new QBarSeries;
    bars->append(sales);
    // Without an outline, and side by side when there are many, so that a year's days still show as bars.
    sales->setPen(Qt::NoPen);
    bars->setBarWidth(periods.size() > 62 ? 1.0 : 0.6);
    chart.addSeries(bars);
    chart.addSeries(profit);
    // Until the chart is laid out, the plot takes its width but for the value axis and the margins.
    m_periodNames = categories;
    const int plotWidth = int(chart.plotArea().width());
    m_periodNamesWidth = plotWidth > 0 ? plotWidth : m_periodChart->width() - 110;
    setPeriodLabels(*m_periodAxis, m_periodNames, m_periodNamesWidth);
    setValueRange(*m_periodValues, texts::axisYuan, low, high);
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(bars), static_cast<QAbstractSeries*>(profit)}) {
        series->attachAxis(m_periodAxis);
        series->attachAxis(m_periodValues);
    }
}

void StatisticsWindow::showGoods()
{
    const bool byPieces = m_rankBox->currentIndex() == 1;
    std::vector<const store::GoodsFigures*> ranked;
    for (const store::GoodsFigures& g : m_statistics.goods) {
        ranked.push_back(&g);
    }
    if (byPieces) {
        // The store ranks by profit; by pieces the same way: most first, then by name.
        std::stable_sort(ranked.begin(), ranked.end(), [](const auto* a, const auto* b) {
            const double pa = sumValue(a->figures.pieces);
            const double pb = sumValue(b->figures.pieces);
            return pa != pb ? pa > pb : a->goods < b->goods;
        });
    }
    std::vector<QStringList> rows;
    for (const store::GoodsFigures* g : ranked) {
        rows.push_back({g->goods, sumText(g->figures.pieces), sumText(g->figures.salesAmount),
                        sumText(g->figures.profit)});
    }
    m_goodsTable->setRows(rows);
    fitBeside(*m_goodsTable);

    // The first ones in the chart, the first at the top (category 0 is the lowest bar).
    auto* set = new QBarSet(byPieces ? texts::seriesPieces : texts::seriesProfit);
    QStringList categories;
    qDeleteAll(m_goodsNames);
    m_goodsNames.clear();
    QChart& chart = *m_goodsChart->chart();
    QFont small = font();
    small.setPointSizeF(font().pointSizeF() - 1);
    int widest = 0;
    double low = 0;
    double high = 0;
    const qsizetype charted = std::min<qsizetype>(chartedGoods, qsizetype(ranked.size()));
    for (qsizetype i = charted - 1; i >= 0; --i) {
        const store::Figures& f = ranked[i]->figures;
        const double value = drawnValue(byPieces ? f.pieces : f.profit);
        set->append(value);
        low = std::min(low, value);
        high = std::max(high, value);
        categories.append(QString::number(categories.size()));
        QString name = ranked[i]->goods;
        if (name.size() > 8) {
            name = name.left(7) + QChar(0x2026);
        }
        auto* label = new QGraphicsSimpleTextItem(name, &chart);
        label->setFont(small);
        widest = std::max(widest, int(label->boundingRect().width()));
        m_goodsNames.append(label);
    }
    chart.removeAllSeries();
    auto* bars = new QHorizontalBarSeries;
    bars->append(set);
    set->setPen(Qt::NoPen);
    chart.addSeries(bars);
    m_goodsAxis->setCategories(categories);
    setValueRange(*m_goodsValues, byPieces ? texts::axisGoodsPieces : texts::axisGoodsProfit, low, high);
    bars->attachAxis(m_goodsAxis);
    bars->attachAxis(m_goodsValues);
    chart.setMargins(QMargins(widest + 12, 4, 8, 4));
    placeGoodsNames();
}

void StatisticsWindow::placeGoodsNames()
{
    const QRectF plot = m_goodsChart->chart()->plotArea();
    const qsizetype count = m_goodsNames.size();
    for (qsizetype i = 0; i < count; ++i) {
        QGraphicsSimpleTextItem* label = m_goodsNames[i];
        const QRectF box = label->boundingRect();
        const double centre = plot.bottom() - (double(i) + 0.5) * plot.height() / double(count);
        label->setPos(plot.left() - 6 - box.width(), centre - box.height() / 2);
    }
}

void StatisticsWindow::showBuyers()
{
    std::vector<QStringList> rows;
    qsizetype returning = 0;
    for (const store::BuyerFigures& b : m_statistics.buyers) {
        rows.push_back({b.buyer, QString::number(b.figures.orders), sumText(b.figures.salesAmount),
                        sumText(b.figures.profit)});
        returning += b.figures.orders > 1 ? 1 : 0;
    }
    m_buyersTable->setRows(rows);
    m_buyerSummary->setText(texts::returningBuyers(returning, qsizetype(m_statistics.buyers.size())));
}

void StatisticsWindow::showLosses()
{
    std::vector<QStringList> rows;
    for (const store::LossOrder& loss : m_statistics.losses) {
        rows.push_back({store::textforms::dateText(loss.saleDate), loss.goods, loss.buyer, loss.waybill,
                        amountText(loss.profit)});
    }
    m_lossesTable->setRows(rows);
    m_lossSummary->setText(texts::lossCount(qsizetype(m_statistics.losses.size())));
}

void StatisticsWindow::recompute()
{
    runGuarded(this, [this] {
        m_statistics = m_store.statistics(m_filter);
        showFigures();
    });
}

void StatisticsWindow::editLoss(int row)
{
    if (row < 0 || row >= int(m_statistics.losses.size())) {
        return;
    }
    const qint64 id = m_statistics.losses[std::size_t(row)].id;
    // Nothing saved, nothing changed: the figures stand.
    bool saved = false;
    runGuarded(this, [&] { saved = m_editOrder(id); });
    if (saved) {
        recompute();
    }
}

void StatisticsWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        ui::keepOnScreen(*this);
        layout()->activate();
        fitBeside(*m_periodTable);
        fitBeside(*m_goodsTable);
    }
}

} // namespace statswindow
