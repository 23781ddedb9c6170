#include "export/Range.h"

#include "export/ExportTexts.h"
#include "export/SheetError.h"
#include "export/Worksheet.h"

namespace xl {

Range::Range(Worksheet& sheet, int firstRow, int firstColumn, int lastRow, int lastColumn)
    : m_sheet(&sheet)
    , m_firstRow(firstRow)
    , m_firstColumn(firstColumn)
    , m_lastRow(lastRow)
    , m_lastColumn(lastColumn)
{}

void Range::setValue(const QString& text) const
{
    if (!isOneCell()) {
        throw SheetError(exporttexts::onlyOneCell);
    }
    m_sheet->setValue(m_firstRow, m_firstColumn, text);
}

void Range::setHorizontalAlignment(int alignment) const
{
    if (!isOneCell()) {
        throw SheetError(exporttexts::onlyOneCell);
    }
    m_sheet->setAlignment(m_firstRow, m_firstColumn, alignment);
}

Range Range::EntireColumn() const
{
    return Range(*m_sheet, 1, m_firstColumn, maxRows, m_lastColumn);
}

void Range::AutoFit() const
{
    if (!isEntireColumns()) {
        throw SheetError(exporttexts::autoFitNeedsColumns);
    }
    m_sheet->autoFitColumns(m_firstColumn, m_lastColumn);
}

} // namespace xl
