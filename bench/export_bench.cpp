// The export of a long list against the same cells written straight with libxlsxwriter, in the same run.
// The list is a real listing of a generated store, as the main window keeps it: the export reads its
// orders by pages of ids.
#include "bench/generator.h"
#include "export/ExportOrders.h"
#include "export/SaveQuestion.h"
#include "export/TextWidth.h"
#include "mainwindow/GridColumns.h"
#include "mainwindow/MainWindow.h"
#include "store/AppFolder.h"
#include "store/ListedOrders.h"
#include "store/OrderStore.h"
#include "store/TextForms.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>
#include <xlsxwriter.h>

namespace {

// Every order of a generated store of that many orders, listed as the main window lists them: the ids and
// the first page, the rest read by pages as the export asks for them.
std::shared_ptr<store::ListedOrders> listEveryOrder(qint64 orders)
{
    const QString dataFile = store::dataFileIn(bench::storeFolder(orders));
    store::Listing listing = store::OrderStore(dataFile).list(store::OrderFilter::everyOrder());
    return std::make_shared<store::ListedOrders>(dataFile, std::move(listing.ids),
                                                 std::move(listing.firstOrders));
}

// The listing of 100,000 orders every case exports, made once.
store::ListedOrders& listed()
{
    static const std::shared_ptr<store::ListedOrders> orders = listEveryOrder(100000);
    return *orders;
}

// What the main window's export command runs.
bool exportListed(store::ListedOrders& orders)
{
    return xl::exportOrders(&orders, mainwindow::exportColumns(), nullptr);
}

QString outPath()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("定单.xlsx"));
}

void BM_ExportOrders(benchmark::State& state)
{
    for (auto _ : state) {
        xl::savefile_seam::setNextFileName(outPath());
        if (!exportListed(listed())) {
            state.SkipWithError("export failed");
            break;
        }
        state.PauseTiming();
        QFile::remove(outPath());
        state.ResumeTiming();
    }
    xl::savefile_seam::reset();
    state.SetItemsProcessed(state.iterations() * qint64(listed().size()));
}

// The export with the CSV type chosen in the save question: the cells go to the workbook layer first (the
// question comes last), then the listed orders are read again into the CSV file.
void BM_ExportToCsv(benchmark::State& state)
{
    const QString csv = QFileInfo(outPath()).dir().filePath(QStringLiteral("定单.csv"));
    for (auto _ : state) {
        xl::savefile_seam::setNextAnswer(csv, QStringLiteral("CSV 文件 (*.csv)"));
        if (!exportListed(listed())) {
            state.SkipWithError("export failed");
            break;
        }
        state.PauseTiming();
        QFile::remove(csv);
        state.ResumeTiming();
    }
    xl::savefile_seam::reset();
    state.SetItemsProcessed(state.iterations() * qint64(listed().size()));
}

// The same cells (UTF-8, the titles first), the same left format and the same widths, written straight:
// what the export costs beyond libxlsxwriter itself.
void BM_StraightLibxlsxwriter(benchmark::State& state)
{
    xl::ExportRows rows(&listed(), mainwindow::exportColumns());
    const int columns = rows.columnCount();
    std::vector<std::string> cells;
    std::vector<double> widths(std::size_t(columns), 0);
    cells.reserve(std::size_t(rows.rowCount()) * std::size_t(columns));
    for (int r = 0; r < rows.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            const QString text = rows.text(r, c);
            cells.push_back(text.toStdString());
            widths[std::size_t(c)] =
                std::max<double>(widths[std::size_t(c)], std::min(xl::displayWidth(text) + 1, 255));
        }
    }
    const QByteArray path = QFile::encodeName(outPath());
    for (auto _ : state) {
        lxw_workbook_options options = {};
        options.constant_memory = LXW_TRUE;
        lxw_workbook* book = workbook_new_opt(path.constData(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
        lxw_format* left = workbook_add_format(book);
        format_set_align(left, LXW_ALIGN_LEFT);
        size_t k = 0;
        for (int r = 0; r < rows.rowCount(); ++r) {
            for (int c = 0; c < columns; ++c, ++k) {
                if (!cells[k].empty()) {
                    worksheet_write_string(sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c),
                                           cells[k].c_str(), left);
                }
            }
        }
        for (int c = 0; c < columns; ++c) {
            worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                 widths[std::size_t(c)], nullptr);
        }
        if (workbook_close(book) != LXW_NO_ERROR) {
            state.SkipWithError("libxlsxwriter failed");
            break;
        }
        state.PauseTiming();
        QFile::remove(outPath());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * qint64(listed().size()));
}

// What the export's reading of the listed orders costs: every cell as the export reads it (pages of orders
// read by id, each cell's text made when asked for), from a fresh listing: only its first page is read.
void BM_ReadListedCells(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const std::shared_ptr<store::ListedOrders> orders = listEveryOrder(100000);
        xl::ExportRows rows(orders.get(), mainwindow::exportColumns());
        state.ResumeTiming();
        std::size_t chars = 0;
        for (int r = 0; r < rows.rowCount(); ++r) {
            for (int c = 0; c < rows.columnCount(); ++c) {
                chars += std::size_t(rows.text(r, c).size());
            }
        }
        benchmark::DoNotOptimize(chars);
    }
}

// The export of a million listed orders in a child process: its peak resident memory.
void BM_ExportMillionPeak(benchmark::State& state)
{
    for (auto _ : state) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak-million")});
        if (!child.waitForFinished(-1) || child.exitCode() != 0) {
            state.SkipWithError("the child failed");
            break;
        }
        state.counters["peak_MB"] = child.readAllStandardOutput().trimmed().toDouble() / 1024.0;
    }
}

BENCHMARK(BM_StraightLibxlsxwriter)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_ExportOrders)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_ExportToCsv)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_ReadListedCells)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ExportMillionPeak)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    qunsetenv("QT_QPA_PLATFORMTHEME");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    store::textforms::setUiLocale(QLocale(QLocale::Chinese, QLocale::China));
    if (argc == 2 && std::strcmp(argv[1], "--peak-million") == 0) {
        xl::savefile_seam::setNextFileName(outPath());
        // As the seller does it: the main window lists every order, then its export command runs.
        store::setAppFolder(bench::storeFolder(1000000));
        mainwindow::MainWindow window;
        window.listOrders(store::OrderFilter::everyOrder());
        window.exportOrders();
        const bool done = QFileInfo::exists(outPath());
        std::printf("%ld\n", bench::peakKb());
        return done ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    listed(); // listed once, outside every timing
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
