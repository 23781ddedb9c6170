#pragma once

#include "store/Amount.h"
#include "store/Translator.h"

#include <QString>
#include <optional>
#include <vector>

struct sqlite3_stmt;

namespace store {

// One total over listed orders: a count, or an exact sum (NULL over no rows, as SQL's sum is).
struct Total
{
    std::optional<qint64> count;
    AmountSum sum;

    bool isNull() const { return !count && sum.isNull(); }
    bool tooLarge() const { return !count && sum.tooLarge(); }
    // Plain decimal text with the shown decimal separator; empty for NULL and for a sum too large.
    QString text() const;
};

// Works out total statements over the rows of one scan, in exact decimal arithmetic: a number column
// is read as an amount at four decimals, NULL makes the row's term NULL (left out of the sum, as SQL
// does), a value too large for the arithmetic makes the whole sum too large.
class TotalsScan final
{
public:
    explicit TotalsScan(std::vector<Aggregate> aggregates);
    ~TotalsScan();
    Q_DISABLE_COPY_MOVE(TotalsScan)

    // The current row of st, whose columns first, first + 1 and first + 2 are jj, sl and sj.
    void addRow(sqlite3_stmt* st, int first);
    const std::vector<Total>& totals() const { return m_totals; }

    struct Value; // one value while a term is worked out

private:
    std::vector<Aggregate> m_aggregates;
    std::vector<Total> m_totals;
    std::vector<Value> m_stack; // kept from row to row: no allocation per row
};

} // namespace store
