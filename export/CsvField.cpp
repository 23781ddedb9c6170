#include "export/CsvField.h"

#include <QString>

namespace xl {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Skips a run of digits from i; returns how many there were.
qsizetype digits(QStringView text, qsizetype& i)
{
    const qsizetype from = i;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    return i - from;
}

bool startsLikeFormula(QStringView text)
{
    if (text.isEmpty()) {
        return false;
    }
    const QChar first = text.front();
    return first == u'=' || first == u'+' || first == u'-' || first == u'@' || first == u'\t' ||
           first == u'\r';
}

} // namespace

bool isPlainNumber(QStringView text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        ++i;
    }
    qsizetype mantissa = digits(text, i);
    // Either decimal separator: a number shown in the seller's own form is no formula either.
    if (i < text.size() && (text[i] == u'.' || text[i] == u',')) {
        ++i;
        mantissa += digits(text, i);
    }
    if (mantissa == 0) {
        return false;
    }
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
            ++i;
        }
        if (digits(text, i) == 0) {
            return false;
        }
    }
    return i == text.size();
}

void appendCsvField(QByteArray& out, QStringView text)
{
    // A text that begins with an apostrophe gets one more, so that the import can always tell the guard
    // from the seller's own apostrophe.
    const bool guarded = (startsLikeFormula(text) && !isPlainNumber(text)) || text.startsWith(u'\'');
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u',' || c == u'"' || c == u'\n' || c == u'\r') {
            quoted = true;
            break;
        }
    }
    if (quoted) {
        out.append('"');
    }
    if (guarded) {
        out.append('\'');
    }
    if (quoted) {
        out.append(text.toString().replace(QLatin1Char('"'), QStringLiteral("\"\"")).toUtf8());
        out.append('"');
    } else {
        out.append(text.toUtf8());
    }
}

} // namespace xl
