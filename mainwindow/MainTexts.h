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

// The status bar after a good export or import; the file's name follows.
inline QString exported(qint64 orders)
{
    return QStringLiteral("已导出 %1 条定单：").arg(orders);
}
inline QString imported(qint64 orders)
{
    return QStringLiteral("已导入 %1 条定单：").arg(orders);
}

// The status bar's day's backup: its copy's name follows; or why there is none.
inline const QString backupMade = QStringLiteral("今天已备份：");
inline QString backupFailed(const QString& reason)
{
    return QStringLiteral("今天的自动备份没有完成：%1").arg(reason);
}

// The commands on the selected order.
inline const QString selectFirst = QStringLiteral("请选择记录后，再操作！！");
inline const QString confirmDelete = QStringLiteral("你确认要删除选中记录吗？") + QStringLiteral("\r\n\r\n") +
                                     QStringLiteral("注意：删除后不可恢复！");

// The web-shop page (Label1) and the home page (Label3).
inline const QString shopUrl = QStringLiteral("http://shop.tallywick.example/");
inline const QString homeUrl = QStringLiteral("http://www.tallywick.example/");

// Restoring from a backup.
inline const QString noBackups = QStringLiteral("backups 文件夹中没有可用的备份。");
// One line of the restore dialog's list.
inline QString backupLine(const QString& made, qint64 orders)
{
    return QStringLiteral("%1　共 %2 条定单").arg(made).arg(orders);
}
// Start-up: the data file cannot be opened. kept is empty when there is no file to keep.
inline QString offerRestore(const QString& dataFile,
                            const QString& description,
                            const QString& made,
                            qint64 orders,
                            const QString& kept)
{
    QString text =
        QStringLiteral("数据文件 %1 无法打开（%2）。\n\nbackups 文件夹中有 %3 的备份，共 %4 条定单。"
                       "要用这个备份恢复吗？")
            .arg(dataFile, description, made, QString::number(orders));
    if (!kept.isEmpty()) {
        text += QStringLiteral("\n原来的文件会保留为 %1。").arg(kept);
    }
    return text;
}
// kept is empty when there is no data file to keep.
inline QString confirmRestore(const QString& made, qint64 orders, const QString& kept)
{
    QString text =
        QStringLiteral("要用 %1 的备份（共 %2 条定单）恢复数据吗？").arg(made, QString::number(orders));
    if (!kept.isEmpty()) {
        text += QStringLiteral("\n现在的数据文件会保留为 backups 文件夹中的 %1。").arg(kept);
    }
    return text;
}
// After the menu's restore; kept is empty when there was no data file to keep.
inline QString restored(const QString& made, qint64 orders, const QString& kept)
{
    QString text = QStringLiteral("已用 %1 的备份恢复数据，共 %2 条定单。").arg(made).arg(orders);
    if (!kept.isEmpty()) {
        text += QStringLiteral("\n恢复前的数据文件保留为 %1。").arg(kept);
    }
    return text;
}

} // namespace mainwindow::texts
