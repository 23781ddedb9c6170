// The delimited-text reader takes any bytes: it never crashes, splits a text into the same records however
// the text is cut into pieces, and reads back what it would write; the whole text reader (encoding,
// binary check, separator) answers with rows or with its one error.
#include "orderimport/CsvParser.h"
#include "orderimport/ImportError.h"
#include "orderimport/TextSheet.h"

#include <QBuffer>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using Records = std::vector<std::vector<QString>>;

Records parse(QStringView text, QChar separator, qsizetype piece, bool& faulted)
{
    orderimport::CsvParser parser(separator);
    std::deque<orderimport::CsvRecord> out;
    for (qsizetype at = 0; at < text.size(); at += piece) {
        parser.feed(text.mid(at, piece), out);
    }
    parser.finish(out);
    faulted = parser.fault() != orderimport::CsvParser::Fault::None;
    Records records;
    for (orderimport::CsvRecord& record : out) {
        if (record.number != int(records.size()) + 1) {
            std::abort();
        }
        records.push_back(std::move(record.fields));
    }
    return records;
}

// Every field quoted, quotes doubled, CR LF after each record: RFC 4180 at its plainest.
QString write(const Records& records, QChar separator)
{
    QString text;
    for (const auto& fields : records) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) {
                text += separator;
            }
            text += u'"' + QString(fields[i]).replace(u'"', QStringLiteral("\"\"")) + u'"';
        }
        text += QStringLiteral("\r\n");
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    static const QChar separators[] = {u',', u'\t', u';'};
    const QChar separator = separators[data[0] % 3];
    const qsizetype piece = 1 + data[0] / 3 % 16;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QString text = QString::fromUtf8(bytes);

    bool faulted = false;
    const Records whole = parse(text, separator, std::max<qsizetype>(text.size(), 1), faulted);
    bool faultedInPieces = false;
    if (parse(text, separator, piece, faultedInPieces) != whole || faultedInPieces != faulted) {
        std::abort();
    }
    if (!faulted) {
        bool rewrittenFaulted = false;
        if (parse(write(whole, separator), separator, piece, rewrittenFaulted) != whole || rewrittenFaulted) {
            std::abort();
        }
    }

    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    try {
        orderimport::TextSheetSource source(std::move(buffer), QStringLiteral("fuzz.csv"), {});
        while (const auto row = source.next()) {
            if (row->cells.empty() || orderimport::isEmptyCell(row->cells.back())) {
                std::abort(); // rows come trimmed, and empty ones not at all
            }
        }
    } catch (const orderimport::ImportError&) {
    }
    return 0;
}
