#pragma once

#include "ui/UiTexts.h"

#include <QString>

// Every caption and message of the entry window.
namespace entry::texts {

// Captions as laid out (add mode).
inline const QString addTitle = QStringLiteral("我要记帐");
inline const QString labelSpname = QStringLiteral("商品名称：");
inline const QString labelKddh = QStringLiteral("快递单号：");
inline const QString labelMjzh = QStringLiteral("买家帐号：");
inline const QString labelSj = QStringLiteral("售价：");
inline const QString labelJj = QStringLiteral("进价：");
inline const QString labelSl = QStringLiteral("购买数量：");
inline const QString labelBz = QStringLiteral("备注：");
inline const QString labelXsdate = QStringLiteral("销售日期：");
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
inline const QString needSpname = QStringLiteral("请输入商品名称！！");
inline const QString needSl = QStringLiteral("请输入销售数量！！");
inline const QString slNotNumber = QStringLiteral("数量应该是数字！！");
inline const QString needJj = QStringLiteral("请输入商品进价！！");
inline const QString jjNotNumber = QStringLiteral("商品进价应该是数字！！");
inline const QString needSj = QStringLiteral("请输入销售价格！！");
inline const QString sjNotNumber = QStringLiteral("销售价格应该是数字！！");
inline const QString needMjzh = QStringLiteral("请输入买家帐户！！");
inline const QString needKddh = QStringLiteral("请输入快递单号！！");
inline const QString needXsdate = QStringLiteral("请选择销售日期！！");
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
