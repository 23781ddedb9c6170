// The listed orders as CSV through the save dialog's second type, read back with Python's csv module and
// held against the workbook of the same listing; and exports that end early release their temporary files.
#include "ExportFixture.h"
#include "SaveDialogAnswer.h"
#include "WorkbookReadback.h"
#include "export/CsvField.h"
#include "store/CsvGuard.h"
#include "store/TextForms.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class CsvExportTest : public exporttest::ExportTest
{
protected:
    // Open files whose name is gone: temporary files nobody can reach any more.
    static int deletedFilesOpen()
    {
        int open = 0;
        for (const QString& fd :
             QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::System)) {
            char target[4096];
            const QByteArray link = QFile::encodeName(QStringLiteral("/proc/self/fd/") + fd);
            const ssize_t length = ::readlink(link.constData(), target, sizeof target);
            open += length > 0 && QByteArray(target, length).endsWith(" (deleted)") ? 1 : 0;
        }
        return open;
    }
};

// The real save question, answered by a queued step that finds the dialog once it is up.
TEST_F(CsvExportTest, CsvChosenInTheDialogHoldsTheWorkbooksCellsAsText)
{
    // Added oldest first.
    store->addOrder(QStringLiteral("a'); drop table ddlist; --"), 12.5, 2, 30, QStringLiteral("-"),
                    QStringLiteral("SF\n1"), QStringLiteral("2026-01-01"), QStringLiteral(""));
    store->addOrder(QStringLiteral("'羊毛围巾（灰色）"), 3, 2, 30, QStringLiteral("\tTab"),
                    QStringLiteral("+86 138"), QStringLiteral("2026-12-08"), QStringLiteral(" 前后空格 "));
    store->addOrder(QStringLiteral("=HYPERLINK(\"http://x\",\"点我\")"), -5.25, -5, 1e3,
                    QStringLiteral("O'Brien, Jr."), QStringLiteral("@SUM(A1)"), QStringLiteral("2026-12-09"),
                    QStringLiteral("多行\r\n备注，含\"引号\""));
    xl::savefile_seam::setNextFileName(out.filePath(QStringLiteral("定单.xlsx")));
    ASSERT_TRUE(exportListing());
    QString error;
    const exporttest::ReadSheet sheet =
        exporttest::readWorkbook(out.filePath(QStringLiteral("定单.xlsx")), &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();

    // The real dialog: picking the CSV type changes the offered name, a name without suffix gets ".csv".
    xl::savefile_seam::reset();
    exporttest::answerSaveDialog([this](QFileDialog& dialog) {
        EXPECT_EQ(dialog.nameFilters(),
                  (QStringList{QStringLiteral("Excel 工作簿 (*.xlsx)"), QStringLiteral("CSV 文件 (*.csv)")}));
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(types, nullptr);
        ASSERT_NE(name, nullptr);
        QTest::keyClick(types, Qt::Key_Down); // as the user picks it
        EXPECT_EQ(types->currentIndex(), 1);
        EXPECT_EQ(name->text(), QStringLiteral("定单.csv"));
        name->setText(out.filePath(QStringLiteral("本月")));
        QTest::keyClick(name, Qt::Key_Return);
    });
    ASSERT_TRUE(exportListing());
    EXPECT_TRUE(ui::msgbox_seam::shown().isEmpty()) << lastMessage().toStdString();
    const QString csv = out.filePath(QStringLiteral("本月.csv"));
    const QList<QStringList> records = exporttest::readCsv(csv, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();

    // Cell for cell the workbook's, the id left out, a formula-like text or one beginning with an
    // apostrophe behind one more apostrophe.
    ASSERT_EQ(records.size(), 4);
    int guarded = 0;
    for (int r = 0; r < records.size(); ++r) {
        ASSERT_EQ(records[r].size(), 8) << r;
        for (int c = 1; c <= 8; ++c) {
            // The grid's text of a number or date cell. openpyxl leaves the workbook's escape of a
            // carriage return as it stands; a spreadsheet does not.
            const exporttest::ReadCell cell = sheet.at(r + 1, c);
            const QString inBook =
                cell.type == QStringLiteral("n") ? store::Number(cell.number).text()
                : cell.type == QStringLiteral("d")
                    ? store::textforms::dateText(QDate::fromString(cell.value, Qt::ISODate))
                    : QString(cell.value).replace(QStringLiteral("_x000D_"), QStringLiteral("\r"));
            QString inCsv = records[r][c - 1];
            static const QRegularExpression formulaLike(QStringLiteral("^[=+\\-@\\t\\r]"));
            if ((inBook.contains(formulaLike) && !store::isPlainNumber(inBook)) || inBook.startsWith(u'\'')) {
                ASSERT_TRUE(inCsv.startsWith(QLatin1Char('\''))) << inCsv.toStdString();
                inCsv.remove(0, 1);
                ++guarded;
            }
            EXPECT_EQ(inCsv, inBook) << "row " << r << " column " << c;
        }
    }
    EXPECT_EQ(guarded, 6); // =HYPERLINK, +86 138, @SUM, tab, a lone "-", '羊毛围巾; not -5, -5.25 or O'Brien

    QFile raw(csv);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    EXPECT_TRUE(
        bytes.startsWith("\xEF\xBB\xBF商品名称,买家呢称,购买数量,进价,售价,销售日期,快递单号,备注\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_TRUE(tmpIsEmpty());
}

TEST_F(CsvExportTest, CancelledAndFailedExportsLeaveNoTemporaryFileOpen)
{
    std::vector<store::Order> orders(3000);
    for (int i = 0; i < 3000; ++i) {
        orders[i] = {0,
                     QStringLiteral("商品%1").arg(i),
                     QStringLiteral("买家"),
                     store::Number(1),
                     store::Number(2),
                     store::Number(3),
                     QDate(2026, 12, 9),
                     QStringLiteral("SF%1").arg(i),
                     QString(40, u'备')};
    }
    store::OrderStore(store->dataFile()).insertAll(orders);
    const int before = deletedFilesOpen();

    xl::savefile_seam::setNextFileName(QString()); // cancelled
    EXPECT_FALSE(exportListing());
    EXPECT_EQ(deletedFilesOpen(), before) << "the cancelled workbook's rows are still open";
    EXPECT_TRUE(tmpIsEmpty());

    for (const QString& filter :
         {QStringLiteral("Excel 工作簿 (*.xlsx)"), QStringLiteral("CSV 文件 (*.csv)")}) {
        ui::msgbox_seam::reset();
        ui::msgbox_seam::arm();
        xl::savefile_seam::setNextAnswer(out.filePath(QStringLiteral("没有的文件夹/定单")), filter);
        EXPECT_FALSE(exportListing());
        ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
        EXPECT_TRUE(lastMessage().contains(QStringLiteral("文件夹不存在"))) << lastMessage().toStdString();
        EXPECT_TRUE(lastMessage().contains(QStringLiteral("请换一个文件夹"))) << lastMessage().toStdString();
        EXPECT_EQ(deletedFilesOpen(), before);
        EXPECT_TRUE(tmpIsEmpty());
    }
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 0);

    // A temporary folder too small for the workbook: the message is Chinese and says what to do.
    const testsupport::SmallDisk small(QStringLiteral("64k"));
    if (!small.mounted()) {
        GTEST_SKIP() << "this machine does not let us mount a small filesystem (root only)";
    }
    setTmp(small.folder());
    ui::msgbox_seam::reset();
    ui::msgbox_seam::arm();
    xl::savefile_seam::setNextFileName(out.filePath(QStringLiteral("定单.xlsx")));
    EXPECT_FALSE(exportListing());
    ASSERT_EQ(ui::msgbox_seam::shown().size(), 1);
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("磁盘"))) << lastMessage().toStdString();
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("请腾出磁盘空间"))) << lastMessage().toStdString();
    EXPECT_FALSE(lastMessage().contains(QRegularExpression(QStringLiteral("[A-Za-z]{3,}"))))
        << lastMessage().toStdString();
    EXPECT_EQ(deletedFilesOpen(), before);
    EXPECT_TRUE(tmpIsEmpty());
    EXPECT_FALSE(QFile::exists(out.filePath(QStringLiteral("定单.xlsx"))));

    // CSV onto a full disk: the earlier file under the name stays as it was, nothing else is left.
    setTmp(out.filePath(QStringLiteral("tmp")));
    const QString earlier = QDir(small.folder()).filePath(QStringLiteral("定单.csv"));
    QFile old(earlier);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier");
    old.close();
    ui::msgbox_seam::reset();
    ui::msgbox_seam::arm();
    xl::savefile_seam::setNextAnswer(earlier, QStringLiteral("CSV 文件 (*.csv)"));
    EXPECT_FALSE(exportListing());
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("磁盘可能已满"))) << lastMessage().toStdString();
    EXPECT_EQ(QDir(small.folder()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("定单.csv")});
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("earlier"));
    EXPECT_EQ(deletedFilesOpen(), before);
}

} // namespace
