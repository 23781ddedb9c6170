// The workbook layer on its own: the misuses that must fail loudly rather than lose cells.
#include "export/SaveQuestion.h"
#include "export/SheetError.h"
#include "export/Workbook.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class LayerTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        xl::savefile_seam::reset();
    }
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

} // namespace
