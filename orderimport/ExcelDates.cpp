#include "orderimport/ExcelDates.h"

#include <QString>
#include <cmath>

namespace orderimport {

NumberFormatKind builtInFormatKind(int id)
{
    if ((id >= 14 && id <= 17) || id == 22 || (id >= 27 && id <= 31) || id == 36 || (id >= 50 && id <= 54) ||
        id == 57 || id == 58) {
        return NumberFormatKind::Date;
    }
    if ((id >= 18 && id <= 21) || (id >= 32 && id <= 35) || (id >= 45 && id <= 47) || id == 55 || id == 56) {
        return NumberFormatKind::Time;
    }
    return NumberFormatKind::Plain;
}

NumberFormatKind formatCodeKind(QStringView code)
{
    bool year = false;
    bool day = false;
    bool month = false;
    bool hour = false;
    bool second = false;
    bool elapsed = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i].toLower();
        if (c == u';') {
            break; // the first section: the one for positive numbers
        }
        if (c == u'"') {
            // Literal text: "年" and the like.
            const qsizetype close = code.indexOf(u'"', i + 1);
            i = close < 0 ? code.size() : close;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i; // an escaped character, a padding or a fill
        } else if (c == u'[') {
            const qsizetype close = code.indexOf(u']', i + 1);
            const QStringView inside = code.mid(i + 1, (close < 0 ? code.size() : close) - i - 1);
            // [h], [mm], [ss]: a duration. Colours, locales ([$-804]) and conditions say nothing.
            if (!inside.isEmpty() && (inside.front().toLower() == u'h' || inside.front().toLower() == u'm' ||
                                      inside.front().toLower() == u's')) {
                bool units = true;
                for (const QChar u : inside) {
                    units = units && u.toLower() == inside.front().toLower();
                }
                elapsed = elapsed || units;
            }
            i = close < 0 ? code.size() : close;
        } else {
            year = year || c == u'y';
            day = day || c == u'd';
            month = month || c == u'm';
            hour = hour || c == u'h';
            second = second || c == u's';
        }
    }
    if (elapsed) {
        return NumberFormatKind::Time;
    }
    if (year || day || (month && !hour && !second)) {
        return NumberFormatKind::Date;
    }
    return hour || second || month ? NumberFormatKind::Time : NumberFormatKind::Plain;
}

std::optional<QDate> dateFromSerial(double serial, bool date1904)
{
    if (!std::isfinite(serial) || serial < 0 || serial > 3e6) {
        return std::nullopt;
    }
    const auto days = static_cast<qint64>(std::floor(serial));
    QDate date;
    if (date1904) {
        date = QDate(1904, 1, 1).addDays(days);
    } else if (days >= 61) {
        date = QDate(1899, 12, 30).addDays(days);
    } else if (days >= 1 && days < 60) {
        date = QDate(1899, 12, 31).addDays(days);
    } else {
        return std::nullopt; // 0 is "1900-01-00" and 60 is 1900-02-29: neither is a day
    }
    if (!date.isValid() || date.year() > 9999) {
        return std::nullopt;
    }
    return date;
}

} // namespace orderimport
