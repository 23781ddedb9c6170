#include "orderimport/SellerDate.h"

#include "orderimport/SellerText.h"
#include "store/TextForms.h"

#include <QRegularExpression>
#include <algorithm>

namespace orderimport {

namespace {

// An optional time of day after the date, then the end; its parts are captured to be checked.
QString timeOfDayToEnd()
{
    return QStringLiteral("(?:(?:\\s+|T)([0-9]{1,2}):([0-9]{2})(?::([0-9]{2})(?:\\.[0-9]+)?)?)?\\z");
}

bool validTime(const QRegularExpressionMatch& match, int first)
{
    if (match.capturedView(first).isEmpty()) {
        return true;
    }
    const int hour = match.capturedView(first).toInt();
    const int minute = match.capturedView(first + 1).toInt();
    const int second = match.capturedView(first + 2).isEmpty() ? 0 : match.capturedView(first + 2).toInt();
    return hour <= 23 && minute <= 59 && second <= 59;
}

std::optional<QDate> makeDate(int year, int month, int day)
{
    const QDate date(year, month, day);
    return store::textforms::inCalendarRange(date) ? std::optional<QDate>(date) : std::nullopt;
}

// The commonest form, read at once: "2026-12-04", "2026/12/4", "2026.12.4", nothing around it. Anything
// else goes the general way.
std::optional<std::optional<QDate>> readPlainYearFirst(QStringView t)
{
    const auto digit = [&](qsizetype i) { return i < t.size() && t[i] >= u'0' && t[i] <= u'9'; };
    const auto number = [&](qsizetype& i) {
        int n = 0;
        const qsizetype start = i;
        while (digit(i) && i - start < 2) {
            n = n * 10 + (t[i++].unicode() - u'0');
        }
        return i > start ? n : -1;
    };
    if (t.size() < 8 || t.size() > 10 || !(digit(0) && digit(1) && digit(2) && digit(3))) {
        return std::nullopt;
    }
    const QChar separator = t[4];
    if (separator != u'-' && separator != u'/' && separator != u'.') {
        return std::nullopt;
    }
    qsizetype i = 5;
    const int month = number(i);
    if (month < 0 || i >= t.size() || t[i] != separator) {
        return std::nullopt;
    }
    ++i;
    const int day = number(i);
    if (day < 0 || i != t.size()) {
        return std::nullopt;
    }
    return makeDate(t.left(4).toInt(), month, day);
}

} // namespace

std::optional<QDate> readSellerDate(QStringView text, DateForm form)
{
    if (form == DateForm::YearMonthDay) {
        if (const std::optional<std::optional<QDate>> plain = readPlainYearFirst(text)) {
            return *plain;
        }
    }
    const QString plain = foldForReading(text);
    if (form == DateForm::YearMonthDay) {
        // The same separator twice, or 年 and 月 with an optional 日.
        static const QRegularExpression yearFirst(
            QStringLiteral(
                "\\A([0-9]{4})\\s*(?:([-/.])\\s*([0-9]{1,2})\\s*\\2|年\\s*([0-9]{1,2})\\s*月)\\s*([0-9]{1,2})"
                "(?:\\s*日)?") +
            timeOfDayToEnd());
        const QRegularExpressionMatch match = yearFirst.match(plain);
        if (!match.hasMatch() || !validTime(match, 6)) {
            return std::nullopt;
        }
        // 日 belongs to the Chinese form only.
        if (!match.capturedView(2).isEmpty() && plain.contains(QChar(0x65E5))) {
            return std::nullopt;
        }
        const QStringView month =
            match.capturedView(2).isEmpty() ? match.capturedView(4) : match.capturedView(3);
        return makeDate(match.capturedView(1).toInt(), month.toInt(), match.capturedView(5).toInt());
    }
    static const QRegularExpression yearLast(
        QStringLiteral("\\A([0-9]{1,2})([-/.])([0-9]{1,2})\\2([0-9]{4})") + timeOfDayToEnd());
    const QRegularExpressionMatch match = yearLast.match(plain);
    if (!match.hasMatch() || !validTime(match, 5)) {
        return std::nullopt;
    }
    const int first = match.capturedView(1).toInt();
    const int second = match.capturedView(3).toInt();
    const int year = match.capturedView(4).toInt();
    return form == DateForm::DayMonthYear ? makeDate(year, second, first) : makeDate(year, first, second);
}

bool DateFormGuess::dayMonthAmbiguous() const
{
    return std::find(forms.begin(), forms.end(), DateForm::DayMonthYear) != forms.end() &&
           std::find(forms.begin(), forms.end(), DateForm::MonthDayYear) != forms.end();
}

DateFormGuess guessDateForms(const std::vector<QString>& samples)
{
    DateFormGuess guess;
    const bool anySample =
        std::any_of(samples.begin(), samples.end(), [](const QString& s) { return !s.trimmed().isEmpty(); });
    if (!anySample) {
        return guess;
    }
    for (const DateForm form : {DateForm::YearMonthDay, DateForm::DayMonthYear, DateForm::MonthDayYear}) {
        const bool fitsAll = std::all_of(samples.begin(), samples.end(), [form](const QString& sample) {
            return sample.trimmed().isEmpty() || readSellerDate(sample, form).has_value();
        });
        if (fitsAll) {
            guess.forms.push_back(form);
        }
    }
    return guess;
}

} // namespace orderimport
