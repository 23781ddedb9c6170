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
    void scan(const QByteArray& sql,
              const std::vector<SqlValue>& params,
              const std::function<void(sqlite3_stmt*)>& onRow,
              const std::function<void(sqlite3_stmt*)>& onPrepared = {});
    // The first and the last day of sale in the table, by the xsdate index; nullopt for no orders.
    std::optional<std::pair<QDate, QDate>> dateSpan();
    // Runs an insert or an update; returns the rows it changed.
    qint64 write(const Translation& statement);
    // Deletes the orders of these ids in one transaction; returns the rows deleted.
    qint64 deleteIds(const std::vector<qint64>& ids);

private:
    [[noreturn]] void fail(int rc) const;
    void exec(const char* sql);
    void checkTable();

    QString m_path;
    sqlite3* m_db = nullptr;
};

} // namespace store
