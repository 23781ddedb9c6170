#include "store/Totals.h"

#include "store/TextForms.h"

#include <cmath>
#include <sqlite3.h>

namespace store {

namespace {

using Units = Amount::Units;

constexpr int firstNumberColumn = 2; // jj, then sl and sj, in the table's order
constexpr int fastBits = 41;         // a fast value: below 2^40 units of 10^-4, and its sign
constexpr int rowBits = 41;          // room for the sum of 2^41 rows
constexpr std::size_t fastDepth = 32;

Units pow10(int n)
{
    Units p = 1;
    while (n-- > 0) {
        p *= 10;
    }
    return p;
}

// A stored number in units of 10^-4, when it is one of the fast path's: a whole or four-decimal value
// below 2^40 units that does not lie near a half unit (where the double's error could tip the rounding).
bool readFast(sqlite3_stmt* st, int column, qint64& units)
{
    const int type = sqlite3_column_type(st, column);
    if (type == SQLITE_INTEGER) {
        const qint64 n = sqlite3_column_int64(st, column);
        if (n > -100'000'000 && n < 100'000'000) {
            units = n * 10'000;
            return true;
        }
        return false;
    }
    if (type != SQLITE_FLOAT) {
        return false;
    }
    const double t = sqlite3_column_double(st, column) * 1e4;
    if (!(std::fabs(t) < 0x1p40)) {
        return false;
    }
    const qint64 rounded = qint64(t + (t < 0 ? -0.5 : 0.5)); // half away from zero, without a libm call
    if (std::fabs(t - double(rounded)) > 0.499) {
        return false;
    }
    units = rounded;
    return true;
}

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
        m_compiled.push_back(compile(m_aggregates[i]));
        if (m_compiled.back().fast) {
            m_fastColumns |= m_compiled.back().columns;
        }
    }
}

TotalsScan::~TotalsScan() = default;

TotalsScan::Compiled TotalsScan::compile(const Aggregate& aggregate)
{
    Compiled c;
    if (aggregate.count || aggregate.sum.size() > fastDepth) {
        return c;
    }
    // The scale and the bits of each value on the stack, as the steps leave them.
    struct Shape
    {
        int decimals;
        int bits;
    };
    std::vector<Shape> shapes;
    for (const SumStep& step : aggregate.sum) {
        Compiled::Step out{step.op, quint8(step.column - firstNumberColumn), 1, 1};
        if (step.op == SumStep::Op::Column) {
            shapes.push_back({Amount::readDecimals, fastBits});
            c.columns |= 1u << out.column;
        } else {
            const Shape b = shapes.back();
            shapes.pop_back();
            Shape& a = shapes.back();
            if (step.op == SumStep::Op::Multiply) {
                a = {a.decimals + b.decimals, a.bits + b.bits};
            } else {
                const int decimals = std::max(a.decimals, b.decimals);
                // 10^k takes less than 3.33 k bits: 4 k is a safe bound.
                const int bits =
                    std::max(a.bits + 4 * (decimals - a.decimals), b.bits + 4 * (decimals - b.decimals));
                out.alignLeft = pow10(decimals - a.decimals);
                out.alignRight = pow10(decimals - b.decimals);
                a = {decimals, bits + 1};
            }
        }
        c.steps.push_back(out);
    }
    c.decimals = shapes.back().decimals;
    c.fast = c.decimals <= Amount::maxDecimals && shapes.back().bits + rowBits <= 126;
    return c;
}

void TotalsScan::addRow(sqlite3_stmt* st, int first)
{
    qint64 fast[3] = {};
    unsigned fastColumns = 0; // bit c: column c is a fast value
    for (int col = 0; col < 3; ++col) {
        if ((m_fastColumns & (1u << col)) && readFast(st, first + col, fast[col])) {
            fastColumns |= 1u << col;
        }
    }
    for (std::size_t i = 0; i < m_aggregates.size(); ++i) {
        Total& total = m_totals[i];
        if (total.count) {
            ++*total.count;
            continue;
        }
        Compiled& c = m_compiled[i];
        if (!c.fast || (c.columns & ~fastColumns) != 0) {
            addGeneral(st, first, i, total);
            continue;
        }
        Units stack[fastDepth];
        int top = -1;
        for (const Compiled::Step& step : c.steps) {
            switch (step.op) {
            case SumStep::Op::Column:
                stack[++top] = fast[step.column];
                break;
            case SumStep::Op::Add:
                stack[top - 1] = stack[top - 1] * step.alignLeft + stack[top] * step.alignRight;
                --top;
                break;
            case SumStep::Op::Subtract:
                stack[top - 1] = stack[top - 1] * step.alignLeft - stack[top] * step.alignRight;
                --top;
                break;
            case SumStep::Op::Multiply:
                stack[top - 1] *= stack[top];
                --top;
                break;
            }
        }
        c.fastSum += stack[0];
        c.anyFast = true;
    }
}

void TotalsScan::addGeneral(sqlite3_stmt* st, int first, std::size_t index, Total& total)
{
    std::vector<Value>& stack = m_stack;
    stack.clear();
    for (const SumStep& step : m_aggregates[index].sum) {
        if (step.op == SumStep::Op::Column) {
            stack.push_back(read(st, first + step.column - firstNumberColumn));
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

std::vector<Total> TotalsScan::totals() const
{
    std::vector<Total> totals = m_totals;
    for (std::size_t i = 0; i < totals.size(); ++i) {
        const Compiled& c = m_compiled[i];
        if (c.anyFast) {
            totals[i].sum.add(Amount::fromUnits(c.fastSum, c.decimals));
        }
    }
    return totals;
}

} // namespace store
