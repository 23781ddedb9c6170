#pragma once

#include <QString>

namespace xl {

class Worksheet;

// HorizontalAlignment values, as the spreadsheet numbers them.
constexpr int xlGeneral = 1;
constexpr int xlLeft = -4131;
constexpr int xlCenter = -4108;
constexpr int xlRight = -4152;

// The sheet's size: rows and columns count from 1.
constexpr int maxRows = 1048576;
constexpr int maxColumns = 16384;
// The most characters one cell holds.
constexpr int maxCellText = 32767;

// A cell or a block of cells of one worksheet, rows and columns counted from 1. A light handle: it is
// used at once and never outlives its sheet.
class Range final
{
public:
    Range(Worksheet& sheet, int firstRow, int firstColumn, int lastRow, int lastColumn);

    // The cell's value, always kept as text: "=1+1" or "007" stay exactly as given. One cell only.
    void setValue(const QString& text) const;
    // xlLeft, xlCenter, xlRight or xlGeneral, for one cell.
    void setHorizontalAlignment(int alignment) const;
    // The whole columns this range spans.
    Range EntireColumn() const;
    // Fits each of these whole columns to its longest text; columns without text keep their width.
    void AutoFit() const;

    bool isOneCell() const { return m_firstRow == m_lastRow && m_firstColumn == m_lastColumn; }
    bool isEntireColumns() const { return m_firstRow == 1 && m_lastRow == maxRows; }

private:
    Worksheet* m_sheet;
    int m_firstRow;
    int m_firstColumn;
    int m_lastRow;
    int m_lastColumn;
};

} // namespace xl
