#pragma once

#include <QString>

// Every text the export shows: the save question, the progress dialog and the failure descriptions.
namespace exporttexts {

// The save question for a new workbook.
inline const QString saveCaption = QStringLiteral("保存工作簿");
inline const QString saveFilter = QStringLiteral("Excel 工作簿 (*.xlsx)");
inline const QString saveSuffix = QStringLiteral("xlsx");
inline const QString defaultFileName = QStringLiteral("定单.xlsx");

// The progress dialog of a large export.
inline const QString progressLabel = QStringLiteral("正在导出定单……");
inline const QString progressTitle = QStringLiteral("导出定单");

// Failure descriptions, shown as they stand in a message box with the application's own title.
inline const QString noApplication = QStringLiteral("无法启动电子表格组件，不能导出定单。");
inline const QString noActiveSheet = QStringLiteral("没有打开的工作簿，无法写入单元格。");
inline const QString workbookClosed = QStringLiteral("工作簿已经关闭。");
inline const QString cannotCreateWorkbook = QStringLiteral("无法创建新的工作簿：临时文件夹不能写入。");
// %1 row, %2 column, %3 the limit.
inline const QString textTooLong =
    QStringLiteral("第 %1 行第 %2 列的文字太长：一个单元格最多只能容纳 %3 个字符。");
// %1 row, %2 column.
inline const QString tooManyRows = QStringLiteral(
    "列出的订单有 %1 条，超过了一张工作表能容纳的 %2 行（含标题行）。请缩小查询范围后分几次导出。");
inline const QString outsideSheet = QStringLiteral("单元格（第 %1 行，第 %2 列）超出了工作表的范围。");
// %1 row.
inline const QString rowAlreadyWritten = QStringLiteral("第 %1 行已经写入，不能再修改。");
inline const QString onlyOneCell = QStringLiteral("只能给单个单元格设置内容。");
inline const QString autoFitNeedsColumns = QStringLiteral("只能对整列自动调整列宽。");
// %1 the alignment value.
inline const QString unknownAlignment = QStringLiteral("不支持的对齐方式：%1。");
// %1 the library's own words.
inline const QString writeFailed = QStringLiteral("写入工作簿失败（%1）。");
inline const QString tempWriteFailed =
    QStringLiteral("写入临时文件失败，临时文件夹可能不能写入或磁盘已满（%1）。");
// %1 what went wrong, in the words of the part that failed.
inline const QString failed = QStringLiteral("导出失败：%1");
inline const QString incompleteWorkbook =
    QStringLiteral("工作簿没有完整写入，临时文件夹所在的磁盘可能已满。文件没有保存。");
inline const QString outOfMemory = QStringLiteral("内存不足，无法完成导出。");
// %1 the file, %2 the system's reason.
inline const QString cannotCreateFile = QStringLiteral("无法在此位置保存文件“%1”：%2");
inline const QString cannotWriteFile = QStringLiteral("写入文件“%1”失败，磁盘可能已满：%2");
inline const QString cannotReadTemp = QStringLiteral("无法读取导出的临时文件：%1");

} // namespace exporttexts
