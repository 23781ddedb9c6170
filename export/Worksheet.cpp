#include "export/Worksheet.h"

#include "export/ExportTexts.h"
#include "export/LxwErrors.h"
#include "export/SheetError.h"
#include "export/TextWidth.h"

#include <QStringEncoder>
#include <algorithm>
#include <cmath>
#include <cstring>
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

// The writer takes a C string, which would end at a NUL and drop the rest of the text: a NUL goes in as
// the workbook's escape "_x0000_", the form the writer gives every other control character itself.
// The bytes go to into, whose buffer serves every cell.
const char* cellText(QStringView text, QByteArray& into)
{
    QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    into.resize(utf8.requiredSpace(text.size()) + 1);
    char* end = utf8.appendToBuffer(into.data(), text);
    const qsizetype length = end - into.constData();
    if (std::memchr(into.constData(), 0, std::size_t(length)) == nullptr) {
        *end = '\0'; // nearly every cell
        return into.constData();
    }
    into = text.toString().replace(QChar(0), QStringLiteral("_x0000_")).toUtf8();
    return into.constData();
}

} // namespace

Worksheet::Worksheet(lxw_worksheet* sheet, CellFormats formats)
    : m_sheet(sheet)
    , m_formats(formats)
{}

lxw_worksheet* Worksheet::openSheet() const
{
    if (m_sheet == nullptr) {
        throw SheetError(texts::workbookClosed);
    }
    return m_sheet;
}

void Worksheet::writeLeft(int row, int column, const QString& text)
{
    writeText(row, column, text, m_formats.text);
}

void Worksheet::writeTitle(int column, const QString& title)
{
    writeText(1, column, title, m_formats.title);
    if (m_titles == 0) {
        worksheet_freeze_panes(m_sheet, 1, 0);
    }
    m_titles = std::max(m_titles, column);
}

void Worksheet::writeText(int row, int column, const QString& text, lxw_format* format)
{
    lxw_worksheet* sheet = openSheet();
    // A longer text would make the whole workbook fail: its beginning goes in, and the cell is named once
    // the workbook is saved. A character is never split in two.
    qsizetype kept = text.size();
    if (kept > maxCellText) {
        kept = text.at(maxCellText - 1).isHighSurrogate() ? maxCellText - 1 : maxCellText;
    }
    // The library refuses a row before the last one written and a cell outside the sheet.
    check(worksheet_write_string(sheet, static_cast<lxw_row_t>(row - 1), static_cast<lxw_col_t>(column - 1),
                                 cellText(QStringView(text).left(kept), m_utf8), format));
    if (kept < text.size()) {
        if (m_cut.size() < cutNamed) {
            m_cut.push_back({row, column});
        }
        ++m_cutCount;
    }
    noteCell(row, column, text);
}

void Worksheet::writeNumber(int row, int column, double value, const QString& shownText)
{
    if (!std::isfinite(value)) {
        writeLeft(row, column, shownText);
        return;
    }
    check(worksheet_write_number(openSheet(), static_cast<lxw_row_t>(row - 1),
                                 static_cast<lxw_col_t>(column - 1), value, m_formats.text));
    noteCell(row, column, shownText);
}

void Worksheet::writeDate(int row, int column, QDate date, const QString& shownText)
{
    int year = 0;
    int month = 0;
    int dayOfMonth = 0;
    date.getDate(&year, &month, &dayOfMonth); // one reading of the calendar, not three
    if (!date.isValid() || year < 1900 || year > 9999) {
        writeLeft(row, column, shownText);
        return;
    }
    lxw_datetime day = {year, month, dayOfMonth, 0, 0, 0};
    check(worksheet_write_datetime(openSheet(), static_cast<lxw_row_t>(row - 1),
                                   static_cast<lxw_col_t>(column - 1), &day, m_formats.date));
    noteCell(row, column, shownText);
}

void Worksheet::noteCell(int row, int column, QStringView shownText)
{
    if (row != m_lastRow) {
        m_lastRow = row;
        ++m_rowsWritten;
    }
    if (static_cast<size_t>(column) > m_widths.size()) {
        m_widths.resize(column, 0);
    }
    int& widest = m_widths[column - 1];
    // No character is wider than two: a text that short cannot widen the column, and is not measured.
    // The widest column is reached long before a cell's limit: no need to measure past it either.
    if (shownText.size() * 2 > widest) {
        widest = std::max(widest, displayWidth(shownText.left(maxCellText)));
    }
}

void Worksheet::filterTitles()
{
    lxw_worksheet* sheet = openSheet();
    if (m_titles == 0) {
        return;
    }
    const auto lastRow = static_cast<lxw_row_t>(std::max(m_lastRow, 1) - 1);
    check(worksheet_autofilter(sheet, 0, 0, lastRow, static_cast<lxw_col_t>(m_titles - 1)));
}

void Worksheet::fitColumns()
{
    openSheet();
    for (size_t i = 0; i < m_widths.size(); ++i) {
        if (m_widths[i] == 0) {
            continue; // no text: the column keeps its width
        }
        const double width = std::min(m_widths[i] + widthMargin, maxColumnWidth);
        const auto col = static_cast<lxw_col_t>(i);
        check(worksheet_set_column(m_sheet, col, col, width, nullptr));
    }
}

} // namespace xl
