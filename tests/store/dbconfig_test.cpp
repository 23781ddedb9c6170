#include "Printing.h"
#include "store/DbConfig.h"
#include "store/EmptyStore.h"
#include "store/Recordset.h"
#include "store/StoreError.h"
#include "support/Fixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

TEST(DbConfigTest, ConnectionStringNamesDataMdbInItsFolder)
{
    EXPECT_EQ(db_config::buildConnstr(QStringLiteral("/opt/tallywick")).text,
              QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/opt/tallywick/data.mdb;Persist "
                             "Security Info=False"));
    EXPECT_EQ(db_config::buildConnstr(QStringLiteral("/opt/tallywick/")).dataFile,
              db_config::buildConnstr(QStringLiteral("/opt/tallywick")).dataFile);
    EXPECT_EQ(db_config::buildConnstr(QStringLiteral("/opt/淘宝 记账")).dataFile,
              QStringLiteral("/opt/淘宝 记账/data.mdb"));
    EXPECT_EQ(db_config::buildConnstr(QStringLiteral("/")).dataFile, QStringLiteral("/data.mdb"));

    // A folder whose name reads like more of the connection string still holds the store that is opened.
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("x;b=c"));
    ASSERT_TRUE(QDir().mkpath(folder));
    store::createEmptyStore(folder + QStringLiteral("/data.mdb"));
    store::Recordset rs;
    rs.ActiveConnection = db_config::buildConnstr(folder);
    rs.Source = QStringLiteral("select count(*) as j from ddlist where 1=1 ");
    ASSERT_NO_THROW(rs.Open());
    EXPECT_EQ(rs.Fields(QStringLiteral("j")).text(), QStringLiteral("0"));
    rs.Close();
    rs.ActiveConnection = {};
    EXPECT_THROW(rs.Open(), store::StoreError) << "no connection names no file";

    db_config::setAppFolder(QString());
    EXPECT_EQ(db_config::appFolder(), QCoreApplication::applicationDirPath());
    db_config::setAppFolder(QStringLiteral("/tmp/x"));
    EXPECT_EQ(db_config::appFolder(), QStringLiteral("/tmp/x"));
    db_config::setAppFolder(QString());

    db_config::releaseDdrs();
    store::Recordset& first = db_config::takeDdrs();
    EXPECT_EQ(&db_config::takeDdrs(), &first);
    db_config::releaseDdrs();
    EXPECT_EQ(db_config::ddrs, nullptr);
}

TEST(EmptyStoreTest, WritesTheOrderTableAndNeverReplacesAFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.mdb"));
    store::createEmptyStore(path);

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT name, type, \"notnull\", pk FROM pragma_table_info('ddlist')", -1, &st,
                       nullptr);
    QStringList columns;
    while (sqlite3_step(st) == SQLITE_ROW) {
        columns << QStringLiteral("%1 %2 %3 %4")
                       .arg(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))),
                            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1))))
                       .arg(sqlite3_column_int(st, 2))
                       .arg(sqlite3_column_int(st, 3));
    }
    sqlite3_finalize(st);
    EXPECT_EQ(columns, (QStringList{QStringLiteral("id INTEGER 0 1"), QStringLiteral("spname TEXT 1 0"),
                                    QStringLiteral("jj REAL 1 0"), QStringLiteral("sl REAL 1 0"),
                                    QStringLiteral("sj REAL 1 0"), QStringLiteral("mjzh TEXT 1 0"),
                                    QStringLiteral("kddh TEXT 1 0"), QStringLiteral("xsdate TEXT 1 0"),
                                    QStringLiteral("bz TEXT 0 0")}));
    sqlite3_prepare_v2(db, "SELECT count(*) FROM pragma_index_info('ddlist_xsdate') WHERE name='xsdate'", -1,
                       &st, nullptr);
    sqlite3_step(st);
    EXPECT_EQ(sqlite3_column_int(st, 0), 1);
    sqlite3_finalize(st);
    sqlite3_prepare_v2(db, "SELECT sql FROM sqlite_master WHERE name='ddlist'", -1, &st, nullptr);
    sqlite3_step(st);
    EXPECT_TRUE(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)))
                    .contains(QStringLiteral("AUTOINCREMENT")));
    sqlite3_finalize(st);
    sqlite3_close(db);

    // An existing file, store or not, stays exactly as it was.
    QFile other(dir.filePath(QStringLiteral("other.mdb")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("orders of years");
    other.close();
    for (const QString& existing : {path, other.fileName()}) {
        const QByteArray before = [&] {
            QFile f(existing);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        try {
            store::createEmptyStore(existing);
            ADD_FAILURE() << "replaced " << existing.toStdString();
        } catch (const store::StoreError& e) {
            EXPECT_TRUE(e.description().contains(existing));
        }
        QFile f(existing);
        f.open(QIODevice::ReadOnly);
        EXPECT_EQ(f.readAll(), before);
    }
    EXPECT_THROW(store::createEmptyStore(dir.filePath(QStringLiteral("no/such/folder/data.mdb"))),
                 store::StoreError);
}

} // namespace
