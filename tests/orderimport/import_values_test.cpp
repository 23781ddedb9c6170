// Sellers' values: numbers and dates as they write them, the date order a column allows, the column a
// header names, and this program's own CSV guard undone.
#include "ImportTestSupport.h"
#include "orderimport/HeaderGuess.h"
#include "orderimport/SellerDate.h"
#include "orderimport/SellerNumber.h"
#include "store/CsvGuard.h"

namespace {

using namespace importtest;
using orderimport::DateForm;
using orderimport::OrderField;

QString s(const char16_t* text)
{
    return QString::fromUtf16(text);
}

TEST(SellerNumber, ReadsTheFormsSellersWrite)
{
    const std::pair<const char16_t*, std::optional<double>> cases[] = {
        {u"12", 12},
        {u"  12.50 ", 12.5},
        {u"-5", -5},
        {u"+3", 3},
        {u".5", 0.5},
        {u"¥12.5", 12.5},
        {u"￥ 12.5", 12.5},
        {u"12.5元", 12.5},
        {u"元12.5", 12.5},
        {u"-¥5", -5},
        {u"¥-5", -5},
        {u"1,234.50", 1234.5},
        {u"1,234,567", 1234567},
        {u"１２３．５", 123.5},
        {u"－５", -5},
        {u"１，２３４", 1234},
        {u"\u22125", -5},
        {u"1.5E+3", 1500},
        {u"\u3000７\u3000", 7}, // ideographic spaces around
        {u"", std::nullopt},
        {u"   ", std::nullopt},
        {u"abc", std::nullopt},
        {u"12abc", std::nullopt},
        {u"1,2", std::nullopt},     // a decimal comma, or a typo: not guessed
        {u"12,34.5", std::nullopt}, // separators out of place
        {u"'12", std::nullopt},     // the apostrophe guard is the caller's to drop
        {u"--5", std::nullopt},
        {u"¥", std::nullopt},
        {u"nan", std::nullopt},
        {u"inf", std::nullopt},
        {u"1e999", std::nullopt},
        {u"1 234", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(orderimport::readSellerNumber(QStringView(text)), expected) << s(text).toStdString();
    }
}

TEST(SellerDate, ReadsEachFormOnlyWhenAskedFor)
{
    struct Case
    {
        const char16_t* text;
        DateForm form;
        std::optional<QDate> date;
    };
    const QDate day(2026, 12, 4);
    const Case cases[] = {
        {u"2026-12-04", DateForm::YearMonthDay, day},
        {u"2026/12/4", DateForm::YearMonthDay, day},
        {u"2026.12.04", DateForm::YearMonthDay, day},
        {u"2026年12月4日", DateForm::YearMonthDay, day},
        {u"2026年12月4", DateForm::YearMonthDay, day},
        {u" 2026-12-04 13:45:00 ", DateForm::YearMonthDay, day},
        {u"2026/12/4 9:05", DateForm::YearMonthDay, day},
        {u"2026-12-04T13:45:00.123", DateForm::YearMonthDay, day},
        {u"２０２６－１２－０４", DateForm::YearMonthDay, day},
        {u"04/12/2026", DateForm::DayMonthYear, day},
        {u"4-12-2026", DateForm::DayMonthYear, day},
        {u"04.12.2026 08:00", DateForm::DayMonthYear, day},
        {u"12/04/2026", DateForm::MonthDayYear, day},
        {u"12/4/2026", DateForm::MonthDayYear, day},
        // Refused.
        {u"04/12/2026", DateForm::YearMonthDay, std::nullopt},
        {u"2026-12-04", DateForm::DayMonthYear, std::nullopt},
        {u"2026-12/04", DateForm::YearMonthDay, std::nullopt}, // mixed separators
        {u"2026-12-04日", DateForm::YearMonthDay, std::nullopt},
        {u"2026-02-30", DateForm::YearMonthDay, std::nullopt},
        {u"13/13/2026", DateForm::DayMonthYear, std::nullopt},
        {u"2026-12-04 25:00", DateForm::YearMonthDay, std::nullopt},
        {u"2026-12-04 junk", DateForm::YearMonthDay, std::nullopt},
        {u"1752-12-31", DateForm::YearMonthDay, std::nullopt},
        {u"1753-01-01", DateForm::YearMonthDay, QDate(1753, 1, 1)},
        {u"9999-12-31", DateForm::YearMonthDay, QDate(9999, 12, 31)},
        {u"26-12-04", DateForm::YearMonthDay, std::nullopt},
        {u"20261204", DateForm::YearMonthDay, std::nullopt},
        {u"", DateForm::YearMonthDay, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(orderimport::readSellerDate(QStringView(c.text), c.form), c.date)
            << s(c.text).toStdString() << " form " << int(c.form);
    }
}

TEST(SellerDate, GuessNamesEveryFittingFormAndNeverPicksBetweenDayAndMonth)
{
    using Forms = std::vector<DateForm>;
    struct Case
    {
        std::vector<QString> samples;
        Forms forms;
        bool ambiguous;
    };
    const Case cases[] = {
        {{s(u"2026-12-04"), s(u"2026年1月13日"), QString()}, {DateForm::YearMonthDay}, false},
        {{s(u"04/12/2026"), s(u"05/01/2026")}, {DateForm::DayMonthYear, DateForm::MonthDayYear}, true},
        {{s(u"04/12/2026"), s(u"13/01/2026")}, {DateForm::DayMonthYear}, false},
        {{s(u"12/04/2026"), s(u"01/13/2026")}, {DateForm::MonthDayYear}, false},
        {{s(u"2026-12-04"), s(u"04/12/2026")}, {}, false},
        {{QString(), s(u" ")}, {}, false},
    };
    for (const Case& c : cases) {
        const auto guess = orderimport::guessDateForms(c.samples);
        EXPECT_EQ(guess.forms, c.forms);
        EXPECT_EQ(guess.dayMonthAmbiguous(), c.ambiguous);
    }
}

TEST(SellerDate, GuessesTheThreeColumnsOfTheSample)
{
    const auto rows = readAll(sample("dates.csv"));
    ASSERT_EQ(rows.size(), 4u);
    const std::vector<DateForm> expected[] = {
        {DateForm::YearMonthDay}, {DateForm::DayMonthYear}, {DateForm::MonthDayYear}};
    for (std::size_t column = 0; column < 3; ++column) {
        std::vector<QString> samples;
        for (std::size_t r = 1; r < rows.size(); ++r) {
            samples.push_back(cellText(rows[r].cells.at(column)));
        }
        const auto guess = orderimport::guessDateForms(samples);
        EXPECT_EQ(guess.forms, expected[column]) << column;
        for (const QString& sampleText : samples) {
            EXPECT_TRUE(orderimport::readSellerDate(sampleText, expected[column].front()).has_value());
        }
    }
}

TEST(HeaderGuess, NamesTheFieldOfEachKnownHeader)
{
    const std::pair<const char16_t*, std::optional<OrderField>> cases[] = {
        {u"商品名称", OrderField::Goods},
        {u"宝贝标题", OrderField::Goods},
        {u"商品标题", OrderField::Goods},
        {u"商品", OrderField::Goods},
        {u"买家呢称", OrderField::Buyer},
        {u"买家昵称", OrderField::Buyer},
        {u"买家会员名", OrderField::Buyer},
        {u"买家账号", OrderField::Buyer},
        {u"买家", OrderField::Buyer},
        {u"数量", OrderField::Quantity},
        {u"购买数量", OrderField::Quantity},
        {u"宝贝数量", OrderField::Quantity},
        {u"进价", OrderField::PurchasePrice},
        {u"成本价", OrderField::PurchasePrice},
        {u"成本", OrderField::PurchasePrice},
        {u"采购价", OrderField::PurchasePrice},
        {u"售价", OrderField::SellingPrice},
        {u"单价", OrderField::SellingPrice},
        {u"商品单价", OrderField::SellingPrice},
        {u"价格", OrderField::SellingPrice},
        {u"销售日期", OrderField::SaleDate},
        {u"付款时间", OrderField::SaleDate},
        {u"订单付款时间", OrderField::SaleDate},
        {u"下单时间", OrderField::SaleDate},
        {u"订单创建时间", OrderField::SaleDate},
        {u"日期", OrderField::SaleDate},
        {u"快递单号", OrderField::Waybill},
        {u"运单号", OrderField::Waybill},
        {u"物流单号", OrderField::Waybill},
        {u"备注", OrderField::Remark},
        {u"订单备注", OrderField::Remark},
        {u"卖家备注", OrderField::Remark},
        {u"买家留言", OrderField::Remark},
        // Folded, trimmed, with notes, or a name inside a longer header.
        {u" \uFEFF商品名称 ", OrderField::Goods},
        {u"商品单价（元）", OrderField::SellingPrice},
        {u"*快递单号", OrderField::Waybill},
        {u"宝贝总数量", OrderField::Quantity},
        {u"商品数量", OrderField::Quantity},
        {u"成本价格", OrderField::PurchasePrice},
        {u"商品价格", OrderField::SellingPrice},
        {u"订单编号", std::nullopt},
        {u"物流公司", std::nullopt},
        {u"", std::nullopt},
    };
    for (const auto& [header, field] : cases) {
        EXPECT_EQ(orderimport::fieldForHeader(QStringView(header)), field) << s(header).toStdString();
    }
}

TEST(HeaderGuess, GivesEachFieldOneColumnExactNamesFirst)
{
    // A shop's order export, abridged: several headers contain 买家 or 商品, one names it exactly.
    const std::vector<QString> shop = {
        s(u"订单编号"),   s(u"买家支付宝账号"), s(u"买家会员名"),   s(u"买家应付货款"),
        s(u"买家留言"),   s(u"订单创建时间"),   s(u"订单付款时间"), s(u"宝贝标题"),
        s(u"宝贝总数量"), s(u"物流单号"),       s(u"商品单价"),     s(u"订单备注"),
    };
    orderimport::ColumnMap expected;
    expected[std::size_t(OrderField::Buyer)] = 2;
    expected[std::size_t(OrderField::Remark)] = 4; // 买家留言 and 订单备注 are both exact: the first wins
    expected[std::size_t(OrderField::SaleDate)] = 5;
    expected[std::size_t(OrderField::Goods)] = 7;
    expected[std::size_t(OrderField::Quantity)] = 8;
    expected[std::size_t(OrderField::Waybill)] = 9;
    expected[std::size_t(OrderField::SellingPrice)] = 10;
    EXPECT_EQ(orderimport::guessColumns(shop), expected);

    // This program's own export, read from its committed sample.
    const auto own = readAll(sample("orders_utf8_bom.csv"));
    std::vector<QString> headers;
    for (const CellValue& cell : own.front().cells) {
        headers.push_back(cellText(cell));
    }
    const orderimport::ColumnMap columns = orderimport::guessColumns(headers);
    for (std::size_t field = 0; field < orderimport::orderFieldCount; ++field) {
        EXPECT_EQ(columns[field], int(field));
    }
}

TEST(TextGuard, UndoesTheExportGuardAndNothingElse)
{
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"'=SUM(A1)", u"=SUM(A1)"},
        {u"'+86 138", u"+86 138"},
        {u"'-abc", u"-abc"},
        {u"'@home", u"@home"},
        {u"'\tx", u"\tx"},
        {u"'\rx", u"\rx"},
        {u"''=x", u"'=x"}, // a text that began with an apostrophe got one more
        {u"''", u"'"},
        // Never written so by the export, so kept as they are.
        {u"'-5.25", u"'-5.25"},
        {u"'abc", u"'abc"},
        {u"'", u"'"},
        {u"=x", u"=x"},
        {u"", u""},
        {u"it's", u"it's"},
    };
    for (const auto& [written, original] : cases) {
        EXPECT_EQ(store::withoutCsvGuard(QStringView(written)), s(original)) << s(written).toStdString();
    }

    const auto rows = readAll(sample("export_guarded.csv"));
    ASSERT_EQ(rows.size(), 3u);
    std::vector<QString> unguarded;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        for (const CellValue& cell : rows[r].cells) {
            unguarded.push_back(store::withoutCsvGuard(cellText(cell)));
        }
    }
    EXPECT_EQ(unguarded, (std::vector<QString>{s(u"=HYPERLINK(\"x\")"), s(u"@home"), s(u"-abc"), s(u"=1+2,3"),
                                               s(u"-5.25"), s(u"+86 138")}));
}

} // namespace
