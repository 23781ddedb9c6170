#include "orderimport/TextGuard.h"

namespace orderimport {

namespace {

// These two mirror the export's own test (export/CsvField.cpp), which this library cannot link.

qsizetype skipDigits(QStringView text, qsizetype& i)
{
    const qsizetype from = i;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        ++i;
    }
    return i - from;
}

bool isPlainNumber(QStringView text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        ++i;
    }
    qsizetype mantissa = skipDigits(text, i);
    if (i < text.size() && (text[i] == u'.' || text[i] == u',')) {
        ++i;
        mantissa += skipDigits(text, i);
    }
    if (mantissa == 0) {
        return false;
    }
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
            ++i;
        }
        if (skipDigits(text, i) == 0) {
            return false;
        }
    }
    return i == text.size();
}

bool isGuardedByExport(QStringView text)
{
    if (text.isEmpty()) {
        return false;
    }
    const QChar first = text.front();
    const bool formulaLike =
        first == u'=' || first == u'+' || first == u'-' || first == u'@' || first == u'\t' || first == u'\r';
    return (formulaLike && !isPlainNumber(text)) || first == u'\'';
}

} // namespace

QString unguardText(QStringView text)
{
    if (text.startsWith(u'\'') && isGuardedByExport(text.mid(1))) {
        return text.mid(1).toString();
    }
    return text.toString();
}

} // namespace orderimport
