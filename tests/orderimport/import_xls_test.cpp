// .xls (Excel 97-2003) workbooks read through libfreexl: the committed xlwt file, and the files to refuse.
#include "ImportTestSupport.h"
#include "orderimport/ImportError.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

using namespace importtest;
using orderimport::ImportError;

TEST(XlsSheet, ReadsTheFirstWorksheetOfAnXlwtWorkbook)
{
    const auto source = orderimport::openSheet(sample("orders_xlwt.xls"));
    EXPECT_EQ(source->kind(), orderimport::FileKind::Xls);
    std::vector<orderimport::SheetRow> rows;
    while (auto row = source->next()) {
        rows.push_back(*row);
    }
    const CellValue none;
    const std::vector<std::vector<CellValue>> expected = {
        sampleOrdersAsText().front(),
        {text(u"连衣裙 夏季新款"), text(u"小王123"), 2.0, 45.5, 89.9, QDate(2026, 3, 8),
         text(u"SF1234567890"), text(u"包邮")},
        // The time of day is dropped.
        {text(u"T恤 白色"), text(u"李四"), 1.0, 19.99, 15.0, QDate(2026, 12, 4), text(u"YT0000000001")},
        {text(u"手机壳"), text(u"buyer_tom"), 10.0, 3.2, 9.9, QDate(2025, 2, 28), 778899.0, text(u"加急")},
        // A time of day alone is no date: libfreexl's text of it.
        {text(u"只有商品"), none, none, none, none, none, none, text(u"09:30:00")},
    };
    EXPECT_EQ(cellsOf(rows), expected);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows.back().number, 6);
}

TEST(XlsSheet, ReadsAWorkbookNamedWrongly)
{
    QTemporaryDir dir;
    const QString renamed = dir.filePath(QStringLiteral("orders.csv"));
    ASSERT_TRUE(QFile::copy(sample("orders_xlwt.xls"), renamed));
    EXPECT_EQ(readAll(renamed).size(), 5u);
}

TEST(XlsSheet, RefusesAnUnreadableFileByName)
{
    try {
        readAll(sample("ole_garbage.xls"));
        ADD_FAILURE() << "read without an error";
    } catch (const ImportError& error) {
        EXPECT_EQ(error.kind(), ImportError::Kind::Damaged);
        EXPECT_TRUE(error.message().contains(QStringLiteral("ole_garbage.xls"))) << error.what();
    }
}

} // namespace
