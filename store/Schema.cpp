#include "store/Schema.h"

#include "store/Database.h"
#include "store/OrderTable.h"
#include "store/StoreError.h"
#include "store/StoreTexts.h"

#include <QStringList>
#include <string>

namespace store {

namespace {

// The steps from each older version to the next one, and the mark each leaves. Version 0 already has the
// layout of version 1: only the mark is new.
struct Step
{
    const char* change; // nullptr: the layout stays
    const char* mark;
};
constexpr Step steps[schemaVersion] = {
    {nullptr, "PRAGMA user_version=1"},
};

// "CREATE TABLE ddlist (id INTEGER PRIMARY KEY AUTOINCREMENT, spname TEXT NOT NULL, ...)".
std::string createTable()
{
    std::string columns;
    for (const ColumnDescription& c : orderColumns) {
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
    return "CREATE TABLE ddlist (" + columns + ")";
}

} // namespace

void createSchema(Database& db)
{
    Transaction transaction(db);
    db.exec(createTable().c_str());
    db.exec("CREATE INDEX ddlist_xsdate ON ddlist (xsdate)");
    db.exec(steps[schemaVersion - 1].mark);
    transaction.commit();
}

void refuseNewer(Database& db)
{
    if (db.userVersion() > schemaVersion) {
        throw StoreError(StoreError::Kind::NewerVersion, texts::newerVersion(db.path()));
    }
}

void requireOrderTable(Database& db)
{
    QStringList present;
    Statement columns = db.prepare("PRAGMA table_info(ddlist)");
    while (columns.step()) {
        present << columns.text(1);
    }
    if (present.isEmpty()) {
        throw StoreError(StoreError::Kind::WrongTable, texts::noOrderTable(db.path()));
    }
    QStringList missing;
    for (const ColumnDescription& column : orderColumns) {
        if (!present.contains(QLatin1String(column.name), Qt::CaseInsensitive)) {
            missing << QLatin1String(column.name);
        }
    }
    if (!missing.isEmpty()) {
        throw StoreError(StoreError::Kind::WrongTable,
                         texts::missingColumns(db.path(), missing.join(QLatin1Char(','))));
    }
}

bool needsUpgrade(Database& db)
{
    return db.userVersion() < schemaVersion;
}

void upgrade(Database& db)
{
    Transaction transaction(db);
    // Read inside the transaction: another program may have upgraded the file meanwhile.
    refuseNewer(db);
    const int from = db.userVersion();
    for (int version = std::max(from, 0); version < schemaVersion; ++version) {
        if (steps[version].change) {
            db.exec(steps[version].change);
        }
        db.exec(steps[version].mark);
    }
    transaction.commit();
}

} // namespace store
