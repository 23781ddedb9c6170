#include "export/ExportProgress.h"

#include "export/ExportTexts.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace xl {

namespace {

constexpr int showAfterMs = 500;
// How often the windows get painted while the rows are written.
constexpr qint64 pumpEveryMs = 50;
// Rows between looks at the clock.
constexpr int rowsPerLook = 128;

} // namespace

ExportProgress::ExportProgress(QWidget* parent, int rows)
    : m_dialog(std::make_unique<QProgressDialog>(texts::progressLabel, QString(), 0, rows, parent))
{
    m_dialog->setWindowTitle(texts::progressTitle);
    // Not modal: a modal progress dialog would hand every event, clicks included, to the windows while
    // the grid is being read. The pump below lets only painting and timers through.
    m_dialog->setWindowModality(Qt::NonModal);
    m_dialog->setMinimumDuration(showAfterMs);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
    m_clock.start();
}

ExportProgress::~ExportProgress() = default;

void ExportProgress::advance(int row)
{
    if (row % rowsPerLook != 0) {
        return;
    }
    if (m_clock.elapsed() - m_lastPump >= pumpEveryMs) {
        pump(row);
    }
}

void ExportProgress::pump(int row)
{
    m_dialog->setValue(row);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_lastPump = m_clock.elapsed();
}

void ExportProgress::finish()
{
    m_dialog->hide();
    m_dialog.reset();
}

} // namespace xl
