#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace store {

// An exact decimal amount, as a ledger's money type keeps it: a signed 128-bit count of 10^-decimals.
// Stored numbers are read at four decimals (rounded half away from zero, as money is), so a product of
// two of them is exact at eight, and sums of price times quantity carry no binary rounding. Arithmetic on
// values that fit 64 bits needs no overflow test, which keeps a scan of a million orders fast.
class Amount final
{
public:
    using Units = __int128;
    static constexpr int readDecimals = 4; // a stored number
    static constexpr int maxDecimals = 8;  // a product of two; beyond, rounded half away from zero

    Amount() = default;
    // units counts 10^-decimals.
    static Amount fromUnits(Units units, int decimals) { return Amount(units, decimals); }
    // A stored whole number, at four decimals.
    static Amount fromInteger(qint64 value);
    // A stored number as the grid shows it (15 significant digits), rounded to four decimals; nullopt
    // when it is not finite or too large for the arithmetic.
    static std::optional<Amount> fromNumber(double value);

    // Checked arithmetic: nullopt when the result does not fit.
    friend std::optional<Amount> operator+(const Amount& a, const Amount& b);
    friend std::optional<Amount> operator-(const Amount& a, const Amount& b);
    friend std::optional<Amount> operator*(const Amount& a, const Amount& b);

    // Plain decimal text: no trailing zeros, no group separator, point as the decimal separator.
    QString text(QChar point = QLatin1Char('.')) const;

private:
    Amount(Units units, int decimals)
        : m_units(units)
        , m_decimals(decimals)
    {}
    Units m_units = 0;
    int m_decimals = 0;
};

// A running sum of amounts: NULL until the first value, as SQL's sum is; once a value or the sum itself
// does not fit, it stays "too large".
class AmountSum final
{
public:
    // nullopt: a value too large for the arithmetic.
    void add(const std::optional<Amount>& value);
    bool isNull() const { return !m_any && !m_tooLarge; }
    bool tooLarge() const { return m_tooLarge; }
    const Amount& value() const { return m_sum; }

private:
    Amount m_sum;
    bool m_any = false;
    bool m_tooLarge = false;
};

} // namespace store
