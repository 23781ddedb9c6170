// A process that saves orders is killed with SIGKILL at random moments, again and again. After each kill
// the data file must be sound, every acknowledged order must be there, whole, and no order may be half
// there.
#include "CrashOrder.h"
#include "support/Fixtures.h"

#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>
#include <random>
#include <signal.h>
#include <sqlite3.h>

namespace {

struct Row
{
    qint64 id;
    QString spname, mjzh, kddh, xsdate, bz;
    double jj, sl, sj;
};

QString column(sqlite3_stmt* st, int i)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                             sqlite3_column_bytes(st, i));
}

// Reads the whole table and the integrity check straight from SQLite.
QString scan(const QString& path, QList<Row>& rows)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return QStringLiteral("cannot open");
    }
    QString integrity;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        integrity += column(st, 0);
    }
    sqlite3_finalize(st);
    sqlite3_prepare_v2(db, "SELECT id,spname,jj,sl,sj,mjzh,kddh,xsdate,bz FROM ddlist ORDER BY id", -1, &st,
                       nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        rows.append({sqlite3_column_int64(st, 0), column(st, 1), column(st, 5), column(st, 6), column(st, 7),
                     column(st, 8), sqlite3_column_double(st, 2), sqlite3_column_double(st, 3),
                     sqlite3_column_double(st, 4)});
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return integrity;
}

// 0 when the row is neither version of its order, else the version it holds whole.
int versionOf(const Row& row)
{
    for (int version : {1, 2}) {
        const store::Order o = crashorder::make(int(row.id), version);
        if (row.spname == o.goods && row.jj == o.purchasePrice.stored() && row.sl == o.quantity.stored() &&
            row.sj == o.sellingPrice.stored() && row.mjzh == o.buyer && row.kddh == o.waybill &&
            row.xsdate == o.saleDate.toString(Qt::ISODate) && row.bz == o.remark) {
            return version;
        }
    }
    return 0;
}

} // namespace

TEST(CrashTest, KilledSaverLosesNothingAndLeavesNoHalfOrder)
{
    testsupport::pinLocale();
    testsupport::TempStore store;
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> delay(0, 80);

    QSet<int> added;
    QSet<int> edited;
    qint64 lastId = 0;
    int kills = 0;
    constexpr int killCount = 150;
    for (; kills < killCount; ++kills) {
        QProcess child;
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start(QStringLiteral(CRASH_CHILD_PATH), {store.folder(), QString::number(lastId + 1)});
        ASSERT_TRUE(child.waitForStarted(10000));
        // Let it save for a random while; at 0 it dies before or during its first save.
        const int ms = delay(random);
        if (ms > 0) {
            child.waitForFinished(ms);
        }
        ASSERT_EQ(child.state(), QProcess::Running) << child.readAllStandardError().constData();
        ::kill(pid_t(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(10000));
        const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
        for (const QByteArray& line : lines) {
            if (line.startsWith("add ")) {
                added.insert(line.mid(4).toInt());
            } else if (line.startsWith("edit ")) {
                edited.insert(line.mid(5).toInt());
            }
        }

        QList<Row> rows;
        ASSERT_EQ(scan(store.dataFile(), rows), QStringLiteral("ok")) << "after kill " << kills;
        QSet<int> present;
        for (const Row& row : rows) {
            const int version = versionOf(row);
            ASSERT_NE(version, 0) << "order " << row.id << " is only half there after kill " << kills;
            if (edited.contains(int(row.id))) {
                ASSERT_EQ(version, 2) << "acknowledged edit of order " << row.id << " lost";
            }
            present.insert(int(row.id));
        }
        for (int n : std::as_const(added)) {
            ASSERT_TRUE(present.contains(n)) << "acknowledged order " << n << " lost after kill " << kills;
        }
        lastId = rows.isEmpty() ? 0 : rows.last().id;
        ASSERT_EQ(lastId, rows.size()) << "ids are not 1..n";
    }
    RecordProperty("kills", kills);
    RecordProperty("acknowledged_orders", int(added.size()));
    RecordProperty("acknowledged_edits", int(edited.size()));
    std::printf("kills: %d, acknowledged orders: %lld, acknowledged edits: %lld, stored orders: %lld\n",
                kills, static_cast<long long>(added.size()), static_cast<long long>(edited.size()),
                static_cast<long long>(lastId));
    EXPECT_GT(added.size(), killCount / 2) << "the child saved too little to prove anything";
}
