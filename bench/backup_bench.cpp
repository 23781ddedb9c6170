// The day's backup of a store of a million orders against a plain copy of the file in the same run: what
// the online backup and its check cost beyond copying the bytes.
#include "bench/generator.h"
#include "store/Backup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace {

constexpr qint64 orders = 1000000;
const QDate day(2026, 12, 9);

// Kept between runs, where listing_bench keeps it: generating a million orders takes a while.
QString dataFile()
{
    static const QString file = [] {
        const QString folder = QDir::temp().filePath(QStringLiteral("tallywick-bench/%1").arg(orders));
        const QString path = folder + QStringLiteral("/data.mdb");
        if (!QFileInfo::exists(path)) {
            QDir().mkpath(folder);
            bench::StoreShape shape;
            shape.orders = orders;
            bench::generateStore(path + QStringLiteral(".part"), shape);
            QFile::rename(path + QStringLiteral(".part"), path);
        }
        return path;
    }();
    return file;
}

QString copyPath()
{
    return QDir(store::backupFolder(dataFile())).filePath(store::backupFileName(day));
}

void BM_PlainFileCopy(benchmark::State& state)
{
    QDir().mkpath(store::backupFolder(dataFile()));
    for (auto _ : state) {
        if (!QFile::copy(dataFile(), copyPath())) {
            state.SkipWithError("copy failed");
            break;
        }
        state.PauseTiming();
        QFile::remove(copyPath());
        state.ResumeTiming();
    }
}

void BM_DailyBackup(benchmark::State& state)
{
    for (auto _ : state) {
        if (store::makeDailyBackup(dataFile(), day).kind != store::BackupOutcome::Kind::Made) {
            state.SkipWithError("backup failed");
            break;
        }
        state.PauseTiming();
        QFile::remove(copyPath());
        state.ResumeTiming();
    }
}

BENCHMARK(BM_PlainFileCopy)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_DailyBackup)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    dataFile(); // generated once, outside both timings
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    QDir(store::backupFolder(dataFile())).removeRecursively();
    return 0;
}
