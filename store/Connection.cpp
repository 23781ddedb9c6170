#include "store/Connection.h"

#include "store/OrderTable.h"
#include "store/StoreError.h"
#include "store/StoreTexts.h"
#include "store/StoredDate.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace store {

namespace {

constexpr int busyTimeoutMs = 3000;

void bind(sqlite3_stmt* st, const std::vector<SqlValue>& params, int& rc)
{
    for (std::size_t i = 0; i < params.size() && rc == SQLITE_OK; ++i) {
        const int index = int(i) + 1;
        const SqlValue& v = params[i];
        if (const auto* n = std::get_if<qint64>(&v)) {
            rc = sqlite3_bind_int64(st, index, *n);
        } else if (const auto* d = std::get_if<double>(&v)) {
            rc = sqlite3_bind_double(st, index, *d);
        } else {
            const QByteArray utf8 = std::get<QString>(v).toUtf8();
            rc = sqlite3_bind_text64(st, index, utf8.constData(), sqlite3_uint64(utf8.size()),
                                     SQLITE_TRANSIENT, SQLITE_UTF8);
        }
    }
}

} // namespace

Connection::Connection(const QString& path)
    : m_path(path)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        throw StoreError(StoreError::Kind::FileMissing, texts::fileMissing(path));
    }
    if (info.isDir()) {
        throw StoreError(StoreError::Kind::NotADatabase, texts::notADatabase(path));
    }
    // Read-write and never create: a data.mdb that is gone is an error, not a new empty store. One thread
    // uses a connection, so SQLite need not lock around every call.
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
        if (!QFileInfo::exists(path)) {
            throw StoreError(StoreError::Kind::FileMissing, texts::fileMissing(path));
        }
        throw StoreError(StoreError::Kind::IoError, texts::cannotOpen(path));
    }
    sqlite3_busy_timeout(m_db, busyTimeoutMs);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    try {
        exec("PRAGMA trusted_schema=OFF");
        // EXTRA also syncs the folder once the journal is deleted: a power loss right after "saved" cannot
        // bring the journal back and roll the order away.
        exec("PRAGMA synchronous=EXTRA");
        // SQLite reads the header only at the first statement: this one finds a file that is no database.
        checkTable();
        // data.mdb alone must be a whole copy when the program is closed: never a write-ahead log beside it.
        const int jr = sqlite3_exec(m_db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
        if (jr != SQLITE_OK && (jr & 0xff) != SQLITE_READONLY) {
            fail(jr);
        }
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

Connection::~Connection()
{
    sqlite3_close(m_db);
}

void Connection::fail(int rc) const
{
    const QString detail = QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc));
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw StoreError(StoreError::Kind::Locked, texts::locked(m_path));
    case SQLITE_READONLY:
        throw StoreError(StoreError::Kind::ReadOnly, texts::readOnlyFile(m_path));
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        throw StoreError(StoreError::Kind::NotADatabase, texts::notADatabase(m_path));
    case SQLITE_FULL:
        throw StoreError(StoreError::Kind::IoError, texts::diskFull(m_path));
    case SQLITE_CANTOPEN:
        if (!QFileInfo::exists(m_path)) {
            throw StoreError(StoreError::Kind::FileMissing, texts::fileMissing(m_path));
        }
        throw StoreError(StoreError::Kind::IoError, texts::cannotOpen(m_path));
    case SQLITE_CONSTRAINT:
    case SQLITE_MISMATCH:
        throw StoreError(StoreError::Kind::TypeMismatch, texts::constraint(detail));
    default:
        throw StoreError(StoreError::Kind::IoError, texts::ioError(m_path, detail));
    }
}

void Connection::exec(const char* sql)
{
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        fail(rc);
    }
}

void Connection::checkTable()
{
    QStringList present;
    scan("PRAGMA table_info(ddlist)", {}, [&](sqlite3_stmt* st) {
        present << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
    });
    if (present.isEmpty()) {
        throw StoreError(StoreError::Kind::WrongTable, texts::noOrderTable(m_path));
    }
    QStringList missing;
    for (const OrderColumn& column : orderColumns) {
        if (!present.contains(QLatin1String(column.name), Qt::CaseInsensitive)) {
            missing << QLatin1String(column.name);
        }
    }
    if (!missing.isEmpty()) {
        throw StoreError(StoreError::Kind::WrongTable,
                         texts::missingColumns(m_path, missing.join(QLatin1Char(','))));
    }
}

void Connection::requireWritable() const
{
    if (sqlite3_db_readonly(m_db, "main") == 1) {
        throw StoreError(StoreError::Kind::ReadOnly, texts::readOnlyFile(m_path));
    }
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QFileInfo(folder).isWritable()) {
        throw StoreError(StoreError::Kind::ReadOnly, texts::readOnlyFolder(folder));
    }
}

Connection::Prepared::~Prepared()
{
    sqlite3_finalize(m_st);
}

sqlite3_stmt* Connection::prepare(const QByteArray& sql, const std::vector<SqlValue>& params)
{
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &st, nullptr);
    if (rc == SQLITE_OK) {
        bind(st, params, rc);
    }
    if (rc != SQLITE_OK) {
        sqlite3_finalize(st);
        fail(rc);
    }
    return st;
}

bool Connection::step(sqlite3_stmt* st)
{
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc != SQLITE_DONE) {
        fail(rc);
    }
    return false;
}

std::optional<std::pair<QDate, QDate>> Connection::dateSpan()
{
    std::optional<std::pair<QDate, QDate>> span;
    // Two subqueries: SQLite reads a lone min() or max() off the index, but both in one select scan the
    // table.
    scan("SELECT (SELECT min(xsdate) FROM ddlist),(SELECT max(xsdate) FROM ddlist)", {},
         [&](sqlite3_stmt* st) {
             const auto day = [st](int c) {
                 return storedDate(std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(st, c)),
                                                    std::size_t(sqlite3_column_bytes(st, c))));
             };
             const std::optional<QDate> first = day(0);
             const std::optional<QDate> last = day(1);
             if (first && last) {
                 span.emplace(*first, *last);
             }
         });
    return span;
}

qint64 Connection::write(const Translation& statement)
{
    requireWritable();
    const Prepared st(prepare(statement.sql, statement.params));
    step(st.get());
    return sqlite3_changes64(m_db);
}

qint64 Connection::deleteIds(const std::vector<qint64>& ids)
{
    requireWritable();
    if (ids.empty()) {
        return 0;
    }
    exec("BEGIN IMMEDIATE");
    try {
        qint64 deleted = 0;
        for (const qint64 id : ids) {
            const Prepared st(prepare("DELETE FROM ddlist WHERE id=?", {id}));
            step(st.get());
            deleted += sqlite3_changes64(m_db);
        }
        exec("COMMIT");
        return deleted;
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace store
