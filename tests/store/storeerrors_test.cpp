#include "Printing.h"
#include "store/OrderStore.h"
#include "store/StoreError.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Kind = store::StoreError::Kind;

class StoreErrorsTest : public testsupport::StoreTest
{
protected:
    // Runs one call of the store; returns the error kind, or nullopt when it worked.
    static std::optional<Kind> run(const std::function<void()>& call, QString* description = nullptr)
    {
        try {
            call();
            return std::nullopt;
        } catch (const store::StoreError& e) {
            if (description) {
                *description = e.description();
            }
            return e.kind();
        }
    }
    void replaceFile(const QByteArray& content)
    {
        QFile::remove(store->dataFile());
        QFile f(store->dataFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    void replaceWithSchema(const char* sql)
    {
        QFile::remove(store->dataFile());
        sqlite3* db = nullptr;
        sqlite3_open(store->dataFile().toUtf8().constData(), &db);
        sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    // Runs body in a child process without root's right to write anything; returns its exit code.
    static int asUnprivileged(const std::function<int()>& body)
    {
        const pid_t pid = fork();
        if (pid == 0) {
            int code = 99;
            if (geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0)) {
                try {
                    code = body();
                } catch (...) {
                    code = 98;
                }
            }
            _exit(code);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    void SetUp() override
    {
        StoreTest::SetUp();
        orders = store::OrderStore(store->dataFile());
    }
    store::OrderStore orders{QString()};
    const std::function<void()> list = [this] { orders.list(store::OrderFilter::everyOrder()); };
    const std::function<void()> insert = [this] {
        orders.insert({0, QStringLiteral("a"), QStringLiteral("m"), store::Number(2), store::Number(1),
                       store::Number(3), QDate(2026, 12, 9), QStringLiteral("k"), QString()});
    };
};

TEST_F(StoreErrorsTest, MissingFileIsNamedAndNeverCreated)
{
    ASSERT_TRUE(QFile::remove(store->dataFile()));
    QString description;
    EXPECT_EQ(run(list, &description), Kind::FileMissing);
    EXPECT_TRUE(description.contains(store->dataFile())) << description.toStdString();
    EXPECT_EQ(run(insert), Kind::FileMissing);
    EXPECT_FALSE(QFileInfo::exists(store->dataFile()));
}

TEST_F(StoreErrorsTest, OtherFilesAreRecognisedAtOpen)
{
    replaceFile(QByteArray("这不是数据库").repeated(300));
    QString description;
    EXPECT_EQ(run(list, &description), Kind::NotADatabase);
    EXPECT_TRUE(description.contains(store->dataFile()));
    EXPECT_EQ(run(insert), Kind::NotADatabase);

    replaceFile(QByteArray()); // an empty file holds no order table
    EXPECT_EQ(run(list), Kind::WrongTable);
    replaceWithSchema("CREATE TABLE orders (id INTEGER PRIMARY KEY)");
    EXPECT_EQ(run(list), Kind::WrongTable);
    replaceWithSchema(
        "CREATE TABLE ddlist (id INTEGER PRIMARY KEY, spname TEXT, jj REAL, sl REAL, sj REAL, mjzh TEXT,"
        " kddh TEXT, bz TEXT)");
    EXPECT_EQ(run(list, &description), Kind::WrongTable);
    EXPECT_TRUE(description.contains(QStringLiteral("xsdate"))) << description.toStdString();
}

TEST_F(StoreErrorsTest, ReadOnlyStoreCanBeReadButNotWritten)
{
    store->addOrder(QStringLiteral("a"), 1, 1, 1, QStringLiteral("m"), QStringLiteral("k"),
                    QStringLiteral("2026-12-09"));
    const store::Order stored = *orders.load(1);
    // Every call that writes is refused, naming the file or the folder; reads still work.
    const auto refusesWrites = [&](const QString& named) {
        return asUnprivileged([&] {
            if (run(list)) {
                return 1;
            }
            const std::function<void()> writes[] = {
                insert,
                [&] { orders.update(stored); },
                [&] { orders.remove(stored.id); },
                [&] { orders.insertAll(std::vector{stored}); },
                [&] { orders.requireWritable(); },
                [&] { orders.upgrade(); },
            };
            for (const auto& write : writes) {
                QString description;
                if (run(write, &description) != Kind::ReadOnly || !description.contains(named)) {
                    return 2;
                }
            }
            return 0;
        });
    };
    const QByteArray folder = store->folder().toUtf8();
    const QByteArray file = store->dataFile().toUtf8();
    // A write-protected file in a writable folder.
    ASSERT_EQ(chmod(folder.constData(), 0777), 0);
    ASSERT_EQ(chmod(file.constData(), 0444), 0);
    EXPECT_EQ(refusesWrites(store->dataFile()), 0);
    // A writable file in a write-protected folder: the rollback journal has nowhere to go.
    ASSERT_EQ(chmod(file.constData(), 0666), 0);
    ASSERT_EQ(chmod(folder.constData(), 0555), 0);
    EXPECT_EQ(refusesWrites(store->folder()), 0);
    chmod(folder.constData(), 0700);
    EXPECT_EQ(store->count(), 1);
    EXPECT_EQ(orders.load(1), stored);
}

TEST_F(StoreErrorsTest, LockedStoreIsReportedAfterTheBusyTimeout)
{
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(store->dataFile().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    QString description;
    EXPECT_EQ(run(insert, &description), Kind::Locked);
    EXPECT_TRUE(description.contains(store->dataFile()));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(run(insert), std::nullopt);
    EXPECT_EQ(store->count(), 1);
}

TEST_F(StoreErrorsTest, NothingIsLeftOpenOrBesideTheFile)
{
    insert();
    orders.list(store::OrderFilter::everyOrder());
    const store::Order stored = *orders.load(1);
    // Between the calls another program can write: no statement or lock is held.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(store->dataFile().toUtf8().constData(), &other), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE; COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(other, "PRAGMA journal_mode", -1, &st, nullptr);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), "delete");
    sqlite3_finalize(st);
    sqlite3_close(other);
    EXPECT_TRUE(orders.update(stored));
    EXPECT_TRUE(orders.remove(stored.id));
    EXPECT_EQ(QDir(store->folder()).entryList(QDir::Files), QStringList{QStringLiteral("data.mdb")});
}

} // namespace
