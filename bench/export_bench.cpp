// The export of a long list against the same cells written straight with libxlsxwriter, in the same run.
// The list is a real listing of a generated store: the export reads its rows through the grid's pages.
#include "bench/generator.h"
#include "export/ExportToExcel.h"
#include "export/SaveQuestion.h"
#include "export/TextWidth.h"
#include "mainwindow/MainForm.h"
#include "store/DbConfig.h"
#include "store/TextForms.h"
#include "ui/FlexGrid.h"

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

constexpr int columns = 9;

// The main window after listing every order of a generated store of that many orders.
mainwindow::MainForm& listedWindow(qint64 orders)
{
    static mainwindow::MainForm* form = new mainwindow::MainForm;
    static qint64 listed = -1;
    if (listed != orders) {
        const QString folder = bench::storeFolder(orders);
        db_config::setAppFolder(folder);
        db_config::connstr = db_config::buildConnstr(folder);
        form->ddlist(QString());
        listed = orders;
    }
    return *form;
}

ui::FlexGrid& listedGrid()
{
    return *listedWindow(100000).MSFlexGrid1;
}

QString outPath()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("定单.xlsx"));
}

void BM_ExportToExcel(benchmark::State& state)
{
    ui::FlexGrid& grid = listedGrid();
    for (auto _ : state) {
        xl::savefile_seam::setNextFileName(outPath());
        if (!xl::ExportToExcel(grid, nullptr)) {
            state.SkipWithError("export failed");
            break;
        }
        state.PauseTiming();
        QFile::remove(outPath());
        state.ResumeTiming();
    }
    xl::savefile_seam::reset();
    state.SetItemsProcessed(state.iterations() * (grid.Rows() - 1));
}

// The export with the CSV type chosen in the save question: the cells go to the workbook layer first (the
// question comes last), then the grid is read again into the CSV file.
void BM_ExportToCsv(benchmark::State& state)
{
    ui::FlexGrid& grid = listedGrid();
    const QString csv = QFileInfo(outPath()).dir().filePath(QStringLiteral("定单.csv"));
    for (auto _ : state) {
        xl::savefile_seam::setNextAnswer(csv, QStringLiteral("CSV 文件 (*.csv)"));
        if (!xl::ExportToExcel(grid, nullptr)) {
            state.SkipWithError("export failed");
            break;
        }
        state.PauseTiming();
        QFile::remove(csv);
        state.ResumeTiming();
    }
    xl::savefile_seam::reset();
    state.SetItemsProcessed(state.iterations() * (grid.Rows() - 1));
}

// The same cells (UTF-8, the id column left out), the same left format and the same widths, written
// straight: what the export costs beyond libxlsxwriter itself.
void BM_StraightLibxlsxwriter(benchmark::State& state)
{
    ui::FlexGrid& grid = listedGrid();
    std::vector<std::string> cells;
    std::vector<double> widths(columns, 0);
    cells.reserve(static_cast<size_t>(grid.Rows()) * (columns - 1));
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int g = 1; g < columns; ++g) {
            const QString text = grid.TextMatrix(r, g);
            cells.push_back(text.toStdString());
            widths[g] = std::max<double>(widths[g], std::min(xl::displayWidth(text) + 1, 255));
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
        for (int r = 0; r < grid.Rows(); ++r) {
            for (int g = 1; g < columns; ++g, ++k) {
                if (!cells[k].empty()) {
                    worksheet_write_string(sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(g - 1),
                                           cells[k].c_str(), left);
                }
            }
        }
        for (int g = 1; g < columns; ++g) {
            worksheet_set_column(sheet, static_cast<lxw_col_t>(g - 1), static_cast<lxw_col_t>(g - 1),
                                 widths[g], nullptr);
        }
        if (workbook_close(book) != LXW_NO_ERROR) {
            state.SkipWithError("libxlsxwriter failed");
            break;
        }
        state.PauseTiming();
        QFile::remove(outPath());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (grid.Rows() - 1));
}

// What the export's reading of the grid costs: every cell of the listing through TextMatrix, as the
// export reads it (pages of orders read by id, each cell's text made when asked for).
void BM_ReadListedCells(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const QString folder = bench::storeFolder(100000);
        listedWindow(1000); // a listing of another store first, so that no page of this one is cached
        ui::FlexGrid& grid = listedGrid();
        state.ResumeTiming();
        std::size_t chars = 0;
        for (int r = 0; r < grid.Rows(); ++r) {
            for (int c = 1; c < columns; ++c) {
                chars += std::size_t(grid.TextMatrix(r, c).size());
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
BENCHMARK(BM_ExportToExcel)->Unit(benchmark::kMillisecond)->MinTime(3.0);
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
        const bool done = xl::ExportToExcel(*listedWindow(1000000).MSFlexGrid1, nullptr);
        std::printf("%ld\n", bench::peakKb());
        return done ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    listedGrid(); // filled once, outside both timings
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
