#include "store/Amount.h"

#include <charconv>
#include <cmath>

namespace store {

namespace {

using Units = Amount::Units;

constexpr Units pow10(int n)
{
    Units p = 1;
    for (int i = 0; i < n; ++i) {
        p *= 10;
    }
    return p;
}
constexpr Units four = pow10(4);  // 10^-4 in units of 10^-8
constexpr Units scale = pow10(8); // 1 in units of 10^-8

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
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const char* p = buf;
    const bool negative = *p == '-';
    if (negative) {
        ++p;
    }
    Units mantissa = 0; // the fifteen digits as an integer: value = mantissa * 10^(exponent - 14)
    for (; p < r.ptr && *p != 'e'; ++p) {
        if (*p != '.') {
            mantissa = mantissa * 10 + (*p - '0');
        }
    }
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), r.ptr, exponent);
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

} // namespace

Amount Amount::fromInteger(qint64 value)
{
    return Amount(Units(value) * scale);
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
            return Amount(Units(std::llround(t)) * four);
        }
    }
    const std::optional<Units> units = fourDecimalsFromText(value);
    if (!units) {
        return std::nullopt;
    }
    return Amount(*units * four);
}

std::optional<Amount> operator+(Amount a, Amount b)
{
    Units sum;
    if (__builtin_add_overflow(a.m_units, b.m_units, &sum)) {
        return std::nullopt;
    }
    return Amount(sum);
}

std::optional<Amount> operator-(Amount a, Amount b)
{
    Units difference;
    if (__builtin_sub_overflow(a.m_units, b.m_units, &difference)) {
        return std::nullopt;
    }
    return Amount(difference);
}

std::optional<Amount> operator*(Amount a, Amount b)
{
    Units product;
    // Two values of four decimals: multiplied at four, the product is exact at eight without the range
    // lost to a full-scale product.
    if (a.m_units % four == 0 && b.m_units % four == 0) {
        if (__builtin_mul_overflow(a.m_units / four, b.m_units / four, &product)) {
            return std::nullopt;
        }
        return Amount(product);
    }
    if (__builtin_mul_overflow(a.m_units, b.m_units, &product)) {
        return std::nullopt;
    }
    return Amount(divideRounded(product, scale));
}

QString Amount::text(QChar point) const
{
    // Digits from the last: the magnitude fits an unsigned 128-bit value whatever the sign.
    unsigned __int128 magnitude =
        m_units < 0 ? -static_cast<unsigned __int128>(m_units) : static_cast<unsigned __int128>(m_units);
    char16_t digits[48];
    int n = 0;
    while (magnitude > 0 || n <= decimals) {
        digits[n++] = char16_t(u'0' + int(magnitude % 10));
        magnitude /= 10;
    }
    int first = 0; // trailing zeros of the fraction are dropped
    while (first < decimals && digits[first] == u'0') {
        ++first;
    }
    QString out;
    out.reserve(n + 2);
    if (m_units < 0) {
        out += QLatin1Char('-');
    }
    for (int i = n - 1; i >= decimals; --i) {
        out += QChar(digits[i]);
    }
    if (first < decimals) {
        out += point;
        for (int i = decimals - 1; i >= first; --i) {
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
