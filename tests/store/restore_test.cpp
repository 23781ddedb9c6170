// Restoring the data file from a backup: which copies are good, and a restore that keeps the file it
// replaces and changes nothing when it fails.
#include "store/Backup.h"
#include "store/Restore.h"
#include "store/StoreError.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

class RestoreTest : public testsupport::StoreTest
{
protected:
    QDir backups() const
    {
        QDir().mkpath(store::backupFolder(store->dataFile()));
        return QDir(store::backupFolder(store->dataFile()));
    }
    // Orders of today's date, straight into the data file.
    void addOrders(int n) const
    {
        for (int i = 0; i < n; ++i) {
            store->addOrder(QStringLiteral("货"), 1, 1, 2, QStringLiteral("甲"), QStringLiteral("K"),
                            QStringLiteral("2026-12-09"));
        }
    }
    // The data file as it is now, copied into the backup folder under name.
    QString backUpAs(const QString& name) const
    {
        const QString path = backups().filePath(name);
        EXPECT_TRUE(QFile::copy(store->dataFile(), path));
        return path;
    }
    static QByteArray bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }
    static void write(const QString& path, const QByteArray& data, qint64 at = 0)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(at);
        file.write(data);
    }
    static void sql(const QString& path, const char* statement)
    {
        sqlite3* db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        EXPECT_EQ(sqlite3_exec(db, statement, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
};

TEST_F(RestoreTest, GoodBackupsAreTheSoundOrderStoresNewestFirst)
{
    addOrders(1);
    backUpAs(QStringLiteral("data-2026-12-08.mdb"));
    addOrders(1);
    backUpAs(QStringLiteral("data-before-import-20261209-143005.mdb"));
    addOrders(1);
    backUpAs(QStringLiteral("data-2026-12-07.mdb"));
    QFile mine(backUpAs(QStringLiteral("mine.mdb")));
    ASSERT_TRUE(mine.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        mine.setFileTime(QDateTime(QDate(2026, 1, 1), QTime(9, 0)), QFileDevice::FileModificationTime));
    mine.close();
    // Files that are no order store this program may read.
    write(backups().filePath(QStringLiteral("data-2026-12-20.mdb")), "not a database at all");
    write(backUpAs(QStringLiteral("data-2026-12-21.mdb")), QByteArray(4096, '\xff'), 4096); // damaged pages
    sql(backUpAs(QStringLiteral("data-2026-12-22.mdb")), "PRAGMA user_version=2");
    sql(backUpAs(QStringLiteral("data-2026-12-23.mdb")), "DROP TABLE ddlist; CREATE TABLE ddlist(id)");
    sql(backups().filePath(QStringLiteral("data-2026-12-24.mdb")), "CREATE TABLE other(x)");
    ASSERT_TRUE(QFile::link(backups().filePath(QStringLiteral("data-2026-12-08.mdb")),
                            backups().filePath(QStringLiteral("data-2026-12-25.mdb"))));

    const std::vector<store::BackupCopy> copies = store::goodBackups(store->dataFile());
    const struct
    {
        const char* name;
        QDateTime made;
        qint64 orders;
    } expected[] = {
        {"data-before-import-20261209-143005.mdb", QDateTime(QDate(2026, 12, 9), QTime(14, 30, 5)), 2},
        {"data-2026-12-08.mdb", QDateTime(QDate(2026, 12, 8), QTime(0, 0)), 1},
        {"data-2026-12-07.mdb", QDateTime(QDate(2026, 12, 7), QTime(0, 0)), 3},
        {"mine.mdb", QDateTime(QDate(2026, 1, 1), QTime(9, 0)), 3},
    };
    ASSERT_EQ(copies.size(), std::size(expected));
    for (std::size_t i = 0; i < copies.size(); ++i) {
        EXPECT_EQ(copies[i].path, backups().filePath(QString::fromLatin1(expected[i].name))) << i;
        EXPECT_EQ(copies[i].made, expected[i].made) << i;
        EXPECT_EQ(copies[i].orders, expected[i].orders) << i;
    }
    EXPECT_TRUE(store::goodBackups(QDir(store->folder()).filePath(QStringLiteral("none/data.mdb"))).empty());
}

TEST_F(RestoreTest, RestoringKeepsTheDataFileUnderAFreeNameAndPutsTheCopyInItsPlace)
{
    addOrders(1);
    backUpAs(QStringLiteral("data-2026-12-08.mdb"));
    addOrders(2);
    write(backups().filePath(QStringLiteral("kept.mdb")), "first");
    write(backups().filePath(QStringLiteral("kept-2.mdb")), "second");
    write(store->dataFile() + QStringLiteral("-journal"), "a journal of the file it replaces");
    const QByteArray before = bytes(store->dataFile());
    const store::BackupCopy copy = store::goodBackups(store->dataFile()).front();

    const QString kept = store::restoreBackup(store->dataFile(), copy, QStringLiteral("kept.mdb"));
    EXPECT_EQ(kept, backups().filePath(QStringLiteral("kept-3.mdb")));
    EXPECT_EQ(bytes(kept), before);
    EXPECT_EQ(bytes(kept + QStringLiteral("-journal")), "a journal of the file it replaces");
    EXPECT_EQ(bytes(backups().filePath(QStringLiteral("kept.mdb"))), "first");
    EXPECT_EQ(bytes(backups().filePath(QStringLiteral("kept-2.mdb"))), "second");
    EXPECT_FALSE(QFile::exists(store->dataFile() + QStringLiteral("-journal")));
    EXPECT_EQ(store->count(), 1);
    EXPECT_EQ(bytes(store->dataFile()), bytes(copy.path));

    // Without a data file nothing is kept.
    const QStringList inFolder = backups().entryList(QDir::Files);
    ASSERT_TRUE(QFile::remove(store->dataFile()));
    EXPECT_EQ(store::restoreBackup(store->dataFile(), copy, QStringLiteral("kept.mdb")), QString());
    EXPECT_EQ(store->count(), 1);
    EXPECT_EQ(backups().entryList(QDir::Files), inFolder);
}

TEST_F(RestoreTest, AFailedRestoreLeavesTheDataFileByteForByte)
{
    addOrders(1);
    const QString path = backUpAs(QStringLiteral("data-2026-12-08.mdb"));
    addOrders(1);
    const store::BackupCopy copy = store::goodBackups(store->dataFile()).front();
    const QByteArray before = bytes(store->dataFile());
    const struct
    {
        const char* what;
        std::function<void()> spoil;
        const char* keptName;
    } cases[] = {
        {"the copy has gone", [&] { QFile::remove(path); }, "kept.mdb"},
        {"the copy is damaged now", [&] { write(path, "not a database any more"); }, "kept.mdb"},
        {"the data file cannot be kept", [] {}, "no-such-folder/kept.mdb"},
    };
    const QByteArray good = bytes(path);
    for (const auto& c : cases) {
        QFile::remove(path);
        write(path, good);
        c.spoil();
        const QStringList inFolder = backups().entryList(QDir::Files);
        try {
            store::restoreBackup(store->dataFile(), copy, QString::fromLatin1(c.keptName));
            ADD_FAILURE() << c.what << ": restored";
        } catch (const store::StoreError& e) {
            EXPECT_FALSE(e.description().isEmpty()) << c.what;
        }
        EXPECT_EQ(bytes(store->dataFile()), before) << c.what;
        EXPECT_EQ(backups().entryList(QDir::Files), inFolder) << c.what;
        EXPECT_EQ(QDir(store->folder()).entryList(QDir::Files), QStringList{QStringLiteral("data.mdb")})
            << c.what;
    }
}

} // namespace
