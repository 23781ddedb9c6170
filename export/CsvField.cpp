#include "export/CsvField.h"

#include "store/CsvGuard.h"

#include <QString>

namespace xl {

void appendCsvField(QByteArray& out, QStringView text)
{
    // A text that begins with an apostrophe gets one more, so that the import can always tell the guard
    // from the seller's own apostrophe.
    const bool guarded = store::needsCsvGuard(text);
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
