#include "store/Restore.h"

#include "store/Backup.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "store/StoreError.h"
#include "store/StoreTexts.h"
#include "store/SyncToDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

namespace store {

namespace {

const QString journalSuffix = QStringLiteral("-journal");
const QString partSuffix = QStringLiteral(".restore-part");

// The number of orders of a file that opens read-only as a sound order store of this version or an older
// one; none for every other file.
std::optional<qint64> ordersIn(const QString& path)
{
    try {
        Database db(path, Database::Mode::ReadOnly);
        {
            Statement check = db.prepare("PRAGMA quick_check");
            if (!check.step() || check.text(0) != QLatin1String("ok")) {
                return std::nullopt;
            }
        }
        refuseNewer(db);
        requireOrderTable(db);
        Statement count = db.prepare("SELECT count(*) FROM ddlist");
        return count.step() ? count.integer(0) : 0;
    } catch (const StoreError&) {
        return std::nullopt;
    }
}

// The moment a copy's name stands for; the file's time for a name that tells none.
QDateTime madeAt(const QFileInfo& file)
{
    static const QRegularExpression moment(
        QStringLiteral("^data-[a-z]+(?:-[a-z]+)*-(\\d{8}-\\d{6})(?:-\\d+)?\\.mdb$"));
    if (const QDate day = dayOfCopy(file.fileName()); day.isValid()) {
        return QDateTime(day, QTime(0, 0));
    }
    if (const auto match = moment.match(file.fileName()); match.hasMatch()) {
        const QDateTime at = QDateTime::fromString(match.captured(1), QStringLiteral("yyyyMMdd-HHmmss"));
        if (at.isValid()) {
            return at;
        }
    }
    return file.lastModified();
}

QString reasonOf(const QFile& file)
{
    return texts::diskError(file.errorString());
}

void removePart(const QString& part)
{
    QFile::remove(part);
    QFile::remove(part + journalSuffix);
}

} // namespace

std::vector<BackupCopy> goodBackups(const QString& dataFile)
{
    std::vector<BackupCopy> copies;
    const QDir folder(backupFolder(dataFile));
    const QFileInfoList files =
        folder.entryInfoList({QStringLiteral("*.mdb")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& file : files) {
        if (!file.isFile() || file.isSymLink()) {
            continue;
        }
        if (const std::optional<qint64> orders = ordersIn(file.filePath())) {
            copies.push_back(BackupCopy{file.filePath(), madeAt(file), *orders});
        }
    }
    std::sort(copies.begin(), copies.end(), [](const BackupCopy& a, const BackupCopy& b) {
        return a.made != b.made ? a.made > b.made : a.path > b.path;
    });
    return copies;
}

QString restoreBackup(const QString& dataFile, const BackupCopy& copy, const QString& keptName)
{
    const QString shownCopy = QDir::toNativeSeparators(copy.path);
    const QString shownData = QDir::toNativeSeparators(dataFile);
    const QFileInfo source(copy.path);
    if (!source.isFile() || source.isSymLink()) {
        throw StoreError(StoreError::Kind::FileMissing,
                         texts::restoreCopyFailed(shownCopy, texts::cannotOpenFile));
    }
    // A checked copy beside the data file first: the rename over it is then one step on one disk.
    const QString part = dataFile + partSuffix;
    removePart(part); // left by a restore that never finished: ours
    QFile from(copy.path);
    if (!from.copy(part)) {
        const QString reason = reasonOf(from);
        removePart(part);
        throw StoreError(StoreError::Kind::IoError, texts::restoreCopyFailed(shownCopy, reason));
    }
    if (!ordersIn(part)) {
        removePart(part);
        throw StoreError(StoreError::Kind::NotADatabase, texts::restoreCheckFailed(shownCopy));
    }
    // On the disk before the rename: a power loss must not leave a data file the copy never reached.
    syncToDisk(part);
    // The data file as it is, with a journal SQLite would roll back, is kept under a name no file has.
    const QFileInfo current(dataFile);
    const bool hasCurrent = current.exists() || current.isSymLink();
    QString kept;
    if (hasCurrent) {
        const QDir folder(backupFolder(dataFile));
        kept = freePath(folder, keptName);
        const QString shownKept = QDir::toNativeSeparators(kept);
        if (!QDir().mkpath(folder.path())) {
            removePart(part);
            throw StoreError(StoreError::Kind::ReadOnly,
                             texts::restoreKeepFailed(shownKept, texts::folderUnwritable));
        }
        QFile old(dataFile);
        bool keptAll = old.copy(kept);
        QString reason = keptAll ? QString() : reasonOf(old);
        if (keptAll && QFileInfo::exists(dataFile + journalSuffix)) {
            QFile journal(dataFile + journalSuffix);
            keptAll = journal.copy(kept + journalSuffix);
            reason = keptAll ? QString() : reasonOf(journal);
        }
        if (!keptAll) {
            QFile::remove(kept);
            QFile::remove(kept + journalSuffix);
            removePart(part);
            throw StoreError(StoreError::Kind::IoError, texts::restoreKeepFailed(shownKept, reason));
        }
        syncToDisk(kept);
        if (QFileInfo::exists(kept + journalSuffix)) {
            syncToDisk(kept + journalSuffix);
        }
        syncToDisk(folder.path(), true);
    }
    std::error_code error;
    std::filesystem::rename(part.toStdU16String(), dataFile.toStdU16String(), error);
    if (error) {
        removePart(part);
        if (!kept.isEmpty()) {
            QFile::remove(kept);
            QFile::remove(kept + journalSuffix);
        }
        throw StoreError(StoreError::Kind::IoError,
                         texts::restoreReplaceFailed(shownData, QString::fromStdString(error.message())));
    }
    // The old file's journal would be played into the restored one: it went with the kept copy.
    QFile::remove(dataFile + journalSuffix);
    syncToDisk(QFileInfo(dataFile).absolutePath(), true);
    return kept;
}

} // namespace store
