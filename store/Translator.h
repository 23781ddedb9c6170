#pragma once

#include <QByteArray>
#include <QString>
#include <variant>
#include <vector>

namespace store {

// A value bound to one "?" of a translated statement.
using SqlValue = std::variant<qint64, double, QString>;

// One statement of the windows' dialect, as SQLite runs it.
struct Translation
{
    QByteArray sql;               // UTF-8 SQLite text; every value is a "?" bound from params
    std::vector<SqlValue> params; // in the order of the "?"s
    bool writes = false;          // an insert or an update
};

// Reads one statement of the shapes the windows build (the totals, the list, the load by id, the update
// and the insert, with keyword, date-range and single-day clauses) and writes it for SQLite.
// Throws StoreError: Refused for any other shape or for a second statement, TypeMismatch for a quoted value
// or #date# that does not fit its column. Pure: no I/O, never crashes on any input.
Translation translate(const QString& statement);

} // namespace store
