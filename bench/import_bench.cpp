// Importing a 100,000-row CSV (the program's own export of a generated store) into an empty store, from
// reading to commit, against the sqlite3 shell's .import of the same file into a table of the same eight
// columns with the same date index, in the same run; and the import of the same orders as an .xlsx
// workbook. Times are CPU times: the import's own, the shell's as a child process.
#include "bench/generator.h"
#include "export/ExportOrders.h"
#include "export/SaveQuestion.h"
#include "mainwindow/GridColumns.h"
#include "orderimport/OrderImport.h"
#include "store/AppFolder.h"
#include "store/EmptyStore.h"
#include "store/ListedOrders.h"
#include "store/OrderStore.h"
#include "store/TextForms.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <time.h>

namespace {

constexpr qint64 rows = 100000;

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double childrenCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The generated store's orders exported as the seller exports them, the CSV type or the workbook, kept
// beside the generated store between runs.
QString exported(bool csv)
{
    const QString path = QDir(bench::storeFolder(rows))
                             .filePath(csv ? QStringLiteral("orders.csv") : QStringLiteral("orders.xlsx"));
    if (QFileInfo::exists(path)) {
        return path;
    }
    const QString dataFile = store::dataFileIn(bench::storeFolder(rows));
    store::Listing listing = store::OrderStore(dataFile).list(store::OrderFilter::everyOrder());
    store::ListedOrders listed(dataFile, std::move(listing.ids), std::move(listing.firstOrders));
    if (csv) {
        xl::savefile_seam::setNextAnswer(path, QStringLiteral("CSV 文件 (*.csv)"));
    } else {
        xl::savefile_seam::setNextFileName(path);
    }
    xl::exportOrders(&listed, mainwindow::exportColumns(), nullptr);
    xl::savefile_seam::reset();
    return path;
}

// What the import does from reading to commit: the first rows and the guess, every row checked, the
// orders stored in one transaction.
qint64 importInto(const QString& file, const QString& dataFile)
{
    const store::OrderStore target(dataFile);
    const orderimport::Preview preview = orderimport::readPreview(file, {});
    const orderimport::ImportSettings settings = orderimport::guessSettings(preview, {});
    orderimport::ImportCheck check = orderimport::checkFile(file, settings, target);
    std::vector<store::Order> orders;
    orders.reserve(check.rows.size());
    for (orderimport::ImportRow& row : check.rows) {
        orders.push_back(std::move(row.order));
    }
    return qint64(target.insertAll(orders).size());
}

void importBench(benchmark::State& state, bool csv)
{
    const QString file = exported(csv);
    for (auto _ : state) {
        QTemporaryDir dir;
        const QString dataFile = QDir(dir.path()).filePath(QStringLiteral("data.mdb"));
        store::createEmptyStore(dataFile);
        const double start = processCpuSeconds();
        if (importInto(file, dataFile) != rows) {
            state.SkipWithError("not every order was imported");
            break;
        }
        state.SetIterationTime(processCpuSeconds() - start);
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

void BM_ImportCsv(benchmark::State& state)
{
    importBench(state, true);
}

void BM_ImportXlsx(benchmark::State& state)
{
    importBench(state, false);
}

// The floor: the sqlite3 shell reads the same CSV into a table of the eight columns with the date index.
void BM_ShellImportCsv(benchmark::State& state)
{
    const QString file = exported(true);
    for (auto _ : state) {
        QTemporaryDir dir;
        const QString db = QDir(dir.path()).filePath(QStringLiteral("shell.db"));
        const QString script =
            QStringLiteral(
                "CREATE TABLE t (spname TEXT, mjzh TEXT, sl REAL, jj REAL, sj REAL, xsdate TEXT, kddh "
                "TEXT, bz TEXT);\nCREATE INDEX t_xsdate ON t (xsdate);\n.import --csv --skip 1 %1 t\n")
                .arg(file);
        const double start = childrenCpuSeconds();
        QProcess shell;
        shell.start(QStringLiteral("sqlite3"), {db});
        shell.write(script.toUtf8());
        shell.closeWriteChannel();
        if (!shell.waitForFinished(-1) || shell.exitCode() != 0) {
            state.SkipWithError("the sqlite3 shell failed");
            break;
        }
        state.SetIterationTime(childrenCpuSeconds() - start);
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

// The import's peak resident memory, in a child process of its own.
void BM_ImportCsvPeak(benchmark::State& state)
{
    const QString file = exported(true);
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak"), file});
        child.waitForFinished(-1);
        state.counters["peak_MB"] = child.readAllStandardOutput().trimmed().toDouble() / 1024.0;
    }
}

BENCHMARK(BM_ShellImportCsv)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_ImportXlsx)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_ImportCsvPeak)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv); // the export's progress belongs to a widget tree
    store::textforms::setUiLocale(QLocale(QLocale::Chinese, QLocale::China));
    if (argc == 3 && std::strcmp(argv[1], "--peak") == 0) {
        QTemporaryDir dir;
        const QString dataFile = QDir(dir.path()).filePath(QStringLiteral("data.mdb"));
        store::createEmptyStore(dataFile);
        importInto(QString::fromLocal8Bit(argv[2]), dataFile);
        std::printf("%ld\n", bench::peakKb());
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
