#pragma once

#include <QString>
#include <QtGlobal>
#include <utility>
#include <vector>

struct lxw_worksheet;
struct lxw_format;

namespace xl {

// The sheet's rows, counted from 1, and the most characters one cell holds.
constexpr int maxRows = 1048576;
constexpr int maxCellText = 32767;

// The one sheet of a workbook being written. Cells go out row by row as they come, so an earlier row can
// no longer be changed; column widths are fitted from the texts written.
class Worksheet final
{
public:
    // left: the workbook's format of a left-aligned cell.
    Worksheet(lxw_worksheet* sheet, lxw_format* left);
    Q_DISABLE_COPY_MOVE(Worksheet)

    // Sets cell (row, column), counted from 1, to the text, left aligned. Throws SheetError.
    void writeLeft(int row, int column, const QString& text);
    // Fits each column to its longest text; columns without text keep their width.
    void fitColumns();

    // Rows that got at least one cell, as the finished file must hold them.
    qint64 rowsWritten() const { return m_rowsWritten; }
    // Cells whose text was longer than a cell holds and went in cut to its beginning: the first few,
    // as (row, column) counted from 1, and how many in all.
    const std::vector<std::pair<int, int>>& cutCells() const { return m_cut; }
    qint64 cutCount() const { return m_cutCount; }
    // The workbook is gone: every later call fails.
    void detach() { m_sheet = nullptr; }

private:
    lxw_worksheet* m_sheet;
    lxw_format* m_left;
    int m_lastRow = 0;
    qint64 m_rowsWritten = 0;
    std::vector<int> m_widths;            // longest text per column - 1, in narrow characters
    static constexpr size_t cutNamed = 5; // cut cells named in the notice
    std::vector<std::pair<int, int>> m_cut;
    qint64 m_cutCount = 0;
};

} // namespace xl
