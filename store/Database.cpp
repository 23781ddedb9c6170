#include "store/Database.h"

#include "store/StoreError.h"
#include "store/StoreTexts.h"

#include <QFileInfo>
#include <cstring>
#include <sqlite3.h>

namespace store {

namespace {

constexpr int busyTimeoutMs = 3000;

// fold(text): the text with the full-width forms of ASCII (U+FF01 to U+FF5E, as a Chinese input method
// types them) turned into their ASCII characters and ASCII letters into small ones; NULL stays NULL. The
// keyword search compares both sides folded, so "SF123" finds "ＳＦ１２３" and "ｓｆ" finds "SF".
void fold(sqlite3_context* context, int, sqlite3_value** args)
{
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = sqlite3_value_text(args[0]);
    const std::size_t size = std::size_t(sqlite3_value_bytes(args[0]));
    if (!text) {
        sqlite3_result_error_nomem(context);
        return;
    }
    std::size_t i = 0;
    while (i < size && !(text[i] >= 'A' && text[i] <= 'Z') && text[i] != 0xEF) {
        ++i;
    }
    if (i == size) { // nothing to change: most texts
        sqlite3_result_value(context, args[0]);
        return;
    }
    // Every change keeps the length or shortens it: U+FF01 to U+FF5E are EF BC 81 to EF BD 9E in UTF-8.
    auto* out = static_cast<unsigned char*>(sqlite3_malloc64(size + 1));
    if (!out) {
        sqlite3_result_error_nomem(context);
        return;
    }
    std::memcpy(out, text, i);
    std::size_t n = i;
    while (i < size) {
        const unsigned char c = text[i];
        if (c >= 'A' && c <= 'Z') {
            out[n++] = c + ('a' - 'A');
            ++i;
            continue;
        }
        if (c == 0xEF && i + 2 < size && (text[i + 1] == 0xBC || text[i + 1] == 0xBD) &&
            text[i + 2] >= 0x80 && text[i + 2] <= 0xBF) {
            const unsigned wide = 0xFF00u + (text[i + 1] == 0xBD ? 0x40u : 0u) + (text[i + 2] - 0x80u);
            if (wide >= 0xFF01 && wide <= 0xFF5E) {
                const auto ascii = static_cast<unsigned char>(wide - 0xFEE0u);
                out[n++] = ascii >= 'A' && ascii <= 'Z' ? ascii + ('a' - 'A') : ascii;
                i += 3;
                continue;
            }
        }
        out[n++] = c;
        ++i;
    }
    out[n] = 0;
    sqlite3_result_text64(context, reinterpret_cast<const char*>(out), n, sqlite3_free, SQLITE_UTF8);
}

} // namespace

Database::Database(const QString& path, Mode mode)
    : m_path(path)
{
    const int flags = (mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                      (mode == Mode::Create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const int code = m_db ? sqlite3_extended_errcode(m_db) : rc;
        try {
            fail(code == SQLITE_OK ? rc : code);
        } catch (...) {
            sqlite3_close(m_db);
            m_db = nullptr;
            throw;
        }
    }
    sqlite3_busy_timeout(m_db, busyTimeoutMs);
    // A file from elsewhere may carry schema code: never run it, never let a statement damage the file.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    const int folded =
        sqlite3_create_function_v2(m_db, "fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                   nullptr, fold, nullptr, nullptr, nullptr);
    if (folded != SQLITE_OK) {
        try {
            fail(folded);
        } catch (...) {
            sqlite3_close(m_db);
            m_db = nullptr;
            throw;
        }
    }
}

Database::~Database()
{
    sqlite3_close_v2(m_db);
}

void Database::fail(int rc) const
{
    const QString detail = QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc));
    using Kind = StoreError::Kind;
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw StoreError(Kind::Locked, texts::locked(m_path), detail);
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        throw StoreError(Kind::ReadOnly, texts::readOnlyFile(m_path), detail);
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        throw StoreError(Kind::NotADatabase, texts::notADatabase(m_path), detail);
    case SQLITE_FULL:
        throw StoreError(Kind::DiskFull, texts::diskFull(m_path), detail);
    case SQLITE_CANTOPEN:
        if (!QFileInfo::exists(m_path)) {
            throw StoreError(Kind::FileMissing, texts::fileMissing(m_path), detail);
        }
        throw StoreError(Kind::IoError, texts::cannotOpen(m_path), detail);
    case SQLITE_CONSTRAINT:
    case SQLITE_MISMATCH:
        throw StoreError(Kind::TypeMismatch, texts::constraint(detail), detail);
    default:
        throw StoreError(Kind::IoError, texts::ioError(m_path, detail), detail);
    }
}

void Database::exec(const char* sql)
{
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        fail(sqlite3_extended_errcode(m_db));
    }
}

Statement Database::prepare(QByteArrayView sql)
{
    sqlite3_stmt* st = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql.data(), int(sql.size()), &st, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(st);
        fail(rc);
    }
    return Statement(*this, st);
}

qint64 Database::changes() const
{
    return sqlite3_changes64(m_db);
}

qint64 Database::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

bool Database::isReadOnly() const
{
    return sqlite3_db_readonly(m_db, "main") == 1;
}

int Database::userVersion()
{
    Statement st = prepare("PRAGMA user_version");
    return st.step() ? int(st.integer(0)) : 0;
}

Statement::Statement(Statement&& other) noexcept
    : m_db(other.m_db)
    , m_st(std::exchange(other.m_st, nullptr))
{}

Statement::~Statement()
{
    sqlite3_finalize(m_st);
}

void Statement::check(int rc)
{
    if (rc != SQLITE_OK) {
        m_db->fail(rc);
    }
}

void Statement::bind(int place, qint64 value)
{
    check(sqlite3_bind_int64(m_st, place, value));
}

void Statement::bind(int place, double value)
{
    check(sqlite3_bind_double(m_st, place, value));
}

void Statement::bind(int place, const QString& value)
{
    bindUtf8(place, value.toUtf8());
}

void Statement::bindUtf8(int place, QByteArrayView utf8)
{
    // SQLite binds a null pointer as NULL: an empty text (a null QString's bytes) is still a text.
    check(sqlite3_bind_text64(m_st, place, utf8.data() ? utf8.data() : "", sqlite3_uint64(utf8.size()),
                              SQLITE_TRANSIENT, SQLITE_UTF8));
}

void Statement::bindNull(int place)
{
    check(sqlite3_bind_null(m_st, place));
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_st);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc != SQLITE_DONE) {
        m_db->fail(rc);
    }
    return false;
}

void Statement::reset()
{
    sqlite3_reset(m_st);
    sqlite3_clear_bindings(m_st);
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_st, column) == SQLITE_NULL;
}

bool Statement::isInteger(int column) const
{
    return sqlite3_column_type(m_st, column) == SQLITE_INTEGER;
}

qint64 Statement::integer(int column) const
{
    return sqlite3_column_int64(m_st, column);
}

double Statement::real(int column) const
{
    return sqlite3_column_double(m_st, column);
}

QString Statement::text(int column) const
{
    return QString::fromUtf8(utf8(column));
}

QByteArrayView Statement::utf8(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_st, column));
    return QByteArrayView(text, sqlite3_column_bytes(m_st, column));
}

Transaction::Transaction(Database& db)
    : m_db(db)
{
    m_db.exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction()
{
    if (m_open) {
        sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void Transaction::commit()
{
    m_db.exec("COMMIT");
    m_open = false;
}

} // namespace store
