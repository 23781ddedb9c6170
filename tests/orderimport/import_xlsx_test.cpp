// .xlsx workbooks: written by openpyxl, by libxlsxwriter (as this program's export writes them) and by
// hand in the forms Excel and WPS use; dates told by their number formats in both date systems; damaged,
// encrypted and empty workbooks refused by name.
#include "ImportTestSupport.h"
#include "orderimport/ExcelDates.h"
#include "orderimport/ImportError.h"
#include "orderimport/XlsxSheet.h"

#include <QFile>
#include <QTemporaryDir>
#include <xlsxwriter.h>

namespace {

using namespace importtest;
using orderimport::ImportError;
using orderimport::NumberFormatKind;

std::vector<int> numbersOf(const std::vector<orderimport::SheetRow>& rows)
{
    std::vector<int> numbers;
    for (const auto& row : rows) {
        numbers.push_back(row.number);
    }
    return numbers;
}

TEST(XlsxSheet, ReadsAnOpenpyxlWorkbook)
{
    const auto rows = readAll(sample("orders_openpyxl.xlsx"));
    const CellValue none;
    const std::vector<std::vector<CellValue>> expected = {
        sampleOrdersAsText().front(),
        {text(u"连衣裙 夏季新款"), text(u"小王123"), 2.0, 45.5, 89.9, QDate(2026, 3, 8),
         text(u"SF1234567890"), text(u"包邮")},
        {text(u"T恤 白色"), text(u"李四"), 1.0, 19.99, 15.0, QDate(2026, 12, 4), text(u"YT0000000001")},
        {text(u"手机壳"), text(u"buyer_tom"), 10.0, 3.2, 9.9, QDate(2025, 2, 28), 778899.0, text(u"TRUE")},
        // A currency format is no date; a time of day alone stays a number.
        {text(u"只有商品"), none, none, 1234.5, none, QDate(1900, 3, 1), none, 9.5 / 24},
        {none, none, none, none, none, none, none, none, none,
         none, none, none, none, none, none, none, none, none,
         none, none, none, none, none, none, none, none, text(u"far right")},
    };
    EXPECT_EQ(cellsOf(rows), expected);
    EXPECT_EQ(numbersOf(rows), (std::vector<int>{1, 2, 3, 4, 6, 7}));
}

TEST(XlsxSheet, ReadsTheFormsExcelAndWpsWrite)
{
    const auto rows = readAll(sample("handmade.xlsx"));
    ASSERT_EQ(rows.size(), 5u);
    const QDate day(2026, 12, 4);
    EXPECT_EQ(rows[0].cells, (std::vector<CellValue>{text(u"商品名称"), text(u"销售日期"), text(u"备注")}));
    // Rich text runs joined without the phonetic guide; a CR stored as _x000D_.
    EXPECT_EQ(rows[1].cells, (std::vector<CellValue>{text(u"红色 连衣裙"), day, text(u"第一行\r\n第二行")}));
    EXPECT_EQ(rows[2].cells,
              (std::vector<CellValue>{text(u"TRUE"), day, 1.5, CellValue(), day, 60.0, 3.0}));
    ASSERT_EQ(rows[3].cells.size(), 16384u);
    EXPECT_EQ(rows[3].cells.back(), text(u"last column"));
    EXPECT_EQ(rows[4].cells, (std::vector<CellValue>{12.5, day}));
    EXPECT_EQ(numbersOf(rows), (std::vector<int>{1, 3, 4, 6, 7}));
}

TEST(XlsxSheet, CountsDatesFrom1904WhenTheWorkbookSaysSo)
{
    const auto rows = readAll(sample("orders_1904.xlsx"));
    EXPECT_EQ(cellsOf(rows), (std::vector<std::vector<CellValue>>{
                                 {text(u"销售日期")}, {QDate(2026, 12, 4)}, {QDate(1904, 1, 1)}}));
}

class LibxlsxwriterWorkbook : public ::testing::Test
{
protected:
    QString write(bool constantMemory, int orders)
    {
        const QString path = dir.filePath(QStringLiteral("written.xlsx"));
        lxw_workbook_options options{};
        options.constant_memory = constantMemory;
        lxw_workbook* workbook = workbook_new_opt(QFile::encodeName(path).constData(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, "订单");
        lxw_format* day = workbook_add_format(workbook);
        format_set_num_format(day, "yyyy-mm-dd");
        worksheet_write_string(sheet, 0, 0, "商品名称", nullptr);
        worksheet_write_string(sheet, 0, 1, "购买数量", nullptr);
        worksheet_write_string(sheet, 0, 2, "销售日期", nullptr);
        for (int i = 1; i <= orders; ++i) {
            const QByteArray goods = QStringLiteral("商品%1").arg(i).toUtf8();
            worksheet_write_string(sheet, i, 0, goods.constData(), nullptr);
            worksheet_write_number(sheet, i, 1, i, nullptr);
            lxw_datetime when{2026, 1 + i % 12, 1 + i % 28, 13, 45, 0};
            worksheet_write_datetime(sheet, i, 2, &when, day);
        }
        EXPECT_EQ(workbook_close(workbook), LXW_NO_ERROR);
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(LibxlsxwriterWorkbook, ReadsSharedStringsAndDates)
{
    const auto rows = readAll(write(false, 2));
    EXPECT_EQ(cellsOf(rows), (std::vector<std::vector<CellValue>>{
                                 {text(u"商品名称"), text(u"购买数量"), text(u"销售日期")},
                                 {text(u"商品1"), 1.0, QDate(2026, 2, 2)},
                                 {text(u"商品2"), 2.0, QDate(2026, 3, 3)},
                             }));
}

TEST_F(LibxlsxwriterWorkbook, StreamsALongSheetRowByRow)
{
    constexpr int orders = 100000;
    const auto source = orderimport::openSheet(write(true, orders));
    ASSERT_TRUE(source->next().has_value()); // the header
    int count = 0;
    while (const auto row = source->next()) {
        ++count;
        ASSERT_EQ(row->number, count + 1);
        ASSERT_EQ(row->cells.size(), 3u);
        ASSERT_EQ(std::get<QString>(row->cells[0]), QStringLiteral("商品%1").arg(count));
        ASSERT_EQ(std::get<QDate>(row->cells[2]), QDate(2026, 1 + count % 12, 1 + count % 28));
    }
    EXPECT_EQ(count, orders);
}

TEST(XlsxSheet, ChoosesTheReaderByContentNotByName)
{
    QTemporaryDir dir;
    const QString renamed = dir.filePath(QStringLiteral("orders.csv"));
    ASSERT_TRUE(QFile::copy(sample("orders_1904.xlsx"), renamed));
    const auto source = orderimport::openSheet(renamed);
    EXPECT_EQ(source->kind(), orderimport::FileKind::Xlsx);
    EXPECT_EQ(source->next()->cells, std::vector<CellValue>{text(u"销售日期")});
}

TEST(XlsxSheet, RefusesDamagedEncryptedAndEmptyWorkbooksByName)
{
    const std::pair<const char*, ImportError::Kind> cases[] = {
        {"truncated.xlsx", ImportError::Kind::Damaged},
        {"bad_checksum.xlsx", ImportError::Kind::Damaged},
        {"not_a_workbook.xlsx", ImportError::Kind::Damaged},
        {"rows_backwards.xlsx", ImportError::Kind::Damaged},
        {"no_sheet.xlsx", ImportError::Kind::NotATable},
        {"encrypted.xlsx", ImportError::Kind::Encrypted},
    };
    for (const auto& [file, kind] : cases) {
        SCOPED_TRACE(file);
        try {
            readAll(sample(file));
            ADD_FAILURE() << "read without an error";
        } catch (const ImportError& error) {
            EXPECT_EQ(error.kind(), kind) << error.what();
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(file))) << error.what();
        }
    }
}

TEST(ExcelDates, ToldByTheNumberFormat)
{
    const std::pair<const char16_t*, NumberFormatKind> codes[] = {
        {u"General", NumberFormatKind::Plain},
        {u"0.00", NumberFormatKind::Plain},
        {u"#,##0.00\"元\"", NumberFormatKind::Plain},
        {u"0.00E+00", NumberFormatKind::Plain},
        {u"\"¥\"#,##0.00;[Red]\"-¥\"#,##0.00", NumberFormatKind::Plain},
        {u"0 \"days\"", NumberFormatKind::Plain}, // letters in quotes are text
        {u"yyyy-mm-dd", NumberFormatKind::Date},
        {u"yyyy/m/d h:mm", NumberFormatKind::Date},
        {u"[$-804]yyyy\"年\"m\"月\"d\"日\"", NumberFormatKind::Date},
        {u"d-mmm", NumberFormatKind::Date},
        {u"mmmm", NumberFormatKind::Date},
        {u"[Red]yyyy-mm-dd", NumberFormatKind::Date},
        {u"h:mm", NumberFormatKind::Time},
        {u"mm:ss", NumberFormatKind::Time},
        {u"[h]:mm:ss", NumberFormatKind::Time},
        {u"[mm]:ss", NumberFormatKind::Time},
        {u"h:mm AM/PM", NumberFormatKind::Time},
        {u"0.00;\"yyyy\"", NumberFormatKind::Plain}, // only the first section counts
    };
    for (const auto& [code, kind] : codes) {
        EXPECT_EQ(orderimport::formatCodeKind(QStringView(code)), kind)
            << QString::fromUtf16(code).toStdString();
    }
    const std::pair<int, NumberFormatKind> ids[] = {
        {0, NumberFormatKind::Plain}, {2, NumberFormatKind::Plain},   {14, NumberFormatKind::Date},
        {17, NumberFormatKind::Date}, {18, NumberFormatKind::Time},   {21, NumberFormatKind::Time},
        {22, NumberFormatKind::Date}, {31, NumberFormatKind::Date},   {32, NumberFormatKind::Time},
        {45, NumberFormatKind::Time}, {47, NumberFormatKind::Time},   {49, NumberFormatKind::Plain},
        {57, NumberFormatKind::Date}, {164, NumberFormatKind::Plain},
    };
    for (const auto& [id, kind] : ids) {
        EXPECT_EQ(orderimport::builtInFormatKind(id), kind) << id;
    }
}

TEST(ExcelDates, SerialsInBothDateSystems)
{
    struct Case
    {
        double serial;
        bool date1904;
        std::optional<QDate> date;
    };
    const Case cases[] = {
        {1, false, QDate(1900, 1, 1)},
        {59, false, QDate(1900, 2, 28)},
        {60, false, std::nullopt},
        {61, false, QDate(1900, 3, 1)},
        {0, false, std::nullopt},
        {-1, false, std::nullopt},
        {46360.99, false, QDate(2026, 12, 4)},
        {2958465, false, QDate(9999, 12, 31)},
        {2958466, false, std::nullopt},
        {0, true, QDate(1904, 1, 1)},
        {44898, true, QDate(2026, 12, 4)},
        {std::nan(""), false, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(orderimport::dateFromSerial(c.serial, c.date1904), c.date) << c.serial << " " << c.date1904;
    }
}

TEST(XlsxSheet, ColumnOfACellReference)
{
    const std::pair<const char16_t*, int> cases[] = {
        {u"A1", 0},    {u"Z9", 25}, {u"AA12", 26}, {u"AZ1", 51},   {u"XFD1048576", 16383},
        {u"XFE1", -1}, {u"1", -1},  {u"", -1},     {u"ZZZZ1", -1},
    };
    for (const auto& [reference, column] : cases) {
        EXPECT_EQ(orderimport::columnOfReference(QStringView(reference)), column)
            << QString::fromUtf16(reference).toStdString();
    }
}

} // namespace
