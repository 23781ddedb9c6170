#pragma once

#include <QString>
#include <QStringList>

// Every caption and design text of the main window.
namespace mainwindow::texts {

inline const QString titlePrefix = QStringLiteral("Tallywick V1.1 ");

inline const QString b1 = QStringLiteral("我要记帐");
inline const QString b2 = QStringLiteral("修改定单");
inline const QString b3 = QStringLiteral("删除定单");
inline const QString b4 = QStringLiteral("查询定单");
inline const QString b5 = QStringLiteral("全部定单");
inline const QString b6 = QStringLiteral("导出定单");

// The prompt item of c1: no field chosen.
inline const QString fieldPrompt = QStringLiteral("请选择类别");
inline const QString fieldSpname = QStringLiteral("商品名称");
inline const QString fieldMjzh = QStringLiteral("买家呢称");
inline const QString fieldKddh = QStringLiteral("快递单号");
inline const QString fieldBz = QStringLiteral("备注");
inline const QStringList fields = {fieldPrompt, fieldSpname, fieldMjzh, fieldKddh, fieldBz};
// The design text of c2.
inline const QString keywordPrompt = QStringLiteral("请输入关键字");

inline const QString Label1 = QStringLiteral("进入我的网店");
inline const QString Label2 = QStringLiteral("-");
inline const QString Label3 = QStringLiteral("官方网站");
inline const QString Label4 = QStringLiteral("账单总数：");
inline const QString Label5 = QStringLiteral("销售数量：");
inline const QString Label6 = QStringLiteral("进货金额：");
inline const QString Label7 = QStringLiteral("销售金额：");
inline const QString Label8 = QStringLiteral("总利润：");

} // namespace mainwindow::texts
