#pragma once

#include <QDate>
#include <QStringView>
#include <optional>

namespace orderimport {

// What a workbook's number format makes of a number: itself, a date (with or without a time of day), or
// a time of day or a duration alone, which is no date.
enum class NumberFormatKind { Plain, Date, Time };

// The kind of a built-in format id: 14-17 and 22 are dates, 18-21 and 45-47 times; 27-36 and 50-58 are
// the dates and times that Chinese, Japanese and Korean Excel write by id.
NumberFormatKind builtInFormatKind(int id);

// The kind of a format code ("yyyy-mm-dd", "[$-804]yyyy\"年\"m\"月\"d\"日\"", "[h]:mm"): a date when its
// first section shows a year, a day, or a month without hours or seconds beside it.
NumberFormatKind formatCodeKind(QStringView code);

// The day a serial number stands for, its fraction (the time of day) dropped. The 1900 system counts
// 1900-01-01 as 1 and has Lotus 1-2-3's 1900-02-29 (60), which is no day; the 1904 system counts
// 1904-01-01 as 0. Nothing for a serial outside the calendar (negative, 0 in the 1900 system, 60, or past
// 9999-12-31).
std::optional<QDate> dateFromSerial(double serial, bool date1904);

} // namespace orderimport
