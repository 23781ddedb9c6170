#include "Printing.h"
#include "support/Fixtures.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

int runTool(const QStringList& args, QByteArray* errors = nullptr)
{
    QProcess tool;
    tool.start(QStringLiteral(MKSTORE_PATH), args);
    EXPECT_TRUE(tool.waitForFinished(30000));
    if (errors) {
        *errors = tool.readAllStandardError();
    }
    return tool.exitCode();
}

TEST(MkstoreTest, WritesAnEmptyStoreOnceAndNeverReplacesIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.mdb"));
    ASSERT_EQ(runTool({path}), 0);

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) "
                           "VALUES ('杯',1,1,2,'m','k','2026-12-09',NULL)",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    QByteArray errors;
    EXPECT_EQ(runTool({path}, &errors), 1);
    EXPECT_TRUE(QString::fromUtf8(errors).contains(path)) << errors.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);

    EXPECT_EQ(runTool({}), 2);
}

} // namespace
