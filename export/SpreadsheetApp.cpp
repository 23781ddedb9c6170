#include "export/SpreadsheetApp.h"

#include "export/ExportTexts.h"
#include "export/SheetError.h"
#include "export/Workbook.h"
#include "export/Worksheet.h"

namespace xl {

namespace {

const QString ownVersion = QStringLiteral("12.0");

struct Seam
{
    QString version; // null: the application's own
    bool creationFails = false;
};

Seam& seam()
{
    static Seam s;
    return s;
}

std::weak_ptr<SpreadsheetApp>& running()
{
    static std::weak_ptr<SpreadsheetApp> app;
    return app;
}

} // namespace

std::shared_ptr<Worksheet> SpreadsheetApp::ActiveSheet()
{
    const std::shared_ptr<Workbook> book = m_workbooks.active();
    if (!book) {
        throw SheetError(exporttexts::noActiveSheet);
    }
    return book->ActiveSheet();
}

QString SpreadsheetApp::Version() const
{
    return seam().version.isNull() ? ownVersion : seam().version;
}

Range SpreadsheetApp::Cells(int row, int column)
{
    return ActiveSheet()->Cells(row, column);
}

Range SpreadsheetApp::Cells()
{
    return ActiveSheet()->Cells();
}

std::shared_ptr<SpreadsheetApp> attachRunning()
{
    return running().lock();
}

std::shared_ptr<SpreadsheetApp> createApplication()
{
    if (seam().creationFails) {
        return nullptr;
    }
    auto app = std::make_shared<SpreadsheetApp>();
    running() = app;
    return app;
}

namespace app_seam {

void setVersionText(const QString& version)
{
    seam().version = version;
}

void setCreationFails(bool fails)
{
    seam().creationFails = fails;
}

void reset()
{
    seam() = Seam();
}

} // namespace app_seam

} // namespace xl
