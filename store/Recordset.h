#pragma once

#include <QString>
#include <QVariant>
#include <memory>

namespace store {

class ResultTable;

// One column value of the current row.
class Field final
{
public:
    explicit Field(QVariant value);

    bool isNull() const { return m_value.isNull(); }
    const QVariant& value() const { return m_value; }
    // The value as the windows show it: numbers in plain decimal text, xsdate in the short date form,
    // NULL as the empty text.
    QString text() const;

private:
    QVariant m_value;
};

// A recordset with the members the windows use: set the properties, Open, read, Close.
// Open makes its own connection to the file named by ActiveConnection and reads a select's whole result,
// so no statement stays open; Close or destruction ends the connection.
class Recordset final
{
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    QString ActiveConnection; // connection string; the file is its Data Source
    int CursorLocation = 2;   // 3: client side
    int CursorType = 0;       // 3: static
    int LockType = 1;         // 1: read-only, 4: batch optimistic
    QString Source;           // the statement, in the dialect the windows write

    // Runs Source on a fresh connection; throws StoreError.
    void Open();
    bool isOpen() const;
    qint64 RecordCount() const;
    bool Eof() const;
    void MoveNext();
    // A column of the current row by its name or alias (case-insensitive); throws NoCurrentRow past the end.
    Field Fields(const QString& name) const;
    // 1: marks the current row for deletion.
    void Delete(int affectRecords);
    // 3: writes the pending deletions.
    void UpdateBatch(int affectRecords);
    void Close();

    // Rows changed by the last insert, update or batch update.
    qint64 RecordsAffected() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace store
