#pragma once

#include "ui/UiTexts.h"

#include <QString>

// Every caption and message of the entry window.
namespace entry::texts {

// Captions as laid out (add mode).
inline const QString addTitle = QStringLiteral("我要记帐");
inline const QString labelGoods = QStringLiteral("商品名称：");
inline const QString labelWaybill = QStringLiteral("快递单号：");
inline const QString labelBuyer = QStringLiteral("买家帐号：");
inline const QString labelSellingPrice = QStringLiteral("售价：");
inline const QString labelPurchasePrice = QStringLiteral("进价：");
inline const QString labelQuantity = QStringLiteral("购买数量：");
inline const QString labelRemark = QStringLiteral("备注：");
inline const QString labelSaleDate = QStringLiteral("销售日期：");
inline const QString unitPieces = QStringLiteral("件");
inline const QString unitYuan = QStringLiteral("元");
inline const QString saveAndClose = QStringLiteral("保存后关闭");
inline const QString clearForm = QStringLiteral("清空表单");
inline const QString saveAndNew = QStringLiteral("保存并新建");
inline const QString closeWindow = QStringLiteral("关闭窗口");

// Edit mode.
inline const QString editTitle = QStringLiteral("修改定单");
inline const QString saveChanges = QStringLiteral("保存修改");

// Messages, each in a box titled ui::texts::noticeTitle.
inline const QString needGoods = QStringLiteral("请输入商品名称！！");
inline const QString needQuantity = QStringLiteral("请输入销售数量！！");
inline const QString quantityNotNumber = QStringLiteral("数量应该是数字！！");
inline const QString needPurchasePrice = QStringLiteral("请输入商品进价！！");
inline const QString purchasePriceNotNumber = QStringLiteral("商品进价应该是数字！！");
inline const QString needSellingPrice = QStringLiteral("请输入销售价格！！");
inline const QString sellingPriceNotNumber = QStringLiteral("销售价格应该是数字！！");
inline const QString needBuyer = QStringLiteral("请输入买家帐户！！");
inline const QString needWaybill = QStringLiteral("请输入快递单号！！");
inline const QString needSaleDate = QStringLiteral("请选择销售日期！！");
// A date of sale that is no date of the calendar; example: today in the short date form.
inline QString saleDateForm(const QString& example)
{
    return QStringLiteral("请按 %1 的格式输入销售日期！！").arg(example);
}
inline const QString saved = QStringLiteral("保存成功!!");
// A refused save: followed by the store's own description of what went wrong.
inline const QString saveRefused = QStringLiteral("定单没有保存，请检查后再试。\r\n\r\n");
// An update that found its order gone (another program deleted it while the window was open).
inline const QString orderGone = QStringLiteral("定单没有保存：这个定单已经不在数据库中了。");
// The save went through but the main list could not be read again.
inline const QString refreshFailed = QStringLiteral("定单已保存，但定单列表没有刷新：\r\n\r\n");
// A handler that failed in a way it did not foresee; a store failure shows its description after
// ui::texts::failedPrefix.
inline const QString unexpectedCause = QStringLiteral("发生了意外的错误。");
inline const QString unexpectedFailure = ui::texts::failedPrefix + unexpectedCause;
// The order to edit could not be read.
inline const QString loadFailed = QStringLiteral("无法打开选中的定单：\r\n\r\n");

} // namespace entry::texts
