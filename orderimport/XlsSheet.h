#pragma once

#include "orderimport/SheetSource.h"

namespace orderimport {

// The first worksheet of an Excel 97-2003 (.xls) workbook, read with libfreexl. Dates come from libfreexl
// as text and are turned back into dates; a time of day alone stays text.
class XlsSheetSource final : public SheetSource
{
public:
    // Throws ImportError: unreadable or damaged, password-protected, no worksheet.
    explicit XlsSheetSource(const QString& path);
    Q_DISABLE_COPY_MOVE(XlsSheetSource)

    std::optional<SheetRow> next() override;
    FileKind kind() const override { return FileKind::Xls; }

private:
    [[noreturn]] void throwDamaged() const;

    // Closes the workbook, also when the constructor throws; freexl_open wants a close even on failure.
    struct Handle final
    {
        Handle() = default;
        ~Handle();
        Q_DISABLE_COPY_MOVE(Handle)
        const void* workbook = nullptr;
    };

    QString m_path;
    Handle m_handle;
    unsigned int m_rows = 0;
    unsigned short m_columns = 0;
    unsigned int m_nextRow = 0;
};

} // namespace orderimport
