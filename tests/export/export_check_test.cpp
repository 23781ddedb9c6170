// The finished file is read back before it goes into place: a workbook that a full disk left with empty
// parts or missing rows must never be saved as if all went well.
#include "export/SaveQuestion.h"
#include "export/SheetError.h"
#include "export/Workbook.h"
#include "export/WorkbookCheck.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CheckTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(out.isValid()); }
    void TearDown() override { xl::savefile_seam::reset(); }

    // A workbook of `rows` rows of eight cells, a number and a date among them, saved through the layer
    // (which checks it on the way).
    QString writeWorkbook(int rows)
    {
        const QString path = out.filePath(QStringLiteral("good.xlsx"));
        xl::Workbook book(nullptr);
        xl::Worksheet& sheet = book.activeSheet();
        for (int r = 1; r <= rows; ++r) {
            for (int c = 1; c <= 6; ++c) {
                sheet.writeLeft(r, c, QStringLiteral("第%1行 </row> 单元格 %2").arg(r).arg(c));
            }
            sheet.writeNumber(r, 7, r + 0.5, QString());
            sheet.writeDate(r, 8, QDate(2026, 12, 9), QString());
        }
        xl::savefile_seam::setNextFileName(path);
        EXPECT_TRUE(book.closeSaving({}));
        return path;
    }

    QString tamper(const QString& good, const QString& mode)
    {
        const QString bad = out.filePath(mode + QStringLiteral(".xlsx"));
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral(TALLY_TAMPER_SCRIPT), good, bad, mode});
        EXPECT_TRUE(python.waitForFinished(60000));
        EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
        return bad;
    }

    QTemporaryDir out;
};

TEST_F(CheckTest, AWholeWorkbookPassesAndADamagedOneDoesNot)
{
    // Enough rows that the sheet inflates in many pieces, and texts that look like a row's end.
    constexpr int rows = 20000;
    const QString good = writeWorkbook(rows);
    ASSERT_GT(QFileInfo(good).size(), 0);
    EXPECT_NO_THROW(xl::checkWrittenWorkbook(good, rows));
    EXPECT_THROW(xl::checkWrittenWorkbook(good, rows + 1), xl::SheetError);

    for (const char* mode : {"drop-row", "empty-part", "footer-only", "bad-checksum", "not-a-zip"}) {
        const QString bad = tamper(good, QString::fromLatin1(mode));
        EXPECT_THROW(xl::checkWrittenWorkbook(bad, rows), xl::SheetError) << mode;
    }
    EXPECT_THROW(xl::checkWrittenWorkbook(out.filePath(QStringLiteral("absent.xlsx")), rows), xl::SheetError);
}

} // namespace
