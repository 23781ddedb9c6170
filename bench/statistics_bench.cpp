// The statistics of every order of a million (the figures per day, goods name and buyer, and the losses, in
// one scan) against the floor of the same groupings written straight for SQLite: per month, per goods name,
// per buyer with its count of orders, and the count of losses, four statements one after another, every
// cell read as text. Peak memory is measured in child processes: the listing of every order alone, and the
// listing held while the statistics are made, as the statistics window does it over the main window's list.

#include "bench/generator.h"
#include "statswindow/StatisticsWindow.h"
#include "store/AppFolder.h"
#include "store/OrderStore.h"

#include <QApplication>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <sqlite3.h>

namespace {

constexpr qint64 orders = 1000000;

QString dataFile()
{
    return store::dataFileIn(bench::storeFolder(orders));
}

// The four grouped statements on one connection, every cell read as text; returns the bytes read.
std::size_t groupedFloor()
{
    static const char* const statements[] = {
        "SELECT substr(xsdate,1,7), sum(sj*sl), sum(jj*sl), sum((sj-jj)*sl) FROM ddlist GROUP BY 1",
        "SELECT spname, sum(sj*sl), sum(jj*sl), sum((sj-jj)*sl) FROM ddlist GROUP BY spname",
        "SELECT mjzh, count(*), sum(sj*sl), sum(jj*sl), sum((sj-jj)*sl) FROM ddlist GROUP BY mjzh",
        "SELECT count(*) FROM ddlist WHERE (sj-jj)*sl < 0",
    };
    const QByteArray path = dataFile().toUtf8();
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    std::size_t bytes = 0;
    for (const char* sql : statements) {
        bytes += bench::readEveryCell(db, sql);
    }
    sqlite3_close(db);
    return bytes;
}

store::Statistics everyOrder()
{
    return store::OrderStore(dataFile()).statistics(store::OrderFilter::everyOrder());
}

// Runs a case in a child process of this program; returns its peak resident memory in MB.
double childPeakMb(const char* kind)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak=") + QLatin1String(kind)});
    if (!child.waitForFinished(-1) || child.exitCode() != 0) {
        return -1;
    }
    bool ok = false;
    const double kb = child.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? kb / 1024.0 : -1;
}

void BM_GroupedFloor(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(groupedFloor());
    }
}

void BM_Statistics(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(everyOrder());
    }
}

void BM_ByMonth(benchmark::State& state)
{
    const store::Statistics statistics = everyOrder();
    for (auto _ : state) {
        benchmark::DoNotOptimize(store::byPeriod(statistics, store::Period::Month));
    }
    state.counters["days"] = double(statistics.days.size());
}

// The whole window ready: the statistics made and every view filled (tables, charts), as the menu opens it.
void BM_WindowReady(benchmark::State& state)
{
    const store::OrderStore orders(dataFile());
    for (auto _ : state) {
        statswindow::StatisticsWindow window(orders, store::OrderFilter::everyOrder(), everyOrder(), {});
        benchmark::DoNotOptimize(&window);
    }
}

// The peaks: the listing of every order alone, and with the statistics made while it is held.
void BM_PeakMemory(benchmark::State& state)
{
    double listing = 0;
    double withStatistics = 0;
    for (auto _ : state) {
        listing = childPeakMb("listing");
        withStatistics = childPeakMb("statistics");
    }
    state.counters["listing_MB"] = listing;
    state.counters["statistics_MB"] = withStatistics;
    state.counters["above_listing_MB"] = withStatistics - listing;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // --peak=listing|statistics runs one case and prints this process's peak memory in kB.
    if (argc == 2 && std::strncmp(argv[1], "--peak=", 7) == 0) {
        const store::Listing listing = store::OrderStore(dataFile()).list(store::OrderFilter::everyOrder());
        benchmark::DoNotOptimize(listing.ids.data());
        if (std::strcmp(argv[1] + 7, "statistics") == 0) {
            benchmark::DoNotOptimize(everyOrder());
        }
        std::printf("%ld\n", bench::peakKb());
        return 0;
    }
    dataFile(); // the store is made before anything is timed
    benchmark::RegisterBenchmark("baseline/grouped_floor", BM_GroupedFloor)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("store/statistics", BM_Statistics)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("window/ready", BM_WindowReady)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("store/byPeriod_month", BM_ByMonth)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("peak", BM_PeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
