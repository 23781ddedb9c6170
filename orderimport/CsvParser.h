#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <deque>
#include <vector>

namespace orderimport {

// One record of a delimited text: its number (1 for the first) and its fields as written.
struct CsvRecord
{
    int number = 0;
    std::vector<QString> fields;
};

// Splits delimited text into records as RFC 4180 says, fed a piece at a time so that a long file is never
// held whole: a field in double quotes may hold separators, line breaks and doubled quotes; a record ends at
// CR LF, LF or CR; the last one needs no line end; records may differ in length. Where a file strays from
// the rules it is read as spreadsheet programs read it: a quote inside an unquoted field is a character,
// and text after a closing quote joins the field.
class CsvParser final
{
public:
    enum class Fault {
        None,
        UnclosedQuote, // the text ended inside a quoted field
        FieldTooLong,  // a field grew past the limit, most likely from a stray quote
    };

    explicit CsvParser(QChar separator = u',', qsizetype maxFieldLength = 1 << 20);

    // Parses the next piece of text; each finished record is appended to out. Does nothing after a fault.
    void feed(QStringView text, std::deque<CsvRecord>& out);
    // Ends the text: appends the last record when it had no line end.
    void finish(std::deque<CsvRecord>& out);

    Fault fault() const { return m_fault; }
    // The record the fault is in.
    int faultRecord() const { return m_recordCount + 1; }

private:
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted, AfterCr };

    void append(QStringView run);
    // A separator ends the field, a line end the record (outside quotes); false for any other character.
    bool endsFieldOrRecord(QChar c, std::deque<CsvRecord>& out);
    void endField();
    void endRecord(std::deque<CsvRecord>& out);

    QChar m_separator;
    qsizetype m_maxFieldLength;
    State m_state = State::FieldStart;
    bool m_recordStarted = false;
    QString m_field;
    std::vector<QString> m_fields;
    int m_recordCount = 0;
    Fault m_fault = Fault::None;
};

} // namespace orderimport
