#pragma once

#include "export/CellHost.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <map>
#include <utility>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace xl {

// One worksheet of a workbook being written. Cells are written row by row, as the export fills them:
// the row in hand is kept until a later row is touched, so a cell's alignment can follow its value; an
// earlier row can no longer be changed. Column widths are fitted from the texts seen so far.
class Worksheet final : public CellHost
{
public:
    Worksheet(lxw_workbook* book, lxw_worksheet* sheet);
    ~Worksheet() override;
    Q_DISABLE_COPY_MOVE(Worksheet)

    Range Cells(int row, int column) override;
    Range Cells() override;

    // The members behind Range.
    void setValue(int row, int column, const QString& text);
    void setAlignment(int row, int column, int alignment);
    void autoFitColumns(int firstColumn, int lastColumn);

    // Writes the row still in hand; the workbook calls it before it is written out.
    void finish();
    // Rows that went out with at least one cell, as the finished file must hold them.
    qint64 rowsWritten() const { return m_rowsWritten; }
    // Cells whose text was longer than a cell holds and went in cut to its beginning: the first few,
    // as (row, column) counted from 1, and how many in all.
    const std::vector<std::pair<int, int>>& cutCells() const { return m_cut; }
    qint64 cutCount() const { return m_cutCount; }
    // The workbook is gone: every later call fails.
    void detach();

private:
    struct Cell
    {
        QByteArray text; // UTF-8
        lxw_format* format = nullptr;
        bool hasValue = false;
    };

    void checkOpen() const;
    Cell& cellAt(int row, int column);
    void flushRow();
    lxw_format* formatFor(int alignment);

    lxw_workbook* m_book;
    lxw_worksheet* m_sheet;
    qint64 m_rowsWritten = 0;
    int m_row = 0;                        // the row in hand, 0 before the first cell
    std::vector<Cell> m_cells;            // the row in hand, by column - 1
    std::vector<int> m_widths;            // longest text per column - 1, in narrow characters
    std::map<int, lxw_format*> m_formats; // one format per alignment value, owned by the workbook
    static constexpr size_t cutNamed = 5; // cut cells named in the notice
    std::vector<std::pair<int, int>> m_cut;
    qint64 m_cutCount = 0;
};

} // namespace xl
