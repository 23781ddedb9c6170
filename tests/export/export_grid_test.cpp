// The export end to end: a grid as the listing leaves it goes out through ExportToExcel, and the file is
// read back with an independent reader.
#include "SaveDialogAnswer.h"
#include "WorkbookReadback.h"
#include "export/Application.h"
#include "export/ExportToExcel.h"
#include "export/SaveQuestion.h"
#include "support/Fixtures.h"
#include "ui/FlexGrid.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString formatString =
    QStringLiteral("|<商品名称|<买家呢称|<购买数量|<进价|<售价|<销售日期|<快递单号|<备注");
const QStringList titles = {QStringLiteral("商品名称"), QStringLiteral("买家呢称"),
                            QStringLiteral("购买数量"), QStringLiteral("进价"),
                            QStringLiteral("售价"),     QStringLiteral("销售日期"),
                            QStringLiteral("快递单号"), QStringLiteral("备注")};

class ExportTest : public testsupport::GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        grid = new ui::FlexGrid;
        ASSERT_TRUE(out.isValid());
        // The export's working files go here, so a test can see that none are left behind.
        ASSERT_TRUE(QDir(out.path()).mkdir(QStringLiteral("tmp")));
        oldTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(tmpFolder()));
    }

    void TearDown() override
    {
        xl::savefile_seam::reset();
        xl::app_seam::reset();
        qputenv("TMPDIR", oldTmp);
        GuiTest::TearDown();
    }

    QString tmpFolder() const { return out.filePath(QStringLiteral("tmp")); }
    QString target(const QString& name = QStringLiteral("定单.xlsx")) const { return out.filePath(name); }
    bool tmpIsEmpty() const
    {
        return QDir(tmpFolder()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    // The grid as the listing leaves it: nine columns, the titles in row 0, one row per order (id first).
    void list(const QList<QStringList>& orders)
    {
        grid->setRows(static_cast<int>(orders.size()) + 1);
        grid->setCols(9);
        grid->Clear();
        grid->setFormatString(formatString);
        for (int r = 0; r < orders.size(); ++r) {
            for (int c = 0; c < 9; ++c) {
                grid->setTextMatrix(r + 1, c, orders[r].value(c));
            }
        }
    }

    exporttest::ReadSheet exportAndRead(const QString& path)
    {
        xl::savefile_seam::setNextFileName(path);
        EXPECT_TRUE(xl::ExportToExcel(*grid, nullptr));
        EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
        QString error;
        exporttest::ReadSheet sheet = exporttest::readWorkbook(path, &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return sheet;
    }

    // Every grid cell of columns 1 to 8 is at sheet (row + 1, column) as left-aligned text; empty ones are
    // absent; nothing else is in the sheet.
    void expectMirrorsGrid(const exporttest::ReadSheet& sheet)
    {
        int written = 0;
        for (int r = 0; r < grid->Rows(); ++r) {
            for (int g = 1; g < grid->Cols(); ++g) {
                const QString text = grid->TextMatrix(r, g);
                if (text.isEmpty()) {
                    EXPECT_FALSE(sheet.has(r + 1, g)) << "row " << r << " column " << g;
                    continue;
                }
                ++written;
                const exporttest::ReadCell cell = sheet.at(r + 1, g);
                EXPECT_EQ(cell.value, text) << "row " << r << " column " << g;
                EXPECT_EQ(cell.type, QStringLiteral("s")) << "row " << r << " column " << g;
                EXPECT_EQ(cell.align, QStringLiteral("left")) << "row " << r << " column " << g;
            }
        }
        EXPECT_EQ(sheet.cells.size(), written);
        EXPECT_LE(sheet.maxColumn(), 8);
    }

    QTemporaryDir out;
    QByteArray oldTmp;
    // Made per test and deleted with the other top-level windows when the test ends.
    QPointer<ui::FlexGrid> grid;
};

TEST_F(ExportTest, EmptyListExportsTheTitlesAlone)
{
    list({});
    const exporttest::ReadSheet sheet = exportAndRead(target());
    EXPECT_EQ(sheet.sheets, 1);
    EXPECT_EQ(sheet.maxRow(), 1);
    ASSERT_EQ(sheet.cells.size(), 8);
    for (int column = 1; column <= 8; ++column) {
        EXPECT_EQ(sheet.at(1, column).value, titles[column - 1]);
        EXPECT_EQ(sheet.at(1, column).align, QStringLiteral("left"));
    }
    EXPECT_EQ(xl::savefile_seam::asked(), 1);
    EXPECT_TRUE(tmpIsEmpty());
}

TEST_F(ExportTest, OrdersLandRowByRowAsTextWithoutTheId)
{
    list({
        {QStringLiteral("31"), QStringLiteral("=1+1"), QStringLiteral("O'Brien's"), QStringLiteral("0012"),
         QStringLiteral("-5"), QStringLiteral("3.50"), QStringLiteral("2026/12/9"), QStringLiteral("SF001"),
         QStringLiteral(" ")},
        {QStringLiteral("30"), QStringLiteral("羊毛围巾（灰色）"), QStringLiteral("张三'"),
         QStringLiteral("2"), QStringLiteral("12.5"), QStringLiteral("30"), QStringLiteral("2026/12/8"),
         QStringLiteral(""), QStringLiteral("")},
        {QStringLiteral("7"), QStringLiteral("a'); drop table ddlist; --"), QStringLiteral("李四"),
         QStringLiteral("1E3"), QStringLiteral("0"), QStringLiteral("TRUE"), QStringLiteral("2026/1/1"),
         QStringLiteral("YT9"), QStringLiteral("多行\n备注")},
    });
    // A file already under the name is replaced whole.
    QFile old(target());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("not a workbook");
    old.close();

    const exporttest::ReadSheet sheet = exportAndRead(target());
    expectMirrorsGrid(sheet);
    // The newest order (first grid row) is sheet row 2; the empty waybill and remark stay untouched.
    EXPECT_EQ(sheet.at(2, 1).value, QStringLiteral("=1+1"));
    EXPECT_EQ(sheet.at(3, 1).value, QStringLiteral("羊毛围巾（灰色）"));
    EXPECT_FALSE(sheet.has(3, 7));
    EXPECT_FALSE(sheet.has(3, 8));
    EXPECT_EQ(sheet.at(2, 8).value, QStringLiteral(" "));
    EXPECT_TRUE(tmpIsEmpty());
}

TEST_F(ExportTest, ColumnsAreFittedToTheirLongestText)
{
    list({
        {QStringLiteral("2"), QStringLiteral("abcdefghijklmnopqrstuvwxyzabcd"),
         QStringLiteral("围巾围巾围巾围巾围巾围巾围巾围"), QStringLiteral("1"), QStringLiteral("5"),
         QStringLiteral("8"), QStringLiteral("2026/12/9"), QStringLiteral("SF1234567890"),
         QString(300, u'x')},
        {QStringLiteral("1"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("1"),
         QStringLiteral("5"), QStringLiteral("8"), QStringLiteral("2026/12/9"), QStringLiteral("SF1"),
         QStringLiteral("r")},
    });
    const exporttest::ReadSheet sheet = exportAndRead(target());
    expectMirrorsGrid(sheet);
    ASSERT_EQ(sheet.widths.size(), 8);
    // 30 narrow characters and 15 wide ones take the same room.
    EXPECT_DOUBLE_EQ(sheet.widths[1], sheet.widths[2]);
    // Longer texts, wider columns; a column of short numbers is as wide as its title.
    EXPECT_GT(sheet.widths[1], sheet.widths[7]);
    EXPECT_GT(sheet.widths[7], sheet.widths[6]);
    EXPECT_GT(sheet.widths[6], sheet.widths[4]);
    EXPECT_GE(sheet.widths[4], 4.0);
    EXPECT_DOUBLE_EQ(sheet.widths[4], sheet.widths[5]);
    // Never wider than the spreadsheet allows.
    EXPECT_GE(sheet.widths[8], 255.0);
    EXPECT_LT(sheet.widths[8], 256.0);
}

TEST_F(ExportTest, BothVersionPathsWriteTheSameWorkbook)
{
    list({{QStringLiteral("3"), QStringLiteral("手机壳"), QStringLiteral("王五"), QStringLiteral("2"),
           QStringLiteral("3"), QStringLiteral("9.9"), QStringLiteral("2026/12/9"), QStringLiteral(""),
           QStringLiteral("加急")}});
    xl::app_seam::setVersionText(QStringLiteral("7.0"));
    const exporttest::ReadSheet old = exportAndRead(target(QStringLiteral("7.xlsx")));
    xl::app_seam::setVersionText(QStringLiteral("8.0"));
    const exporttest::ReadSheet current = exportAndRead(target(QStringLiteral("8.xlsx")));
    expectMirrorsGrid(old);
    expectMirrorsGrid(current);
    EXPECT_EQ(old.widths, current.widths);
}

TEST_F(ExportTest, CancelWritesNothingAndSaysNothing)
{
    list({{QStringLiteral("1"), QStringLiteral("杯子")}});
    xl::savefile_seam::setNextFileName(QString());
    EXPECT_FALSE(xl::ExportToExcel(*grid, nullptr));
    EXPECT_EQ(xl::savefile_seam::asked(), 1);
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 0);
    EXPECT_TRUE(tmpIsEmpty());
}

TEST_F(ExportTest, UnwritableTargetIsReportedAndLeavesNoFile)
{
    list({{QStringLiteral("1"), QStringLiteral("杯子")}});
    QFile plain(target(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QStringList targets = {target(QStringLiteral("missing/定单.xlsx")),
                                 target(QStringLiteral("plain/定单.xlsx")), tmpFolder()};
    for (const QString& path : targets) {
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
        xl::savefile_seam::setNextFileName(path);
        EXPECT_FALSE(xl::ExportToExcel(*grid, nullptr)) << path.toStdString();
        ASSERT_EQ(ui::msgbox_seam::shown().size(), 1) << path.toStdString();
        const ui::msgbox_seam::Shown box = ui::msgbox_seam::shown().first();
        EXPECT_TRUE(box.text.contains(QDir::toNativeSeparators(path))) << box.text.toStdString();
        EXPECT_EQ(box.flags, ui::MB_OK);
        EXPECT_EQ(box.title, QCoreApplication::applicationName()); // no title of its own
    }
    EXPECT_FALSE(QFile::exists(target(QStringLiteral("missing"))));
    EXPECT_EQ(QFileInfo(plain.fileName()).size(), 0);
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 1); // only "plain"
    EXPECT_TRUE(tmpIsEmpty());
}

TEST_F(ExportTest, TextLongerThanACellHoldsIsCutAndNamedOnceTheWorkbookIsSaved)
{
    // A 40,000-character remark, a text whose limit falls inside a character, and more long cells than
    // the notice names.
    const QString remark = QString(40000, u'备');
    const QString emoji = QString(32766, u'a') + QStringLiteral("😀b");
    QList<QStringList> orders = {{QStringLiteral("9"), QStringLiteral("长备注"), emoji, QString(), QString(),
                                  QString(), QString(), QString(), remark}};
    for (int i = 0; i < 5; ++i) {
        orders << QStringList{QString::number(8 - i), QString(32768, u'x')};
    }
    orders << QStringList{QStringLiteral("1"), QStringLiteral("短")};
    list(orders);

    const exporttest::ReadSheet sheet = [&] {
        xl::savefile_seam::setNextFileName(target());
        EXPECT_TRUE(xl::ExportToExcel(*grid, nullptr));
        QString error;
        exporttest::ReadSheet read = exporttest::readWorkbook(target(), &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return read;
    }();
    EXPECT_EQ(sheet.at(2, 8).value, remark.left(32767));
    EXPECT_EQ(sheet.at(2, 2).value, QString(32766, u'a')) << "half a character was written";
    EXPECT_EQ(sheet.at(3, 1).value.size(), 32767);
    EXPECT_EQ(sheet.at(8, 1).value, QStringLiteral("短"));

    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    const ui::msgbox_seam::Shown notice = ui::msgbox_seam::shown().first();
    EXPECT_EQ(notice.title, QStringLiteral("提示"));
    EXPECT_EQ(notice.flags, ui::MB_OK_EXCLAMATION);
    EXPECT_TRUE(notice.text.startsWith(QStringLiteral("工作簿已经保存"))) << notice.text.toStdString();
    EXPECT_TRUE(notice.text.contains(QStringLiteral("32767"))) << notice.text.toStdString();
    EXPECT_TRUE(notice.text.contains(QStringLiteral("有 7 个单元格"))) << notice.text.toStdString();
    EXPECT_TRUE(notice.text.contains(
        QStringLiteral("第 2 行第 2 列、第 2 行第 8 列、第 3 行第 1 列、第 4 行第 1 列、第 5 行第 1 列等")))
        << notice.text.toStdString();
    EXPECT_FALSE(notice.text.contains(QStringLiteral("第 6 行"))) << notice.text.toStdString();
    EXPECT_TRUE(tmpIsEmpty());
}

TEST_F(ExportTest, AWorkbookThatCannotBeBegunIsReportedWhenItIsAdded)
{
    // The in-process application always starts; what it cannot do without a working folder is begin the
    // workbook, and that is told at the same step.
    list({{QStringLiteral("1"), QStringLiteral("杯子")}});
    QFile notAFolder(out.filePath(QStringLiteral("file")));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    qputenv("TMPDIR", QFile::encodeName(notAFolder.fileName()));
    xl::savefile_seam::setNextFileName(target());
    EXPECT_FALSE(xl::ExportToExcel(*grid, nullptr));
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_FALSE(ui::msgbox_seam::shown().first().text.isEmpty());
    EXPECT_EQ(ui::msgbox_seam::shown().first().title, QCoreApplication::applicationName());
    EXPECT_EQ(xl::savefile_seam::asked(), 0);
    EXPECT_FALSE(QFile::exists(target()));
}

// The real save question, answered by a queued step that finds the dialog once it is up.
TEST_F(ExportTest, SaveDialogOffersAWorkbookNameAndCanBeCancelled)
{
    list({{QStringLiteral("1"), QStringLiteral("杯子")}});
    bool asked = false;
    exporttest::answerSaveDialog([&asked](QFileDialog& dialog) {
        asked = true;
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        ASSERT_EQ(dialog.nameFilters().size(), 2);
        EXPECT_TRUE(dialog.nameFilters().first().contains(QStringLiteral("*.xlsx")));
        EXPECT_EQ(dialog.selectedNameFilter(), dialog.nameFilters().first());
        EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("xlsx"));
        ASSERT_FALSE(dialog.selectedFiles().isEmpty());
        const QFileInfo offered(dialog.selectedFiles().first());
        EXPECT_EQ(offered.fileName(), QStringLiteral("定单.xlsx"));
        dialog.reject();
    });
    EXPECT_FALSE(xl::ExportToExcel(*grid, nullptr));
    EXPECT_TRUE(asked);
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty());
    EXPECT_TRUE(tmpIsEmpty());

    // Chosen without the suffix, the file still gets it.
    exporttest::answerSaveDialog([this](QFileDialog& dialog) {
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(target(QStringLiteral("本月")));
        QTest::keyClick(name, Qt::Key_Return);
    });
    EXPECT_TRUE(xl::ExportToExcel(*grid, nullptr));
    QString error;
    const exporttest::ReadSheet sheet = exporttest::readWorkbook(target(QStringLiteral("本月.xlsx")), &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(sheet.at(2, 1).value, QStringLiteral("杯子"));
}

} // namespace

TEST_F(ExportTest, TextAfterANulIsNotCutOff)
{
    list({{QStringLiteral("1"), QStringLiteral("g"), QStringLiteral("m"), QStringLiteral("1"),
           QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2026/12/9"), QStringLiteral("k"),
           QStringLiteral("前") + QChar(0) + QStringLiteral("后")}});
    const exporttest::ReadSheet sheet = exportAndRead(target());
    EXPECT_TRUE(sheet.at(2, 8).value.startsWith(QStringLiteral("前")));
    EXPECT_TRUE(sheet.at(2, 8).value.endsWith(QStringLiteral("后")));
}

namespace {

TEST_F(ExportTest, AListLongerThanASheetIsToldBeforeAnythingIsWritten)
{
    grid->setRows(1048577 + 1); // the title row and one order more than a sheet's rows
    grid->setCols(9);
    grid->setFormatString(formatString);
    xl::savefile_seam::setNextFileName(target());
    EXPECT_FALSE(xl::ExportToExcel(*grid, nullptr));
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_TRUE(ui::msgbox_seam::shown().first().text.contains(QStringLiteral("1048577")));
    EXPECT_EQ(xl::savefile_seam::asked(), 0);
    EXPECT_FALSE(QFile::exists(target()));
    EXPECT_TRUE(tmpIsEmpty());
}

} // namespace
