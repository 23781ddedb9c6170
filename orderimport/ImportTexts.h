#pragma once

#include <QString>

// Every message the import's reading shows, in one place. %1 is the file's name.
namespace orderimport::texts {

inline QString cannotOpen()
{
    return QStringLiteral("无法打开文件 %1：文件不存在或没有读取权限。");
}
inline QString readFailed()
{
    return QStringLiteral("读取文件 %1 时出错：磁盘读取失败。");
}
inline QString emptyFile()
{
    return QStringLiteral("文件 %1 是空的，没有可导入的内容。");
}
inline QString binaryText()
{
    return QStringLiteral("无法读取文件 %1：它不是文本表格，内容像是图片、程序等其他文件。");
}
inline QString damaged()
{
    return QStringLiteral("无法读取文件 %1：文件已损坏或不是表格文件。");
}
inline QString noSheet()
{
    return QStringLiteral("无法读取文件 %1：工作簿里没有工作表。");
}
inline QString encrypted()
{
    return QStringLiteral(
        "无法读取文件 %1：工作簿设有打开密码。请在 Excel 或 WPS 中取消密码并保存后再导入。");
}
inline QString webPage()
{
    return QStringLiteral("无法读取文件 %1：它是网页格式，不是真正的 Excel 表格。请用 Excel 或 WPS "
                          "打开后另存为 .xlsx 再导入。");
}
// %2: the record's number.
inline QString unclosedQuote()
{
    return QStringLiteral("无法读取文件 %1：第 %2 行的引号没有配对，文件可能不完整。");
}
// %2: the record's number.
inline QString cellTooLong()
{
    return QStringLiteral("无法读取文件 %1：第 %2 行有一个单元格的内容过长。");
}
inline QString tooManyTexts()
{
    return QStringLiteral("无法读取文件 %1：工作簿里的文字太多，超出了本程序能处理的大小。");
}
// %2: the encoding's name.
inline QString noDecoder()
{
    return QStringLiteral("无法读取文件 %1：本机不支持 %2 编码。");
}

} // namespace orderimport::texts

// The check of the rows and of the settings.
namespace orderimport::texts {
inline QString missing(const QString& field)
{
    return QStringLiteral("缺少%1").arg(field);
}
inline QString notNumber(const QString& field, const QString& text)
{
    return QStringLiteral("%1不是数字：“%2”").arg(field, text);
}
inline QString notDate(const QString& text)
{
    return QStringLiteral("销售日期无法识别，或不在 1753 年到 9999 年之间：“%1”").arg(text);
}
inline QString needColumn(const QString& field)
{
    return QStringLiteral("请为“%1”选择一列，或者填写一个统一的值。").arg(field);
}
inline const QString needDateForm = QStringLiteral("请选择销售日期的格式：文件中的日期分不清日和月。");
} // namespace orderimport::texts
