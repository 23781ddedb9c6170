#pragma once

#include <QString>
#include <stdexcept>

namespace store {

// The one error type of the store. Every failure of the data file or of a statement is thrown as this,
// with a Chinese description that the guarded edge of a handler shows as it stands.
class StoreError final : public std::runtime_error
{
public:
    enum class Kind {
        FileMissing,  // data.mdb is not there
        NotADatabase, // the file is not an SQLite database, or is damaged
        WrongTable,   // the database lacks the order table or its columns
        Locked,       // another program holds the file longer than the busy timeout
        ReadOnly,     // the file or its folder cannot be written
        Refused,      // the statement was refused (a second statement, an unknown shape, ...)
        TypeMismatch, // a value does not fit its column (a number or date that cannot be read)
        NoCurrentRow, // Delete or Fields with no current row
        IoError,      // the disk failed or is full
    };

    StoreError(Kind kind, const QString& description);

    Kind kind() const { return m_kind; }
    const QString& description() const { return m_description; }

private:
    Kind m_kind;
    QString m_description;
};

} // namespace store
