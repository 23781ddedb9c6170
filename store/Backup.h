#pragma once

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QString>
#include <vector>

namespace store {

// What one attempt at the day's backup came to. The store shows nothing; the caller decides what to say.
struct BackupOutcome
{
    enum class Kind {
        Made,          // a checked copy of today is in the backup folder; older copies were thinned
        AlreadyMade,   // today's copy was there already
        NothingToSave, // the store never held an order
        Failed,        // no copy of today; nothing in the backup folder was changed
    };
    Kind kind = Kind::Failed;
    QString path;         // today's copy
    QString reason;       // Failed: why, in Chinese
    bool damaged = false; // Failed because the data file itself does not pass the integrity check
};

// The folder the copies go to: "backups" beside the data file.
QString backupFolder(const QString& dataFile);
// The name of the copy of one day: "data-2026-12-09.mdb".
QString backupFileName(QDate day);
// The day a copy's file name stands for; a null date for every other name.
QDate dayOfCopy(const QString& name);
// The name of a file kept at a moment: "<prefix>-20261209-143005.mdb".
QString momentFileName(const QString& prefix, const QDateTime& moment);
// A name in folder that no file (nor link) has: name itself, else name with "-2", "-3"… before its suffix.
QString freePath(const QDir& folder, const QString& name);

// Makes today's copy of the data file unless there is one: SQLite's online backup (a consistent copy
// even while another connection writes), written under a temporary name, checked (integrity and order
// count), then put in place; only then are older copies thinned by the keep rule. Only copies it made are
// thinned: plain files (no links) that open as order stores; a file of the seller's own that bears a
// copy's name stays. Never throws.
BackupOutcome makeDailyBackup(const QString& dataFile, QDate today);

// Makes a checked copy of the data file in the backup folder, named for the moment before an import
// ("data-before-import-20261209-143005.mdb"), also of a store that never held an order. Never throws; the
// daily copies' thinning never touches it.
BackupOutcome copyBeforeImport(const QString& dataFile, const QDateTime& now);

// The keep rule: of the days that have a copy, the seven newest, and the newest of each of the last
// eight calendar weeks (Monday to Sunday, this week included), stay. Returns the days whose copies go.
// Copies dated after today (a clock set back) always stay.
std::vector<QDate> backupsToRemove(std::vector<QDate> present, QDate today);

// Today's date as the backups see it. Tests set a day of their own to walk through the calendar.
namespace backup_clock {
QDate today();
void setToday(QDate day); // a null date goes back to the system clock
} // namespace backup_clock

} // namespace store
