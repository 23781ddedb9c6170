#pragma once

#include <QString>
#include <stdexcept>

namespace store {

// The one error type of the store. Every failure of the data file or of a write is thrown as this, with a
// Chinese description that the guarded edge of a handler shows as it stands.
class StoreError final : public std::runtime_error
{
public:
    enum class Kind {
        FileMissing,  // data.mdb is not there
        NotADatabase, // the file is not an SQLite database, or is damaged
        WrongTable,   // the database lacks the order table or its columns
        NewerVersion, // written by a newer program: read nothing, write nothing
        Locked,       // another program holds the file longer than the busy timeout
        ReadOnly,     // the file or its folder cannot be written
        Refused,      // the operation was refused (a store that exists already, ...)
        TypeMismatch, // a value does not fit its column
        DiskFull,     // no room left on the disk
        IoError,      // the disk failed
    };

    // detail: the database engine's own words, when it gave any.
    StoreError(Kind kind, const QString& description, const QString& detail = QString());

    Kind kind() const { return m_kind; }
    const QString& description() const { return m_description; }
    const QString& detail() const { return m_detail; }

private:
    Kind m_kind;
    QString m_description;
    QString m_detail;
};

} // namespace store
