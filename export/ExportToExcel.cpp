#include "export/ExportToExcel.h"

#include "export/CsvExport.h"
#include "export/ExportProgress.h"
#include "export/ExportTexts.h"
#include "export/Range.h"
#include "export/SheetChoice.h"
#include "export/SheetError.h"
#include "export/SpreadsheetApp.h"
#include "export/Workbook.h"
#include "ui/FlexGrid.h"
#include "ui/MessageBox.h"

#include <exception>
#include <memory>
#include <new>

bool ExportToExcel(ui::FlexGrid& grid, QWidget* parent)
{
    // 1. Obtain the application: the running one, else a new one. Nothing is reported here; without an
    // application the next step fails.
    std::shared_ptr<xl::SpreadsheetApp> app = xl::attachRunning();
    if (!app) {
        app = xl::createApplication();
    }
    std::shared_ptr<xl::Workbook> book;
    std::shared_ptr<xl::CellHost> sheet;
    bool done = false;
    // 2. From here on every failure is shown with its description.
    try {
        if (!app) {
            throw xl::SheetError(exporttexts::noApplication);
        }
        app->setOwnerWindow(parent);
        // 3. A new workbook.
        book = app->Workbooks().add();
        // 4. The sheet object, by version.
        sheet = xl::chooseSheetObject(app);
        // 5. The grid's size, read once. A list longer than a sheet is told before anything is written.
        const int rows = grid.Rows();
        const int cols = grid.Cols();
        if (rows > xl::maxRows) {
            throw xl::SheetError(exporttexts::tooManyRows.arg(rows - 1).arg(xl::maxRows));
        }
        // 6. Grid row i - 1 goes to sheet row i, grid column j - 1 to sheet column j - 1: the id in grid
        // column 0 stays out. Empty cells are left untouched.
        ExportProgress progress(parent, rows);
        for (int i = 1; i <= rows; ++i) {
            for (int j = 2; j <= cols; ++j) {
                const QString s = grid.TextMatrix(i - 1, j - 1); // s: the grid cell's text
                if (s.isEmpty()) {
                    continue;
                }
                const xl::Range cell = sheet->Cells(i, j - 1);
                cell.setValue(s);
                cell.setHorizontalAlignment(xl::xlLeft);
            }
            progress.advance(i);
        }
        // 7. Fit every column to its contents.
        sheet->Cells().EntireColumn().AutoFit();
        progress.finish();
        // 8. Hidden, whether attached or started.
        app->setVisible(false);
        // 9. Close with "save changes": the user says where. A cancel ends the export quietly. Choosing
        // CSV there writes the same cells as text, read from the grid again.
        book->setTextExport([&grid, parent](const QString& path) { xl::writeCsv(grid, path, parent); });
        done = book->Close(true);
    } catch (const xl::SheetError& error) {
        ui::MsgBox(error.description(), ui::MB_OK, QString(), parent);
    } catch (const std::bad_alloc&) {
        ui::MsgBox(exporttexts::outOfMemory, ui::MB_OK, QString(), parent);
    } catch (const std::exception& error) {
        // Nothing may escape into the event loop; the words are all there is to show.
        ui::MsgBox(exporttexts::failed.arg(QString::fromLocal8Bit(error.what())), ui::MB_OK, QString(),
                   parent);
    }
    // 10. Release the sheet object, the workbook and the application, in that order.
    sheet.reset();
    book.reset();
    app.reset();
    return done;
}
