#include "export/ExportOrders.h"

#include "export/CsvExport.h"
#include "export/ExportProgress.h"
#include "export/ExportTexts.h"
#include "export/SheetError.h"
#include "export/Workbook.h"
#include "ui/Guarded.h"
#include "ui/MessageBox.h"

#include <exception>
#include <memory>

namespace xl {

namespace {

// Row i - 1 goes to sheet row i, column j to sheet column j + 1. Empty cells are left untouched; every
// written cell is left aligned.
void copyRows(ExportRows& rows, Worksheet& sheet, ExportProgress& progress)
{
    for (int i = 1; i <= rows.rowCount(); ++i) {
        for (int j = 0; j < rows.columnCount(); ++j) {
            const QString s = rows.text(i - 1, j);
            if (!s.isEmpty()) {
                sheet.writeLeft(i, j + 1, s);
            }
        }
        progress.advance(i);
    }
}

// Closes with "save changes": the user says where. A cancel ends the export quietly. Choosing CSV there
// writes the same cells as text, read from the listed orders again.
bool closeSaving(Workbook& book, ExportRows& rows, QWidget* parent)
{
    return book.closeSaving([&rows, parent](const QString& path) { writeCsv(rows, path, parent); });
}

} // namespace

bool exportOrders(store::ListedOrders* orders, std::span<const ExportColumn> columns, QWidget* parent)
{
    ExportRows listed(orders, columns);
    std::unique_ptr<Workbook> book;
    bool done = false;
    // Every failure is shown with its description.
    const auto failure = ui::guarded<SheetError>([&] {
        // Without a working folder for a new workbook, this is where the export fails.
        book = std::make_unique<Workbook>(parent);
        // A list longer than a sheet is told before anything is written.
        const int rows = listed.rowCount();
        if (rows > maxRows) {
            throw SheetError(texts::tooManyRows.arg(rows - 1).arg(maxRows));
        }
        ExportProgress progress(parent, rows);
        copyRows(listed, book->activeSheet(), progress);
        book->activeSheet().fitColumns();
        progress.finish();
        done = closeSaving(*book, listed, parent);
    });
    if (failure && failure->kind != ui::Failure::Kind::Unknown) {
        using Kind = ui::Failure::Kind;
        ui::MsgBox(failure->kind == Kind::Described     ? failure->words
                   : failure->kind == Kind::OutOfMemory ? texts::outOfMemory
                                                        : texts::failed.arg(failure->words),
                   ui::MB_OK, QString(), parent);
    }
    book.reset();
    // What is not even an exception is left to the window's own edge, as it always was.
    if (failure && failure->kind == ui::Failure::Kind::Unknown) {
        std::rethrow_exception(failure->thrown);
    }
    return done;
}

} // namespace xl
