#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Jet's stored forms of numbers, dates and text, turned into exact decimal text and UTF-8. Plain C++ and
// no library: the reading helper uses them on the raw bytes of a row, the tests on hand-made bytes.
namespace jetimport {

// Currency: a signed 64-bit count of ten-thousandths. Exact: "1234567.89", "-5.25", "0".
std::string currencyText(std::int64_t tenThousandths);
// Double and Single: the shortest decimal text that reads back as the same value, so a Single that
// holds 89.9 gives "89.9" and not the digits of its binary value. Empty for NaN and infinities.
std::string doubleText(double value);
std::string singleText(float value);
// Decimal (Numeric): 17 bytes, a sign byte (0x80: negative) and a 128-bit magnitude stored as four
// little-endian 32-bit words, the most significant word first; value = magnitude / 10^scale.
std::string decimalText(const unsigned char* bytes, int scale);

// A Jet date: days since 1899-12-30 (negative before), the fraction the time of day (its absolute value
// for negative days). The day and the time of day rounded to the second.
struct JetDate
{
    int year = 0;
    int month = 0;
    int day = 0;
    int secondsOfDay = 0;
};
std::optional<JetDate> jetDate(double days);
// "yyyy-mm-dd", and " hh:mm:ss" after it when the time of day is not midnight.
std::string dateText(const JetDate& date);

// Jet 4 text: UTF-16LE, or Jet's compressed form (FF FE, then runs of one-byte Latin-1 characters and of
// two-byte characters, switched by a 0 byte). Surrogate pairs (emoji) are kept; a lone surrogate becomes
// U+FFFD.
std::string jet4Text(std::string_view stored);

} // namespace jetimport
