#include "ShownMainWindow.h"
#include "entry/DailyBackup.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/RestoreDialog.h"
#include "store/Backup.h"
#include "store/StoreTexts.h"
#include "store/TextForms.h"
#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "ui/Label.h"
#include "ui/MessageBox.h"
#include "ui/MonthView.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>
#include <sqlite3.h>

namespace {

class StartupTest : public testsupport::GuiTest
{
protected:
    void TearDown() override
    {
        qApp->setStyleSheet(QString());
        GuiTest::TearDown();
    }
    static QString isoDay(int daysFromToday)
    {
        return QDate::currentDate().addDays(daysFromToday).toString(Qt::ISODate);
    }
    // The file's layout version; -1 when it cannot be read.
    static int userVersion(const QString& file)
    {
        sqlite3* db = nullptr;
        sqlite3_stmt* st = nullptr;
        sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &st, nullptr);
        const int version = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
        sqlite3_finalize(st);
        sqlite3_close(db);
        return version;
    }
};

TEST_F(StartupTest, ListsTodaysOrdersOnlyWithTheirTotals)
{
    store->addOrder(QStringLiteral("昨天的"), 1, 1, 2, QStringLiteral("甲"), QStringLiteral("K1"),
                    isoDay(-1));
    const qint64 first = store->addOrder(QStringLiteral("今天一"), 10, 2, 15, QStringLiteral("乙"),
                                         QStringLiteral("K2"), isoDay(0));
    const qint64 second = store->addOrder(QStringLiteral("今天二"), 3.5, 1, 5, QStringLiteral("丙"),
                                          QStringLiteral("K3"), isoDay(0));
    store->addOrder(QStringLiteral("明天的"), 1, 1, 2, QStringLiteral("丁"), QStringLiteral("K4"), isoDay(1));

    auto* form = new mainwindow::MainWindow;
    form->show(); // the load runs as soon as the window is on the screen
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));

    const QString today = store::textforms::dateText(QDate::currentDate());
    EXPECT_EQ(form->startDateBox->text(), today);
    EXPECT_EQ(form->endDateBox->text(), today);
    EXPECT_EQ(form->calendar->Value(), QDate::currentDate());
    EXPECT_FALSE(form->calendar->isVisible());
    EXPECT_EQ(form->fieldList->currentText(), QStringLiteral("请选择类别"));
    EXPECT_EQ(form->keywordBox->text(), QStringLiteral("请输入关键字"));
    EXPECT_EQ(form->orderStore().dataFile(), store->dataFile()); // the data.mdb beside the program

    ui::FlexGrid* grid = form->orderGrid;
    ASSERT_EQ(grid->Rows(), 3);
    EXPECT_EQ(grid->TextMatrix(1, 0), QString::number(second)); // newest first
    EXPECT_EQ(grid->TextMatrix(2, 0), QString::number(first));
    EXPECT_EQ(form->selectedOrderId(), second);
    EXPECT_EQ(form->ordersTotal->text(), QStringLiteral("2 条"));
    EXPECT_EQ(form->piecesTotal->text(), QStringLiteral("3 件"));
    EXPECT_EQ(form->costTotal->text(), QStringLiteral("23.5 元"));
    EXPECT_EQ(form->salesTotal->text(), QStringLiteral("35 元"));
    EXPECT_EQ(form->profitTotal->text(), QStringLiteral("11.5 元"));
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());

    // A second show runs nothing again.
    form->hide();
    store->addOrder(QStringLiteral("今天三"), 1, 1, 1, QStringLiteral("戊"), QStringLiteral("K5"), isoDay(0));
    form->show();
    EXPECT_EQ(grid->Rows(), 3);
}

TEST_F(StartupTest, ADayWithoutOrdersShowsTheEmptyListAndUnitsAlone)
{
    store->addOrder(QStringLiteral("上周的"), 1, 1, 2, QStringLiteral("甲"), QStringLiteral("K1"),
                    isoDay(-7));
    auto* form = new mainwindow::MainWindow;
    form->startUp();
    EXPECT_EQ(form->orderGrid->Rows(), 1);
    EXPECT_EQ(form->orderGrid->Cols(), 9);
    EXPECT_EQ(form->orderGrid->TextMatrix(0, 1), QStringLiteral("商品名称"));
    EXPECT_EQ(form->ordersTotal->text(), QStringLiteral("0 条"));
    EXPECT_EQ(form->piecesTotal->text(), QStringLiteral(" 件"));
    EXPECT_EQ(form->costTotal->text(), QStringLiteral(" 元"));
    EXPECT_EQ(form->salesTotal->text(), QStringLiteral(" 元"));
    EXPECT_EQ(form->profitTotal->text(), QStringLiteral(" 元"));
    EXPECT_EQ(form->selectedOrderId(), std::nullopt);
}

TEST_F(StartupTest, AMissingDataFileIsReportedByNameAndTheWindowStaysOpen)
{
    const QString dataFile = store->dataFile();
    ASSERT_TRUE(QFile::remove(dataFile));

    auto* form = new mainwindow::MainWindow;
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));

    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    const auto& shown = ui::msgbox_seam::shown().front();
    EXPECT_EQ(shown.title, QStringLiteral("提示"));
    EXPECT_EQ(shown.flags, 48);
    EXPECT_TRUE(shown.text.contains(QDir::toNativeSeparators(dataFile)) || shown.text.contains(dataFile))
        << shown.text.toStdString();
    // Over the main window on the screen, which shows no design digits behind it.
    EXPECT_TRUE(shown.overShownWindow);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(QFile::exists(dataFile)); // nothing is created
    // The start-up state is there; the design digits never pass for totals.
    EXPECT_EQ(form->startDateBox->text(), store::textforms::dateText(QDate::currentDate()));
    EXPECT_EQ(form->ordersTotal->text(), QString());
    EXPECT_EQ(form->orderGrid->Rows(), 1);
    EXPECT_EQ(form->orderGrid->Cols(), 9);

    // The window goes on working: the query reports the same failure, again without a crash.
    QTest::mouseClick(form->queryButton, Qt::LeftButton);
    EXPECT_EQ(ui::msgbox_seam::shown().size(), 2);
}

TEST_F(StartupTest, TheSkinBesideTheProgramBecomesTheStyleSheet)
{
    QFile skin(QDir(store->folder()).filePath(QStringLiteral("skin.she")));
    ASSERT_TRUE(skin.open(QIODevice::WriteOnly));
    skin.write("QPushButton { color: rgb(1, 2, 3); }");
    skin.close();
    auto* form = new mainwindow::MainWindow;
    form->startUp();
    EXPECT_EQ(qApp->styleSheet(), QStringLiteral("QPushButton { color: rgb(1, 2, 3); }"));
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());

    // A skin that cannot be read is ignored.
    qApp->setStyleSheet(QString());
    skin.setPermissions(QFileDevice::Permissions());
    auto* second = new mainwindow::MainWindow;
    second->startUp();
    if (!QFile(skin.fileName()).open(QIODevice::ReadOnly)) { // root reads every file
        EXPECT_EQ(qApp->styleSheet(), QString());
    }
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
    EXPECT_EQ(second->ordersTotal->text(), QStringLiteral("0 条"));
}

TEST_F(StartupTest, AStoreOfANewerVersionIsRefusedByNameAndLeftAsItIs)
{
    store->addOrder(QStringLiteral("今天的"), 1, 1, 2, QStringLiteral("甲"), QStringLiteral("K1"), isoDay(0));
    store->exec(QStringLiteral("PRAGMA user_version=2"));
    QFile file(store->dataFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    auto* form = new mainwindow::MainWindow;
    form->startUp();
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_EQ(ui::msgbox_seam::shown().front().title, QStringLiteral("提示"));
    EXPECT_EQ(ui::msgbox_seam::shown().front().text, store::texts::newerVersion(store->dataFile()));
    EXPECT_EQ(form->orderGrid->Rows(), 1);
    EXPECT_EQ(form->ordersTotal->text(), QString());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    EXPECT_FALSE(QDir(store->folder()).exists(QStringLiteral("backups")));
}

TEST_F(StartupTest, AnUnversionedStoreIsListedAndUpgradedAfterTheDaysBackup)
{
    const qint64 id = store->addOrder(QStringLiteral("旧版的"), 1, 1, 2, QStringLiteral("甲"),
                                      QStringLiteral("K1"), isoDay(0));
    store->exec(QStringLiteral("PRAGMA user_version=0"));
    entry::backup_seam::reset();

    auto* form = new mainwindow::MainWindow;
    form->startUp();
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
    EXPECT_EQ(form->selectedOrderId(), id);
    EXPECT_EQ(form->ordersTotal->text(), QStringLiteral("1 条"));
    EXPECT_EQ(userVersion(store->dataFile()), 1);
    const QString backup = QDir(store::backupFolder(store->dataFile()))
                               .filePath(store::backupFileName(store::backup_clock::today()));
    EXPECT_EQ(userVersion(backup), 0); // copied before the upgrade
}

// Restoring from the backups: at start-up for a data file that cannot be opened, and from the menu.
class RestoreFromBackupTest : public StartupTest
{
protected:
    void TearDown() override
    {
        mainwindow::restore_seam::reset();
        StartupTest::TearDown();
    }
    QDir backups() const
    {
        QDir().mkpath(store::backupFolder(store->dataFile()));
        return QDir(store::backupFolder(store->dataFile()));
    }
    void addOrders(int n) const
    {
        for (int i = 0; i < n; ++i) {
            store->addOrder(QStringLiteral("货"), 1, 1, 2, QStringLiteral("甲"), QStringLiteral("K"),
                            isoDay(0));
        }
    }
    void backUpAs(const QString& name) const
    {
        ASSERT_TRUE(QFile::copy(store->dataFile(), backups().filePath(name)));
    }
    static QByteArray bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }
    QStringList kept(const QString& prefix) const
    {
        return backups().entryList({prefix + QStringLiteral("-*.mdb")}, QDir::Files);
    }
};

TEST_F(RestoreFromBackupTest, StartUpOffersTheNewestGoodBackupForADataFileThatCannotBeOpened)
{
    addOrders(1);
    backUpAs(QStringLiteral("data-2026-12-01.mdb"));
    addOrders(1);
    backUpAs(QStringLiteral("data-2026-12-08.mdb"));
    QFile(backups().filePath(QStringLiteral("data-2026-12-09.mdb")))
        .open(QIODevice::WriteOnly); // empty: no store
    const QString dataFile = store->dataFile();
    const struct
    {
        const char* what;
        QByteArray content; // empty: no data file
    } cases[] = {{"missing", {}}, {"not a database", "not a database"}};
    for (const auto& c : cases) {
        for (const int answer : {ui::IDYES, ui::IDNO}) {
            const std::string what = std::string(c.what) + (answer == ui::IDYES ? ", yes" : ", no");
            ui::msgbox_seam::reset();
            ui::msgbox_seam::arm();
            // What the tries before kept or copied goes.
            for (const QString& name : backups().entryList(QDir::Files)) {
                if (!name.startsWith(QStringLiteral("data-2026-12-0"))) {
                    backups().remove(name);
                }
            }
            QFile::remove(dataFile);
            if (!c.content.isEmpty()) {
                QFile file(dataFile);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write(c.content);
            }
            ui::msgbox_seam::setNextAnswer(answer);

            auto* form = new mainwindow::MainWindow;
            form->startUp();
            const auto& shown = ui::msgbox_seam::shown();
            ASSERT_GE(shown.size(), 1) << what;
            EXPECT_EQ(shown[0].flags, ui::MB_YESNO_QUESTION) << what;
            EXPECT_EQ(shown[0].title, QStringLiteral("提示")) << what;
            EXPECT_TRUE(shown[0].text.startsWith(QStringLiteral("数据文件 %1 无法打开（").arg(dataFile)))
                << what;
            EXPECT_TRUE(shown[0].text.contains(QStringLiteral(
                "）。\n\nbackups 文件夹中有 2026/12/8 的备份，共 2 条定单。要用这个备份恢复吗？")))
                << what;
            EXPECT_EQ(shown[0].text.contains(QRegularExpression(
                          QStringLiteral("\n原来的文件会保留为 data-damaged-\\d{8}-\\d{6}\\.mdb。$"))),
                      !c.content.isEmpty())
                << what;
            if (answer == ui::IDYES) {
                EXPECT_EQ(shown.size(), 1) << what;
                EXPECT_EQ(form->ordersTotal->text(), QStringLiteral("2 条")) << what;
                EXPECT_EQ(store->count(), 2) << what;
                const QStringList damaged = kept(QStringLiteral("data-damaged"));
                ASSERT_EQ(damaged.size(), c.content.isEmpty() ? 0 : 1) << what;
                if (!damaged.isEmpty()) {
                    EXPECT_EQ(bytes(backups().filePath(damaged[0])), c.content) << what;
                }
            } else {
                ASSERT_EQ(shown.size(), 2) << what;
                EXPECT_EQ(shown[1].flags, ui::MB_OK_EXCLAMATION) << what;
                EXPECT_TRUE(shown[1].text.contains(dataFile)) << what;
                EXPECT_EQ(form->ordersTotal->text(), QString()) << what;
                EXPECT_EQ(bytes(dataFile), c.content.isEmpty() ? QByteArray("(none)") : c.content) << what;
                EXPECT_TRUE(kept(QStringLiteral("data-damaged")).isEmpty()) << what;
            }
            delete form;
        }
    }
}

TEST_F(RestoreFromBackupTest, WithoutAGoodBackupADamagedDataFileFailsAsBefore)
{
    QFile(backups().filePath(QStringLiteral("data-2026-12-09.mdb"))).open(QIODevice::WriteOnly);
    QFile file(store->dataFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("not a database");
    file.close();
    auto* form = new mainwindow::MainWindow;
    form->startUp();
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_EQ(ui::msgbox_seam::shown()[0].flags, ui::MB_OK_EXCLAMATION);
    EXPECT_EQ(bytes(store->dataFile()), "not a database");
}

TEST_F(RestoreFromBackupTest, TheMenuRestoresTheChosenBackupAfterAConfirmation)
{
    // Shown while the store never held an order: start-up makes no copy of its own.
    mainwindow::MainWindow* form = shownMainWindow();
    addOrders(1);
    backUpAs(QStringLiteral("data-2026-12-08.mdb"));
    addOrders(1);
    backUpAs(QStringLiteral("data-before-import-20261209-143005.mdb"));
    addOrders(1);
    QAction* restore = form->findChild<QAction*>(QStringLiteral("restoreAction"));
    ASSERT_NE(restore, nullptr);
    EXPECT_EQ(restore->text(), QStringLiteral("从备份恢复(&R)…"));
    const QByteArray before = bytes(store->dataFile());
    QStringList listed;
    // The second copy, chosen from the keyboard: 恢复 comes on only with a copy chosen.
    mainwindow::restore_seam::setShownHook([&](mainwindow::RestoreDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("从备份恢复"));
        listed.clear();
        for (int row = 0; row < dialog.backupList->count(); ++row) {
            listed << dialog.backupList->item(row)->text();
        }
        EXPECT_FALSE(dialog.restoreButton->isEnabled());
        EXPECT_TRUE(dialog.restoreButton->isDefault());
        dialog.backupList->setFocus();
        QTest::keyClick(dialog.backupList, Qt::Key_Down);
        QTest::keyClick(dialog.backupList, Qt::Key_Down);
        EXPECT_TRUE(dialog.restoreButton->isEnabled());
        QTest::keyClick(dialog.backupList, Qt::Key_Return);
    });
    for (const int answer : {ui::IDNO, ui::IDYES}) {
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
        ui::msgbox_seam::setNextAnswer(answer);
        restore->trigger();
        EXPECT_EQ(listed, QStringList({QStringLiteral("2026/12/9 14:30　共 2 条定单"),
                                       QStringLiteral("2026/12/8　共 1 条定单")}));
        const auto& shown = ui::msgbox_seam::shown();
        ASSERT_EQ(shown.size(), answer == ui::IDYES ? 2 : 1);
        EXPECT_EQ(shown[0].flags, ui::MB_YESNO_QUESTION);
        EXPECT_TRUE(
            shown[0].text.startsWith(QStringLiteral("要用 2026/12/8 的备份（共 1 条定单）恢复数据吗？")))
            << shown[0].text.toStdString();
        EXPECT_TRUE(shown[0].text.contains(QStringLiteral("data-before-restore-")));
    }
    EXPECT_EQ(store->count(), 1);
    EXPECT_EQ(form->ordersTotal->text(), QStringLiteral("1 条"));
    const QStringList keptCopies = kept(QStringLiteral("data-before-restore"));
    ASSERT_EQ(keptCopies.size(), 1);
    EXPECT_EQ(bytes(backups().filePath(keptCopies[0])), before);
    const auto& told = ui::msgbox_seam::shown()[1];
    EXPECT_TRUE(told.text.startsWith(QStringLiteral("已用 2026/12/8 的备份恢复数据，共 1 条定单。")))
        << told.text.toStdString();
    EXPECT_TRUE(told.text.contains(QDir::toNativeSeparators(backups().filePath(keptCopies[0]))));

    // With no good backup the dialog does not come.
    ASSERT_TRUE(backups().removeRecursively());
    ui::msgbox_seam::reset();
    ui::msgbox_seam::arm();
    listed.clear();
    restore->trigger();
    EXPECT_TRUE(listed.isEmpty());
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_EQ(ui::msgbox_seam::shown()[0].text, QStringLiteral("backups 文件夹中没有可用的备份。"));
}

} // namespace
