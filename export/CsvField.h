#pragma once

#include <QByteArray>
#include <QStringView>

namespace xl {

// Appends one cell as a CSV field in UTF-8 (RFC 4180): quoted when it holds a comma, a quote or a line
// break, quotes doubled. A text that a spreadsheet would run as a formula (one beginning with = + - @, a
// tab or a carriage return, and not a plain number) gets a leading apostrophe, so that an order's text can
// never run on the seller's machine; so does a text that begins with an apostrophe itself, so that reading
// the file back drops exactly the apostrophes added here.
void appendCsvField(QByteArray& out, QStringView text);

} // namespace xl
