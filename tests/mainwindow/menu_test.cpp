#include "ShownMainWindow.h"
#include "entry/DailyBackup.h"
#include "export/SaveQuestion.h"
#include "importdialog/ImportDialog.h"
#include "importdialog/ImportFile.h"
#include "mainwindow/MainWindow.h"
#include "statswindow/ShowStatistics.h"
#include "statswindow/StatisticsWindow.h"
#include "store/Backup.h"
#include "store/TextForms.h"
#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "ui/Label.h"
#include "ui/MessageBox.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString ordersFile = QStringLiteral(TALLY_IMPORT_DATA "/orders_utf8.csv");

class MenuTest : public testsupport::GuiTest
{
protected:
    void TearDown() override
    {
        importdialog::importfile_seam::reset();
        importdialog::importdialog_seam::reset();
        GuiTest::TearDown();
    }
    // The import dialog, when it comes, takes the file as the program read it.
    void importWhenAsked()
    {
        importdialog::importdialog_seam::setShownHook([](importdialog::ImportDialog& dialog) {
            dialog.findChild<QPushButton*>(QStringLiteral("importButton"))->click();
        });
    }
};

TEST_F(MenuTest, TheFileMenuHoldsImportExportAndQuit)
{
    mainwindow::MainWindow* form = shownMainWindow();
    const QList<QAction*> menus = form->menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("文件(&F)"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("统计(&S)"));
    ASSERT_EQ(menus[1]->menu()->actions().size(), 1);
    EXPECT_EQ(menus[1]->menu()->actions()[0]->text(), QStringLiteral("销售统计(&T)…"));
    QStringList items;
    for (QAction* action : menus[0]->menu()->actions()) {
        items << (action->isSeparator() ? QStringLiteral("-")
                                        : action->text() + QLatin1Char(' ') + action->shortcut().toString());
    }
    EXPECT_EQ(items, QStringList({QStringLiteral("导入定单(&I)… Ctrl+I"), QStringLiteral("导出定单(&E)… "),
                                  QStringLiteral("从备份恢复(&R)… "), QStringLiteral("-"),
                                  QStringLiteral("退出(&X) Ctrl+Q")}));
    // Alt+F opens the menu from the keyboard.
    QTest::keyClick(form, Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return menus[0]->menu()->isVisible(); }));
    QTest::keyClick(menus[0]->menu(), Qt::Key_Escape);
}

// Ctrl+T shows the statistics of the orders listed now, whatever the filter controls say since.
TEST_F(MenuTest, TheStatisticsCoverTheListedOrders)
{
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    store->addOrder(QStringLiteral("茶杯"), 10, 2, 15, QStringLiteral("a"), QStringLiteral("SF1"), today);
    store->addOrder(QStringLiteral("茶壶"), 30, 1, 20, QStringLiteral("b"), QStringLiteral("SF2"), today);
    store->addOrder(QStringLiteral("旧货"), 1, 1, 2, QStringLiteral("c"), QStringLiteral("SF3"),
                    QStringLiteral("2020-01-01"));
    mainwindow::MainWindow* form = shownMainWindow();
    form->keywordBox->setText(QStringLiteral("茶壶")); // typed, not queried
    QString covered;
    qint64 orders = 0;
    statswindow::statswindow_seam::setShownHook([&](statswindow::StatisticsWindow& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("销售统计"));
        covered = window.findChild<QLabel*>(QStringLiteral("coverageLabel"))->text();
        orders = window.statistics().all.orders;
    });
    QTest::keyClick(form, Qt::Key_T, Qt::ControlModifier);
    statswindow::statswindow_seam::reset();
    EXPECT_EQ(orders, 2);
    const QString day = store::textforms::dateText(QDate::currentDate());
    EXPECT_EQ(covered, day + QStringLiteral(" - ") + day + QStringLiteral("，共 2 条定单"));
}

// A good export says so in the status bar, not in a box, and the next export starts in its folder; the
// folder is kept in tallywick.ini beside the data file.
TEST_F(MenuTest, AnExportIsToldInTheStatusBarAndItsFolderRemembered)
{
    store->addOrder(QStringLiteral("茶杯"), 10, 2, 15, QStringLiteral("a"), QStringLiteral("SF1"),
                    QDate::currentDate().toString(Qt::ISODate));
    mainwindow::MainWindow* form = shownMainWindow();
    QTemporaryDir out;
    const QString file = QDir(out.path()).filePath(QStringLiteral("定单 & 客户.xlsx"));
    xl::savefile_seam::setNextFileName(file);
    form->exportButton->click();
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
    const QString told = form->findChild<QLabel*>(QStringLiteral("resultLabel"))->text();
    EXPECT_TRUE(told.startsWith(QStringLiteral("已导出 1 条定单：<a href=\"file://"))) << told.toStdString();
    EXPECT_TRUE(told.endsWith(QStringLiteral("\">定单 &amp; 客户.xlsx</a>"))) << told.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(store->folder()).filePath(QStringLiteral("tallywick.ini"))));
    delete form;
    // A fresh window (a new start) remembers the folder.
    form = shownMainWindow();
    xl::savefile_seam::setNextFileName(QString());
    form->exportButton->click();
    EXPECT_EQ(xl::savefile_seam::startFolder(), out.path());
    xl::savefile_seam::reset();
}

// The status bar tells the day's backup made at start-up, its copy's name leading to the folder.
TEST_F(MenuTest, TheDaysBackupIsToldInTheStatusBar)
{
    store->addOrder(QStringLiteral("茶杯"), 10, 2, 15, QStringLiteral("a"), QStringLiteral("SF1"),
                    QDate::currentDate().toString(Qt::ISODate));
    mainwindow::MainWindow* form = shownMainWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->orderGrid->Rows() == 2; }));
    const QString copy = store::backupFileName(store::backup_clock::today());
    const QString told = form->findChild<QLabel*>(QStringLiteral("backupLabel"))->text();
    EXPECT_TRUE(told.startsWith(QStringLiteral("今天已备份：<a href=\"file://"))) << told.toStdString();
    EXPECT_TRUE(told.endsWith(QStringLiteral("\">") + copy + QStringLiteral("</a>"))) << told.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(store->folder()).filePath(QStringLiteral("backups/")) + copy));
}

// Ctrl+I, the menu's item and a file dropped on the window all import, then list the imported days.
TEST_F(MenuTest, AnImportListsTheDaysOfTheImportedOrders)
{
    const QList<std::function<void(mainwindow::MainWindow&)>> ways = {
        [](mainwindow::MainWindow& form) { QTest::keyClick(&form, Qt::Key_I, Qt::ControlModifier); },
        [](mainwindow::MainWindow& form) {
            form.findChild<QAction*>(QStringLiteral("importAction"))->trigger();
        },
        [](mainwindow::MainWindow& form) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(ordersFile)});
            QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&form, &enter);
            ASSERT_TRUE(enter.isAccepted());
            QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&form, &drop);
        },
    };
    for (int way = 0; way < ways.size(); ++way) {
        SCOPED_TRACE(way);
        store.reset();
        store = std::make_unique<testsupport::TempStore>();
        mainwindow::MainWindow* form = shownMainWindow();
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
        importdialog::importfile_seam::setNextFileName(ordersFile);
        importWhenAsked();
        ways[way](*form);
        ASSERT_TRUE(QTest::qWaitFor([&] { return store->count() > 0; }));
        EXPECT_EQ(store->count(), 3);
        EXPECT_EQ(form->startDateBox->text(), QStringLiteral("2025/2/28"));
        EXPECT_EQ(form->endDateBox->text(), QStringLiteral("2026/12/4"));
        EXPECT_EQ(form->orderGrid->Rows(), 4);
        EXPECT_EQ(form->ordersTotal->text(), QStringLiteral("3 条"));
        ASSERT_FALSE(ui::msgbox_seam::shown().isEmpty());
        EXPECT_TRUE(ui::msgbox_seam::shown().back().text.contains(QStringLiteral("data-before-import-")));
        // The status bar tells it, and the next import starts in the file's folder.
        EXPECT_TRUE(form->findChild<QLabel*>(QStringLiteral("resultLabel"))
                        ->text()
                        .startsWith(QStringLiteral("已导入 3 条定单：<a href=")));
        importdialog::importfile_seam::setNextFileName(QString());
        form->importOrders();
        EXPECT_EQ(importdialog::importfile_seam::startFolder(), QFileInfo(ordersFile).absolutePath());
        form->close();
        delete form;
    }
}

// A day's copy made at an import (the program ran over midnight) is told as one made at start-up.
TEST_F(MenuTest, TheDaysBackupMadeAtAnImportIsToldInTheStatusBar)
{
    store->addOrder(QStringLiteral("茶杯"), 10, 2, 15, QStringLiteral("a"), QStringLiteral("KD0"),
                    QStringLiteral("2026-12-09"));
    entry::backup_seam::reset();
    store::backup_clock::setToday(QDate(2026, 12, 9));
    mainwindow::MainWindow* form = shownMainWindow();
    const auto told = [form] { return form->findChild<QLabel*>(QStringLiteral("backupLabel"))->text(); };
    EXPECT_TRUE(told().endsWith(QStringLiteral("\">data-2026-12-09.mdb</a>"))) << told().toStdString();
    store::backup_clock::setToday(QDate(2026, 12, 10));
    ui::msgbox_seam::arm();
    importdialog::importfile_seam::setNextFileName(ordersFile);
    importWhenAsked();
    form->importOrders();
    EXPECT_EQ(store->count(), 4);
    EXPECT_TRUE(told().endsWith(QStringLiteral("\">data-2026-12-10.mdb</a>"))) << told().toStdString();
    store::backup_clock::setToday(QDate());
    entry::backup_seam::reset();
}

} // namespace
