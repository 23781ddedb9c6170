#pragma once

#include <QString>
#include <QtGlobal>

namespace xl {

// Reads a finished workbook file back before it goes into place. libxlsxwriter does not notice when its
// temporary files cannot be written (a full disk): it then reports success for a file with parts empty
// or rows missing. Every part must unpack whole with a matching checksum and be a whole XML document, and
// the sheet must hold `rows` rows. Throws SheetError when the file is not whole.
void checkWrittenWorkbook(const QString& path, qint64 rows);

} // namespace xl
