#include "store/EmptyStore.h"

#include "store/OrderTable.h"
#include "store/StoreError.h"
#include "store/StoreTexts.h"

#include <QFile>
#include <sqlite3.h>

namespace store {

namespace {

// "CREATE TABLE ddlist (id INTEGER PRIMARY KEY AUTOINCREMENT, spname TEXT NOT NULL, ...)" and the index
// of the sale dates, in one transaction.
std::string schema()
{
    std::string columns;
    for (const OrderColumn& c : orderColumns) {
        if (!columns.empty()) {
            columns += ", ";
        }
        columns += c.name;
        columns += ' ';
        columns += c.sqlType;
        if (c.required) {
            columns += " NOT NULL";
        }
    }
    return "PRAGMA journal_mode=DELETE;BEGIN;CREATE TABLE ddlist (" + columns +
           ");CREATE INDEX ddlist_xsdate ON ddlist (xsdate);COMMIT;";
}

} // namespace

void createEmptyStore(const QString& path)
{
    // Creating the file exclusively first means an existing store is never opened, let alone replaced,
    // even when one appears between a check and the write.
    QFile file(path);
    if (file.exists()) {
        throw StoreError(StoreError::Kind::Refused, texts::storeExists(path));
    }
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (file.exists()) {
            throw StoreError(StoreError::Kind::Refused, texts::storeExists(path));
        }
        throw StoreError(StoreError::Kind::IoError, texts::cannotCreate(path, file.errorString()));
    }
    file.close();

    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    QString detail;
    if (rc == SQLITE_OK) {
        sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
        rc = sqlite3_exec(db, schema().c_str(), nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        detail = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    }
    sqlite3_close(db);
    if (rc != SQLITE_OK) {
        QFile::remove(path); // the file is our own half-made one
        throw StoreError(StoreError::Kind::IoError, texts::cannotCreate(path, detail));
    }
}

} // namespace store
