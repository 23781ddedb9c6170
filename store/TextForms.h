#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

// Dates and numbers as the windows show and read them; the store reads quoted values by the same rules.
namespace store::textforms {

// The locale of every shown date and number: the system's, or Chinese (China) under the C/POSIX locale.
QLocale uiLocale();
// Tests pin the locale with this; std::nullopt restores the system rule.
void setUiLocale(const std::optional<QLocale>& locale);

// The short date pattern of uiLocale(), with the year always in four digits.
QString shortDateFormat();
// One part of a date pattern: a run of one letter, a field (dd, M, yyyy, MMMM), or the literal text between
// such runs, quotes taken off ('' is one apostrophe).
struct PatternPart
{
    QChar field; // null for literal text
    qsizetype run = 0;
    QString literal;
};
std::vector<PatternPart> splitDatePattern(const QString& pattern);
// A day as short date text: 2026/12/9 under zh_CN.
QString dateText(const QDate& date);
// Reads the short date form (four-digit year, or two digits read as 1950-2049), or a four-digit year
// first as yyyy-m-d, yyyy.m.d or yyyy年m月d日 (month and day in one or two digits). Full-width digits and
// signs, as a Chinese input method types them, read as their ASCII forms.
std::optional<QDate> readDate(QStringView text);

// The calendar's days, 1753-01-01 to 9999-12-31: a date outside them can be neither picked nor found.
QDate firstCalendarDay();
QDate lastCalendarDay();
bool inCalendarRange(const QDate& date);

// A number as plain decimal text: at most 15 significant digits, no trailing zeros, no group separator,
// the locale's decimal separator.
QString numberText(double value);
// The same text in out, whose buffer is used again when it is large enough.
void numberText(double value, QString& out);
// The fifteen significant digits that numberText shows, as an integer and a power of ten: value is
// digits * 10^(exponent - 14). value must be finite.
struct SignificantDigits
{
    bool negative;
    qint64 digits;
    int exponent;
};
SignificantDigits significantDigits(double value);
// The number test: the whole text parses by the locale's rules, blanks around it allowed. Full-width
// digits and signs ("１２", "１９．９", "－５") read as their ASCII forms.
std::optional<double> readNumber(QStringView text);

} // namespace store::textforms
