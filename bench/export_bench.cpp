// The export of a long list against the same cells written straight with libxlsxwriter, in the same run.
// The list is a real listing of a generated store, as the main window keeps it: the export reads its
// orders by pages of ids.
#include "bench/generator.h"
#include "export/ExportOrders.h"
#include "export/SaveQuestion.h"
#include "export/TextWidth.h"
#include "export/Workbook.h"
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

// One cell as the export types it: a title, a text, a number or a day.
struct TypedCell
{
    enum class Kind { None, Title, Text, Number, Date } kind = Kind::None;
    std::string text;
    double number = 0;
    lxw_datetime date = {};
};

// The cells of the listing, typed as the export types them.
std::vector<TypedCell> typedCells(xl::ExportRows& rows, std::vector<double>& widths)
{
    const int columns = rows.columnCount();
    std::vector<TypedCell> cells(std::size_t(rows.rowCount()) * std::size_t(columns));
    auto cell = [&](int r, int c) -> TypedCell& { return cells[std::size_t(r) * std::size_t(columns) + c]; };
    for (int c = 0; c < columns; ++c) {
        cell(0, c) = {TypedCell::Kind::Title, rows.text(0, c).toStdString()};
        widths[std::size_t(c)] = std::min(xl::displayWidth(rows.text(0, c)) + 1, 255);
    }
    for (int r = 1; r < rows.rowCount(); ++r) {
        const store::Order& order = *rows.order(r);
        for (int c = 0; c < columns; ++c) {
            const store::OrderColumn column = rows.column(c);
            const QString shown = store::shownText(order, column);
            widths[std::size_t(c)] =
                std::max<double>(widths[std::size_t(c)], std::min(xl::displayWidth(shown) + 1, 255));
            TypedCell& typed = cell(r, c);
            if (shown.isEmpty()) {
                continue;
            }
            switch (store::describe(column).kind) {
            case store::ColumnKind::Number:
                typed.kind = TypedCell::Kind::Number;
                typed.number = store::numberIn(order, column)->stored();
                break;
            case store::ColumnKind::Date:
                typed.kind = TypedCell::Kind::Date;
                typed.date = {order.saleDate.year(), order.saleDate.month(), order.saleDate.day(), 0, 0, 0};
                break;
            default:
                typed = {TypedCell::Kind::Text, shown.toStdString()};
            }
        }
    }
    return cells;
}

// The same cells (UTF-8 texts, numbers, days; the titles first), the same formats, frozen titles, filter
// and widths, written straight: what the export costs beyond libxlsxwriter itself.
void BM_StraightLibxlsxwriter(benchmark::State& state)
{
    xl::ExportRows rows(&listed(), mainwindow::exportColumns());
    const int columns = rows.columnCount();
    std::vector<double> widths(std::size_t(columns), 0);
    const std::vector<TypedCell> cells = typedCells(rows, widths);
    const QByteArray dateFormat = xl::excelDateFormat(store::textforms::shortDateFormat());
    const QByteArray path = QFile::encodeName(outPath());
    QByteArray tmpdir = QFile::encodeName(QDir::tempPath()); // where the export keeps its files too
    for (auto _ : state) {
        lxw_workbook_options options = {};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = tmpdir.data();
        lxw_workbook* book = workbook_new_opt(path.constData(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
        // The rows file gets the export's 1 MB buffer: the export's gain is not the library's.
        std::setvbuf(sheet->optimize_tmpfile, nullptr, _IOFBF, std::size_t(1) << 20);
        lxw_format* formats[5] = {nullptr};
        for (const TypedCell::Kind kind :
             {TypedCell::Kind::Title, TypedCell::Kind::Text, TypedCell::Kind::Date}) {
            formats[int(kind)] = workbook_add_format(book);
            format_set_align(formats[int(kind)], LXW_ALIGN_LEFT);
        }
        format_set_bold(formats[int(TypedCell::Kind::Title)]);
        format_set_num_format(formats[int(TypedCell::Kind::Date)], dateFormat.constData());
        worksheet_freeze_panes(sheet, 1, 0);
        size_t k = 0;
        for (int r = 0; r < rows.rowCount(); ++r) {
            for (int c = 0; c < columns; ++c, ++k) {
                const TypedCell& cell = cells[k];
                const auto row = static_cast<lxw_row_t>(r);
                const auto col = static_cast<lxw_col_t>(c);
                // Numbers take the texts' format, as in the export.
                lxw_format* format =
                    formats[int(cell.kind == TypedCell::Kind::Number ? TypedCell::Kind::Text : cell.kind)];
                switch (cell.kind) {
                case TypedCell::Kind::None:
                    break;
                case TypedCell::Kind::Title:
                case TypedCell::Kind::Text:
                    worksheet_write_string(sheet, row, col, cell.text.c_str(), format);
                    break;
                case TypedCell::Kind::Number:
                    worksheet_write_number(sheet, row, col, cell.number, format);
                    break;
                case TypedCell::Kind::Date:
                    worksheet_write_datetime(sheet, row, col, const_cast<lxw_datetime*>(&cell.date), format);
                    break;
                }
            }
        }
        worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(rows.rowCount() - 1),
                             static_cast<lxw_col_t>(columns - 1));
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
