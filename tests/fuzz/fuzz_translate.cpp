// The translator takes any text: it refuses it with the store's error or returns exactly one SQLite
// statement whose every value is a bound parameter. Anything else is a failure.
#include "store/StoreError.h"
#include "store/Translator.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sqlite3.h>

namespace {

sqlite3* schemaDb()
{
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        sqlite3_open(":memory:", &d);
        sqlite3_exec(
            d,
            "CREATE TABLE ddlist (id INTEGER PRIMARY KEY AUTOINCREMENT, spname TEXT NOT NULL, jj REAL NOT "
            "NULL, sl REAL NOT NULL, sj REAL NOT NULL, mjzh TEXT NOT NULL, kddh TEXT NOT NULL, xsdate "
            "TEXT NOT NULL, bz TEXT)",
            nullptr, nullptr, nullptr);
        return d;
    }();
    return db;
}

bool blank(const char* text)
{
    for (; *text; ++text) {
        if (*text != ' ' && *text != '\n' && *text != '\t' && *text != '\r') {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString statement = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    store::Translation t;
    try {
        t = store::translate(statement);
    } catch (const store::StoreError&) {
        return 0;
    }
    sqlite3_stmt* st = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(schemaDb(), t.sql.constData(), int(t.sql.size()), &st, &tail) != SQLITE_OK ||
        !st) {
        std::abort(); // the translator wrote something SQLite cannot run
    }
    const int parameters = sqlite3_bind_parameter_count(st);
    sqlite3_finalize(st);
    if (!blank(tail) && tail < t.sql.constData() + t.sql.size()) {
        std::abort(); // a second statement got through
    }
    if (std::size_t(parameters) != t.params.size()) {
        std::abort();
    }
    return 0;
}
