#pragma once

#include "ui/UiTexts.h"

#include <QString>
#include <QStringList>

// Every text of the import's question, dialog and messages, in one place.
namespace importdialog::texts {

// The question for the file.
inline const QString caption = QStringLiteral("导入定单");
inline const QString fileFilters = QStringLiteral("订单文件 (*.csv *.txt *.xlsx *.xls);;所有文件 (*)");

// The dialog. Each label's mnemonic reaches the control beside it.
inline const QString fileLabel = QStringLiteral("文件：");
inline const QString encodingLabel = QStringLiteral("编码(&E)：");
inline const QString separatorLabel = QStringLiteral("分隔符(&S)：");
inline const QString firstRowIsHeader = QStringLiteral("第一行是标题(&H)");
inline const QString dateFormLabel = QStringLiteral("日期格式(&F)：");
inline const QString previewLabel = QStringLiteral("文件内容（前 %1 行）(&V)：");
inline const QString fieldsTitle = QStringLiteral("各项取自哪一列");
inline const QString leftOutLabel = QStringLiteral("不导入的行（勾选的重复定单也导入）(&K)：");
inline const QString importButton = QStringLiteral("导入(&I)");
inline const QString cancelButton = QStringLiteral("取消");

inline const QStringList encodings = {QStringLiteral("UTF-8"), QStringLiteral("GB18030 (GBK)"),
                                      QStringLiteral("UTF-16 LE"), QStringLiteral("UTF-16 BE")};
inline const QStringList separators = {QStringLiteral("逗号"), QStringLiteral("制表符"),
                                       QStringLiteral("分号")};
inline const QStringList dateForms = {QStringLiteral("年-月-日"), QStringLiteral("日-月-年"),
                                      QStringLiteral("月-日-年")};

// The eight fields' labels, in the order of orderimport::OrderField, with their mnemonics.
inline const QStringList fieldLabels = {QStringLiteral("商品名称(&G)："), QStringLiteral("买家呢称(&B)："),
                                        QStringLiteral("购买数量(&Q)："), QStringLiteral("进价(&C)："),
                                        QStringLiteral("售价(&P)："),     QStringLiteral("销售日期(&D)："),
                                        QStringLiteral("快递单号(&W)："), QStringLiteral("备注(&M)：")};
// The first choice of a field's column: no column. A required field then takes the value typed beside it.
inline const QString noColumn = QStringLiteral("（无）");
inline const QString notImported = QStringLiteral("（不导入）");
inline const QString sameForEveryRow = QStringLiteral("统一的值");
// A column of the file: its letter and the text of its first row.
inline QString column(const QString& letter, const QString& firstText)
{
    return firstText.isEmpty() ? letter : QStringLiteral("%1：%2").arg(letter, firstText);
}

// The rows left out, one a line.
inline QString leftOutRow(int fileRow, const QString& reason)
{
    return QStringLiteral("第 %1 行：%2").arg(fileRow).arg(reason);
}
inline QString storedAlready(const QString& waybill)
{
    return QStringLiteral("快递单号 %1 已在账本中").arg(waybill);
}
inline QString sameAsRow(const QString& waybill, int earlierRow)
{
    return QStringLiteral("快递单号 %1 与第 %2 行相同").arg(waybill).arg(earlierRow);
}
inline QString summary(qint64 imported, qint64 skipped)
{
    return QStringLiteral("将导入 %1 条定单，跳过 %2 条").arg(imported).arg(skipped);
}

// The messages.
inline const QString notImportedNothingChanged = QStringLiteral("定单没有导入，数据文件没有改变。");
inline QString copyFailed(const QString& reason)
{
    return QStringLiteral("导入前无法另存数据文件：%1\n").arg(reason) + notImportedNothingChanged;
}
inline QString imported(qint64 count, const QString& copy)
{
    return QStringLiteral("已导入 %1 条定单。\n导入前的数据已另存为 %2").arg(count).arg(copy);
}
inline const QString unexpectedFailure = ui::texts::failedPrefix + QStringLiteral("发生了意外的错误。");

} // namespace importdialog::texts
