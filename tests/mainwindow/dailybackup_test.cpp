// The day's backup as the seller meets it: made at the first start or save of a day, also of a store that
// held no order at start, never twice a day, and a failure warns once a day and stands in the way of nothing.
#include "ShownMainWindow.h"
#include "entry/DailyBackup.h"
#include "entry/EntryWindow.h"
#include "mainwindow/MainWindow.h"
#include "store/Backup.h"
#include "store/EmptyStore.h"
#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "ui/MessageBox.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>
#include <unistd.h>

namespace {

void execOn(const QString& dataFile, const QString& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(dataFile.toUtf8().constData(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

class DailyBackupTest : public testsupport::GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        entry::backup_seam::reset();
        store::backup_clock::setToday(QDate(2026, 12, 9));
    }
    void TearDown() override
    {
        store::backup_clock::setToday(QDate());
        entry::backup_seam::reset();
        GuiTest::TearDown();
    }

    static QStringList entries(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }
    static QByteArray hashOf(const QString& path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }
    QString messages() const
    {
        QString all;
        for (const auto& shown : ui::msgbox_seam::shown()) {
            all += shown.text + QLatin1Char('\n');
        }
        return all;
    }
    // Types an order into a new entry window over form and saves it.
    void saveAnOrder(mainwindow::MainWindow& form)
    {
        entry::EntryWindow window(form, std::nullopt, &form);
        window.load();
        window.show();
        window.findChild<QLineEdit*>(QStringLiteral("spname"))->insert(QStringLiteral("保温杯"));
        QTest::keyClicks(window.findChild<QLineEdit*>(QStringLiteral("sl")), QStringLiteral("2"));
        QTest::keyClicks(window.findChild<QLineEdit*>(QStringLiteral("jj")), QStringLiteral("12.5"));
        QTest::keyClicks(window.findChild<QLineEdit*>(QStringLiteral("sj")), QStringLiteral("30"));
        window.findChild<QLineEdit*>(QStringLiteral("mjzh"))->insert(QStringLiteral("小王"));
        QTest::keyClicks(window.findChild<QLineEdit*>(QStringLiteral("kddh")), QStringLiteral("SF1001"));
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
    }
    // What the status bar says of the day's backup.
    static QString backupTold(mainwindow::MainWindow& form)
    {
        return form.findChild<QLabel*>(QStringLiteral("backupLabel"))->text();
    }
    void addOrder() const
    {
        store->addOrder(QStringLiteral("旧定单"), 1, 1, 2, QStringLiteral("买家"), QStringLiteral("KD0"),
                        QDate::currentDate().toString(Qt::ISODate));
    }
};

TEST_F(DailyBackupTest, AStoreIsCopiedAtTheFirstSaveOrStartOfADayAndNeverTwiceADay)
{
    // A store that never held an order is copied at its first save, the same day.
    const QString backups = QDir(store->folder()).filePath(QStringLiteral("backups"));
    const QString firstCopy = QDir(backups).filePath(QStringLiteral("data-2026-12-09.mdb"));
    mainwindow::MainWindow* form = shownMainWindow();
    EXPECT_FALSE(QFileInfo::exists(backups));
    EXPECT_EQ(backupTold(*form), QString());
    saveAnOrder(*form);
    EXPECT_EQ(entries(backups), QStringList{QStringLiteral("data-2026-12-09.mdb")});
    // The status bar tells the copy a save made, as it tells the one made at start-up.
    EXPECT_TRUE(backupTold(*form).startsWith(QStringLiteral("今天已备份：<a href=\"file://")));
    EXPECT_TRUE(backupTold(*form).endsWith(QStringLiteral("\">data-2026-12-09.mdb</a>")));
    const QByteArray first = hashOf(firstCopy);

    // Saves and another start the same day copy nothing again.
    saveAnOrder(*form);
    entry::backup_seam::reset(); // as a new run of the program
    mainwindow::MainWindow again;
    again.startUp();
    EXPECT_EQ(entries(backups), QStringList{QStringLiteral("data-2026-12-09.mdb")});
    EXPECT_EQ(hashOf(firstCopy), first);

    // The program runs over midnight: the first save of the new day copies, the second does not.
    store::backup_clock::setToday(QDate(2026, 12, 10));
    saveAnOrder(*form);
    const QStringList both = {QStringLiteral("data-2026-12-09.mdb"), QStringLiteral("data-2026-12-10.mdb")};
    EXPECT_EQ(entries(backups), both);
    EXPECT_TRUE(backupTold(*form).endsWith(QStringLiteral("\">data-2026-12-10.mdb</a>")));
    const QByteArray second = hashOf(QDir(backups).filePath(QStringLiteral("data-2026-12-10.mdb")));
    saveAnOrder(*form);
    EXPECT_EQ(entries(backups), both);
    EXPECT_EQ(hashOf(QDir(backups).filePath(QStringLiteral("data-2026-12-10.mdb"))), second);
    // The first start of a day copies.
    store::backup_clock::setToday(QDate(2026, 12, 11));
    mainwindow::MainWindow nextDay;
    nextDay.startUp();
    EXPECT_EQ(entries(backups).size(), 3);
    EXPECT_EQ(store->count(), 4);
    for (const auto& shown : ui::msgbox_seam::shown()) {
        EXPECT_EQ(shown.text, QStringLiteral("保存成功!!")) << messages().toStdString();
    }
}

TEST_F(DailyBackupTest, AFileWhereTheFolderGoesIsNamedOnceADayAndTheWorkGoesOn)
{
    addOrder();
    // A file where the folder should be: no copy can be made.
    const QString blocker = QDir(store->folder()).filePath(QStringLiteral("backups"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("mine");
    file.close();
    const QStringList before = entries(store->folder());
    const QByteArray data = hashOf(store->dataFile());

    mainwindow::MainWindow* form = shownMainWindow();
    EXPECT_EQ(form->orderGrid->TextMatrix(1, 1), QStringLiteral("旧定单"));
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    const ui::msgbox_seam::Shown warning = ui::msgbox_seam::shown().first();
    EXPECT_EQ(warning.title, QStringLiteral("提示"));
    EXPECT_EQ(warning.flags, ui::MB_OK_EXCLAMATION);
    // The real cause, not a disk to clear.
    EXPECT_TRUE(warning.text.contains(
        QStringLiteral("备份文件夹 %1：同名的文件占了它的位置").arg(QDir::toNativeSeparators(blocker))));
    EXPECT_FALSE(warning.text.contains(QStringLiteral("磁盘"))) << warning.text.toStdString();

    // Saves the same day: saved, and no second warning; the next day's first save warns once more.
    saveAnOrder(*form);
    store::backup_clock::setToday(QDate(2026, 12, 10));
    saveAnOrder(*form);
    saveAnOrder(*form);
    const QString warned = warning.text + QLatin1Char('\n');
    const QString saved = QStringLiteral("保存成功!!\n");
    EXPECT_EQ(messages(), warned + saved + saved + warned + saved);
    EXPECT_EQ(store->count(), 4);
    EXPECT_EQ(entries(store->folder()), before);
    QFile again(blocker);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), QByteArray("mine"));
    EXPECT_NE(hashOf(store->dataFile()), data) << "the order was saved";
}

TEST_F(DailyBackupTest, AFullDiskWarnsOnceAndLeavesNothingBehind)
{
    const testsupport::SmallDisk disk(QStringLiteral("1m"));
    if (!disk.mounted()) {
        GTEST_SKIP() << "this machine does not let us mount a small filesystem (root only)";
    }
    const QString folder = disk.folder();
    const QString dataFile = disk.makeStore();
    execOn(dataFile, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n "
                                    "WHERE i<1500) INSERT INTO ddlist (spname,jj,sl,sj,mjzh,kddh,"
                                    "xsdate,bz) SELECT '商品'||i, 1, 1, 2, '买家', 'KD'||i, "
                                    "'2026-12-09', printf('%.200c', 'x') FROM n"));
    // Fill the disk to its last byte, then give back a little: enough to work, not for a copy.
    QFile filler(QDir(folder).filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.close();
    ASSERT_TRUE(QFile::resize(filler.fileName(), QFileInfo(filler.fileName()).size() - 64 * 1024));
    const QStringList before = entries(folder);
    const QByteArray data = hashOf(dataFile);

    mainwindow::MainWindow* form = shownMainWindow();
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1) << messages().toStdString();
    EXPECT_TRUE(ui::msgbox_seam::shown().first().text.contains(QStringLiteral("磁盘已满")))
        << messages().toStdString();
    EXPECT_EQ(entries(folder), before) << "a half-made copy or an empty folder was left";
    EXPECT_EQ(hashOf(dataFile), data);

    saveAnOrder(*form); // the same day: saved, and no second warning
    EXPECT_EQ(ui::msgbox_seam::shown().last().text, QStringLiteral("保存成功!!")) << messages().toStdString();
    EXPECT_EQ(ui::msgbox_seam::shown().size(), 2) << messages().toStdString();
    EXPECT_EQ(entries(folder), before);
}

} // namespace
