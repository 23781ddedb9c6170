#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace store {
class OrderStore;
struct BackupOutcome;
} // namespace store

namespace importdialog {

class ImportDialog;

// Asks for the file to import, starting in startFolder when it exists: Qt's own open dialog, for order files
// (.csv .txt .xlsx .xls) or any file. Empty when the seller cancels.
QString askImportFile(QWidget* parent, const QString& startFolder = QString());

// What an import stored.
struct ImportDone
{
    qint64 imported = 0;
    QDate first; // the earliest and the latest day of sale of the orders stored
    QDate last;
    QString copyPath; // the copy of the data file made before anything was stored
};

// Imports the orders of the file into the store: reads its first rows (a file that cannot be read is told
// and nothing happens), lets the seller settle the import in the dialog, then makes the day's backup and a
// copy of the data file, and stores the chosen orders in one transaction, every one or none. Every outcome
// is told in a message over parent; nothing is thrown. Returns what was stored, or nothing when nothing was.
// tellBackup hears what became of the day's backup when the import made one.
std::optional<ImportDone> importFile(QWidget* parent,
                                     const store::OrderStore& store,
                                     const QString& path,
                                     const std::function<void(const store::BackupOutcome&)>& tellBackup = {});

// Test seam: while armed, no file dialog is shown; each question takes the next queued name, and an empty
// queue answers as a cancel would.
namespace importfile_seam {
void setNextFileName(const QString& path); // arms the seam; an empty path cancels
void reset();
QString startFolder(); // the folder the last question would have started in
} // namespace importfile_seam

// Test seam: while a hook is set, importFile calls it with the dialog once it runs modally. The dialog is
// cancelled when the hook returns, unless the hook closed it.
namespace importdialog_seam {
void setShownHook(std::function<void(ImportDialog&)> hook);
void reset();
} // namespace importdialog_seam

} // namespace importdialog
