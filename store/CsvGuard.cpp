#include "store/CsvGuard.h"

namespace store {

namespace {

// Skips a run of digits from i; returns how many there were.
qsizetype digits(QStringView text, qsizetype& i)
{
    const qsizetype from = i;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
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

bool needsCsvGuard(QStringView text)
{
    return (startsLikeFormula(text) && !isPlainNumber(text)) || text.startsWith(u'\'');
}

QString withoutCsvGuard(QStringView text)
{
    if (text.startsWith(u'\'') && needsCsvGuard(text.mid(1))) {
        return text.mid(1).toString();
    }
    return text.toString();
}

} // namespace store
