#include "export/Worksheet.h"

#include "export/CellText.h"
#include "export/ExportTexts.h"
#include "export/LxwErrors.h"
#include "export/SheetError.h"
#include "export/TextWidth.h"

#include <algorithm>
#include <xlsxwriter.h>

namespace xl {

namespace {

// The widest column the spreadsheet allows, in characters.
constexpr int maxColumnWidth = 255;
// Room beside the text so that it does not touch the next column.
constexpr int widthMargin = 1;

void check(lxw_error error)
{
    if (error != LXW_NO_ERROR) {
        throw SheetError(describeLxw(error));
    }
}

} // namespace

Worksheet::Worksheet(lxw_workbook* book, lxw_worksheet* sheet)
    : m_book(book)
    , m_sheet(sheet)
{}

Worksheet::~Worksheet() = default;

Range Worksheet::Cells(int row, int column)
{
    return Range(*this, row, column, row, column);
}

Range Worksheet::Cells()
{
    return Range(*this, 1, 1, maxRows, maxColumns);
}

void Worksheet::checkOpen() const
{
    if (m_sheet == nullptr) {
        throw SheetError(exporttexts::workbookClosed);
    }
}

Worksheet::Cell& Worksheet::cellAt(int row, int column)
{
    checkOpen();
    if (row < 1 || row > maxRows || column < 1 || column > maxColumns) {
        throw SheetError(exporttexts::outsideSheet.arg(row).arg(column));
    }
    if (row < m_row) {
        throw SheetError(exporttexts::rowAlreadyWritten.arg(row));
    }
    if (row > m_row) {
        flushRow();
        m_row = row;
    }
    if (static_cast<size_t>(column) > m_cells.size()) {
        m_cells.resize(column);
    }
    return m_cells[column - 1];
}

void Worksheet::setValue(int row, int column, const QString& text)
{
    Cell& cell = cellAt(row, column);
    if (text.size() > maxCellText) {
        // A longer text would make the whole workbook fail: its beginning goes in, and the cell is named
        // once the workbook is saved. A character is never split in two.
        qsizetype kept = maxCellText;
        if (text.at(kept - 1).isHighSurrogate()) {
            --kept;
        }
        cell.text = cellTextUtf8(text.left(kept));
        if (m_cut.size() < cutNamed) {
            m_cut.push_back({row, column});
        }
        ++m_cutCount;
    } else {
        cell.text = cellTextUtf8(text);
    }
    cell.hasValue = true;
    if (static_cast<size_t>(column) > m_widths.size()) {
        m_widths.resize(column, 0);
    }
    int& widest = m_widths[column - 1];
    // The widest column is reached long before a cell's limit: no need to measure past it.
    widest = std::max(widest, displayWidth(QStringView(text).left(maxCellText)));
}

void Worksheet::setAlignment(int row, int column, int alignment)
{
    lxw_format* format = formatFor(alignment);
    cellAt(row, column).format = format;
}

lxw_format* Worksheet::formatFor(int alignment)
{
    checkOpen();
    if (alignment == xlGeneral) {
        return nullptr;
    }
    if (const auto found = m_formats.find(alignment); found != m_formats.end()) {
        return found->second;
    }
    uint8_t lxwAlign = LXW_ALIGN_NONE;
    switch (alignment) {
    case xlLeft:
        lxwAlign = LXW_ALIGN_LEFT;
        break;
    case xlCenter:
        lxwAlign = LXW_ALIGN_CENTER;
        break;
    case xlRight:
        lxwAlign = LXW_ALIGN_RIGHT;
        break;
    default:
        throw SheetError(exporttexts::unknownAlignment.arg(alignment));
    }
    lxw_format* format = workbook_add_format(m_book);
    if (format == nullptr) {
        throw SheetError(exporttexts::outOfMemory);
    }
    format_set_align(format, lxwAlign);
    m_formats.emplace(alignment, format);
    return format;
}

void Worksheet::flushRow()
{
    if (m_row == 0) {
        return;
    }
    const auto row = static_cast<lxw_row_t>(m_row - 1);
    bool any = false;
    for (size_t i = 0; i < m_cells.size(); ++i) {
        Cell& cell = m_cells[i];
        const auto col = static_cast<lxw_col_t>(i);
        if (cell.hasValue) {
            check(worksheet_write_string(m_sheet, row, col, cell.text.constData(), cell.format));
            any = true;
        } else if (cell.format != nullptr) {
            check(worksheet_write_blank(m_sheet, row, col, cell.format));
            any = true;
        }
        cell = Cell();
    }
    if (any) {
        ++m_rowsWritten;
    }
}

void Worksheet::autoFitColumns(int firstColumn, int lastColumn)
{
    checkOpen();
    const int last = std::min<int>(lastColumn, static_cast<int>(m_widths.size()));
    for (int column = std::max(firstColumn, 1); column <= last; ++column) {
        const int units = m_widths[column - 1];
        if (units == 0) {
            continue; // no text: the column keeps its width
        }
        const double width = std::min(units + widthMargin, maxColumnWidth);
        const auto col = static_cast<lxw_col_t>(column - 1);
        check(worksheet_set_column(m_sheet, col, col, width, nullptr));
    }
}

void Worksheet::finish()
{
    checkOpen();
    flushRow();
    m_row = maxRows + 1; // nothing more goes in
}

void Worksheet::detach()
{
    m_sheet = nullptr;
    m_book = nullptr;
    m_formats.clear();
}

} // namespace xl
