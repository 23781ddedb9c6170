#pragma once

#include "orderimport/CsvParser.h"
#include "orderimport/SheetSource.h"

#include <QIODevice>
#include <QStringDecoder>
#include <deque>
#include <memory>

namespace orderimport {

// A delimited text table read a block at a time: decoded, split into records, and handed out as rows of
// texts (empty fields as empty cells).
class TextSheetSource final : public SheetSource
{
public:
    // device: open for reading, at its start and seekable (telling the encoding reads it through once).
    // path: for messages only.
    TextSheetSource(std::unique_ptr<QIODevice> device, const QString& path, const ReadOptions& options);
    Q_DISABLE_COPY_MOVE(TextSheetSource)

    std::optional<SheetRow> next() override;
    FileKind kind() const override { return FileKind::Text; }
    std::optional<Encoding> encoding() const override { return m_encoding; }
    std::optional<QChar> separator() const override { return m_separator; }

private:
    void throwOnFault() const;

    std::unique_ptr<QIODevice> m_device;
    QString m_path;
    Encoding m_encoding;
    QStringDecoder m_decoder;
    QChar m_separator;
    CsvParser m_parser;
    std::deque<CsvRecord> m_ready;
    bool m_finished = false;
};

} // namespace orderimport
