#include "store/Totals.h"

#include "store/TextForms.h"

#include <array>
#include <sqlite3.h>

namespace store {

namespace {

constexpr int firstNumberColumn = 2; // jj, then sl and sj, in the table's order

} // namespace

struct TotalsScan::Value
{
    enum class Kind : quint8 { Null, TooLarge, Number };
    Kind kind = Kind::Null;
    Amount amount;
};

namespace {

using Value = TotalsScan::Value;

Value read(sqlite3_stmt* st, int column)
{
    switch (sqlite3_column_type(st, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return {Value::Kind::Number, Amount::fromInteger(sqlite3_column_int64(st, column))};
    default: {
        // A text in a number column counts by its leading number, as SQLite's own sum takes it.
        const std::optional<Amount> amount = Amount::fromNumber(sqlite3_column_double(st, column));
        return amount ? Value{Value::Kind::Number, *amount} : Value{Value::Kind::TooLarge, {}};
    }
    }
}

Value combine(SumStep::Op op, const Value& a, const Value& b)
{
    if (a.kind == Value::Kind::Null || b.kind == Value::Kind::Null) {
        return {};
    }
    if (a.kind == Value::Kind::TooLarge || b.kind == Value::Kind::TooLarge) {
        return {Value::Kind::TooLarge, {}};
    }
    std::optional<Amount> result;
    switch (op) {
    case SumStep::Op::Add:
        result = a.amount + b.amount;
        break;
    case SumStep::Op::Subtract:
        result = a.amount - b.amount;
        break;
    case SumStep::Op::Multiply:
        result = a.amount * b.amount;
        break;
    case SumStep::Op::Column:
        break;
    }
    return result ? Value{Value::Kind::Number, *result} : Value{Value::Kind::TooLarge, {}};
}

} // namespace

QString Total::text() const
{
    if (count) {
        return QString::number(*count);
    }
    if (sum.isNull() || sum.tooLarge()) {
        return QString();
    }
    return sum.value().text(textforms::uiLocale().decimalPoint().front());
}

TotalsScan::TotalsScan(std::vector<Aggregate> aggregates)
    : m_aggregates(std::move(aggregates))
    , m_totals(m_aggregates.size())
{
    for (std::size_t i = 0; i < m_aggregates.size(); ++i) {
        if (m_aggregates[i].count) {
            m_totals[i].count = 0;
        }
    }
}

TotalsScan::~TotalsScan() = default;

void TotalsScan::addRow(sqlite3_stmt* st, int first)
{
    std::array<Value, 3> columns; // jj, sl, sj, read once for every total
    for (int c = 0; c < 3; ++c) {
        columns[c] = read(st, first + c);
    }
    std::vector<Value>& stack = m_stack;
    for (std::size_t i = 0; i < m_aggregates.size(); ++i) {
        Total& total = m_totals[i];
        if (total.count) {
            ++*total.count;
            continue;
        }
        stack.clear();
        for (const SumStep& step : m_aggregates[i].sum) {
            if (step.op == SumStep::Op::Column) {
                stack.push_back(columns[step.column - firstNumberColumn]);
                continue;
            }
            const Value b = stack.back();
            stack.pop_back();
            stack.back() = combine(step.op, stack.back(), b);
        }
        const Value& term = stack.back();
        if (term.kind == Value::Kind::Number) {
            total.sum.add(term.amount);
        } else if (term.kind == Value::Kind::TooLarge) {
            total.sum.add(std::nullopt);
        }
    }
}

} // namespace store
