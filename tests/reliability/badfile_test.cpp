// Bad data files at start-up: each gives a message under "提示" that names the file and what is wrong,
// the window opens all the same, and the file is never changed.
#include "mainwindow/MainWindow.h"
#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "ui/MessageBox.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <sqlite3.h>

namespace {

class BadFileTest : public testsupport::GuiTest
{
protected:
    QByteArray bytes() const
    {
        QFile f(store->dataFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void replaceWith(const QByteArray& content) const
    {
        QFile f(store->dataFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    void replaceWithDatabase(const char* schema) const
    {
        QFile::remove(store->dataFile());
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(store->dataFile().toUtf8().constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, schema, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    // Many orders with long remarks, so that the file spans many pages.
    void fillOrders(int count) const
    {
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        QString script = QStringLiteral("BEGIN;");
        for (int i = 0; i < count; ++i) {
            script += QStringLiteral("INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,xsdate,bz) VALUES "
                                     "('商品%1',1,2,3,'买家','KD%1','%2','%3');")
                          .arg(i)
                          .arg(today, QStringLiteral("备注").repeated(100));
        }
        store->exec(script + QStringLiteral("COMMIT;"));
    }

    // Starts the main window on the current data file and checks what every bad file must give.
    void expectStartupMessage(const QString& whatIsWrong)
    {
        const QByteArray before = bytes();
        mainwindow::MainWindow form;
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        const auto& shown = ui::msgbox_seam::shown();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown[0].title, QStringLiteral("提示"));
        EXPECT_TRUE(shown[0].text.contains(store->dataFile())) << shown[0].text.toStdString();
        EXPECT_TRUE(shown[0].text.contains(whatIsWrong)) << shown[0].text.toStdString();
        EXPECT_TRUE(form.isVisible());
        // The window stays usable: the show-all button answers with the same message, nothing more.
        QTest::mouseClick(form.allOrdersButton, Qt::LeftButton);
        EXPECT_EQ(ui::msgbox_seam::shown().size(), 2);
        EXPECT_EQ(bytes(), before) << "the program changed a bad data file";
    }
};

TEST_F(BadFileTest, MissingFile)
{
    QFile::remove(store->dataFile());
    expectStartupMessage(QStringLiteral("找不到"));
    EXPECT_FALSE(QFile::exists(store->dataFile())) << "the program must never create the data file";
}

TEST_F(BadFileTest, ZeroBytesAndFilesThatAreNoDatabase)
{
    replaceWith(QByteArray());
    expectStartupMessage(QStringLiteral("ddlist"));
    ui::msgbox_seam::reset();
    ui::msgbox_seam::arm();

    replaceWith(QByteArray("这不是数据库，只是一个文本文件。\nid,spname\n1,abc\n"));
    expectStartupMessage(QStringLiteral("不是有效的数据文件"));
    ui::msgbox_seam::reset();
    ui::msgbox_seam::arm();

    QByteArray noise(64 * 1024, '\0');
    QRandomGenerator random(7);
    for (char& c : noise) {
        c = char(random.bounded(256));
    }
    replaceWith(noise);
    expectStartupMessage(QStringLiteral("不是有效的数据文件"));
}

TEST_F(BadFileTest, DatabaseWithoutTheOrderTableOrWithOtherColumns)
{
    replaceWithDatabase("CREATE TABLE orders (id INTEGER PRIMARY KEY, name TEXT)");
    expectStartupMessage(QStringLiteral("没有订单表"));
    ui::msgbox_seam::reset();
    ui::msgbox_seam::arm();

    replaceWithDatabase("CREATE TABLE ddlist (id INTEGER PRIMARY KEY, spname TEXT, price REAL)");
    expectStartupMessage(QStringLiteral("缺少"));
}

TEST_F(BadFileTest, TruncatedFile)
{
    fillOrders(400);
    QByteArray whole = bytes();
    ASSERT_GT(whole.size(), 100 * 1024);
    replaceWith(whole.left(whole.size() / 2));
    expectStartupMessage(QStringLiteral("损坏"));
}

TEST_F(BadFileTest, FlippedBytesNeverCrashOrChangeTheFile)
{
    fillOrders(400);
    QByteArray damaged = bytes();
    QRandomGenerator random(11);
    // Leave the header alone; damage the pages of the table and its index.
    for (int i = 0; i < 200; ++i) {
        const int at = 4096 + int(random.bounded(quint32(damaged.size() - 4096)));
        damaged[at] = char(damaged[at] ^ (1 << random.bounded(8)));
    }
    replaceWith(damaged);
    const QByteArray before = bytes();
    mainwindow::MainWindow form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.allOrdersButton, Qt::LeftButton);
    for (const auto& shown : ui::msgbox_seam::shown()) {
        EXPECT_EQ(shown.title, QStringLiteral("提示"));
        EXPECT_TRUE(shown.text.contains(store->dataFile())) << shown.text.toStdString();
    }
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(bytes(), before);
}

TEST_F(BadFileTest, LockedFileGivesAMessageAndWorksOnceReleased)
{
    store->addOrder(QStringLiteral("商品"), 1, 2, 3, QStringLiteral("买家"), QStringLiteral("KD1"),
                    QDate::currentDate().toString(Qt::ISODate));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(store->dataFile().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

    mainwindow::MainWindow form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_TRUE(ui::msgbox_seam::shown()[0].text.contains(QStringLiteral("其他程序")));
    EXPECT_TRUE(ui::msgbox_seam::shown()[0].text.contains(store->dataFile()));

    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    QTest::mouseClick(form.allOrdersButton, Qt::LeftButton);
    EXPECT_EQ(ui::msgbox_seam::shown().size(), 1) << "the same action must work once the lock is gone";
    EXPECT_EQ(form.orderGrid->Rows(), 2);
    EXPECT_EQ(form.orderGrid->TextMatrix(1, 1), QStringLiteral("商品"));
}

} // namespace
