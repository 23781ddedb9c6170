#pragma once

#include "store/Amount.h"
#include "store/Translator.h"

#include <QString>
#include <array>
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
// Rows whose numbers are ordinary prices and quantities (below 10^8 with at most four decimals, nearly all
// of them) take a fast path: 128-bit integers whose range the expression's shape guarantees, so neither
// overflow tests nor decimal alignment run per row.
class TotalsScan final
{
public:
    explicit TotalsScan(std::vector<Aggregate> aggregates);
    ~TotalsScan();
    Q_DISABLE_COPY_MOVE(TotalsScan)

    // The current row of st, whose columns first, first + 1 and first + 2 are jj, sl and sj.
    void addRow(sqlite3_stmt* st, int first);
    // The totals over the rows added so far.
    std::vector<Total> totals() const;

    struct Value; // one value while a term is worked out the general way

private:
    // An aggregate ready for the fast path.
    struct Compiled
    {
        struct Step
        {
            SumStep::Op op;
            quint8 column;
            Amount::Units alignLeft; // the powers of ten that bring both operands of + and - to one scale
            Amount::Units alignRight;
        };
        std::vector<Step> steps;
        int decimals = 0;
        unsigned columns = 0; // bit c: the term reads number column c (0 jj, 1 sl, 2 sj)
        bool fast = false;    // the shape keeps every term and sum of the fast path within 128 bits
        Amount::Units fastSum = 0;
        bool anyFast = false;
    };
    static Compiled compile(const Aggregate& aggregate);
    void addGeneral(sqlite3_stmt* st, int first, std::size_t index, Total& total);

    std::vector<Aggregate> m_aggregates;
    std::vector<Compiled> m_compiled;
    std::vector<Total> m_totals;
    std::vector<Value> m_stack; // kept from row to row: no allocation per row
    unsigned m_fastColumns = 0; // the number columns some fast aggregate reads
};

} // namespace store
