#include "store/Backup.h"

#include "store/Database.h"
#include "store/StoreError.h"
#include "store/StoreTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <optional>
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

// Why an operation on a file failed, in a few words.
QString reasonOf(const StoreError& e)
{
    switch (e.kind()) {
    case StoreError::Kind::Locked:
        return texts::fileBusy;
    case StoreError::Kind::DiskFull:
        return texts::noSpaceLeft;
    case StoreError::Kind::ReadOnly:
        return texts::folderUnwritable;
    case StoreError::Kind::FileMissing:
        return texts::cannotOpenFile;
    case StoreError::Kind::NotADatabase:
        return texts::fileDamaged;
    default:
        return texts::diskError(e.detail());
    }
}

// The first column of the first row of a one-value query.
qint64 number(Database& db, const char* sql)
{
    Statement st = db.prepare(sql);
    return st.step() ? st.integer(0) : 0;
}

bool everHeldAnOrder(Database& db)
{
    try {
        return number(db, "SELECT seq FROM sqlite_sequence WHERE name='ddlist'") != 0;
    } catch (const StoreError&) {
        return false;
    }
}

// PRAGMA integrity_check answers with the one row "ok" when the file is sound.
bool isSound(Database& db)
{
    try {
        Statement st = db.prepare("PRAGMA integrity_check");
        return st.step() && st.text(0) == QLatin1String("ok") && !st.step();
    } catch (const StoreError&) {
        return false;
    }
}

QDate& clockOverride()
{
    static QDate day;
    return day;
}

// A file of the seller's own may bear a copy's name: only a plain file (no link) is ours.
bool isPlainFile(const QFileInfo& file)
{
    return file.isFile() && !file.isSymLink();
}

// A plain file that opens as an order store, as every copy does.
bool isOrderCopy(const QFileInfo& file)
{
    if (!isPlainFile(file)) {
        return false;
    }
    try {
        Database db(file.filePath(), Database::Mode::ReadOnly);
        return db.prepare("SELECT 1 FROM sqlite_master WHERE type='table' AND name='ddlist'").step();
    } catch (const StoreError&) {
        return false;
    }
}

void thin(const QDir& folder, QDate today)
{
    std::vector<QDate> present;
    for (const QString& name : folder.entryList(QDir::Files)) {
        const QFileInfo file(folder.filePath(name));
        if (const QDate day = dayOfCopy(name);
            day.isValid() && name == backupFileName(day) && isOrderCopy(file)) {
            present.push_back(day);
        }
        // What a copy cut off by a crash left behind: ours, and never a whole copy.
        for (const QString& leftover : {partSuffix, partSuffix + QStringLiteral("-journal")}) {
            if (name.endsWith(leftover) && isPlainFile(file)) {
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
QString copyInto(const QString& dataFile,
                 const QString& partPath,
                 const QString& folder,
                 bool evenUnused,
                 qint64& held,
                 bool& damaged)
{
    const QString shownData = QDir::toNativeSeparators(dataFile);
    const QString shownPart = QDir::toNativeSeparators(partPath);
    std::optional<Database> source;
    try {
        source.emplace(dataFile, Database::Mode::ReadOnly);
        source->exec("BEGIN");
        held = number(*source, "SELECT count(*) FROM ddlist");
        // An emptied store is worth a copy; one that never held an order is not.
        if (held == 0 && !evenUnused && !everHeldAnOrder(*source)) {
            held = -1;
            return QString();
        }
    } catch (const StoreError& e) {
        return texts::backupReadFailed(shownData, reasonOf(e));
    }
    try {
        Database target(partPath, Database::Mode::Create);
        target.exec("PRAGMA synchronous=FULL");
        sqlite3_backup* backup = sqlite3_backup_init(target.handle(), "main", source->handle(), "main");
        if (backup == nullptr) {
            target.fail(sqlite3_extended_errcode(target.handle()));
        }
        // All pages in one step: the source stays readable, and a writer elsewhere waits at most for the
        // copy.
        int rc = SQLITE_OK;
        int retries = busyTimeoutMs / retryMs;
        do {
            rc = sqlite3_backup_step(backup, -1);
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                sqlite3_sleep(retryMs);
            }
        } while (rc == SQLITE_OK || ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && --retries > 0));
        const int finished = sqlite3_backup_finish(backup);
        sqlite3_exec(source->handle(), "COMMIT", nullptr, nullptr, nullptr);
        if (rc != SQLITE_DONE || finished != SQLITE_OK) {
            const int cause = rc != SQLITE_DONE ? rc : finished;
            if ((cause & 0xff) == SQLITE_FULL) {
                return texts::backupDiskFull(folder);
            }
            target.fail(cause);
        }
        if (!isSound(target) || number(target, "SELECT count(*) FROM ddlist") != held) {
            // The copy holds the source's pages: a copy that fails its check most likely means the store
            // itself is damaged, which the seller must hear about, not a disk to clear.
            damaged = !isSound(*source);
            return damaged ? texts::backupSourceDamaged(shownData) : texts::backupCheckFailed(shownPart);
        }
    } catch (const StoreError& e) {
        return texts::backupWriteFailed(shownPart, reasonOf(e));
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

QDate dayOfCopy(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^data-(\\d{4}-\\d{2}-\\d{2})\\.mdb$"));
    const QRegularExpressionMatch match = pattern.match(name);
    return match.hasMatch() ? QDate::fromString(match.captured(1), Qt::ISODate) : QDate();
}

QString momentFileName(const QString& prefix, const QDateTime& moment)
{
    return QStringLiteral("%1-%2.mdb").arg(prefix, moment.toString(QStringLiteral("yyyyMMdd-HHmmss")));
}

QString freePath(const QDir& folder, const QString& name)
{
    const QFileInfo plain(name);
    const QString base = plain.completeBaseName();
    const QString suffix = plain.suffix().isEmpty() ? QString() : QLatin1Char('.') + plain.suffix();
    QString path = folder.filePath(name);
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n) {
        path = folder.filePath(QStringLiteral("%1-%2%3").arg(base).arg(n).arg(suffix));
    }
    return path;
}

namespace {

// Makes a checked copy of the data file at path, in the backup folder: under a temporary name first, then
// renamed. Anything that fails leaves the folder as it was.
BackupOutcome makeCopy(const QString& dataFile, const QString& path, bool evenUnused)
{
    BackupOutcome outcome;
    outcome.path = path;
    const QString folderPath = backupFolder(dataFile);
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
    outcome.reason =
        copyInto(dataFile, part, QDir::toNativeSeparators(folderPath), evenUnused, held, outcome.damaged);
    if (outcome.reason.isEmpty() && held < 0) {
        outcome.kind = BackupOutcome::Kind::NothingToSave;
    } else if (outcome.reason.isEmpty() && !QFile::rename(part, outcome.path)) {
        outcome.reason =
            texts::backupWriteFailed(QDir::toNativeSeparators(outcome.path), texts::cannotRename);
    }
    if (!outcome.reason.isEmpty() || held < 0) {
        QFile::remove(part);
        QFile::remove(part + QStringLiteral("-journal"));
        if (!folderWasThere) {
            QDir().rmdir(folderPath);
        }
        return outcome;
    }
    outcome.kind = BackupOutcome::Kind::Made;
    return outcome;
}

} // namespace

BackupOutcome makeDailyBackup(const QString& dataFile, QDate today)
{
    const QString path = QDir(backupFolder(dataFile)).filePath(backupFileName(today));
    if (QFileInfo::exists(path)) {
        BackupOutcome outcome;
        outcome.kind = BackupOutcome::Kind::AlreadyMade;
        outcome.path = path;
        return outcome;
    }
    BackupOutcome outcome = makeCopy(dataFile, path, false);
    if (outcome.kind == BackupOutcome::Kind::Made) {
        thin(QDir(backupFolder(dataFile)), today);
    }
    return outcome;
}

BackupOutcome copyBeforeImport(const QString& dataFile, const QDateTime& now)
{
    // Two imports within one second: the second copy gets a number of its own, never the first one's name.
    const QString path =
        freePath(QDir(backupFolder(dataFile)), momentFileName(QStringLiteral("data-before-import"), now));
    return makeCopy(dataFile, path, true);
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
