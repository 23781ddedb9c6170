// The workbook layer's members on their own: which object serves as the sheet, the running application,
// and the misuses that must fail loudly rather than lose cells.
#include "export/Range.h"
#include "export/SaveQuestion.h"
#include "export/SheetChoice.h"
#include "export/SheetError.h"
#include "export/SpreadsheetApp.h"
#include "export/Workbook.h"
#include "export/Worksheet.h"

#include <QDir>
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

    const auto app = xl::createApplication();
    ASSERT_TRUE(app);
    const auto book = app->Workbooks().add();
    EXPECT_EQ(xl::leadingVersion(app->Application()->Version()), 12);
    for (const char16_t* version : {u"8.0", u"12.0", u"16.0"}) {
        xl::app_seam::setVersionText(QString::fromUtf16(version));
        EXPECT_EQ(xl::chooseSheetObject(app).get(), app->ActiveSheet().get());
    }
    for (const char16_t* version : {u"7.0", u"5.0", u""}) {
        xl::app_seam::setVersionText(QString::fromUtf16(version));
        EXPECT_EQ(xl::chooseSheetObject(app).get(), app.get());
    }
}

TEST_F(LayerTest, AttachFindsTheApplicationOnlyWhileItIsHeld)
{
    EXPECT_FALSE(xl::attachRunning());
    auto app = xl::createApplication();
    EXPECT_EQ(xl::attachRunning(), app);
    app.reset();
    EXPECT_FALSE(xl::attachRunning());

    xl::app_seam::setCreationFails(true);
    EXPECT_FALSE(xl::createApplication());
}

TEST_F(LayerTest, MisusesFailInsteadOfLosingCells)
{
    const auto app = xl::createApplication();
    // No workbook yet: the application has no sheet to write to.
    EXPECT_THROW(app->Cells(1, 1), xl::SheetError);

    const auto book = app->Workbooks().add();
    const auto sheet = book->ActiveSheet();
    sheet->Cells(3, 2).setValue(QStringLiteral("c"));
    // Rows go out in order: an earlier row can no longer change, and says so.
    EXPECT_THROW(sheet->Cells(2, 1).setValue(QStringLiteral("late")), xl::SheetError);
    EXPECT_THROW(sheet->Cells(0, 1).setValue(QStringLiteral("x")), xl::SheetError);
    EXPECT_THROW(sheet->Cells(4, xl::maxColumns + 1).setValue(QStringLiteral("x")), xl::SheetError);
    EXPECT_THROW(sheet->Cells().setValue(QStringLiteral("all")), xl::SheetError);
    EXPECT_THROW(sheet->Cells(4, 1).setHorizontalAlignment(12345), xl::SheetError);
    EXPECT_THROW(sheet->Cells(4, 1).AutoFit(), xl::SheetError);
    EXPECT_NO_THROW(sheet->Cells(4, 1).EntireColumn().AutoFit());

    // A closed workbook takes no more cells, and cannot be closed twice.
    EXPECT_TRUE(book->Close(false));
    EXPECT_FALSE(book->isOpen());
    EXPECT_THROW(sheet->Cells(5, 1).setValue(QStringLiteral("after")), xl::SheetError);
    EXPECT_THROW(book->Close(true), xl::SheetError);
    EXPECT_EQ(xl::savefile_seam::asked(), 0);
}

TEST_F(LayerTest, CancelledSaveLeavesTheWorkbookOpen)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const auto app = xl::createApplication();
    const auto book = app->Workbooks().add();
    book->ActiveSheet()->Cells(1, 1).setValue(QStringLiteral("a"));
    xl::savefile_seam::setNextFileName(QString());
    EXPECT_FALSE(book->Close(true));
    EXPECT_TRUE(book->isOpen());
    // Asked again, the user says where: the cells written before the cancel are all there.
    const QString path = out.filePath(QStringLiteral("later.xlsx"));
    xl::savefile_seam::setNextFileName(path);
    EXPECT_TRUE(book->Close(true));
    EXPECT_TRUE(QFileInfo(path).size() > 0);
    EXPECT_EQ(xl::savefile_seam::asked(), 2);
}

} // namespace
