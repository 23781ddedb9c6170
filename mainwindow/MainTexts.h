#pragma once

#include "mainwindow/MainCaptions.h"
#include "store/Amount.h"
#include "ui/UiTexts.h"

#include <QString>

// Every message and caption piece of the main window's logic; the layout's captions are in MainCaptions.h.
namespace mainwindow::texts {

// Query button checks.
inline const QString startMissing = QStringLiteral("请选择开始日期！！");
inline const QString endMissing = QStringLiteral("请选择结束日期！！");
inline const QString endBeforeStart = QStringLiteral("结束日期不能小于开始日期！！");

// Failures.
inline const QString unknownFailure = ui::texts::failedPrefix + QStringLiteral("发生了未知错误。");
inline const QString dataFileLine = QStringLiteral("数据文件：");
inline QString failed(const QString& what)
{
    return ui::texts::failedPrefix + what;
}
// A start-up failure always names the data file.
QString startupFailure(const QString& description, const QString& dataFile);

// The units after the totals' values.
inline const QString unitOrders = QStringLiteral(" 条");
inline const QString unitPieces = QStringLiteral(" 件");
inline const QString unitYuan = QStringLiteral(" 元");
// A total beyond what the sums can hold.
inline const QString totalTooLarge = QStringLiteral("数值过大");
// A sum's caption: its exact value's text directly followed by the unit; the unit alone when no order was
// summed.
QString sumCaption(const store::AmountSum& sum, const QString& unit);

// The commands on the selected order.
inline const QString selectFirst = QStringLiteral("请选择记录后，再操作！！");
inline const QString confirmDelete = QStringLiteral("你确认要删除选中记录吗？") + QStringLiteral("\r\n\r\n") +
                                     QStringLiteral("注意：删除后不可恢复！");

// The web-shop page (Label1) and the home page (Label3).
inline const QString shopUrl = QStringLiteral("http://shop.tallywick.example/");
inline const QString homeUrl = QStringLiteral("http://www.tallywick.example/");

} // namespace mainwindow::texts
