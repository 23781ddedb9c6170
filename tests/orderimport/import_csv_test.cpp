// The delimited-text parser: RFC 4180 records, the ways real files stray from it, the same records
// however the text is cut into pieces, and the separator told from the first records.
#include "ImportTestSupport.h"
#include "orderimport/CsvParser.h"
#include "orderimport/SeparatorGuess.h"

#include <QStringList>

namespace {

using orderimport::CsvParser;
using orderimport::CsvRecord;

using Records = std::vector<std::vector<QString>>;

// Parses text fed in pieces of the given size (0: whole).
Records
parse(QStringView text, QChar separator = u',', qsizetype piece = 0, CsvParser::Fault* fault = nullptr)
{
    CsvParser parser(separator);
    std::deque<CsvRecord> out;
    const qsizetype step = piece > 0 ? piece : std::max<qsizetype>(text.size(), 1);
    for (qsizetype at = 0; at < text.size(); at += step) {
        parser.feed(text.mid(at, step), out);
    }
    parser.finish(out);
    if (fault) {
        *fault = parser.fault();
    }
    Records records;
    int expectedNumber = 1;
    for (CsvRecord& record : out) {
        EXPECT_EQ(record.number, expectedNumber++);
        records.push_back(std::move(record.fields));
    }
    return records;
}

Records records(std::initializer_list<QStringList> rows)
{
    Records out;
    for (const QStringList& row : rows) {
        out.emplace_back(row.begin(), row.end());
    }
    return out;
}

struct ParseCase
{
    const char* name;
    const char16_t* text;
    Records expected;
};

TEST(CsvParser, ReadsRecordsAsSpreadsheetProgramsDo)
{
    const auto s = [](const char16_t* t) { return QString::fromUtf16(t); };
    const ParseCase cases[] = {
        {"crlf", u"a,b\r\nc,d\r\n", records({{s(u"a"), s(u"b")}, {s(u"c"), s(u"d")}})},
        {"lf", u"a,b\nc,d\n", records({{s(u"a"), s(u"b")}, {s(u"c"), s(u"d")}})},
        {"cr", u"a,b\rc,d\r", records({{s(u"a"), s(u"b")}, {s(u"c"), s(u"d")}})},
        {"no final line end", u"a,b\r\nc,d", records({{s(u"a"), s(u"b")}, {s(u"c"), s(u"d")}})},
        {"separator in quotes", u"\"a,b\",c", records({{s(u"a,b"), s(u"c")}})},
        {"doubled quotes", u"\"say \"\"hi\"\"\",x", records({{s(u"say \"hi\""), s(u"x")}})},
        {"line breaks in quotes", u"\"1\r\n2\n3\r4\",x\r\n", records({{s(u"1\r\n2\n3\r4"), s(u"x")}})},
        {"empty quoted and trailing empty", u"\"\",,\r\n", records({{QString(), QString(), QString()}})},
        {"ragged", u"a\r\nb,c,d\r\n", records({{s(u"a")}, {s(u"b"), s(u"c"), s(u"d")}})},
        {"blank line is one empty field", u"a\r\n\r\nb", records({{s(u"a")}, {QString()}, {s(u"b")}})},
        {"quote inside unquoted field", u"5\"寸,x", records({{s(u"5\"寸"), s(u"x")}})},
        {"text after closing quote", u"\"a\"b,c", records({{s(u"ab"), s(u"c")}})},
        {"separator at the end", u"a,", records({{s(u"a"), QString()}})},
        {"nothing", u"", records({})},
        {"blanks kept", u" a , b ", records({{s(u" a "), s(u" b ")}})},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(parse(text), c.expected);
        // Cut anywhere, even between the CR and LF of a line end or inside a doubled quote.
        for (qsizetype piece = 1; piece <= 3; ++piece) {
            EXPECT_EQ(parse(text, u',', piece), c.expected) << "pieces of " << piece;
        }
    }
}

TEST(CsvParser, OtherSeparatorsLeaveCommasInFields)
{
    EXPECT_EQ(parse(u"a,b\tc\r\n", u'\t'), records({{QStringLiteral("a,b"), QStringLiteral("c")}}));
    EXPECT_EQ(parse(u"a,b;c", u';'), records({{QStringLiteral("a,b"), QStringLiteral("c")}}));
}

TEST(CsvParser, ReportsAQuoteLeftOpenAndAFieldPastTheLimit)
{
    CsvParser::Fault fault = CsvParser::Fault::None;
    parse(u"a\r\n\"b,c\r\nd", u',', 0, &fault);
    EXPECT_EQ(fault, CsvParser::Fault::UnclosedQuote);

    CsvParser parser(u',', 4);
    std::deque<CsvRecord> out;
    parser.feed(u"abc\r\nabcde\r\nnext", out);
    EXPECT_EQ(parser.fault(), CsvParser::Fault::FieldTooLong);
    EXPECT_EQ(parser.faultRecord(), 2);
    EXPECT_EQ(out.size(), 1u);
}

TEST(SeparatorGuess, TakesTheSeparatorThatSplitsEveryRecordAlike)
{
    struct Case
    {
        const char16_t* head;
        bool complete;
        char16_t expected;
    };
    const Case cases[] = {
        {u"a,b,c\r\n1,2,3\r\n", true, u','},
        {u"a\tb\tc\r\n1\t2,5\t3\r\n", true, u'\t'}, // commas inside values, tabs steady
        {u"a;b;c\n1;2,5;3\n", true, u';'},          // a European CSV with decimal commas
        {u"\"a,b\"\tc\n\"1,2\"\t3\n", true, u'\t'}, // commas only inside quotes
        {u"\"x\r\ny,z\";b\n1;2\n", true, u';'},     // a line break inside quotes is no record end
        {u"name\nvalue\n", true, u','},             // one column: nothing to split
        {u"a,b,c\n1,2,3\n4,5", false, u','},        // the cut last record is not judged
        {u"a;b\n\n1;2\n", true, u';'},              // blank lines say nothing
        {u"a,b;c\n1,2;3,4\n", true, u';'},          // only ';' is steady
        {u"a,b\tc\n1\t2\n1,2,3\n", true, u','},     // none steady: the one in most records
    };
    for (const Case& c : cases) {
        const QString head = QString::fromUtf16(c.head);
        EXPECT_EQ(orderimport::guessSeparator(head, c.complete), QChar(c.expected)) << head.toStdString();
    }
}

} // namespace
