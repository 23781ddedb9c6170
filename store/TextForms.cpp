#include "store/TextForms.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <vector>

namespace store::textforms {

namespace {

// One piece of a numeric date pattern: a field (day, month, year) or literal text between them.
struct DatePiece
{
    enum class Kind { Day, Month, Year, Literal };
    Kind kind;
    int width; // 1 or 2 for day and month (2: padded), 4 for the year
    QString literal;
};

// What every call needs of the locale, worked out once: QLocale lookups are slow next to a grid of
// a million cells.
struct Forms
{
    QLocale locale;
    QString format;
    QString decimal;
    QString minus;
    std::vector<DatePiece> pieces; // empty when the pattern holds names (MMM, ddd): then QLocale does it
};

std::optional<QLocale>& pinned()
{
    static std::optional<QLocale> locale;
    return locale;
}

bool isCLocale(const QLocale& locale)
{
    return locale.language() == QLocale::C;
}

// The locale's short pattern with every year field widened to four digits; quoted text is kept.
QString widenYear(const QString& pattern)
{
    QString out;
    bool inQuote = false;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\'')) {
            inQuote = !inQuote;
            out += c;
            ++i;
            continue;
        }
        if (!inQuote && c == QLatin1Char('y')) {
            qsizetype run = 0;
            while (i + run < pattern.size() && pattern.at(i + run) == QLatin1Char('y')) {
                ++run;
            }
            out += QLatin1String("yyyy");
            i += run;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

// Splits a pattern of d, dd, M, MM, yyyy and literal text; empty when it holds anything else.
std::vector<DatePiece> numericPieces(const QString& pattern)
{
    std::vector<DatePiece> pieces;
    for (const PatternPart& part : splitDatePattern(pattern)) {
        if (part.field.isNull()) {
            pieces.push_back({DatePiece::Kind::Literal, 0, part.literal});
        } else if (part.field == QLatin1Char('d') && part.run <= 2) {
            pieces.push_back({DatePiece::Kind::Day, int(part.run), {}});
        } else if (part.field == QLatin1Char('M') && part.run <= 2) {
            pieces.push_back({DatePiece::Kind::Month, int(part.run), {}});
        } else if (part.field == QLatin1Char('y') && part.run == 4) {
            pieces.push_back({DatePiece::Kind::Year, 4, {}});
        } else {
            return {};
        }
    }
    return pieces;
}

// Bumped whenever the pinned locale changes, so that forms() works the locale out again.
int& localeGeneration()
{
    static int generation = 0;
    return generation;
}

Forms& forms()
{
    static Forms f;
    static int generation = -1;
    if (generation != localeGeneration()) {
        QLocale locale = pinned().value_or(QLocale::system());
        if (isCLocale(locale)) {
            locale = QLocale(QLocale::Chinese, QLocale::China);
        }
        locale.setNumberOptions(QLocale::DefaultNumberOptions);
        f.locale = locale;
        f.format = widenYear(locale.dateFormat(QLocale::ShortFormat));
        f.decimal = locale.decimalPoint();
        f.minus = locale.negativeSign();
        f.pieces = numericPieces(f.format);
        generation = localeGeneration();
    }
    return f;
}

void appendPadded(QString& out, int value, int width)
{
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    for (int n = int(r.ptr - buf); n < width; ++n) {
        out += QLatin1Char('0');
    }
    out += QLatin1String(buf, r.ptr - buf);
}

// Reads minDigits to maxDigits ASCII digits at pos; -1 when there are fewer.
int readDigits(QStringView text, qsizetype& pos, int minDigits, int maxDigits)
{
    int value = 0;
    int n = 0;
    while (pos < text.size() && n < maxDigits && text.at(pos) >= QLatin1Char('0') &&
           text.at(pos) <= QLatin1Char('9')) {
        value = value * 10 + (text.at(pos).unicode() - u'0');
        ++pos;
        ++n;
    }
    return n >= minDigits ? value : -1;
}

// A year-first form: a four-digit year, a one- or two-digit month and day, with the given text after
// each field ("-", "-", "" for 2026-12-9).
struct YearFirstForm
{
    char16_t afterYear;
    char16_t afterMonth;
    char16_t afterDay; // 0: nothing
};
// yyyy-m-d, yyyy.m.d and yyyy年m月d日: a four-digit year first can be read in every locale.
constexpr YearFirstForm yearFirstForms[] = {{u'-', u'-', 0}, {u'.', u'.', 0}, {u'年', u'月', u'日'}};

std::optional<QDate> readYearFirst(QStringView text, const YearFirstForm& form)
{
    qsizetype pos = 0;
    const auto follows = [&](char16_t c) {
        if (c == 0) {
            return true;
        }
        if (pos >= text.size() || text.at(pos) != QChar(c)) {
            return false;
        }
        ++pos;
        return true;
    };
    const int y = readDigits(text, pos, 4, 4);
    if (y < 0 || !follows(form.afterYear)) {
        return std::nullopt;
    }
    const int m = readDigits(text, pos, 1, 2);
    if (m < 0 || !follows(form.afterMonth)) {
        return std::nullopt;
    }
    const int d = readDigits(text, pos, 1, 2);
    if (d < 0 || !follows(form.afterDay) || pos != text.size() || !QDate::isValid(y, m, d)) {
        return std::nullopt;
    }
    return QDate(y, m, d);
}

std::optional<QDate> readPieces(QStringView text, const std::vector<DatePiece>& pieces)
{
    qsizetype pos = 0;
    int y = -1, m = -1, d = -1;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const DatePiece& p = pieces[i];
        // Two fields with nothing between them can only be told apart by their widths.
        const bool adjacent = i + 1 < pieces.size() && pieces[i + 1].kind != DatePiece::Kind::Literal;
        switch (p.kind) {
        case DatePiece::Kind::Literal:
            if (!text.mid(pos).startsWith(p.literal)) {
                return std::nullopt;
            }
            pos += p.literal.size();
            break;
        case DatePiece::Kind::Day:
            d = readDigits(text, pos, adjacent ? 2 : 1, 2);
            break;
        case DatePiece::Kind::Month:
            m = readDigits(text, pos, adjacent ? 2 : 1, 2);
            break;
        case DatePiece::Kind::Year: {
            const qsizetype start = pos;
            y = readDigits(text, pos, 2, 4);
            const qsizetype digits = pos - start;
            if (digits == 2) {
                y += y < 50 ? 2000 : 1900; // a two-digit year means 1950 to 2049
            } else if (digits != 4) {
                return std::nullopt;
            }
            break;
        }
        }
        if ((p.kind == DatePiece::Kind::Day && d < 0) || (p.kind == DatePiece::Kind::Month && m < 0) ||
            (p.kind == DatePiece::Kind::Year && y < 0)) {
            return std::nullopt;
        }
    }
    if (pos != text.size() || y < 0 || m < 0 || d < 0 || !QDate::isValid(y, m, d)) {
        return std::nullopt;
    }
    return QDate(y, m, d);
}

// Full-width forms of ASCII (U+FF01 to U+FF5E) and the ideographic space, as a Chinese input method
// types them in full-width mode.
constexpr char16_t firstWide = 0xFF01;
constexpr char16_t lastWide = 0xFF5E;
constexpr char16_t wideOffset = 0xFEE0;
constexpr char16_t ideographicSpace = 0x3000;

bool holdsFullWidth(QStringView text)
{
    for (const QChar c : text) {
        if ((c.unicode() >= firstWide && c.unicode() <= lastWide) || c.unicode() == ideographicSpace) {
            return true;
        }
    }
    return false;
}

// The text with every full-width form replaced by its ASCII character.
QString asciiForms(QStringView text)
{
    QString out = text.toString();
    for (QChar& c : out) {
        if (c.unicode() >= firstWide && c.unicode() <= lastWide) {
            c = QChar(char16_t(c.unicode() - wideOffset));
        } else if (c.unicode() == ideographicSpace) {
            c = QLatin1Char(' ');
        }
    }
    return out;
}

} // namespace

std::vector<PatternPart> splitDatePattern(const QString& pattern)
{
    std::vector<PatternPart> parts;
    bool inQuote = false;
    QString literal;
    const auto flush = [&] {
        if (!literal.isEmpty()) {
            parts.push_back({QChar(), 0, literal});
            literal.clear();
        }
    };
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\'')) {
            if (i + 1 < pattern.size() && pattern.at(i + 1) == QLatin1Char('\'')) {
                literal += c; // '' is one apostrophe, in quotes or not
                i += 2;
                continue;
            }
            inQuote = !inQuote;
            ++i;
            continue;
        }
        if (inQuote || !c.isLetter()) {
            literal += c;
            ++i;
            continue;
        }
        qsizetype run = 0;
        while (i + run < pattern.size() && pattern.at(i + run) == c) {
            ++run;
        }
        flush();
        parts.push_back({c, run, {}});
        i += run;
    }
    flush();
    return parts;
}

QLocale uiLocale()
{
    return forms().locale;
}

void setUiLocale(const std::optional<QLocale>& locale)
{
    pinned() = locale;
    ++localeGeneration();
}

QString shortDateFormat()
{
    return forms().format;
}

QString dateText(const QDate& date)
{
    if (!date.isValid()) {
        return QString();
    }
    const Forms& f = forms();
    if (f.pieces.empty()) {
        return f.locale.toString(date, f.format);
    }
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day);
    QString out;
    out.reserve(12);
    for (const DatePiece& p : f.pieces) {
        switch (p.kind) {
        case DatePiece::Kind::Literal:
            out += p.literal;
            break;
        case DatePiece::Kind::Day:
            appendPadded(out, day, p.width);
            break;
        case DatePiece::Kind::Month:
            appendPadded(out, month, p.width);
            break;
        case DatePiece::Kind::Year:
            appendPadded(out, year, 4);
            break;
        }
    }
    return out;
}

std::optional<QDate> readDate(QStringView text)
{
    QString ascii;
    if (holdsFullWidth(text)) {
        ascii = asciiForms(text);
        text = ascii;
    }
    text = text.trimmed();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    for (const YearFirstForm& form : yearFirstForms) {
        if (auto date = readYearFirst(text, form)) {
            return date;
        }
    }
    const Forms& f = forms();
    if (!f.pieces.empty()) {
        return readPieces(text, f.pieces);
    }
    const QDate date = f.locale.toDate(text.toString(), f.format);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

namespace {

// Nearly every stored number is a whole number of cents or less: the digits of k when value is the double
// nearest to k / 10^places, k of at most fifteen digits. That decimal is then the one fifteen significant
// digits of value give (value lies within half a unit in its last bit of it, far closer than the next
// fifteen-digit decimal), so the formatting below agrees with it, and is not needed.
std::optional<SignificantDigits> shortDecimal(double value)
{
    constexpr double scales[] = {1, 10, 100, 1000, 10000};
    constexpr double fifteenDigits = 1e15;
    for (int places = 0; places < int(std::size(scales)); ++places) {
        const double k = std::nearbyint(value * scales[places]);
        if (std::fabs(k) >= fifteenDigits) {
            return std::nullopt;
        }
        if (k == 0 || k / scales[places] != value) {
            continue;
        }
        auto whole = static_cast<qint64>(std::fabs(k)); // exact: below 2^53
        int length = 1;
        for (qint64 rest = whole / 10; rest > 0; rest /= 10) {
            ++length;
        }
        for (int i = length; i < 15; ++i) {
            whole *= 10;
        }
        return SignificantDigits{k < 0, whole, length - 1 - places};
    }
    return std::nullopt;
}

} // namespace

SignificantDigits significantDigits(double value)
{
    if (const std::optional<SignificantDigits> quick = shortDecimal(value)) {
        return *quick;
    }
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const char* p = buf;
    SignificantDigits d{*p == '-', 0, 0};
    if (d.negative) {
        ++p;
    }
    for (; p < r.ptr && *p != 'e'; ++p) {
        if (*p != '.') {
            d.digits = d.digits * 10 + (*p - '0');
        }
    }
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), r.ptr, d.exponent);
    return d;
}

void numberText(double value, QString& out)
{
    const Forms& f = forms();
    if (!std::isfinite(value)) {
        out = f.locale.toString(value);
        return;
    }
    if (value == 0) {
        out = QStringLiteral("0");
        return;
    }
    // Fifteen significant digits, then placed as plain decimal text.
    const SignificantDigits d = significantDigits(value);
    const bool negative = d.negative;
    const int exponent = d.exponent;
    char digits[15];
    auto rest = static_cast<quint64>(d.digits);
    // From the last digit: a division by the constant 10 costs a multiplication.
    for (int i = 14; i >= 0; --i, rest /= 10) {
        digits[i] = char('0' + rest % 10);
    }
    int n = 15;
    while (n > 1 && digits[n - 1] == '0') {
        --n;
    }
    // Built in one buffer, out's own when it is large enough: the text is made once, with no growing.
    const int zeros = exponent < 0 ? -exponent - 1 : std::max(0, exponent + 1 - n);
    out.resize(qsizetype(f.minus.size() + f.decimal.size() + 1 + zeros + n));
    QChar* o = out.data();
    auto put = [&o](QStringView text) {
        for (const QChar c : text) {
            *o++ = c;
        }
    };
    if (negative) {
        put(f.minus);
    }
    if (exponent < 0) {
        *o++ = QLatin1Char('0');
        put(f.decimal);
        for (int i = 0; i < zeros; ++i) {
            *o++ = QLatin1Char('0');
        }
        for (int i = 0; i < n; ++i) {
            *o++ = QLatin1Char(digits[i]);
        }
    } else {
        const int whole = exponent + 1;
        for (int i = 0; i < std::min(n, whole); ++i) {
            *o++ = QLatin1Char(digits[i]);
        }
        for (int i = n; i < whole; ++i) {
            *o++ = QLatin1Char('0');
        }
        if (n > whole) {
            put(f.decimal);
            for (int i = whole; i < n; ++i) {
                *o++ = QLatin1Char(digits[i]);
            }
        }
    }
    out.truncate(o - out.constData());
}

QString numberText(double value)
{
    QString out;
    numberText(value, out);
    return out;
}

QDate firstCalendarDay()
{
    return QDate(1753, 1, 1);
}

QDate lastCalendarDay()
{
    return QDate(9999, 12, 31);
}

bool inCalendarRange(const QDate& date)
{
    return date >= firstCalendarDay() && date <= lastCalendarDay();
}

std::optional<double> readNumber(QStringView text)
{
    QString ascii;
    if (holdsFullWidth(text)) {
        ascii = asciiForms(text);
        text = ascii;
    }
    const Forms& f = forms();
    bool ok = false;
    const double value = f.locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace store::textforms
