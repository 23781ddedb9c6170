#pragma once

#include "orderimport/SheetSource.h"
#include "orderimport/XlsxParts.h"
#include "orderimport/ZipArchive.h"

#include <QXmlStreamReader>

namespace orderimport {

// The first worksheet of an .xlsx workbook, its XML read as it is unpacked: only the shared strings and
// the cell formats are held whole. Numbers in a date format come out as dates.
class XlsxSheetSource final : public SheetSource
{
public:
    // Throws ImportError: a damaged zip, no workbook, no worksheet, an encrypted entry.
    explicit XlsxSheetSource(const QString& path);
    Q_DISABLE_COPY_MOVE(XlsxSheetSource)

    std::optional<SheetRow> next() override;
    FileKind kind() const override { return FileKind::Xlsx; }

private:
    // Reads the <row> the reader is at into row; throws on a cell reference out of the sheet.
    void readRow(SheetRow& row);
    CellValue cellValue(QStringView type, int style, const QString& value, const QString& inlineText) const;
    [[noreturn]] void throwDamaged() const;

    ZipArchive m_zip;
    WorkbookParts m_parts;
    std::vector<QString> m_strings;
    std::vector<NumberFormatKind> m_formats;
    std::unique_ptr<QIODevice> m_sheet;
    QXmlStreamReader m_xml;
    int m_lastRow = 0;
    bool m_finished = false;
};

// The zero-based column of a cell reference ("A1" 0, "AA12" 26), or -1 when it names none of the 16384.
int columnOfReference(QStringView reference);

} // namespace orderimport
