#pragma once

#include "orderimport/CellValue.h"
#include "orderimport/FileKind.h"
#include "orderimport/TextEncoding.h"

#include <QChar>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace orderimport {

// What the caller decides for a text file; unset, the reader tells them from the file.
struct ReadOptions
{
    std::optional<Encoding> encoding;
    std::optional<QChar> separator;
};

// The rows of a file's first sheet, one at a time, so that a long file is never held whole. Each call
// reads on from where the last stopped; every failure is thrown as ImportError. Rows without any value
// are passed over (their numbers are skipped).
class SheetSource
{
public:
    virtual ~SheetSource() = default;

    // The next row, or nothing at the end.
    virtual std::optional<SheetRow> next() = 0;

    virtual FileKind kind() const = 0;
    // For a text file: the encoding and the separator read with, given or told from the file.
    virtual std::optional<Encoding> encoding() const { return std::nullopt; }
    virtual std::optional<QChar> separator() const { return std::nullopt; }
};

// Opens a file to read its first sheet. The kind is told by the content: a zip is an .xlsx workbook, an OLE
// file an .xls one (or an encrypted workbook, refused), anything else text. The name's extension only
// refines the refusal of a web page named .xls. Another call with other options reads the file's bytes
// anew.
std::unique_ptr<SheetSource> openSheet(const QString& path, const ReadOptions& options = {});

// Reads every row of the file's first sheet into onRow, which returns false to stop early.
void readRows(const QString& path,
              const ReadOptions& options,
              const std::function<bool(const SheetRow&)>& onRow);

} // namespace orderimport
