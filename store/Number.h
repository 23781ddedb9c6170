#pragma once

#include <QString>

namespace store {

// A quantity or a price of one piece, as stored: the binary number read from what the seller typed, kept
// bit for bit. Its decimal value is the one the windows show (at most fifteen significant digits); the
// totals sum exactly that value, at four decimals.
class Number final
{
public:
    constexpr Number() = default;
    constexpr explicit Number(double stored)
        : m_stored(stored)
    {}

    constexpr double stored() const { return m_stored; }
    // Plain decimal text as the windows show it: no trailing zeros, no group separator.
    QString text() const;
    // The same text in into, whose buffer is used again when it is large enough.
    void text(QString& into) const;

    friend constexpr bool operator==(Number, Number) = default;

private:
    double m_stored = 0;
};

} // namespace store
