#include "orderimport/CsvParser.h"

namespace orderimport {

CsvParser::CsvParser(QChar separator, qsizetype maxFieldLength)
    : m_separator(separator)
    , m_maxFieldLength(maxFieldLength)
{}

void CsvParser::append(QStringView run)
{
    if (m_field.size() + run.size() > m_maxFieldLength) {
        m_fault = Fault::FieldTooLong;
        return;
    }
    m_field.append(run);
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

bool CsvParser::endsFieldOrRecord(QChar c, std::deque<CsvRecord>& out)
{
    if (c == m_separator) {
        endField();
        m_state = State::FieldStart;
    } else if (c == u'\r' || c == u'\n') {
        endRecord(out);
        m_state = c == u'\r' ? State::AfterCr : State::FieldStart; // a CR's LF may follow
    } else {
        return false;
    }
    return true;
}

void CsvParser::feed(QStringView text, std::deque<CsvRecord>& out)
{
    const qsizetype n = text.size();
    // The end of a run of characters that go into the field as they are, from i on: up to the next
    // character that means something in this state. Runs go in whole, not character by character.
    const auto runEnd = [&](qsizetype i, bool quoted) {
        while (i < n) {
            const QChar c = text[i];
            if (quoted ? c == u'"' : (c == m_separator || c == u'\r' || c == u'\n')) {
                break;
            }
            ++i;
        }
        return i;
    };
    qsizetype i = 0;
    while (i < n) {
        if (m_fault != Fault::None) {
            return;
        }
        const QChar c = text[i];
        if (m_state == State::AfterCr) {
            m_state = State::FieldStart;
            if (c == u'\n') {
                ++i;
                continue; // the LF of a CR LF
            }
        }
        m_recordStarted = true;
        switch (m_state) {
        case State::FieldStart:
        case State::Unquoted:
            if (c == u'"' && m_state == State::FieldStart) {
                m_state = State::Quoted;
            } else if (!endsFieldOrRecord(c, out)) {
                const qsizetype end = runEnd(i + 1, false);
                append(text.sliced(i, end - i));
                m_state = State::Unquoted;
                i = end;
                continue;
            }
            break;
        case State::Quoted:
            if (c == u'"') {
                m_state = State::QuoteInQuoted;
            } else {
                const qsizetype end = runEnd(i + 1, true);
                append(text.sliced(i, end - i));
                i = end;
                continue;
            }
            break;
        case State::QuoteInQuoted:
            if (c == u'"') {
                append(text.sliced(i, 1));
                m_state = State::Quoted;
            } else if (!endsFieldOrRecord(c, out)) {
                append(text.sliced(i, 1));
                m_state = State::Unquoted;
            }
            break;
        case State::AfterCr:
            break; // handled above
        }
        ++i;
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
