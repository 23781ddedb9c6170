#include "orderimport/CsvParser.h"

namespace orderimport {

CsvParser::CsvParser(QChar separator, qsizetype maxFieldLength)
    : m_separator(separator)
    , m_maxFieldLength(maxFieldLength)
{}

void CsvParser::append(QChar c)
{
    if (m_field.size() >= m_maxFieldLength) {
        m_fault = Fault::FieldTooLong;
        return;
    }
    m_field.append(c);
}

void CsvParser::endField()
{
    m_fields.push_back(std::move(m_field));
    m_field = QString();
}

void CsvParser::endRecord(std::deque<CsvRecord>& out)
{
    endField();
    out.push_back(CsvRecord{++m_recordCount, std::move(m_fields)});
    m_fields = {};
    m_recordStarted = false;
}

void CsvParser::feed(QStringView text, std::deque<CsvRecord>& out)
{
    for (const QChar c : text) {
        if (m_fault != Fault::None) {
            return;
        }
        if (m_state == State::AfterCr) {
            m_state = State::FieldStart;
            if (c == u'\n') {
                continue; // the LF of a CR LF
            }
        }
        m_recordStarted = true;
        switch (m_state) {
        case State::FieldStart:
        case State::Unquoted:
            if (c == m_separator) {
                endField();
                m_state = State::FieldStart;
            } else if (c == u'\r') {
                endRecord(out);
                m_state = State::AfterCr;
            } else if (c == u'\n') {
                endRecord(out);
                m_state = State::FieldStart;
            } else if (c == u'"' && m_state == State::FieldStart) {
                m_state = State::Quoted;
            } else {
                append(c);
                m_state = State::Unquoted;
            }
            break;
        case State::Quoted:
            if (c == u'"') {
                m_state = State::QuoteInQuoted;
            } else {
                append(c);
            }
            break;
        case State::QuoteInQuoted:
            if (c == u'"') {
                append(c);
                m_state = State::Quoted;
            } else if (c == m_separator) {
                endField();
                m_state = State::FieldStart;
            } else if (c == u'\r') {
                endRecord(out);
                m_state = State::AfterCr;
            } else if (c == u'\n') {
                endRecord(out);
                m_state = State::FieldStart;
            } else {
                append(c);
                m_state = State::Unquoted;
            }
            break;
        case State::AfterCr:
            break; // handled above
        }
    }
}

void CsvParser::finish(std::deque<CsvRecord>& out)
{
    if (m_fault != Fault::None) {
        return;
    }
    if (m_state == State::Quoted) {
        m_fault = Fault::UnclosedQuote;
        return;
    }
    if (m_recordStarted) {
        endRecord(out);
    }
    m_state = State::FieldStart;
}

} // namespace orderimport
