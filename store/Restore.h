#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace store {

// A copy in the backup folder that opens as an order store this program can read.
struct BackupCopy
{
    QString path;
    QDateTime made; // from the name (a day's copy: that day; a copy before an import: that moment), else
                    // the file's time
    qint64 orders = 0;
};

// The copies in the backup folder beside the data file that are plain files (no links), open read-only as
// sound order stores of this program's version or an older one, newest first. Never throws.
std::vector<BackupCopy> goodBackups(const QString& dataFile);

// Puts the copy in the data file's place: the current data file (if there is one) is kept in the backup
// folder under keptName (with "-2", "-3"… before ".mdb" when that name is taken), then a copy of the backup
// is written beside the data file, checked, and renamed over it. Returns the path the old file was kept
// under, empty when there was none. Throws StoreError with a Chinese description; the data file is then as
// it was.
QString restoreBackup(const QString& dataFile, const BackupCopy& copy, const QString& keptName);

} // namespace store
