#include "export/ExportOrders.h"

#include "export/Application.h"
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

// 4. The sheet object by version. In-process the application's active sheet and the application object's
// cells are both the new workbook's one sheet, so the two paths write the same workbook.
Worksheet& chooseSheet(const Application& app, Workbook& book)
{
    if (writesThroughActiveSheet(app.version)) {
        return book.activeSheet(); // version 8 on: the application's active sheet
    }
    return book.activeSheet(); // before 8: the application object, whose cells are the active sheet's
}

// 6. Row i - 1 goes to sheet row i, column j to sheet column j + 1. Empty cells are left untouched; every
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

// 9. Close with "save changes": the user says where. A cancel ends the export quietly. Choosing CSV there
// writes the same cells as text, read from the listed orders again.
bool closeSaving(Workbook& book, ExportRows& rows, QWidget* parent)
{
    return book.closeSaving([&rows, parent](const QString& path) { writeCsv(rows, path, parent); });
}

} // namespace

bool exportOrders(store::ListedOrders* orders, std::span<const ExportColumn> columns, QWidget* parent)
{
    ExportRows listed(orders, columns);
    // 1. Obtain the application: the running one, else a new one. Nothing is reported here.
    std::shared_ptr<Application> app = obtainApplication();
    std::unique_ptr<Workbook> book;
    Worksheet* sheet = nullptr;
    bool done = false;
    // 2. From here on every failure is shown with its description.
    const auto failure = ui::guarded<SheetError>([&] {
        // 3. A new workbook. Without a working folder for it, this is where the export fails.
        book = std::make_unique<Workbook>(parent);
        // 4. The sheet object, by version.
        sheet = &chooseSheet(*app, *book);
        // 5. A list longer than a sheet is told before anything is written.
        const int rows = listed.rowCount();
        if (rows > maxRows) {
            throw SheetError(texts::tooManyRows.arg(rows - 1).arg(maxRows));
        }
        // 6. The rows.
        ExportProgress progress(parent, rows);
        copyRows(listed, *sheet, progress);
        // 7. Fit every column to its contents.
        sheet->fitColumns();
        progress.finish();
        // 8. Hidden: the in-process application has no window to show.
        // 9. Close with "save changes".
        done = closeSaving(*book, listed, parent);
    });
    if (failure && failure->kind != ui::Failure::Kind::Unknown) {
        using Kind = ui::Failure::Kind;
        ui::MsgBox(failure->kind == Kind::Described     ? failure->words
                   : failure->kind == Kind::OutOfMemory ? texts::outOfMemory
                                                        : texts::failed.arg(failure->words),
                   ui::MB_OK, QString(), parent);
    }
    // 10. Release the sheet object, the workbook and the application, in that order.
    sheet = nullptr;
    book.reset();
    app.reset();
    // What is not even an exception is left to the window's own edge, as it always was.
    if (failure && failure->kind == ui::Failure::Kind::Unknown) {
        std::rethrow_exception(failure->thrown);
    }
    return done;
}

} // namespace xl
