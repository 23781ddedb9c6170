#pragma once

#include "store/Translator.h"

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

// One SQLite connection to data.mdb, checked as it opens: the file exists, is a database and holds the
// order table with its nine columns. Rollback journal, synchronous EXTRA, schema code untrusted.
// Every failure becomes a StoreError naming the file.
class Connection final
{
public:
    explicit Connection(const QString& path);
    ~Connection();
    Q_DISABLE_COPY_MOVE(Connection)

    // Throws ReadOnly when the file or its folder (where the rollback journal goes) cannot be written.
    void requireWritable() const;
    // Runs a select and hands each row to onRow, positioned on it; nothing is kept. onPrepared sees the
    // statement before its first row (its column names), also when there is none.
    // A template, so that a scan of a million rows calls onRow directly.
    template <typename OnRow>
    void scan(const QByteArray& sql,
              const std::vector<SqlValue>& params,
              OnRow&& onRow,
              const std::function<void(sqlite3_stmt*)>& onPrepared = {})
    {
        const Prepared st(prepare(sql, params));
        if (onPrepared) {
            onPrepared(st.get());
        }
        while (step(st.get())) {
            onRow(st.get());
        }
    }
    // The first and the last day of sale in the table, by the xsdate index; nullopt for no orders.
    std::optional<std::pair<QDate, QDate>> dateSpan();
    // Runs an insert or an update; returns the rows it changed.
    qint64 write(const Translation& statement);
    // Deletes the orders of these ids in one transaction; returns the rows deleted.
    qint64 deleteIds(const std::vector<qint64>& ids);

private:
    // A prepared statement that is always finalized.
    class Prepared final
    {
    public:
        explicit Prepared(sqlite3_stmt* st)
            : m_st(st)
        {}
        ~Prepared();
        Q_DISABLE_COPY_MOVE(Prepared)
        sqlite3_stmt* get() const { return m_st; }

    private:
        sqlite3_stmt* m_st;
    };
    // Prepares sql with params bound; throws StoreError.
    sqlite3_stmt* prepare(const QByteArray& sql, const std::vector<SqlValue>& params);
    // Moves to the next row: false at the end; throws StoreError.
    bool step(sqlite3_stmt* st);
    [[noreturn]] void fail(int rc) const;
    void exec(const char* sql);
    void checkTable();

    QString m_path;
    sqlite3* m_db = nullptr;
};

} // namespace store
