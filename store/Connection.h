#pragma once

#include "store/Translator.h"

#include <QString>
#include <QtGlobal>
#include <vector>

struct sqlite3;

namespace store {

class ResultTable;

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
    // Runs a select and reads its whole result into table.
    void select(const Translation& statement, ResultTable& table);
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
