#pragma once

#include "export/CellHost.h"
#include "export/WorkbookList.h"

#include <QString>
#include <QtGlobal>
#include <memory>

class QWidget;

namespace xl {

class Worksheet;

// The spreadsheet application the export drives, in-process: it holds the open workbooks, and its own
// Cells reach the active sheet, as an application object does.
class SpreadsheetApp final : public CellHost, public std::enable_shared_from_this<SpreadsheetApp>
{
public:
    SpreadsheetApp() = default;
    ~SpreadsheetApp() override = default;
    Q_DISABLE_COPY_MOVE(SpreadsheetApp)

    WorkbookList& Workbooks() { return m_workbooks; }
    // The active workbook's sheet. Throws SheetError when no workbook is open.
    std::shared_ptr<Worksheet> ActiveSheet();
    // The application object itself.
    std::shared_ptr<SpreadsheetApp> Application() { return shared_from_this(); }
    // The version text, "12.0": the first version that writes .xlsx workbooks.
    QString Version() const;
    bool Visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    Range Cells(int row, int column) override;
    Range Cells() override;

    // The window the application's dialogs belong to.
    void setOwnerWindow(QWidget* owner) { m_workbooks.setOwnerWindow(owner); }

private:
    WorkbookList m_workbooks;
    bool m_visible = false; // in-process: there is no window to show
};

// The running application, if one is, else null.
std::shared_ptr<SpreadsheetApp> attachRunning();
// Starts the application; null when it cannot be started. It is the running one while it is held.
std::shared_ptr<SpreadsheetApp> createApplication();

// Test seam: a stand-in version text, and an application that cannot be started.
namespace app_seam {
void setVersionText(const QString& version);
void setCreationFails(bool fails);
void reset();
} // namespace app_seam

} // namespace xl
