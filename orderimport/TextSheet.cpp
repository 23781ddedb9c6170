#include "orderimport/TextSheet.h"

#include "orderimport/ImportError.h"
#include "orderimport/ImportTexts.h"
#include "orderimport/SeparatorGuess.h"

namespace orderimport {

namespace {

// Bytes read and decoded at a time: the most of the file held at once, besides the records of one block.
constexpr qint64 blockSize = 1 << 16;

} // namespace

TextSheetSource::TextSheetSource(std::unique_ptr<QIODevice> device,
                                 const QString& path,
                                 const ReadOptions& options)
    : m_device(std::move(device))
    , m_path(path)
    , m_encoding(options.encoding ? *options.encoding : detectEncoding(*m_device))
    , m_decoder(decoderFor(m_encoding))
{
    if (!m_decoder.isValid()) {
        throw ImportError(ImportError::Kind::Unsupported,
                          texts::noDecoder().arg(shownName(m_path), encodingName(m_encoding)));
    }
    const QByteArray first = m_device->read(blockSize);
    if (first.isEmpty()) {
        if (!m_device->atEnd()) {
            throw ImportError(ImportError::Kind::CannotOpen, texts::readFailed().arg(shownName(m_path)));
        }
        throw ImportError(ImportError::Kind::Empty, texts::emptyFile().arg(shownName(m_path)));
    }
    const QString text = m_decoder.decode(first);
    if (looksBinary(text)) {
        throw ImportError(ImportError::Kind::NotATable, texts::binaryText().arg(shownName(m_path)));
    }
    m_separator = options.separator ? *options.separator : guessSeparator(text, m_device->atEnd());
    m_parser = CsvParser(m_separator);
    m_parser.feed(text, m_ready);
    throwOnFault();
}

void TextSheetSource::throwOnFault() const
{
    switch (m_parser.fault()) {
    case CsvParser::Fault::None:
        return;
    case CsvParser::Fault::UnclosedQuote:
        throw ImportError(ImportError::Kind::Malformed,
                          texts::unclosedQuote().arg(shownName(m_path)).arg(m_parser.faultRecord()));
    case CsvParser::Fault::FieldTooLong:
        throw ImportError(ImportError::Kind::TooLarge,
                          texts::cellTooLong().arg(shownName(m_path)).arg(m_parser.faultRecord()));
    }
}

std::optional<SheetRow> TextSheetSource::next()
{
    while (true) {
        while (!m_ready.empty()) {
            CsvRecord record = std::move(m_ready.front());
            m_ready.pop_front();
            SheetRow row{record.number, {}};
            row.cells.reserve(record.fields.size());
            for (QString& field : record.fields) {
                row.cells.push_back(field.isEmpty() ? CellValue() : CellValue(std::move(field)));
            }
            if (trimRow(row.cells)) {
                return row;
            }
        }
        if (m_finished) {
            return std::nullopt;
        }
        const QByteArray bytes = m_device->read(blockSize);
        if (bytes.isEmpty()) {
            if (!m_device->atEnd()) {
                throw ImportError(ImportError::Kind::CannotOpen, texts::readFailed().arg(shownName(m_path)));
            }
            m_parser.finish(m_ready);
            m_finished = true;
        } else {
            const QString text = m_decoder.decode(bytes);
            m_parser.feed(text, m_ready);
        }
        throwOnFault();
    }
}

} // namespace orderimport
