#pragma once

#include "export/ExportRows.h"

#include <QString>

class QWidget;

namespace xl {

// Writes the cells the workbook gets, as CSV text, to path: the title row and every listed row, row by row
// so that memory stays the same however long the list. UTF-8 with a byte-order mark (spreadsheets on Windows
// then read the Chinese right), CRLF line ends, fields as appendCsvField gives them. The text goes to a
// temporary file beside path and takes path's name only when the disk holds all of it. Throws SheetError
// saying why and what to do. parent: the window the progress of a long list belongs to.
void writeCsv(ExportRows& rows, const QString& path, QWidget* parent);

} // namespace xl
