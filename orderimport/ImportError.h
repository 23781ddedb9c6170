#pragma once

#include <QString>
#include <stdexcept>

namespace orderimport {

// The one error type of the import's reading. Its message is written for the seller, names the file, and
// is shown as it stands.
class ImportError final : public std::runtime_error
{
public:
    enum class Kind {
        CannotOpen,  // missing, or not readable
        Empty,       // no bytes at all
        NotATable,   // binary data, a web page, or a workbook without a sheet
        Damaged,     // a zip or workbook that breaks off or contradicts itself
        Encrypted,   // a workbook with an opening password
        Malformed,   // a text table that cannot be split into rows (a quote left open)
        TooLarge,    // more than this program holds (a cell or the workbook's texts)
        Unsupported, // an encoding this machine's Qt cannot decode
    };

    ImportError(Kind kind, const QString& message);

    Kind kind() const { return m_kind; }
    const QString& message() const { return m_message; }

private:
    Kind m_kind;
    QString m_message;
};

// The file's name as a message names it: without its folder, which is long and the seller chose it.
QString shownName(const QString& path);

} // namespace orderimport
