#pragma once

#include <QByteArray>
#include <QDate>
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

// The workbook's formats of the cells, every one left aligned. Numbers take the text's format: the writer
// looks a format up afresh for every cell whose format repeats another one's.
struct CellFormats
{
    lxw_format* text;  // and numbers
    lxw_format* title; // bold
    lxw_format* date;  // in the seller's short date form
};

// The one sheet of a workbook being written. Cells go out row by row as they come, so an earlier row can
// no longer be changed; column widths are fitted from the texts written, or shown for a number or a date.
class Worksheet final
{
public:
    Worksheet(lxw_worksheet* sheet, CellFormats formats);
    Q_DISABLE_COPY_MOVE(Worksheet)

    // Sets cell (row, column), counted from 1, to the text, left aligned. Throws SheetError.
    void writeLeft(int row, int column, const QString& text);
    // Sets a cell of row 1 to a column's title, in bold; the row stays in view while the rows below
    // scroll. Throws SheetError.
    void writeTitle(int column, const QString& title);
    // Sets the cell to the number, shown as shownText shows it. A number the spreadsheet cannot hold
    // (infinite, not a number) goes in as shownText. Throws SheetError.
    void writeNumber(int row, int column, double value, const QString& shownText);
    // Sets the cell to the day in the short date form; shownText is how the windows show it. A day before
    // 1900 or after 9999, which the spreadsheet cannot hold, goes in as shownText. Throws SheetError.
    void writeDate(int row, int column, QDate date, const QString& shownText);
    // Fits each column to its longest text; columns without text keep their width.
    void fitColumns();
    // Puts a filter on the titles, over the titled columns and every row written. Throws SheetError.
    void filterTitles();

    // Rows that got at least one cell, as the finished file must hold them.
    qint64 rowsWritten() const { return m_rowsWritten; }
    // Cells whose text was longer than a cell holds and went in cut to its beginning: the first few,
    // as (row, column) counted from 1, and how many in all.
    const std::vector<std::pair<int, int>>& cutCells() const { return m_cut; }
    qint64 cutCount() const { return m_cutCount; }
    // The workbook is gone: every later call fails.
    void detach() { m_sheet = nullptr; }

private:
    void writeText(int row, int column, const QString& text, lxw_format* format);
    // Checks the sheet is open before a cell goes in.
    lxw_worksheet* openSheet() const;
    // Notes a written cell showing that text, for the column's width.
    void noteCell(int row, int column, QStringView shownText);

    lxw_worksheet* m_sheet;
    CellFormats m_formats;
    QByteArray m_utf8; // a cell's text as the writer takes it
    int m_lastRow = 0;
    int m_titles = 0; // titled columns
    qint64 m_rowsWritten = 0;
    std::vector<int> m_widths;            // the widest text per column, in narrow characters
    static constexpr size_t cutNamed = 5; // cut cells named in the notice
    std::vector<std::pair<int, int>> m_cut;
    qint64 m_cutCount = 0;
};

} // namespace xl
