#include "store/Backup.h"

#include "store/StoreTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <set>
#include <sqlite3.h>

namespace store {

namespace {

constexpr int busyTimeoutMs = 3000;
constexpr int retryMs = 50;
constexpr int dailyKept = 7;
constexpr int weeksKept = 8;

const QString folderName = QStringLiteral("backups");
const QString partSuffix = QStringLiteral(".part");

QString reasonOf(int rc)
{
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return texts::fileBusy;
    case SQLITE_FULL:
        return texts::noSpaceLeft;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return texts::folderUnwritable;
    case SQLITE_CANTOPEN:
        return texts::cannotOpenFile;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return texts::fileDamaged;
    default:
        return texts::diskError(rc);
    }
}

// A connection that is always closed.
class Db final
{
public:
    Db() = default;
    ~Db() { sqlite3_close_v2(m_db); }
    Q_DISABLE_COPY_MOVE(Db)

    int open(const QString& path, int flags)
    {
        const int rc =
            sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite3_busy_timeout(m_db, busyTimeoutMs);
        return rc;
    }
    sqlite3* get() const { return m_db; }
    // Why the last call failed, in Chinese.
    QString error() const { return reasonOf(sqlite3_extended_errcode(m_db)); }

    // The first column of the first row of a one-value query; rc tells how it went.
    qint64 number(const char* sql, int& rc) const
    {
        sqlite3_stmt* st = nullptr;
        rc = sqlite3_prepare_v2(m_db, sql, -1, &st, nullptr);
        qint64 value = 0;
        if (rc == SQLITE_OK) {
            rc = sqlite3_step(st);
            if (rc == SQLITE_ROW) {
                value = sqlite3_column_int64(st, 0);
                rc = SQLITE_OK;
            } else if (rc == SQLITE_DONE) {
                rc = SQLITE_OK;
            }
        }
        sqlite3_finalize(st);
        return value;
    }

    // PRAGMA integrity_check answers with the one row "ok" when the file is sound.
    bool isSound() const
    {
        sqlite3_stmt* st = nullptr;
        bool sound = sqlite3_prepare_v2(m_db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
                     sqlite3_step(st) == SQLITE_ROW &&
                     qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), "ok") == 0;
        sound = sound && sqlite3_step(st) == SQLITE_DONE;
        sqlite3_finalize(st);
        return sound;
    }

private:
    sqlite3* m_db = nullptr;
};

QDate& clockOverride()
{
    static QDate day;
    return day;
}

// The day a copy's file name stands for; a null date for every other name.
QDate dayOfCopy(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^data-(\\d{4}-\\d{2}-\\d{2})\\.mdb$"));
    const QRegularExpressionMatch match = pattern.match(name);
    return match.hasMatch() ? QDate::fromString(match.captured(1), Qt::ISODate) : QDate();
}

void thin(const QDir& folder, QDate today)
{
    std::vector<QDate> present;
    for (const QString& name : folder.entryList(QDir::Files)) {
        if (const QDate day = dayOfCopy(name); day.isValid() && name == backupFileName(day)) {
            present.push_back(day);
        }
        // What a copy cut off by a crash left behind: ours, and never a whole copy.
        for (const QString& leftover : {partSuffix, partSuffix + QStringLiteral("-journal")}) {
            if (name.endsWith(leftover)) {
                const QString copy = name.chopped(leftover.size());
                const QDate day = dayOfCopy(copy);
                // Today's may be another copy at work.
                if (day.isValid() && day < today && copy == backupFileName(day)) {
                    QFile::remove(folder.filePath(name));
                }
            }
        }
    }
    for (const QDate day : backupsToRemove(std::move(present), today)) {
        // A copy that cannot be removed now is tried again the next day.
        QFile::remove(folder.filePath(backupFileName(day)));
    }
}

// Copies the source into part in one read transaction, so that the order count read first is the count
// of the copy. Returns an empty text or the reason it failed.
QString
copyInto(const QString& dataFile, const QString& partPath, const QString& folder, qint64& held, bool& damaged)
{
    const QString shownData = QDir::toNativeSeparators(dataFile);
    const QString shownPart = QDir::toNativeSeparators(partPath);
    Db source;
    int rc = source.open(dataFile, SQLITE_OPEN_READONLY);
    if (rc != SQLITE_OK) {
        return texts::backupReadFailed(shownData, source.error());
    }
    if (sqlite3_exec(source.get(), "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
        return texts::backupReadFailed(shownData, source.error());
    }
    held = source.number("SELECT count(*) FROM ddlist", rc);
    if (rc != SQLITE_OK) {
        return texts::backupReadFailed(shownData, source.error());
    }
    if (held == 0) {
        // An emptied store is worth a copy; one that never held an order is not.
        int seqRc = SQLITE_OK;
        const qint64 everHeld = source.number("SELECT seq FROM sqlite_sequence WHERE name='ddlist'", seqRc);
        if (seqRc != SQLITE_OK || everHeld == 0) {
            held = -1;
            return QString();
        }
    }

    Db target;
    rc = target.open(partPath, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (rc != SQLITE_OK) {
        return texts::backupWriteFailed(shownPart, target.error());
    }
    sqlite3_exec(target.get(), "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    sqlite3_backup* backup = sqlite3_backup_init(target.get(), "main", source.get(), "main");
    if (backup == nullptr) {
        return texts::backupWriteFailed(shownPart, target.error());
    }
    // All pages in one step: the source stays readable, and a writer elsewhere waits at most for the copy.
    int retries = busyTimeoutMs / retryMs;
    do {
        rc = sqlite3_backup_step(backup, -1);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            sqlite3_sleep(retryMs);
        }
    } while (rc == SQLITE_OK || ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && --retries > 0));
    const int finished = sqlite3_backup_finish(backup);
    sqlite3_exec(source.get(), "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_DONE || finished != SQLITE_OK) {
        const int cause = rc != SQLITE_DONE ? rc : finished;
        if ((cause & 0xff) == SQLITE_FULL) {
            return texts::backupDiskFull(folder);
        }
        return texts::backupWriteFailed(shownPart, reasonOf(cause));
    }
    int countRc = SQLITE_OK;
    if (!target.isSound() || target.number("SELECT count(*) FROM ddlist", countRc) != held ||
        countRc != SQLITE_OK) {
        // The copy holds the source's pages: a copy that fails its check most likely means the store
        // itself is damaged, which the seller must hear about, not a disk to clear.
        damaged = !source.isSound();
        return damaged ? texts::backupSourceDamaged(shownData) : texts::backupCheckFailed(shownPart);
    }
    return QString();
}

} // namespace

QString backupFolder(const QString& dataFile)
{
    return QFileInfo(dataFile).dir().filePath(folderName);
}

QString backupFileName(QDate day)
{
    return QStringLiteral("data-%1.mdb").arg(day.toString(Qt::ISODate));
}

BackupOutcome makeDailyBackup(const QString& dataFile, QDate today)
{
    BackupOutcome outcome;
    const QString folderPath = backupFolder(dataFile);
    QDir folder(folderPath);
    outcome.path = folder.filePath(backupFileName(today));
    if (QFileInfo::exists(outcome.path)) {
        outcome.kind = BackupOutcome::Kind::AlreadyMade;
        return outcome;
    }
    const bool folderWasThere = QFileInfo(folderPath).isDir();
    if (!folderWasThere && !QDir().mkpath(folderPath)) {
        const QString why = QFileInfo::exists(folderPath) ? texts::fileInTheWay : texts::folderUnwritable;
        outcome.reason = texts::backupFolderFailed(QDir::toNativeSeparators(folderPath), why);
        return outcome;
    }
    const QString part = outcome.path + partSuffix;
    // A part left by a copy that never finished is ours and holds nothing of value.
    QFile::remove(part);
    QFile::remove(part + QStringLiteral("-journal"));
    qint64 held = 0;
    outcome.reason = copyInto(dataFile, part, QDir::toNativeSeparators(folderPath), held, outcome.damaged);
    if (outcome.reason.isEmpty() && held < 0) {
        outcome.kind = BackupOutcome::Kind::NothingToSave;
    } else if (outcome.reason.isEmpty() && !QFile::rename(part, outcome.path)) {
        outcome.reason =
            texts::backupWriteFailed(QDir::toNativeSeparators(outcome.path), texts::cannotRename);
    }
    if (!outcome.reason.isEmpty() || held < 0) {
        // Leave the folder as it was.
        QFile::remove(part);
        QFile::remove(part + QStringLiteral("-journal"));
        if (!folderWasThere) {
            QDir().rmdir(folderPath);
        }
        return outcome;
    }
    outcome.kind = BackupOutcome::Kind::Made;
    thin(folder, today);
    return outcome;
}

std::vector<QDate> backupsToRemove(std::vector<QDate> present, QDate today)
{
    std::sort(present.begin(), present.end(), std::greater<>());
    present.erase(std::unique(present.begin(), present.end()), present.end());
    std::set<QDate> kept;
    int daily = 0;
    for (const QDate day : present) {
        if (day > today || daily < dailyKept) {
            kept.insert(day);
            daily += day > today ? 0 : 1;
        }
    }
    const QDate thisMonday = today.addDays(1 - today.dayOfWeek());
    const QDate firstMonday = thisMonday.addDays(-7 * (weeksKept - 1));
    std::set<QDate> weeksSeen;
    for (const QDate day : present) {
        const QDate monday = day.addDays(1 - day.dayOfWeek());
        if (day <= today && monday >= firstMonday && weeksSeen.insert(monday).second) {
            kept.insert(day); // the newest copy of its week
        }
    }
    std::vector<QDate> removed;
    std::copy_if(present.begin(), present.end(), std::back_inserter(removed),
                 [&kept](QDate day) { return !kept.contains(day); });
    return removed;
}

namespace backup_clock {

QDate today()
{
    return clockOverride().isValid() ? clockOverride() : QDate::currentDate();
}

void setToday(QDate day)
{
    clockOverride() = day;
}

} // namespace backup_clock

} // namespace store
