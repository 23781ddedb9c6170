#include "export/LxwErrors.h"

#include "export/ExportTexts.h"

#include <xlsxwriter.h>

namespace xl {

QString describeLxw(int error)
{
    // The library's own words are English and name its internals ("ZIP_ERRNO"): the user gets Chinese
    // and what to do, with the number for whoever looks into it.
    switch (static_cast<lxw_error>(error)) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return texts::outOfMemory;
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return texts::tempWriteFailed;
    default:
        return texts::writeFailed.arg(error);
    }
}

} // namespace xl
