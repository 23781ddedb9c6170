// The day's backup in the store: one checked copy a day, the keep rule over a year of days, a copy of a
// store that another connection is writing, and a store that never held an order.
#include "store/Backup.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sqlite3.h>
#include <thread>

namespace {

using store::BackupOutcome;

class BackupTest : public testsupport::StoreTest
{
protected:
    QDir folder() const { return QDir(store::backupFolder(store->dataFile())); }
    QStringList copies() const
    {
        return folder().entryList({QStringLiteral("data-*.mdb")}, QDir::Files, QDir::Name);
    }
    static qint64 ordersIn(const QString& path)
    {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT count(*) FROM ddlist", -1, &st, nullptr);
        const qint64 n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
        sqlite3_finalize(st);
        sqlite3_close(db);
        return n;
    }
    void addOrder() const
    {
        store->addOrder(QStringLiteral("保温杯"), 12.5, 2, 30, QStringLiteral("小王"),
                        QStringLiteral("SF1001"), QStringLiteral("2026-12-09"));
    }
};

TEST_F(BackupTest, AStoreThatNeverHeldAnOrderIsNotCopiedButAnEmptiedOneIs)
{
    const QDate day(2026, 12, 9);
    EXPECT_EQ(store::makeDailyBackup(store->dataFile(), day).kind, BackupOutcome::Kind::NothingToSave);
    EXPECT_FALSE(QFileInfo::exists(folder().path())) << "no folder is left for nothing";

    addOrder();
    store->exec(QStringLiteral("DELETE FROM ddlist"));
    const BackupOutcome outcome = store::makeDailyBackup(store->dataFile(), day);
    ASSERT_EQ(outcome.kind, BackupOutcome::Kind::Made) << outcome.reason.toStdString();
    EXPECT_EQ(outcome.path, folder().filePath(QStringLiteral("data-2026-12-09.mdb")));
    EXPECT_EQ(ordersIn(outcome.path), 0);
}

TEST_F(BackupTest, OneCopyADayThinnedToSevenDailyAndEightWeeklyOverAYear)
{
    addOrder();
    // Things of the seller's own in the folder are never touched, even a file or a link named like a copy.
    ASSERT_TRUE(QDir().mkpath(folder().filePath(QStringLiteral("old"))));
    // The last two: a file that is no order store, and a link to one.
    const QStringList foreign = QStringLiteral("notes.txt data-2026-02-30.mdb data-2026-01-01.mdb.bak "
                                               "Data-2026-01-02.mdb data-2025-12-20.mdb data-2025-12-21.mdb")
                                    .split(QLatin1Char(' '));
    for (const QString& name : foreign.mid(0, 5) + QStringList{QStringLiteral("data-2025-12-31.mdb.part")}) {
        QFile f(folder().filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("mine");
    }
    ASSERT_TRUE(QFile::link(store->dataFile(), folder().filePath(foreign.last())));

    std::set<QDate> made;
    const QDate first(2026, 1, 1);
    for (QDate today = first; today < first.addDays(365); today = today.addDays(1)) {
        // The program is not started every day: it skips days in an irregular pattern.
        if (today.dayOfYear() % 5 == 2 || today.dayOfYear() % 11 == 0) {
            continue;
        }
        const BackupOutcome outcome = store::makeDailyBackup(store->dataFile(), today);
        ASSERT_EQ(outcome.kind, BackupOutcome::Kind::Made) << outcome.reason.toStdString();
        made.insert(today);
        if (today.dayOfYear() % 3 == 0) {
            addOrder();
        }

        std::set<QDate> present;
        for (const QString& name : copies()) {
            const QDate day = QDate::fromString(name.mid(5, 10), Qt::ISODate);
            if (!foreign.contains(name)) {
                present.insert(day);
            }
        }
        // The seven newest copies made are there.
        auto newest = made.rbegin();
        for (int i = 0; i < 7 && newest != made.rend(); ++i, ++newest) {
            ASSERT_TRUE(present.contains(*newest)) << today.toString(Qt::ISODate).toStdString();
        }
        // So is the newest one of each of the last eight weeks, and nothing older or in between.
        const QDate monday = today.addDays(1 - today.dayOfWeek());
        std::map<QDate, QDate> newestOfWeek;
        for (const QDate day : made) {
            newestOfWeek[day.addDays(1 - day.dayOfWeek())] = day;
        }
        std::set<QDate> expected(made.rbegin(), std::next(made.rbegin(), std::min<int>(7, int(made.size()))));
        for (const auto& [week, day] : newestOfWeek) {
            if (week >= monday.addDays(-7 * 7)) {
                expected.insert(day);
            }
        }
        ASSERT_EQ(present, expected) << today.toString(Qt::ISODate).toStdString();
        ASSERT_LE(present.size(), 7u + 8u);
    }
    for (const QString& name : foreign) {
        EXPECT_TRUE(QFile::exists(folder().filePath(name))) << name.toStdString();
    }
    EXPECT_TRUE(QFileInfo(folder().filePath(foreign.last())).isSymLink());
    EXPECT_TRUE(QFileInfo(folder().filePath(QStringLiteral("old"))).isDir());
    EXPECT_FALSE(QFile::exists(folder().filePath(QStringLiteral("data-2025-12-31.mdb.part"))))
        << "a copy cut off by a crash was left";

    // Later the same day: nothing new, the copy untouched.
    const QDate last = *made.rbegin();
    const QString path = folder().filePath(store::backupFileName(last));
    const qint64 orders = ordersIn(path);
    addOrder();
    EXPECT_EQ(store::makeDailyBackup(store->dataFile(), last).kind, BackupOutcome::Kind::AlreadyMade);
    EXPECT_EQ(ordersIn(path), orders);
    // A copy dated after today (the clock set back) stays.
    EXPECT_TRUE(store::backupsToRemove({last.addDays(30), last.addDays(-400)}, last) == std::vector<QDate>{});
}

TEST_F(BackupTest, CopyOfAStoreAnotherConnectionIsWritingIsWholeAndTheWriterIsNotStopped)
{
    store->exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<30000) "
                               "INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) "
                               "SELECT '商品'||i, 1.5, 2, 3, '买家', 'KD'||i, '2026-12-09', "
                               "printf('%.100c', 'x') FROM n"));
    const qint64 before = store->count();

    std::atomic<bool> stop = false;
    std::atomic<int> written = 0;
    std::atomic<int> failures = 0;
    std::thread writer([&] {
        sqlite3* db = nullptr;
        sqlite3_open_v2(store->dataFile().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(db, 3000); // as the program's own connection waits
        while (!stop) {
            const int rc =
                sqlite3_exec(db,
                             "BEGIN IMMEDIATE; INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate) "
                             "VALUES ('新','1','1','1','b','k','2026-12-09'); COMMIT;",
                             nullptr, nullptr, nullptr);
            // Another program saving orders as fast as a busy seller could, and then some.
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            if (rc == SQLITE_OK) {
                ++written;
            } else {
                ++failures;
                sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            }
        }
        sqlite3_close(db);
    });
    while (written < 20 && failures == 0) {
        std::this_thread::yield();
    }
    const BackupOutcome outcome = store::makeDailyBackup(store->dataFile(), QDate(2026, 12, 9));
    const int atCopy = written;
    while (written < atCopy + 20 && failures == 0) {
        std::this_thread::yield();
    }
    stop = true;
    writer.join();

    ASSERT_EQ(outcome.kind, BackupOutcome::Kind::Made) << outcome.reason.toStdString();
    EXPECT_EQ(failures, 0) << "a save elsewhere failed while the copy was made";
    const qint64 copied = ordersIn(outcome.path);
    EXPECT_GE(copied, before + 20);
    EXPECT_LT(copied, store->count());
    EXPECT_EQ(folder().entryList(QDir::Files), QStringList{QStringLiteral("data-2026-12-09.mdb")})
        << "no part file is left";
}

} // namespace
