#pragma once

#include "mainwindow/MainCaptions.h"
#include "store/Totals.h"

#include <QString>
#include <QStringList>
#include <array>

// Every message, statement text and caption piece of the main window's logic, with the builders of the
// statements and conditions beside the texts they build.
namespace main_texts {

using mainwindow::captions::fieldPrompt;
using mainwindow::captions::keywordPrompt;

inline const QString notice = QStringLiteral("提示");

// Mode string values.
inline const QString listmodeQuery = QStringLiteral("cx");
inline const QString listmodeAll = QStringLiteral("all");

// The calendar's tag: which box gets the next picked date.
inline const QString startTag = QStringLiteral("startdate");
inline const QString endTag = QStringLiteral("enddate");

// Query button checks.
inline const QString startMissing = QStringLiteral("请选择开始日期！！");
inline const QString endMissing = QStringLiteral("请选择结束日期！！");
inline const QString endBeforeStart = QStringLiteral("结束日期不能小于开始日期！！");

// Failures.
inline const QString failedPrefix = QStringLiteral("操作未能完成：");
inline const QString unknownFailure = QStringLiteral("操作未能完成：发生了未知错误。");
inline const QString dataFileLine = QStringLiteral("数据文件：");
inline QString failed(const QString& what)
{
    return failedPrefix + what;
}
// A start-up failure always names the data file.
QString startupFailure(const QString& description, const QString& dataFile);

// Totals: statement beginning and the unit after the value, in the order they run (d1 to d5).
struct Total
{
    QString statement;
    QString unit;
};
inline const std::array<Total, 5> totals = {{
    {QStringLiteral("select count(*) as j from ddlist where 1=1 "), QStringLiteral(" 条")},
    {QStringLiteral("select sum(sl) as j from ddlist where 1=1 "), QStringLiteral(" 件")},
    {QStringLiteral("select sum(jj*sl) as j from ddlist where 1=1 "), QStringLiteral(" 元")},
    {QStringLiteral("select sum(sj*sl) as j from ddlist where 1=1 "), QStringLiteral(" 元")},
    {QStringLiteral("select sum((sj-jj)*sl) as j from ddlist where 1=1 "), QStringLiteral(" 元")},
}};
// A total beyond what the sums can hold.
inline const QString totalTooLarge = QStringLiteral("数值过大");
// A total's caption: its value's text directly followed by the unit; the unit alone when no order was
// summed.
QString totalCaption(const store::Total& total, const QString& unit);

inline QString listStatement(const QString& condition)
{
    return QStringLiteral("select * from ddlist where 1=1 ") + condition +
           QStringLiteral("  order by id desc");
}

// Conditions.
inline QString singleDay(const QString& date)
{
    return QStringLiteral(" and  xsdate=#") + date + QStringLiteral("#  ");
}
inline QString dateRange(const QString& start, const QString& end)
{
    return QStringLiteral(" and  xsdate>=#") + start + QStringLiteral("#   and xsdate<= #") + end +
           QStringLiteral("#   ");
}
// column like '%keyword%', the keyword made literal (apostrophes doubled, pattern characters escaped).
QString keywordClause(const QString& column, const QString& keyword);
// The column of a c1 item; empty for the prompt or an unknown text.
QString columnOf(const QString& field);
// The filter's condition: the keyword clause when a field is chosen and a keyword typed, then always the
// date range.
QString
queryCondition(const QString& field, const QString& keyword, const QString& start, const QString& end);

} // namespace main_texts

// The texts of the main window's commands on the selected order and of its two links, with the delete
// statement's builder.
namespace command_texts {

// The main window's Tag: "edit" opens the selected order, empty a new one.
inline const QString editMarker = QStringLiteral("edit");

inline const QString selectFirst = QStringLiteral("请选择记录后，再操作！！");
inline const QString confirmDelete = QStringLiteral("你确认要删除选中记录吗？") + QStringLiteral("\r\n\r\n") +
                                     QStringLiteral("注意：删除后不可恢复！");

// The web-shop page (Label1) and the home page (Label3).
inline const QString shopUrl = QStringLiteral("http://shop.tallywick.example/");
inline const QString homeUrl = QStringLiteral("http://www.tallywick.example/");

// "select * From ddlist where id=" directly followed by the id text.
inline QString deleteStatement(const QString& id)
{
    return QStringLiteral("select * From ddlist where id=") + id;
}

} // namespace command_texts
