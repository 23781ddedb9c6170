#include "store/Amount.h"

#include "store/TextForms.h"

#include <array>
#include <cmath>
#include <limits>

namespace store {

namespace {

using Units = Amount::Units;

// 10^n for 0 <= n <= 38, from a table: it is asked for on every sum of a scan.
Units pow10(int n)
{
    static constexpr auto table = [] {
        std::array<Units, 39> powers{};
        powers[0] = 1;
        for (std::size_t i = 1; i < powers.size(); ++i) {
            powers[i] = powers[i - 1] * 10;
        }
        return powers;
    }();
    return table[std::size_t(n)];
}
constexpr Units four = 10000; // 10^readDecimals

constexpr Units int64Max = Units(std::numeric_limits<qint64>::max());

bool small(Units v)
{
    return v <= int64Max && v >= -int64Max;
}

// a * b, false when it does not fit. Two values of 64 bits always fit; others are tested by division
// rather than __builtin_mul_overflow, whose 128-bit form needs a runtime routine not every toolchain links.
bool multiply(Units a, Units b, Units& product)
{
    if (small(a) && small(b)) {
        product = a * b;
        return true;
    }
    constexpr Units max = Units(~static_cast<unsigned __int128>(0) >> 1);
    const Units absA = a < 0 ? -a : a;
    const Units absB = b < 0 ? -b : b;
    if (a == -max - 1 || b == -max - 1 || (absA != 0 && absB > max / absA)) {
        return false;
    }
    product = a * b;
    return true;
}

// value / divisor, rounded half away from zero.
Units divideRounded(Units value, Units divisor)
{
    const Units q = value / divisor;
    const Units r = value % divisor;
    if (r * 2 >= divisor) {
        return q + 1;
    }
    if (r * 2 <= -divisor) {
        return q - 1;
    }
    return q;
}

// The number's 15 significant digits (as the grid shows it) at four decimals, in units of 10^-4.
std::optional<Units> fourDecimalsFromText(double value)
{
    const textforms::SignificantDigits d = textforms::significantDigits(value);
    const Units mantissa = d.digits;
    const bool negative = d.negative;
    const int exponent = d.exponent;
    const int shift = exponent - 14 + 4; // to units of 10^-4
    Units units = 0;
    if (shift >= 0) {
        if (shift > 20) {
            return std::nullopt; // beyond 10^35: no total could hold it
        }
        units = mantissa * pow10(shift);
    } else if (-shift <= 16) {
        units = divideRounded(mantissa, pow10(-shift));
    }
    return negative ? -units : units;
}

// a and b at the same number of decimals, the larger of theirs.
bool align(Units a, int aDecimals, Units b, int bDecimals, Units& x, Units& y, int& decimals)
{
    decimals = std::max(aDecimals, bDecimals);
    return multiply(a, pow10(decimals - aDecimals), x) && multiply(b, pow10(decimals - bDecimals), y);
}

} // namespace

Amount Amount::fromInteger(qint64 value)
{
    return Amount(Units(value) * four, readDecimals);
}

std::optional<Amount> Amount::fromNumber(double value)
{
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // Fast path: below 2^40 units of 10^-4 the product is within 2.5e-4 of the decimal value the double
    // stands for, so rounding it is exact unless it lies that close to a half.
    const double t = value * 1e4;
    if (std::fabs(t) < 0x1p40) {
        const double fraction = std::fabs(t - std::trunc(t));
        if (std::fabs(fraction - 0.5) > 1e-3) {
            return Amount(Units(std::llround(t)), readDecimals);
        }
    }
    const std::optional<Units> units = fourDecimalsFromText(value);
    if (!units) {
        return std::nullopt;
    }
    return Amount(*units, readDecimals);
}

std::optional<Amount> operator+(const Amount& a, const Amount& b)
{
    Units x, y, sum;
    int decimals;
    if (!align(a.m_units, a.m_decimals, b.m_units, b.m_decimals, x, y, decimals) ||
        __builtin_add_overflow(x, y, &sum)) {
        return std::nullopt;
    }
    return Amount(sum, decimals);
}

std::optional<Amount> operator-(const Amount& a, const Amount& b)
{
    Units negated;
    if (__builtin_sub_overflow(Units(0), b.m_units, &negated)) {
        return std::nullopt;
    }
    return a + Amount(negated, b.m_decimals);
}

std::optional<Amount> operator*(const Amount& a, const Amount& b)
{
    Units product;
    if (!multiply(a.m_units, b.m_units, product)) {
        return std::nullopt;
    }
    const int decimals = a.m_decimals + b.m_decimals;
    if (decimals > Amount::maxDecimals) {
        return Amount(divideRounded(product, pow10(decimals - Amount::maxDecimals)), Amount::maxDecimals);
    }
    return Amount(product, decimals);
}

QString Amount::text(QChar point) const
{
    // Digits from the last: the magnitude fits an unsigned 128-bit value whatever the sign.
    unsigned __int128 magnitude =
        m_units < 0 ? -static_cast<unsigned __int128>(m_units) : static_cast<unsigned __int128>(m_units);
    char16_t digits[48];
    int n = 0;
    while (magnitude > 0 || n <= m_decimals) {
        digits[n++] = char16_t(u'0' + int(magnitude % 10));
        magnitude /= 10;
    }
    int first = 0; // trailing zeros of the fraction are dropped
    while (first < m_decimals && digits[first] == u'0') {
        ++first;
    }
    QString out;
    out.reserve(n + 2);
    if (m_units < 0) {
        out += QLatin1Char('-');
    }
    for (int i = n - 1; i >= m_decimals; --i) {
        out += QChar(digits[i]);
    }
    if (first < m_decimals) {
        out += point;
        for (int i = m_decimals - 1; i >= first; --i) {
            out += QChar(digits[i]);
        }
    }
    return out;
}

void AmountSum::add(const std::optional<Amount>& value)
{
    if (m_tooLarge) {
        return;
    }
    if (!value) {
        m_tooLarge = true;
        return;
    }
    const std::optional<Amount> sum = m_sum + *value;
    if (!sum) {
        m_tooLarge = true;
        return;
    }
    m_sum = *sum;
    m_any = true;
}

} // namespace store
