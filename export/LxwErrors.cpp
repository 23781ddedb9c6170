#include "export/LxwErrors.h"

#include "export/ExportTexts.h"

#include <xlsxwriter.h>

namespace xl {

QString describeLxw(int error)
{
    const auto code = static_cast<lxw_error>(error);
    const QString library = QString::fromUtf8(lxw_strerror(code));
    switch (code) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return exporttexts::outOfMemory;
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return exporttexts::tempWriteFailed.arg(library);
    default:
        return exporttexts::writeFailed.arg(library);
    }
}

} // namespace xl
