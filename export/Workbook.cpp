#include "export/Workbook.h"

#include "export/ExportTexts.h"
#include "export/LxwErrors.h"
#include "export/SaveInPlace.h"
#include "export/SaveQuestion.h"
#include "export/SheetError.h"
#include "export/WorkbookCheck.h"
#include "store/TextForms.h"
#include "ui/MessageBox.h"
#include "ui/UiTexts.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <sys/stat.h>
#include <utility>
#include <xlsxwriter.h>

namespace xl {

namespace {

constexpr std::size_t rowsBuffer = std::size_t(1) << 20;

} // namespace

QByteArray excelDateFormat(const QString& pattern)
{
    QString out;
    QString literal;
    // Text between the fields goes in quotes, but for the signs a number format shows as they stand; a
    // double quote goes in escaped.
    auto flushLiteral = [&] {
        static const QString plain = QStringLiteral("/-: ");
        bool quoted = false;
        for (const QChar c : literal) {
            const bool needsQuote = !plain.contains(c) && c != QLatin1Char('"');
            if (needsQuote != quoted) {
                out += QLatin1Char('"');
                quoted = needsQuote;
            }
            if (c == QLatin1Char('"')) {
                out += QLatin1Char('\\');
            }
            out += c;
        }
        if (quoted) {
            out += QLatin1Char('"');
        }
        literal.clear();
    };
    for (const store::textforms::PatternPart& part : store::textforms::splitDatePattern(pattern)) {
        const QChar c = part.field;
        if (c != QLatin1Char('d') && c != QLatin1Char('M') && c != QLatin1Char('y')) {
            literal += c.isNull() ? part.literal : QString(part.run, c); // other letters show as they stand
            continue;
        }
        flushLiteral();
        // The same fields, but the month is "m" in a number format; a name (MMM, ddd) stays a name.
        out += QString(part.run, c == QLatin1Char('M') ? QLatin1Char('m') : c);
    }
    flushLiteral();
    return out.toUtf8();
}

Workbook::Workbook(QWidget* owner)
    : m_work(QDir::temp().filePath(QStringLiteral("tallywick-XXXXXX")))
    , m_owner(owner)
{
    if (!m_work.isValid()) {
        throw SheetError(texts::cannotCreateWorkbook);
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
        throw SheetError(texts::cannotCreateWorkbook);
    }
    lxw_worksheet* sheet = workbook_add_worksheet(m_book, nullptr);
    const CellFormats formats = {workbook_add_format(m_book), workbook_add_format(m_book),
                                 workbook_add_format(m_book)};
    if (sheet == nullptr || !formats.text || !formats.title || !formats.date) {
        discard();
        throw SheetError(texts::outOfMemory);
    }
    for (lxw_format* format : {formats.text, formats.title, formats.date}) {
        format_set_align(format, LXW_ALIGN_LEFT);
    }
    format_set_bold(formats.title);
    format_set_num_format(formats.date, excelDateFormat(store::textforms::shortDateFormat()).constData());
    takeOverRows(sheet);
    m_sheet.emplace(sheet, formats);
}

Workbook::~Workbook()
{
    discard();
}

bool Workbook::closeSaving(const std::function<void(const QString& path)>& writeCsv,
                           const QString& startFolder)
{
    if (!isOpen()) {
        throw SheetError(texts::workbookClosed);
    }
    const SaveAnswer answer = askSaveFile(m_owner, startFolder);
    if (answer.path.isEmpty()) {
        return false;
    }
    m_savedPath = answer.path;
    if (answer.type == FileType::Csv) {
        discard(); // the rows written so far are not needed
        writeCsv(answer.path);
        return true;
    }
    m_sheet->detach();
    // workbook_close frees the workbook whatever it returns.
    const lxw_error written = workbook_close(std::exchange(m_book, nullptr));
    releaseRows();
    if (written != LXW_NO_ERROR) {
        throw SheetError(describeLxw(written));
    }
    checkWrittenWorkbook(m_workFile, m_sheet->rowsWritten());
    saveInPlace(m_workFile, answer.path);
    QFile::remove(m_workFile);
    tellCutCells();
    return true;
}

void Workbook::tellCutCells() const
{
    if (m_sheet->cutCount() == 0) {
        return;
    }
    QStringList named;
    for (const auto& [row, column] : m_sheet->cutCells()) {
        named << texts::cutCell.arg(row).arg(column);
    }
    QString cells = named.join(texts::cutCellSeparator);
    if (m_sheet->cutCount() > named.size()) {
        cells += texts::moreCutCells;
    }
    ui::MsgBox(texts::textsCut.arg(maxCellText).arg(cells).arg(m_sheet->cutCount()), ui::MB_OK_EXCLAMATION,
               ui::texts::noticeTitle, m_owner);
}

// libxlsxwriter keeps the rows of a constant-memory sheet in a deleted temporary file that it closes only
// while writing the workbook out. A workbook freed unwritten (a cancelled save question, a failure before
// the sheet went out) kept that file, as large as the sheet, open and its disk space taken until the
// program ended. The rows go to a named file of ours instead, closed by us whenever the library did not.
void Workbook::takeOverRows(lxw_worksheet* sheet)
{
#ifdef Q_OS_UNIX
    m_rowsPath = m_work.filePath(QStringLiteral("rows.xml"));
    FILE* rows = std::fopen(QFile::encodeName(m_rowsPath).constData(), "w+b");
    if (rows == nullptr) {
        if (sheet->optimize_tmpfile != nullptr) {
            std::fclose(std::exchange(sheet->optimize_tmpfile, nullptr));
        }
        discard();
        throw SheetError(texts::cannotCreateWorkbook);
    }
    // The rows go out, and come back when the workbook is written, in large pieces: the page-sized buffer
    // the file would get costs two system calls every few rows.
    std::setvbuf(rows, nullptr, _IOFBF, rowsBuffer);
    if (sheet->optimize_tmpfile != nullptr) {
        std::fclose(sheet->optimize_tmpfile); // nothing written to it yet
    }
    sheet->optimize_tmpfile = rows;
    sheet->file = rows;
    m_rows = rows;
    m_rowsHandle = fileno(rows);
#else
    Q_UNUSED(sheet)
#endif
}

void Workbook::releaseRows()
{
#ifdef Q_OS_UNIX
    if (m_rows == nullptr) {
        return;
    }
    // The library closed it if the handle no longer reaches our file, which still has its name, so its
    // identity cannot pass to another file meanwhile.
    struct stat byName = {};
    struct stat byHandle = {};
    const bool stillOpen = ::stat(QFile::encodeName(m_rowsPath).constData(), &byName) == 0 &&
                           ::fstat(m_rowsHandle, &byHandle) == 0 && byName.st_dev == byHandle.st_dev &&
                           byName.st_ino == byHandle.st_ino;
    if (stillOpen) {
        std::fclose(m_rows);
    }
    m_rows = nullptr;
    m_rowsHandle = -1;
    QFile::remove(m_rowsPath);
#endif
}

void Workbook::discard()
{
    if (m_sheet) {
        m_sheet->detach();
    }
    // Ours first: lxw_workbook_free leaves it alone.
    releaseRows();
    if (m_book != nullptr) {
        lxw_workbook_free(std::exchange(m_book, nullptr));
    }
}

} // namespace xl
