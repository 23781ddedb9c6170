// One page of the grid read anywhere in a million listed orders: the grid's row source asked for a row
// whose page is not cached (sixteen pages in turn, more than it keeps), beside the same 256 rows read
// straight on SQLite by id on a fresh connection.

#include "bench/generator.h"
#include "mainwindow/GridOrders.h"
#include "store/AppFolder.h"
#include "store/ListedOrders.h"
#include "store/OrderStore.h"
#include "store/TextForms.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr qint64 orders = 1000000;
constexpr int pagesInTurn = 16;
constexpr int pageRows = int(store::OrderStore::pageSize);

QString dataFile()
{
    return store::dataFileIn(bench::storeFolder(orders));
}

const std::vector<qint64>& listedIds()
{
    static const std::vector<qint64> ids =
        store::OrderStore(dataFile()).list(store::OrderFilter::everyOrder()).ids;
    return ids;
}

// The first row of the pages read in turn: from the middle of the list, or its last pages.
int firstRow(bool last)
{
    const int rows = int(listedIds().size());
    const int span = pagesInTurn * pageRows;
    return last ? rows - span + 1 : rows / 2;
}

void BM_GridPage(benchmark::State& state)
{
    const auto listed = std::make_shared<store::ListedOrders>(dataFile(), listedIds());
    mainwindow::GridOrders rows(listed);
    const int first = firstRow(state.range(0) != 0);
    int turn = 0;
    for (auto _ : state) {
        const int row = first + (turn++ % pagesInTurn) * pageRows;
        benchmark::DoNotOptimize(rows.text(row, 1));
        // The event loop turns between two scrolls and closes the pages' connection: the next page opens
        // it again, as in the program.
        QCoreApplication::processEvents();
    }
    state.counters["reads"] = listed->pageReads();
}

void BM_StraightPage(benchmark::State& state)
{
    const std::vector<qint64>& ids = listedIds();
    const QByteArray path = dataFile().toUtf8();
    const int first = firstRow(state.range(0) != 0);
    int turn = 0;
    for (auto _ : state) {
        const std::size_t from = std::size_t(first - 1 + (turn++ % pagesInTurn) * pageRows);
        QByteArray sql = "SELECT * FROM ddlist WHERE id IN (";
        for (std::size_t i = from; i < from + pageRows && i < ids.size(); ++i) {
            sql += QByteArray::number(ids[i]) + (i + 1 < from + pageRows ? "," : "");
        }
        sql += ")";
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < 9; ++c) {
                benchmark::DoNotOptimize(sqlite3_column_text(st, c));
            }
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
    }
}

// Argument 0: the middle of the list; 1: its end.
BENCHMARK(BM_StraightPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    store::textforms::setUiLocale(QLocale(QLocale::Chinese, QLocale::China));
    benchmark::Initialize(&argc, argv);
    listedIds();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
