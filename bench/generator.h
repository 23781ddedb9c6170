#pragma once

#include <QDate>
#include <QString>
#include <cstddef>

struct sqlite3;

namespace bench {

// A realistic store: orders spread over several years up to a last day, a few dozen a day, Chinese goods
// names, buyers and waybills, about one remark in three (the rest NULL). Same seed, same store.
struct StoreShape
{
    qint64 orders = 1000;
    QDate lastDay = QDate(2026, 12, 9);
    int years = 4;
    unsigned seed = 20261209;
};

// Writes a new data.mdb at path (refuses an existing one) filled with shape.orders orders, ids in date order.
void generateStore(const QString& path, const StoreShape& shape);

// The folder of a generated store of that many orders, kept in $TMPDIR/tallywick-bench/<orders>/ between
// runs (a million orders take a while to write) and made on first use.
QString storeFolder(qint64 orders);

// A process's peak resident memory (VmHWM) in kB from its status file (this process's by default); -1
// when it cannot be read.
long peakKb(const QString& statusFile = QStringLiteral("/proc/self/status"));

// Runs one statement on db and reads every cell of every row as text, as the baselines read: the bytes read.
std::size_t readEveryCell(sqlite3* db, const char* sql);

// A goods word that occurs in about one order in fifty: the keyword of the keyword benchmark.
QString commonKeyword();

} // namespace bench
