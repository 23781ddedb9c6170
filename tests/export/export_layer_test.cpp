// The workbook layer's parts on their own: which object serves as the sheet, the running application,
// and the misuses that must fail loudly rather than lose cells.
#include "export/Application.h"
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
        xl::app_seam::reset();
        xl::savefile_seam::reset();
    }
};

TEST_F(LayerTest, VersionDecidesWhatServesAsTheSheet)
{
    EXPECT_EQ(xl::leadingVersion(u"11.0"), 11);
    EXPECT_EQ(xl::leadingVersion(u"8.0"), 8);
    EXPECT_EQ(xl::leadingVersion(u" 7.0"), 7);
    EXPECT_EQ(xl::leadingVersion(u"16"), 16);
    EXPECT_EQ(xl::leadingVersion(u""), 0);
    EXPECT_EQ(xl::leadingVersion(u"v9"), 0);
    EXPECT_GT(xl::leadingVersion(u"99999999999999999999"), 0); // no overflow into a negative number

    EXPECT_EQ(xl::leadingVersion(xl::obtainApplication()->version), 12);
    for (const char16_t* version : {u"8.0", u"12.0", u"16.0"}) {
        EXPECT_TRUE(xl::writesThroughActiveSheet(version));
    }
    for (const char16_t* version : {u"7.0", u"5.0", u""}) {
        EXPECT_FALSE(xl::writesThroughActiveSheet(version));
    }
}

TEST_F(LayerTest, TheRunningApplicationIsFoundOnlyWhileItIsHeld)
{
    auto app = xl::obtainApplication();
    ASSERT_TRUE(app);
    EXPECT_EQ(xl::obtainApplication(), app);
    const std::weak_ptr<xl::Application> held = app;
    app.reset();
    EXPECT_TRUE(held.expired());
    // A new one starts, and takes a version set meanwhile.
    xl::app_seam::setVersionText(QStringLiteral("7.0"));
    EXPECT_EQ(xl::obtainApplication()->version, QStringLiteral("7.0"));
}

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
