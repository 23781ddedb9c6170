#pragma once

#include <QDate>
#include <QString>
#include <variant>
#include <vector>

namespace orderimport {

// One cell as the file holds it: nothing, a text, a number, or a date (a time of day is dropped). A text
// file gives texts only: reading them as numbers or dates is the caller's choice (SellerNumber.h,
// SellerDate.h), as only the caller knows the column.
using CellValue = std::variant<std::monostate, QString, double, QDate>;

// One row of a sheet that has at least one non-empty cell, its trailing empty cells dropped.
struct SheetRow
{
    // The row a seller sees: the spreadsheet's row number, or the record's number in a text file (a record
    // with line breaks inside quotes counts once, as a spreadsheet program shows it).
    int number = 0;
    std::vector<CellValue> cells;
};

bool isEmptyCell(const CellValue& cell);

// The cell as a preview shows it: a number in its shortest exact form, a date as yyyy-MM-dd.
QString cellText(const CellValue& cell);

// Drops trailing empty cells; false when nothing is left.
bool trimRow(std::vector<CellValue>& cells);

} // namespace orderimport
