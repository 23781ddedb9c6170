// The workbook layer on its own: the misuses that must fail loudly rather than lose cells.
#include "WorkbookReadback.h"
#include "export/SaveQuestion.h"
#include "export/SheetError.h"
#include "export/Workbook.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

class LayerTest : public ::testing::Test
{
protected:
    void TearDown() override { xl::savefile_seam::reset(); }
};

TEST_F(LayerTest, MisusesFailInsteadOfLosingCells)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    xl::Workbook book(nullptr);
    xl::Worksheet& sheet = book.activeSheet();
    sheet.writeLeft(3, 2, QStringLiteral("c"));
    // Rows go out in order: an earlier row can no longer change, and says so.
    EXPECT_THROW(sheet.writeLeft(2, 1, QStringLiteral("late")), xl::SheetError);
    EXPECT_THROW(sheet.writeLeft(0, 1, QStringLiteral("x")), xl::SheetError);
    EXPECT_THROW(sheet.writeLeft(4, 16384 + 1, QStringLiteral("x")), xl::SheetError);
    EXPECT_NO_THROW(sheet.fitColumns());

    // A closed workbook takes no more cells, and cannot be closed twice.
    xl::savefile_seam::setNextFileName(out.filePath(QStringLiteral("closed.xlsx")));
    EXPECT_TRUE(book.closeSaving({}));
    EXPECT_FALSE(book.isOpen());
    EXPECT_THROW(sheet.writeLeft(5, 1, QStringLiteral("after")), xl::SheetError);
    EXPECT_THROW(sheet.writeNumber(5, 1, 1, QStringLiteral("1")), xl::SheetError);
    EXPECT_THROW(sheet.fitColumns(), xl::SheetError);
    EXPECT_THROW(book.closeSaving({}), xl::SheetError);
    EXPECT_EQ(xl::savefile_seam::asked(), 1);
}

TEST_F(LayerTest, CancelledSaveLeavesTheWorkbookOpen)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    xl::Workbook book(nullptr);
    book.activeSheet().writeLeft(1, 1, QStringLiteral("a"));
    xl::savefile_seam::setNextFileName(QString());
    EXPECT_FALSE(book.closeSaving({}));
    EXPECT_TRUE(book.isOpen());
    // Asked again, the user says where: the cells written before the cancel are all there.
    const QString path = out.filePath(QStringLiteral("later.xlsx"));
    xl::savefile_seam::setNextFileName(path);
    EXPECT_TRUE(book.closeSaving({}));
    EXPECT_TRUE(QFileInfo(path).size() > 0);
    EXPECT_EQ(xl::savefile_seam::asked(), 2);
}

// A number or a day a spreadsheet cannot hold would spoil the whole file: it goes in as the text shown.
TEST_F(LayerTest, CellsASpreadsheetCannotHoldGoInAsTheirText)
{
    QTemporaryDir out;
    xl::Workbook book(nullptr);
    book.activeSheet().writeNumber(1, 1, std::numeric_limits<double>::infinity(), QStringLiteral("∞"));
    book.activeSheet().writeNumber(1, 2, std::nan(""), QStringLiteral("NaN"));
    book.activeSheet().writeDate(1, 3, QDate(1899, 12, 31), QStringLiteral("1899/12/31"));
    xl::savefile_seam::setNextFileName(out.filePath(QStringLiteral("odd.xlsx")));
    ASSERT_TRUE(book.closeSaving({}));
    QString error;
    const exporttest::ReadSheet sheet =
        exporttest::readWorkbook(out.filePath(QStringLiteral("odd.xlsx")), &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    const QStringList shown = {QStringLiteral("∞"), QStringLiteral("NaN"), QStringLiteral("1899/12/31")};
    for (int c = 1; c <= 3; ++c) {
        EXPECT_EQ(sheet.at(1, c).type, QStringLiteral("s")) << c;
        EXPECT_EQ(sheet.at(1, c).value, shown[c - 1]) << c;
    }
}

} // namespace

namespace {

TEST(ExcelDateFormat, ShowsTheDayAsTheWindowsDo)
{
    const std::pair<QString, QByteArray> cases[] = {
        {QStringLiteral("yyyy/M/d"), "yyyy/m/d"},
        {QStringLiteral("dd.MM.yyyy"), "dd\".\"mm\".\"yyyy"},
        {QStringLiteral("d 'de' MMMM 'de' yyyy"), "d \"de\" mmmm \"de\" yyyy"},
        {QStringLiteral("yyyy'年'M'月'd'日'"), "yyyy\"年\"m\"月\"d\"日\""},
        {QStringLiteral("d 'o''clock\"' M"), "d \"o'clock\"\\\" m"},
    };
    for (const auto& [pattern, format] : cases) {
        EXPECT_EQ(xl::excelDateFormat(pattern), format) << pattern.toStdString();
    }
}

} // namespace
