#pragma once

#include <QByteArray>
#include <QString>

namespace xl {

// A cell's text as the workbook writer takes it: a C string, which would end at a NUL and drop the rest
// of the text, so a NUL is written as the workbook's escape "_x0000_", the form the writer gives every
// other control character itself.
QByteArray cellTextUtf8(const QString& text);

} // namespace xl
