#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QtGlobal>
#include <memory>

class QProgressDialog;
class QWidget;

namespace xl {

// The progress of a long export: a dialog that appears only when the work lasts more than about half a
// second, and that keeps the windows painted meanwhile. User input waits until the export is done, so
// nothing can change the grid while it is read.
class ExportProgress final
{
public:
    ExportProgress(QWidget* parent, int rows);
    ~ExportProgress();
    Q_DISABLE_COPY_MOVE(ExportProgress)

    // Row `row` is done. Cheap: it looks at the clock only now and then.
    void advance(int row);
    // The rows are done: the dialog goes away.
    void finish();

private:
    void pump(int row);

    std::unique_ptr<QProgressDialog> m_dialog;
    QElapsedTimer m_clock;
    qint64 m_lastPump = 0;
};

} // namespace xl
