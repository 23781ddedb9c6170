// Text tables as sellers' programs write them, read from the committed samples: the encoding and the
// separator told from the bytes or given, quoted fields, the files that must be refused, and a long file
// read a row at a time.
#include "ImportTestSupport.h"
#include "orderimport/ImportError.h"
#include "orderimport/TextEncoding.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

using namespace importtest;
using orderimport::Encoding;
using orderimport::ImportError;
using orderimport::ReadOptions;

struct SampleCase
{
    const char* file;
    Encoding encoding;
    char16_t separator;
};

TEST(TextSheet, ReadsEachSampleInItsEncodingAndSeparator)
{
    const SampleCase cases[] = {
        {"orders_gbk.csv", Encoding::Gb18030, u','}, {"orders_utf8_bom.csv", Encoding::Utf8, u','},
        {"orders_utf8.csv", Encoding::Utf8, u','},   {"orders_utf16.txt", Encoding::Utf16LE, u'\t'},
        {"orders_tab.txt", Encoding::Utf8, u'\t'},   {"orders_semicolon.csv", Encoding::Utf8, u';'},
    };
    for (const SampleCase& c : cases) {
        SCOPED_TRACE(c.file);
        const auto source = orderimport::openSheet(sample(c.file));
        EXPECT_EQ(source->kind(), orderimport::FileKind::Text);
        EXPECT_EQ(source->encoding(), c.encoding);
        EXPECT_EQ(source->separator(), QChar(c.separator));
        std::vector<orderimport::SheetRow> rows;
        while (auto row = source->next()) {
            rows.push_back(*row);
        }
        EXPECT_EQ(cellsOf(rows), sampleOrdersAsText());
        ASSERT_EQ(rows.size(), 4u);
        EXPECT_EQ(rows.back().number, 4);
    }
}

TEST(TextSheet, AGivenEncodingOrSeparatorRereadsTheBytes)
{
    const QString gbk = sample("orders_gbk.csv");
    // Forced to UTF-8, GBK bytes turn into replacement characters; the seller sees it and switches back.
    const auto wrong = readAll(gbk, ReadOptions{Encoding::Utf8, std::nullopt});
    ASSERT_FALSE(wrong.empty());
    EXPECT_TRUE(cellText(wrong.front().cells.front()).contains(QChar::ReplacementCharacter));
    EXPECT_EQ(cellsOf(readAll(gbk, ReadOptions{Encoding::Gb18030, std::nullopt})), sampleOrdersAsText());

    const auto oneColumn = readAll(sample("orders_utf8.csv"), ReadOptions{std::nullopt, QChar(u';')});
    ASSERT_EQ(oneColumn.size(), 4u);
    EXPECT_EQ(oneColumn.front().cells.size(), 1u);
}

TEST(TextSheet, ReadsQuotedFieldsAndRaggedRows)
{
    const auto rows = readAll(sample("quoted.csv"));
    const std::vector<std::vector<CellValue>> expected = {
        {text(u"商品名称"), text(u"备注")},
        {text(u"裙子, 红色"), text(u"他说\"好\"")},
        {text(u"第一行\r\n第二行"), text(u"plain")},
        {text(u"only one field")},
        {text(u"a\nb"), text(u"x"), text(u"extra"), text(u"fields")},
        // The record of empty fields is passed over.
        {text(u"last"), text(u"no line end")},
    };
    EXPECT_EQ(cellsOf(rows), expected);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[4].number, 5);
    EXPECT_EQ(rows[5].number, 7); // the seventh record, though the file has more lines
}

TEST(TextSheet, RefusesWhatIsNoTextTableNamingTheFile)
{
    QTemporaryDir dir;
    const auto write = [&dir](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QString web = write("订单导出.xls", "\xEF\xBB\xBF <html><body><table><tr><td>1</td></tr></table>");
    const QString unclosed = write("unclosed.csv", "a,b\r\n\"c,d\r\ne,f\r\n");
    const QString missing = dir.filePath(QStringLiteral("missing.csv"));

    const std::pair<QString, ImportError::Kind> cases[] = {
        {sample("empty.csv"), ImportError::Kind::Empty},
        {sample("binary.csv"), ImportError::Kind::NotATable},
        {web, ImportError::Kind::NotATable},
        {unclosed, ImportError::Kind::Malformed},
        {missing, ImportError::Kind::CannotOpen},
    };
    for (const auto& [path, kind] : cases) {
        SCOPED_TRACE(path.toStdString());
        try {
            readAll(path);
            ADD_FAILURE() << "read without an error";
        } catch (const ImportError& error) {
            EXPECT_EQ(error.kind(), kind);
            EXPECT_TRUE(error.message().contains(orderimport::shownName(path))) << error.what();
        }
    }
    try {
        readAll(unclosed);
    } catch (const ImportError& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("第 2 行"))) << error.what();
    }
}

TEST(TextSheet, ATextTableNamedAsAWorkbookIsReadAsText)
{
    QTemporaryDir dir;
    const QString renamed = dir.filePath(QStringLiteral("orders.xlsx"));
    ASSERT_TRUE(QFile::copy(sample("orders_tab.txt"), renamed));
    EXPECT_EQ(cellsOf(readAll(renamed)), sampleOrdersAsText());
}

TEST(TextSheet, ReadsALongFileARowAtATime)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.csv"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QByteArray block;
        for (int i = 1; i <= 100000; ++i) {
            // Quoted fields with line breaks cross the reader's block boundaries too.
            block += "\xE5\x95\x86\xE5\x93\x81" + QByteArray::number(i) + ",\"line\r\nbreak\"," +
                     QByteArray::number(i * 3) + "\r\n";
        }
        file.write(block);
    }
    const auto source = orderimport::openSheet(path);
    int count = 0;
    while (const auto row = source->next()) {
        ++count;
        ASSERT_EQ(row->number, count);
        ASSERT_EQ(row->cells.size(), 3u);
        ASSERT_EQ(std::get<QString>(row->cells[0]), QStringLiteral("商品%1").arg(count));
        ASSERT_EQ(std::get<QString>(row->cells[1]), QStringLiteral("line\r\nbreak"));
    }
    EXPECT_EQ(count, 100000);
}

TEST(TextEncoding, TellsUtf8ByteByByte)
{
    struct Case
    {
        QByteArray bytes;
        bool utf8;
    };
    const Case cases[] = {
        {"plain ascii", true},       {"\xE5\x95\x86\xE5\x93\x81", true}, // 商品
        {"\xC9\xCC\xC6\xB7", false},                                     // 商品 in GBK
        {"\xE5\x95", false},                                             // cut short at the end
        {"\xC0\xAF", false},                                             // overlong '/'
        {"\xED\xA0\x80", false},                                         // a surrogate
        {"\xF0\x9F\x98\x80", true},                                      // an emoji
        {"\xF4\x90\x80\x80", false},                                     // past U+10FFFF
    };
    for (const Case& c : cases) {
        orderimport::Utf8Check whole;
        whole.feed(c.bytes);
        EXPECT_EQ(whole.finish(), c.utf8) << c.bytes.toHex().toStdString();
        orderimport::Utf8Check split; // a block boundary inside a character
        for (const char byte : c.bytes) {
            split.feed(QByteArrayView(&byte, 1));
        }
        EXPECT_EQ(split.finish(), c.utf8) << c.bytes.toHex().toStdString();
    }
    EXPECT_EQ(orderimport::unmarkedUtf16(QByteArrayView("a\0,\0b\0\r\0\n\0", 10)), Encoding::Utf16LE);
    EXPECT_EQ(orderimport::unmarkedUtf16(QByteArrayView("\0a\0,\0b\0\r\0\n", 10)), Encoding::Utf16BE);
    EXPECT_EQ(orderimport::unmarkedUtf16("a,b\r\n"), std::nullopt);
}

} // namespace
