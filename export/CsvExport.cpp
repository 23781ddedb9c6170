#include "export/CsvExport.h"

#include "export/CsvField.h"
#include "export/ExportProgress.h"
#include "export/SaveInPlace.h"
#include "ui/FlexGrid.h"

#include <QSaveFile>

namespace xl {

namespace {

// Rows are gathered into blocks of about this size before they go to the file.
constexpr qsizetype blockSize = 1 << 16;

} // namespace

void writeCsv(ui::FlexGrid& grid, const QString& path, QWidget* parent)
{
    QSaveFile out(path);
    openInPlace(out);
    qint64 written = 0;
    QByteArray block;
    block.reserve(blockSize * 2);
    const auto flush = [&] {
        if (out.write(block) != block.size()) {
            abandonInPlace(out);
        }
        written += block.size();
        block.clear();
    };
    block.append("\xEF\xBB\xBF");
    const int rows = grid.Rows();
    const int cols = grid.Cols();
    ExportProgress progress(parent, rows);
    for (int r = 0; r < rows; ++r) {
        // Column 0, the id, stays out, as in the workbook.
        for (int c = 1; c < cols; ++c) {
            if (c > 1) {
                block.append(',');
            }
            appendCsvField(block, grid.TextMatrix(r, c));
        }
        block.append("\r\n");
        if (block.size() >= blockSize) {
            flush();
        }
        progress.advance(r + 1);
    }
    flush();
    progress.finish();
    commitInPlace(out, written);
}

} // namespace xl
