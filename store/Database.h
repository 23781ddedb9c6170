#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

class Statement;

// One SQLite handle, always closed, and the one mapping of SQLite's failures to StoreError: the order
// store, the day's backup, the Jet conversion and the empty-store tool all reach their files through it.
class Database final
{
public:
    enum class Mode {
        ReadWrite, // an existing file, never created
        ReadOnly,
        Create, // the file may be new
    };
    // Throws StoreError naming the file.
    Database(const QString& path, Mode mode);
    ~Database();
    Q_DISABLE_COPY_MOVE(Database)

    const QString& path() const { return m_path; }
    sqlite3* handle() const { return m_db; }

    // Runs statements that take no values and give no rows.
    void exec(const char* sql);
    Statement prepare(QByteArrayView sql);
    // Rows changed by the last insert, update or delete.
    qint64 changes() const;
    // The id of the row the last insert made.
    qint64 lastInsertId() const;
    // True when SQLite opened the file read-only (a write-protected file opens without an error).
    bool isReadOnly() const;
    int userVersion();

    // Throws the StoreError for SQLite's result code rc, naming the file.
    [[noreturn]] void fail(int rc) const;

private:
    QString m_path;
    sqlite3* m_db = nullptr;
};

// A prepared statement, always finalized. Values bind to "?" places counted from 1; columns count from 0.
class Statement final
{
public:
    Statement(Database& db, sqlite3_stmt* st)
        : m_db(&db)
        , m_st(st)
    {}
    Statement(Statement&& other) noexcept;
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement& operator=(Statement&&) = delete;

    void bind(int place, qint64 value);
    void bind(int place, double value);
    void bind(int place, const QString& value);
    // Bytes that are UTF-8 text already, bound as they are.
    void bindUtf8(int place, QByteArrayView utf8);
    void bindNull(int place);
    // Moves to the next row: false at the end. Throws StoreError.
    bool step();
    // Ready to run again with new values.
    void reset();

    bool isNull(int column) const;
    bool isInteger(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;
    QString text(int column) const;
    // The column's UTF-8 bytes, valid until the next step.
    QByteArrayView utf8(int column) const;

private:
    void check(int rc);

    Database* m_db;
    sqlite3_stmt* m_st;
};

// BEGIN IMMEDIATE now; rolled back unless commit() was reached.
class Transaction final
{
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Q_DISABLE_COPY_MOVE(Transaction)
    void commit();

private:
    Database& m_db;
    bool m_open = true;
};

} // namespace store
