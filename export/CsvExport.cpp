#include "export/CsvExport.h"

#include "export/CsvField.h"
#include "export/ExportProgress.h"
#include "export/SaveInPlace.h"

#include <QSaveFile>

namespace xl {

namespace {

// Rows are gathered into blocks of about this size before they go to the file.
constexpr qsizetype blockSize = 1 << 16;

} // namespace

void writeCsv(ExportRows& rows, const QString& path, QWidget* parent)
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
    ExportProgress progress(parent, rows.rowCount());
    for (int r = 0; r < rows.rowCount(); ++r) {
        for (int c = 0; c < rows.columnCount(); ++c) {
            if (c > 0) {
                block.append(',');
            }
            appendCsvField(block, rows.text(r, c));
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
