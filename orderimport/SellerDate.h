#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace orderimport {

// The order of a date's parts. Only year-first dates say their order themselves: "04/12/2026" is the 4th of
// December to one seller and April 12th to another, so the caller names the order.
enum class DateForm { YearMonthDay, DayMonthYear, MonthDayYear };

// A date as sellers write one, in the given order, the year in four digits: "2026-12-04", "2026/12/4",
// "2026.12.04", "2026年12月4日"; "04/12/2026", "4-12-2026", "04.12.2026". A time of day after it
// ("2026-12-04 13:45:00", "2026/12/4 9:05", "2026-12-04T13:45") is checked and dropped. Full-width digits
// are read too. Nothing for another form, a day that does not exist, or a year outside 1753-9999.
std::optional<QDate> readSellerDate(QStringView text, DateForm form);

// The forms that read every non-blank sample of a column; none when there is no sample.
struct DateFormGuess
{
    std::vector<DateForm> forms;

    // Both day-first and month-first fit (no day past 12 was seen): the seller must choose, as a guess
    // would turn one date into another without a word.
    bool dayMonthAmbiguous() const;
};
DateFormGuess guessDateForms(const std::vector<QString>& samples);

} // namespace orderimport
