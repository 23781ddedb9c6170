#pragma once

#include "store/DbConfig.h"

#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3_stmt;

namespace store {

struct Total;

// One column value of the current row.
class Field final
{
public:
    Field() = default;
    // Column column of st's current row; xsdate (dateColumn) holds yyyy-mm-dd text.
    static Field read(sqlite3_stmt* st, int column, bool dateColumn);
    // A total's value: the count, the exact sum, or NULL. Throws StoreError for a sum too large.
    static Field ofTotal(const Total& total);

    bool isNull() const { return m_kind == Kind::Null; }
    // The value itself: qint64, double (an exact sum too), QString, or a QDate for xsdate; a null QVariant
    // for NULL.
    QVariant value() const;
    // The value as the windows show it: numbers in plain decimal text (an exact sum with all its
    // decimals), xsdate in the short date form, NULL as the empty text.
    QString text() const;

private:
    friend class Recordset;
    enum class Kind : quint8 { Null, Integer, Real, Text, Date, Decimal };
    Field(Kind kind, qint64 integer, double real, QString text);

    Kind m_kind = Kind::Null;
    qint64 m_integer = 0;
    double m_real = 0;
    QString m_text; // a Date holds its stored yyyy-mm-dd text, a Decimal its digits with "."
};

// A recordset with the members the windows use: set the properties, Open, read, Close.
// Open makes its own connection to the file named by ActiveConnection and reads a select's whole result,
// so no statement stays open; Close or destruction ends the connection. A count or a sum is worked out
// exactly, as the listing's totals are. Long lists do not come this way: see runListing.
class Recordset final
{
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    db_config::ConnectionString ActiveConnection; // names the data file
    // Kept as the windows set them: every result is read whole on the client, as a client-side static
    // cursor would be, whatever these say.
    int CursorLocation = 2; // 3: client side
    int CursorType = 0;     // 3: static
    // 1 (read-only) refuses an insert, an update and a deletion; 4 (batch optimistic) allows them.
    int LockType = readOnlyLock;
    static constexpr int readOnlyLock = 1;
    QString Source; // the statement, in the dialect the windows write

    // Runs Source on a fresh connection; throws StoreError. An insert or an update leaves the recordset
    // closed (it has no rows); a select leaves it open on its first row.
    void Open();
    bool isOpen() const;
    qint64 RecordCount() const;
    bool Eof() const;
    // Throws NoCurrentRow at the end.
    void MoveNext();
    // A column of the current row by its name or alias (case-insensitive); throws NoCurrentRow past the end.
    Field Fields(const QString& name) const;
    // 1: marks the current row for deletion.
    void Delete(int affectRecords);
    // 3: writes the pending deletions, by id, on a fresh connection.
    void UpdateBatch(int affectRecords);
    void Close();

    // Rows changed by the last insert, update or batch update.
    qint64 RecordsAffected() const;

private:
    void requireRow() const;
    int requireColumn(const QString& name) const;
    QString dataFile() const;
    // Throws Refused under a read-only lock.
    void requireWritableLock() const;

    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace store
