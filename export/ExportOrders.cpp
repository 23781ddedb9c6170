#include "export/ExportOrders.h"

#include "export/CsvExport.h"
#include "export/ExportProgress.h"
#include "export/ExportTexts.h"
#include "export/SheetError.h"
#include "export/Workbook.h"
#include "store/Order.h"
#include "ui/Guarded.h"
#include "ui/MessageBox.h"

#include <exception>
#include <memory>
#include <vector>

namespace xl {

namespace {

// Writes the cells of orders: numbers and the date typed, shown as the grid shows them; every other column
// as its text, which stays text (leading zeros, long waybills). An empty cell is left untouched. A number's
// or a day's text only fits the column, and is made again only when the value differs from the column's
// last one: a day's orders come one after another, and so do many an order's quantity and prices.
class OrderCells final
{
public:
    explicit OrderCells(Worksheet& sheet)
        : m_sheet(sheet)
    {}

    void write(int row, int col, const store::Order& order, store::OrderColumn column)
    {
        if (const store::Number* number = store::numberIn(order, column)) {
            LastShown& last = lastShown(col);
            if (last.text.isNull() || last.number != number->stored()) {
                last.number = number->stored();
                number->text(last.text);
            }
            m_sheet.writeNumber(row, col, number->stored(), last.text);
            return;
        }
        if (store::describe(column).kind == store::ColumnKind::Date) {
            LastShown& last = lastShown(col);
            if (last.text.isNull() || last.day != order.saleDate) {
                last.day = order.saleDate;
                last.text = store::shownText(order, column);
            }
            if (!last.text.isEmpty()) {
                m_sheet.writeDate(row, col, order.saleDate, last.text);
            }
            return;
        }
        const QString shown = store::shownText(order, column);
        if (!shown.isEmpty()) {
            m_sheet.writeLeft(row, col, shown);
        }
    }

private:
    struct LastShown
    {
        double number = 0;
        QDate day;
        QString text; // null: nothing shown yet
    };

    LastShown& lastShown(int col)
    {
        if (std::size_t(col) >= m_last.size()) {
            m_last.resize(std::size_t(col) + 1);
        }
        return m_last[std::size_t(col)];
    }

    Worksheet& m_sheet;
    std::vector<LastShown> m_last; // by column
};

// The titles go to sheet row 1, row i to sheet row i + 1, column j to sheet column j + 1. Every written cell
// is left aligned.
void copyRows(ExportRows& rows, Worksheet& sheet, ExportProgress& progress)
{
    for (int j = 0; j < rows.columnCount(); ++j) {
        const QString title = rows.text(0, j);
        if (!title.isEmpty()) {
            sheet.writeTitle(j + 1, title);
        }
    }
    progress.advance(1);
    OrderCells cells(sheet);
    rows.forEachOrder([&](int i, const store::Order* order) {
        if (order) {
            for (int j = 0; j < rows.columnCount(); ++j) {
                cells.write(i + 1, j + 1, *order, rows.column(j));
            }
        }
        progress.advance(i + 1);
    });
    sheet.filterTitles();
}

// Closes with "save changes": the user says where. A cancel ends the export quietly. Choosing CSV there
// writes the same cells as text, read from the listed orders again.
bool closeSaving(Workbook& book, ExportRows& rows, QWidget* parent, const QString& startFolder)
{
    return book.closeSaving([&rows, parent](const QString& path) { writeCsv(rows, path, parent); },
                            startFolder);
}

} // namespace

bool exportOrders(store::ListedOrders* orders,
                  std::span<const ExportColumn> columns,
                  QWidget* parent,
                  const QString& startFolder,
                  QString* savedPath)
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
        done = closeSaving(*book, listed, parent, startFolder);
        if (done && savedPath) {
            *savedPath = book->savedPath();
        }
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
