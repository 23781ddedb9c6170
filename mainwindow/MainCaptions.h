#pragma once

#include <QString>
#include <QStringList>

// Every caption and design text of the main window.
namespace mainwindow::texts {

inline const QString titlePrefix = QStringLiteral("Tallywick V1.1 ");

inline const QString newOrderButton = QStringLiteral("我要记帐");
inline const QString editOrderButton = QStringLiteral("修改定单");
inline const QString deleteOrderButton = QStringLiteral("删除定单");
inline const QString queryButton = QStringLiteral("查询定单");
inline const QString allOrdersButton = QStringLiteral("全部定单");
inline const QString exportButton = QStringLiteral("导出定单");

// The prompt item of fieldList: no field chosen.
inline const QString fieldPrompt = QStringLiteral("请选择类别");
inline const QString fieldGoods = QStringLiteral("商品名称");
inline const QString fieldBuyer = QStringLiteral("买家呢称");
inline const QString fieldWaybill = QStringLiteral("快递单号");
inline const QString fieldRemark = QStringLiteral("备注");
inline const QStringList fields = {fieldPrompt, fieldGoods, fieldBuyer, fieldWaybill, fieldRemark};
// The design text of keywordBox.
inline const QString keywordPrompt = QStringLiteral("请输入关键字");

inline const QString shopLink = QStringLiteral("进入我的网店");
inline const QString dateDash = QStringLiteral("-");
inline const QString homeLink = QStringLiteral("官方网站");
inline const QString ordersCaption = QStringLiteral("账单总数：");
inline const QString piecesCaption = QStringLiteral("销售数量：");
inline const QString costCaption = QStringLiteral("进货金额：");
inline const QString salesCaption = QStringLiteral("销售金额：");
inline const QString profitCaption = QStringLiteral("总利润：");

// The menu bar above the client area.
inline const QString fileMenu = QStringLiteral("文件(&F)");
inline const QString importAction = QStringLiteral("导入定单(&I)…");
inline const QString exportAction = QStringLiteral("导出定单(&E)…");
inline const QString restoreAction = QStringLiteral("从备份恢复(&R)…");
inline const QString quitAction = QStringLiteral("退出(&X)");
inline const QString statisticsMenu = QStringLiteral("统计(&S)");
inline const QString salesStatisticsAction = QStringLiteral("销售统计(&T)…");

// The dialog that chooses the backup to restore from.
inline const QString restoreTitle = QStringLiteral("从备份恢复");
inline const QString restoreListCaption = QStringLiteral("选择要恢复的备份(&B)：");
inline const QString restoreButton = QStringLiteral("恢复");
inline const QString restoreCancelButton = QStringLiteral("取消");

} // namespace mainwindow::texts
