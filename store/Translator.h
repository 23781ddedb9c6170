#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace store {

// A value bound to one "?" of a translated statement.
using SqlValue = std::variant<qint64, double, QString>;

// One step of a total's expression, in reverse Polish order: push a number column, or combine the two
// values on top.
struct SumStep
{
    enum class Op : quint8 { Column, Add, Subtract, Multiply };
    Op op;
    quint8 column = 0; // Column: the column's place in the table (jj 2, sl 3, sj 4)
};

// What a total statement computes: the count of the rows, or the sum of an expression over them.
struct Aggregate
{
    bool count = false;
    std::vector<SumStep> sum; // empty for the count
};

// One statement of the windows' dialect, as SQLite runs it.
struct Translation
{
    QByteArray sql;                     // UTF-8 SQLite text; every value is a "?" bound from params
    std::vector<SqlValue> params;       // in the order of the "?"s
    bool writes = false;                // an insert or an update
    QByteArray where;                   // a select's condition ("1=1 AND ..."), holding every "?"
    std::optional<Aggregate> aggregate; // a total statement
    QDate rangeStart;                   // the condition's xsdate>= and xsdate<= days; null without
    QDate rangeEnd;
};

// How a condition's date range reaches the rows: by the xsdate index (a narrow range), or by reading
// the table in id order (a wide one, where walking the index costs more than the rows it skips).
enum class DatePlan { Index, Scan };

// Reads one statement of the shapes the windows build (the totals, the list, the load by id, the update
// and the insert, with keyword, date-range and single-day clauses) and writes it for SQLite.
// Throws StoreError: Refused for any other shape or for a second statement, TypeMismatch for a quoted value
// or #date# that does not fit its column. Pure: no I/O, never crashes on any input.
Translation translate(const QString& statement, DatePlan plan = DatePlan::Index);

} // namespace store
