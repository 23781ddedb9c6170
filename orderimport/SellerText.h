#pragma once

#include <QString>
#include <QStringView>

namespace orderimport {

// A seller's value made plain before it is read: full-width letters, digits and signs as their ASCII
// forms (NFKC), the minus sign and dashes as '-', zero-width characters and byte-order marks dropped,
// blanks at both ends trimmed (the ideographic space too).
QString foldForReading(QStringView text);

} // namespace orderimport
