#include "export/Workbook.h"

#include "export/ExportTexts.h"
#include "export/LxwErrors.h"
#include "export/SaveInPlace.h"
#include "export/SaveQuestion.h"
#include "export/SheetError.h"
#include "export/WorkbookCheck.h"
#include "export/Worksheet.h"

#include <QDir>
#include <QFile>
#include <utility>
#include <xlsxwriter.h>

namespace xl {

Workbook::Workbook(QWidget* owner)
    : m_work(QDir::temp().filePath(QStringLiteral("tallywick-XXXXXX")))
    , m_owner(owner)
{
    if (!m_work.isValid()) {
        throw SheetError(exporttexts::cannotCreateWorkbook);
    }
    m_workDir = QFile::encodeName(m_work.path());
    m_workFile = m_work.filePath(QStringLiteral("book.xlsx"));
    // Constant memory: each finished row goes to disk at once, so a long list costs no more memory than
    // one row. It wants the rows in order, which is how the sheet writes them.
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = m_workDir.data();
    options.use_zip64 = LXW_FALSE;
    m_book = workbook_new_opt(QFile::encodeName(m_workFile).constData(), &options);
    if (m_book == nullptr) {
        throw SheetError(exporttexts::cannotCreateWorkbook);
    }
    lxw_worksheet* sheet = workbook_add_worksheet(m_book, nullptr);
    if (sheet == nullptr) {
        discard();
        throw SheetError(exporttexts::outOfMemory);
    }
    m_sheet = std::make_unique<Worksheet>(m_book, sheet);
}

Workbook::~Workbook()
{
    discard();
}

std::shared_ptr<Worksheet> Workbook::ActiveSheet()
{
    if (!isOpen()) {
        throw SheetError(exporttexts::workbookClosed);
    }
    return std::shared_ptr<Worksheet>(shared_from_this(), m_sheet.get());
}

bool Workbook::Close(bool saveChanges)
{
    if (!isOpen()) {
        throw SheetError(exporttexts::workbookClosed);
    }
    if (!saveChanges) {
        discard();
        return true;
    }
    const QString target = askSaveFileName(m_owner);
    if (target.isEmpty()) {
        return false;
    }
    m_sheet->finish();
    const qint64 rows = m_sheet->rowsWritten();
    m_sheet->detach();
    // workbook_close frees the workbook whatever it returns.
    const lxw_error written = workbook_close(std::exchange(m_book, nullptr));
    if (written != LXW_NO_ERROR) {
        throw SheetError(describeLxw(written));
    }
    checkWrittenWorkbook(m_workFile, rows);
    saveInPlace(m_workFile, target);
    QFile::remove(m_workFile);
    return true;
}

void Workbook::discard()
{
    if (m_sheet) {
        m_sheet->detach();
    }
    if (m_book != nullptr) {
        lxw_workbook_free(std::exchange(m_book, nullptr));
    }
}

} // namespace xl
