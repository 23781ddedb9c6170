#pragma once

#include <QString>
#include <array>

// The statements the main window runs, and the conditions its listings are made of.
namespace mainwindow {

// The totals: statement beginning and the unit after the value, in the order they run (d1 to d5).
struct TotalStatement
{
    QString statement;
    QString unit;
};
inline const std::array<TotalStatement, 5> totals = {{
    {QStringLiteral("select count(*) as j from ddlist where 1=1 "), QStringLiteral(" 条")},
    {QStringLiteral("select sum(sl) as j from ddlist where 1=1 "), QStringLiteral(" 件")},
    {QStringLiteral("select sum(jj*sl) as j from ddlist where 1=1 "), QStringLiteral(" 元")},
    {QStringLiteral("select sum(sj*sl) as j from ddlist where 1=1 "), QStringLiteral(" 元")},
    {QStringLiteral("select sum((sj-jj)*sl) as j from ddlist where 1=1 "), QStringLiteral(" 元")},
}};

QString listStatement(const QString& condition);
// "select * From ddlist where id=" directly followed by the id text.
QString deleteStatement(const QString& id);

// Conditions.
QString singleDay(const QString& date);
QString dateRange(const QString& start, const QString& end);
// column like '%keyword%', the keyword made literal (apostrophes doubled, pattern characters escaped).
QString keywordClause(const QString& column, const QString& keyword);
// The column of a c1 item; empty for the prompt or an unknown text.
QString columnOf(const QString& field);
// The filter's condition: the keyword clause when a field is chosen and a keyword typed, then always the
// date range.
QString
queryCondition(const QString& field, const QString& keyword, const QString& start, const QString& end);

} // namespace mainwindow
