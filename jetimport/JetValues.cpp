#include "jetimport/JetValues.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace jetimport {

namespace {

// Digits of value / 10^scale with the trailing zeros of the fraction dropped.
std::string scaledText(bool negative, std::string digits, int scale)
{
    if (scale > 0) {
        if (static_cast<int>(digits.size()) <= scale) {
            digits.insert(0, static_cast<std::size_t>(scale) - digits.size() + 1, '0');
        }
        digits.insert(digits.size() - static_cast<std::size_t>(scale), 1, '.');
        while (digits.back() == '0') {
            digits.pop_back();
        }
        if (digits.back() == '.') {
            digits.pop_back();
        }
    }
    if (negative && digits != "0") {
        digits.insert(0, 1, '-');
    }
    return digits;
}

template <typename Float> std::string shortestText(Float value)
{
    if (!std::isfinite(value)) {
        return {};
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    // to_chars may choose the exponent form ("1e+06"); the store and the windows want plain digits.
    if (text.find('e') != std::string::npos) {
        const auto fixed = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
        text.assign(buffer, fixed.ptr);
    }
    if (text == "-0") {
        text = "0";
    }
    return text;
}

// Civil date of a count of days since 1970-01-01 (Howard Hinnant's algorithm).
void civilFromDays(long long z, int& y, int& m, int& d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string currencyText(std::int64_t tenThousandths)
{
    const bool negative = tenThousandths < 0;
    // The magnitude as unsigned: the most negative value has no positive int64.
    const std::uint64_t magnitude = negative ? ~static_cast<std::uint64_t>(tenThousandths) + 1
                                             : static_cast<std::uint64_t>(tenThousandths);
    return scaledText(negative, std::to_string(magnitude), 4);
}

std::string doubleText(double value)
{
    return shortestText(value);
}

std::string singleText(float value)
{
    return shortestText(value);
}

std::string decimalText(const unsigned char* bytes, int scale)
{
    // Four 32-bit words, most significant first, each little-endian.
    std::uint32_t words[4];
    for (int w = 0; w < 4; ++w) {
        const unsigned char* p = bytes + 1 + 4 * w;
        words[w] = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                   std::uint32_t(p[3]) << 24;
    }
    // Long division by 10 of the 128-bit magnitude gives its decimal digits.
    std::string digits;
    bool nonZero = true;
    while (nonZero) {
        std::uint64_t remainder = 0;
        nonZero = false;
        for (std::uint32_t& word : words) {
            const std::uint64_t current = remainder << 32 | word;
            word = static_cast<std::uint32_t>(current / 10);
            remainder = current % 10;
            nonZero = nonZero || word != 0;
        }
        digits.insert(digits.begin(), static_cast<char>('0' + remainder));
    }
    if (scale < 0 || scale > 38) {
        scale = 0;
    }
    return scaledText((bytes[0] & 0x80) != 0, digits, scale);
}

std::optional<JetDate> jetDate(double days)
{
    // Jet's own range is the years 100 to 9999.
    if (!std::isfinite(days) || days < -657434.0 || days >= 2958466.0) {
        return std::nullopt;
    }
    long long whole = static_cast<long long>(std::trunc(days));
    long long seconds = std::llround(std::fabs(days - static_cast<double>(whole)) * 86400.0);
    if (seconds >= 86400) { // a time that rounds to midnight is the start of the next day
        seconds = 0;
        whole += 1;
    }
    JetDate date;
    // 1899-12-30 is 25569 days before 1970-01-01.
    civilFromDays(whole - 25569, date.year, date.month, date.day);
    date.secondsOfDay = static_cast<int>(seconds);
    if (date.year < 100 || date.year > 9999) {
        return std::nullopt;
    }
    return date;
}

std::string dateText(const JetDate& date)
{
    char buffer[32];
    int n = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
    std::string text(buffer, static_cast<std::size_t>(n));
    if (date.secondsOfDay != 0) {
        n = std::snprintf(buffer, sizeof buffer, " %02d:%02d:%02d", date.secondsOfDay / 3600,
                          date.secondsOfDay / 60 % 60, date.secondsOfDay % 60);
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

std::string jet4Text(std::string_view stored)
{
    std::string out;
    out.reserve(stored.size() * 3 / 2);
    const auto* p = reinterpret_cast<const unsigned char*>(stored.data());
    const std::size_t n = stored.size();
    char16_t pendingHigh = 0;
    const auto put = [&](char16_t unit) {
        if (pendingHigh != 0) {
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((char32_t(pendingHigh) - 0xD800) << 10) + (unit - 0xDC00));
                pendingHigh = 0;
                return;
            }
            appendUtf8(out, 0xFFFD);
            pendingHigh = 0;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            pendingHigh = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, unit);
        }
    };
    if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
        bool compressed = true;
        std::size_t i = 2;
        while (i < n) {
            if (p[i] == 0) {
                compressed = !compressed;
                ++i;
            } else if (compressed) {
                put(p[i]);
                ++i;
            } else if (i + 1 < n) {
                put(static_cast<char16_t>(p[i] | p[i + 1] << 8));
                i += 2;
            } else {
                break; // an odd byte at the end carries no character
            }
        }
    } else {
        for (std::size_t i = 0; i + 1 < n; i += 2) {
            put(static_cast<char16_t>(p[i] | p[i + 1] << 8));
        }
    }
    if (pendingHigh != 0) {
        appendUtf8(out, 0xFFFD);
    }
    return out;
}

} // namespace jetimport
