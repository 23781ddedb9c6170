#pragma once

#include <QString>

// Every text the export shows: the save question, the progress dialog and the failure descriptions.
namespace xl::texts {

// The save question for a new workbook.
inline const QString saveCaption = QStringLiteral("保存工作簿");
inline const QString saveFilter = QStringLiteral("Excel 工作簿 (*.xlsx)");
inline const QString saveSuffix = QStringLiteral("xlsx");
inline const QString defaultFileName = QStringLiteral("定单.xlsx");
// The second type the save question offers: the same cells as CSV text.
inline const QString csvFilter = QStringLiteral("CSV 文件 (*.csv)");
inline const QString csvSuffix = QStringLiteral("csv");

// The progress dialog of a large export.
inline const QString progressLabel = QStringLiteral("正在导出定单……");
inline const QString progressTitle = QStringLiteral("导出定单");

// Failure descriptions, shown as they stand in a message box with the application's own title.
inline const QString workbookClosed = QStringLiteral("工作簿已经关闭。");
inline const QString cannotCreateWorkbook =
    QStringLiteral("无法创建新的工作簿：临时文件夹不能写入，或者磁盘已满。请腾出磁盘空间后再导出。");
// After a saved workbook whose longest texts were cut to what a cell holds. %1 the limit, %2 the cells
// ("第 2 行第 8 列、……"), %3 how many.
inline const QString textsCut = QStringLiteral(
    "工作簿已经保存，但有 %3 个单元格的文字超过了一个单元格最多能容纳的 %1 个字符，只写入了开头部分：%2。"
    "完整的文字仍在定单中；需要时请另存为 CSV 文件。");
// One cut cell, %1 row, %2 column, both as the sheet counts them.
inline const QString cutCell = QStringLiteral("第 %1 行第 %2 列");
inline const QString cutCellSeparator = QStringLiteral("、");
inline const QString moreCutCells = QStringLiteral("等");
// %1 the orders listed, %2 the rows of a sheet.
inline const QString tooManyRows = QStringLiteral(
    "列出的订单有 %1 条，超过了一张工作表能容纳的 %2 行（含标题行）。请缩小查询范围后分几次导出。");
// %1 the library's error number.
inline const QString writeFailed =
    QStringLiteral("写入工作簿失败（错误代码 %1）。请腾出磁盘空间，或者换一个文件夹保存后再试。");
inline const QString tempWriteFailed =
    QStringLiteral("写入临时文件失败：临时文件夹不能写入，或者磁盘已满。请腾出磁盘空间后再导出。");
// %1 what went wrong, in the words of the part that failed.
inline const QString failed = QStringLiteral("导出失败：%1");
inline const QString incompleteWorkbook = QStringLiteral(
    "工作簿没有完整写入，临时文件夹所在的磁盘可能已满。文件没有保存；请腾出磁盘空间后再导出。");
inline const QString outOfMemory = QStringLiteral("内存不足，无法完成导出。请关闭其他程序后再试。");
// %1 the file, %2 why.
inline const QString cannotCreateFile = QStringLiteral("无法在此位置保存文件“%1”：%2。请换一个文件夹保存。");
inline const QString folderMissing = QStringLiteral("文件夹不存在");
inline const QString notAFolder = QStringLiteral("路径中有一个同名的文件，不是文件夹");
inline const QString folderInTheWay = QStringLiteral("已经有一个同名的文件夹");
inline const QString folderNotWritable = QStringLiteral("这个文件夹不能写入");
// %1 the file.
inline const QString cannotWriteFile =
    QStringLiteral("写入文件“%1”失败，磁盘可能已满。文件没有保存；请腾出磁盘空间，或者换一个文件夹保存。");
inline const QString cannotReadTemp =
    QStringLiteral("无法读取导出的临时文件，临时文件夹所在的磁盘可能已满。请腾出磁盘空间后再导出。");

} // namespace xl::texts
