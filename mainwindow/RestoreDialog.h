#pragma once

#include "store/Restore.h"

#include <QDateTime>
#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

class QListWidget;
class QPushButton;

namespace store {
class StoreError;
}

namespace mainwindow {

// The good backups, newest first, to choose the one to restore from: 恢复 (the default, only with a copy
// chosen) and 取消.
class RestoreDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RestoreDialog)
public:
    RestoreDialog(std::vector<store::BackupCopy> copies, QWidget* parent);

    // The copy chosen in the list; none while nothing is.
    std::optional<store::BackupCopy> chosen() const;

    QListWidget* backupList;
    QPushButton* restoreButton;
    QPushButton* cancelButton;

private:
    std::vector<store::BackupCopy> m_copies;
};

// When a copy was made, as the seller reads it: the short date, and the time for a copy made within a day.
QString madeText(const store::BackupCopy& copy);

// The question at start-up when the data file cannot be opened and there is a good backup: restore from the
// newest one? No is the default. Yes restores it, keeping the unreadable file, and returns true; a failed
// restore throws StoreError.
bool offerStartupRestore(QWidget* parent,
                         const QString& dataFile,
                         const store::StoreError& failure,
                         const store::BackupCopy& newest);

// What the seller chose to restore from, and the name the data file is to be kept under.
struct RestoreChoice
{
    store::BackupCopy copy;
    QString keptName;
};
// From the menu: the dialog, then a confirmation naming the copy. None when there is no good backup (the
// seller is told) or the seller did not go on.
std::optional<RestoreChoice> chooseBackup(QWidget* parent, const QString& dataFile);

// Test seam: while a hook is set, each dialog calls it once it runs modally; the dialog is closed when the
// hook returns, unless the hook closed it.
namespace restore_seam {
void setShownHook(std::function<void(RestoreDialog&)> hook);
void reset();
} // namespace restore_seam

} // namespace mainwindow
