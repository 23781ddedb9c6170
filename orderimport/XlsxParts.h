#pragma once

#include "orderimport/ExcelDates.h"
#include "orderimport/ZipArchive.h"

#include <QString>
#include <QXmlStreamReader>
#include <vector>

namespace orderimport {

// Where a workbook keeps what reading its first sheet needs, found through the package's relationships
// rather than by the usual names, which a workbook need not use.
struct WorkbookParts
{
    QString sheet;         // the first visible worksheet
    QString sharedStrings; // empty when there is none
    QString styles;        // empty when there is none
    bool date1904 = false; // serial numbers count from 1904-01-01 (old Mac workbooks)
};

// Throws ImportError: Damaged for a zip that is no workbook or whose parts cannot be read, NotATable for a
// workbook without a worksheet.
WorkbookParts findWorkbookParts(ZipArchive& zip);

// The shared strings, rich text runs joined, phonetic guides left out. Throws ImportError.
std::vector<QString> readSharedStrings(ZipArchive& zip, const QString& part);

// The number format kind of each cell format (the index a cell's s attribute gives). Throws ImportError.
std::vector<NumberFormatKind> readCellFormats(ZipArchive& zip, const QString& part);

// The text of the string element the reader is at (<si> or <is>): its <t>, or its runs' <t> joined.
// Leaves the reader at the element's end.
QString readStringItem(QXmlStreamReader& xml);

// Undoes the _xHHHH_ escapes with which workbooks store characters XML cannot hold (a CR is _x000D_).
QString unescapeOoxml(const QString& text);

} // namespace orderimport
