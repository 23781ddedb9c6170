#include "mainwindow/MainForm.h"
#include "store/DbConfig.h"
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
#include <QPushButton>
#include <QtTest>

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
    db_config::listmode = QStringLiteral("all");
    db_config::connstr = {};

    auto* form = new mainwindow::MainForm;
    form->show(); // the load runs as soon as the window is on the screen
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));

    const QString today = store::textforms::dateText(QDate::currentDate());
    EXPECT_EQ(form->startdate->text(), today);
    EXPECT_EQ(form->enddate->text(), today);
    EXPECT_EQ(form->MonthView1->Value(), QDate::currentDate());
    EXPECT_FALSE(form->MonthView1->isVisible());
    EXPECT_EQ(form->c1->currentText(), QStringLiteral("请选择类别"));
    EXPECT_EQ(form->c2->text(), QStringLiteral("请输入关键字"));
    EXPECT_EQ(db_config::listmode, QStringLiteral("cx"));
    EXPECT_EQ(db_config::connstr, db_config::buildConnstr(store->folder()));

    ui::FlexGrid* grid = form->MSFlexGrid1;
    ASSERT_EQ(grid->Rows(), 3);
    EXPECT_EQ(grid->TextMatrix(1, 0), QString::number(second)); // newest first
    EXPECT_EQ(grid->TextMatrix(2, 0), QString::number(first));
    EXPECT_EQ(form->ddid->text(), QString::number(second));
    EXPECT_EQ(form->d1->text(), QStringLiteral("2 条"));
    EXPECT_EQ(form->d2->text(), QStringLiteral("3 件"));
    EXPECT_EQ(form->d3->text(), QStringLiteral("23.5 元"));
    EXPECT_EQ(form->d4->text(), QStringLiteral("35 元"));
    EXPECT_EQ(form->d5->text(), QStringLiteral("11.5 元"));
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
    EXPECT_EQ(db_config::ddrs, nullptr);

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
    auto* form = new mainwindow::MainForm;
    form->Form_Load();
    EXPECT_EQ(form->MSFlexGrid1->Rows(), 1);
    EXPECT_EQ(form->MSFlexGrid1->Cols(), 9);
    EXPECT_EQ(form->MSFlexGrid1->TextMatrix(0, 1), QStringLiteral("商品名称"));
    EXPECT_EQ(form->d1->text(), QStringLiteral("0 条"));
    EXPECT_EQ(form->d2->text(), QStringLiteral(" 件"));
    EXPECT_EQ(form->d3->text(), QStringLiteral(" 元"));
    EXPECT_EQ(form->d4->text(), QStringLiteral(" 元"));
    EXPECT_EQ(form->d5->text(), QStringLiteral(" 元"));
    EXPECT_EQ(form->ddid->text(), QString());
}

TEST_F(StartupTest, AMissingDataFileIsReportedByNameAndTheWindowStaysOpen)
{
    const QString dataFile = store->dataFile();
    ASSERT_TRUE(QFile::remove(dataFile));

    auto* form = new mainwindow::MainForm;
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
    EXPECT_EQ(form->startdate->text(), store::textforms::dateText(QDate::currentDate()));
    EXPECT_EQ(form->d1->text(), QString());
    EXPECT_EQ(form->MSFlexGrid1->Rows(), 1);
    EXPECT_EQ(form->MSFlexGrid1->Cols(), 9);
    EXPECT_EQ(db_config::ddrs, nullptr);

    // The window goes on working: the query reports the same failure, again without a crash.
    QTest::mouseClick(form->b4, Qt::LeftButton);
    EXPECT_EQ(ui::msgbox_seam::shown().size(), 2);
}

TEST_F(StartupTest, TheSkinBesideTheProgramBecomesTheStyleSheet)
{
    QFile skin(QDir(store->folder()).filePath(QStringLiteral("skin.she")));
    ASSERT_TRUE(skin.open(QIODevice::WriteOnly));
    skin.write("QPushButton { color: rgb(1, 2, 3); }");
    skin.close();
    auto* form = new mainwindow::MainForm;
    form->Form_Load();
    EXPECT_EQ(qApp->styleSheet(), QStringLiteral("QPushButton { color: rgb(1, 2, 3); }"));
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());

    // A skin that cannot be read is ignored.
    qApp->setStyleSheet(QString());
    skin.setPermissions(QFileDevice::Permissions());
    auto* second = new mainwindow::MainForm;
    second->Form_Load();
    if (!QFile(skin.fileName()).open(QIODevice::ReadOnly)) { // root reads every file
        EXPECT_EQ(qApp->styleSheet(), QString());
    }
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
    EXPECT_EQ(second->d1->text(), QStringLiteral("0 条"));
}

} // namespace
