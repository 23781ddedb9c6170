#include "orderimport/XlsSheet.h"

#include "orderimport/ImportError.h"
#include "orderimport/ImportTexts.h"

#include <QFile>
#include <freexl.h>

namespace orderimport {

XlsSheetSource::XlsSheetSource(const QString& path)
    : m_path(path)
{
    if (freexl_open(QFile::encodeName(path).constData(), &m_handle.workbook) != FREEXL_OK) {
        throwDamaged();
    }
    unsigned int password = FREEXL_UNKNOWN;
    if (freexl_get_info(m_handle.workbook, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
        password == FREEXL_BIFF_OBFUSCATED) {
        throw ImportError(ImportError::Kind::Encrypted, texts::encrypted().arg(shownName(path)));
    }
    unsigned int sheets = 0;
    if (freexl_get_info(m_handle.workbook, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK) {
        throwDamaged();
    }
    if (sheets == 0) {
        throw ImportError(ImportError::Kind::NotATable, texts::noSheet().arg(shownName(path)));
    }
    if (freexl_select_active_worksheet(m_handle.workbook, 0) != FREEXL_OK ||
        freexl_worksheet_dimensions(m_handle.workbook, &m_rows, &m_columns) != FREEXL_OK) {
        throwDamaged();
    }
}

XlsSheetSource::Handle::~Handle()
{
    if (workbook != nullptr) {
        freexl_close(workbook);
    }
}

void XlsSheetSource::throwDamaged() const
{
    throw ImportError(ImportError::Kind::Damaged, texts::damaged().arg(shownName(m_path)));
}

std::optional<SheetRow> XlsSheetSource::next()
{
    while (m_nextRow < m_rows) {
        SheetRow row;
        row.number = int(m_nextRow) + 1;
        row.cells.resize(m_columns);
        for (unsigned short column = 0; column < m_columns; ++column) {
            FreeXL_CellValue value{};
            if (freexl_get_cell_value(m_handle.workbook, m_nextRow, column, &value) != FREEXL_OK) {
                throwDamaged();
            }
            CellValue& cell = row.cells[column];
            switch (value.type) {
            case FREEXL_CELL_INT:
                cell = double(value.value.int_value);
                break;
            case FREEXL_CELL_DOUBLE:
                cell = value.value.double_value;
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_TIME:
                if (value.value.text_value != nullptr) {
                    cell = QString::fromUtf8(value.value.text_value);
                }
                break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME: {
                if (value.value.text_value == nullptr) {
                    break;
                }
                // "yyyy-mm-dd" or "yyyy-mm-dd hh:mm:ss": the time of day is dropped.
                const QString text = QString::fromUtf8(value.value.text_value);
                const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
                cell = date.isValid() ? CellValue(date) : CellValue(text);
                break;
            }
            default:
                break;
            }
        }
        ++m_nextRow;
        if (trimRow(row.cells)) {
            return row;
        }
    }
    return std::nullopt;
}

} // namespace orderimport
