#pragma once

#include "ui/UiTexts.h"

#include <QString>

// Every text of the statistics window.
namespace statswindow::texts {

inline const QString windowTitle = QStringLiteral("销售统计");

// The line above the tabs: which orders the figures cover.
inline const QString noOrders = QStringLiteral("没有定单");
inline QString coverage(const QString& first, const QString& last, qint64 orders)
{
    return QStringLiteral("%1 - %2，共 %3 条定单").arg(first, last).arg(orders);
}

// The tabs.
inline const QString byTimeTab = QStringLiteral("按时间(&P)");
inline const QString goodsTab = QStringLiteral("商品(&G)");
inline const QString buyersTab = QStringLiteral("买家(&B)");
inline const QString lossesTab = QStringLiteral("亏损定单(&L)");

// The period switch and the names of the periods.
inline const QString periodLabel = QStringLiteral("时段(&R)：");
inline const QString periodDay = QStringLiteral("日");
inline const QString periodMonth = QStringLiteral("月");
inline const QString periodYear = QStringLiteral("年");
inline QString monthText(int year, int month)
{
    return QStringLiteral("%1年%2月").arg(year).arg(month);
}
inline QString shortMonthText(int month)
{
    return QStringLiteral("%1月").arg(month);
}
inline QString shortDayText(int month, int day)
{
    return QStringLiteral("%1/%2").arg(month).arg(day);
}
inline QString yearText(int year)
{
    return QStringLiteral("%1年").arg(year);
}

// The ranking of the goods.
inline const QString rankLabel = QStringLiteral("排名依据(&K)：");
inline const QString rankByProfit = QStringLiteral("按利润");
inline const QString rankByPieces = QStringLiteral("按件数");

// The buyers' summary: how many came back.
inline QString returningBuyers(qsizetype returning, qsizetype all)
{
    return QStringLiteral("共 %1 位买家，其中回头买家（定单多于 1 条）%2 位").arg(all).arg(returning);
}

// The losses' summary.
inline QString lossCount(qsizetype orders)
{
    return QStringLiteral("共 %1 条定单亏损（双击一条可修改）").arg(orders);
}

// Column titles.
inline const QString columnPeriod = QStringLiteral("时段");
inline const QString columnOrders = QStringLiteral("定单数");
inline const QString columnPieces = QStringLiteral("件数");
inline const QString columnSales = QStringLiteral("销售额");
inline const QString columnCost = QStringLiteral("进货成本");
inline const QString columnProfit = QStringLiteral("利润");
inline const QString columnGoods = QStringLiteral("商品");
inline const QString columnBuyer = QStringLiteral("买家");
inline const QString columnDate = QStringLiteral("日期");
inline const QString columnWaybill = QStringLiteral("运单号");

// The charts.
inline const QString seriesSales = QStringLiteral("销售额");
inline const QString seriesProfit = QStringLiteral("利润");
inline const QString seriesPieces = QStringLiteral("件数");
inline const QString axisYuan = QStringLiteral("金额（元）");
inline const QString axisGoodsProfit = QStringLiteral("利润（元）");
inline const QString axisGoodsPieces = QStringLiteral("件数（件）");
inline const QString timeChartTitle = QStringLiteral("销售额与利润");

// A sum beyond what the arithmetic holds.
inline const QString tooLarge = QStringLiteral("数值过大");

// Saving a chart.
inline const QString saveChart = QStringLiteral("保存图表(&S)…");
inline const QString saveChartTitle = QStringLiteral("保存图表");
inline const QString pngFilter = QStringLiteral("PNG 图片 (*.png)");
inline const QString pngSuffix = QStringLiteral("png");
inline const QString defaultChartName = QStringLiteral("销售统计.png");
inline QString chartNotSaved(const QString& path)
{
    return QStringLiteral("图表未能保存到：\n%1").arg(path);
}

// Failures.
inline const QString unexpectedFailure = ui::texts::failedPrefix + QStringLiteral("发生了未知错误。");

} // namespace statswindow::texts
