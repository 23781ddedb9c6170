// The export of a long list against the same cells written straight with libxlsxwriter, in the same run.
#include "export/ExportToExcel.h"
#include "export/SaveQuestion.h"
#include "export/TextWidth.h"
#include "ui/FlexGrid.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>
#include <vector>
#include <xlsxwriter.h>

namespace {

constexpr int orders = 100000;
constexpr int columns = 9;

const QStringList goods = {QStringLiteral("羊毛围巾（灰色）"), QStringLiteral("手机壳 iPhone 15"),
                           QStringLiteral("陶瓷马克杯"), QStringLiteral("儿童保温水壶 500ml"),
                           QStringLiteral("纯棉T恤 XL")};
const QStringList buyers = {QStringLiteral("张三"), QStringLiteral("li_si_88"), QStringLiteral("王五的小店"),
                            QStringLiteral("O'Neil")};

// The grid as the listing leaves it after listing `orders` orders, newest first.
ui::FlexGrid& listedGrid()
{
    static std::unique_ptr<ui::FlexGrid> grid = [] {
        auto g = std::make_unique<ui::FlexGrid>();
        g->reserve(orders + 1);
        g->setRows(orders + 1);
        g->setCols(columns);
        g->setFormatString(
            QStringLiteral("|<商品名称|<买家呢称|<购买数量|<进价|<售价|<销售日期|<快递单号|<备注"));
        for (int r = 1; r <= orders; ++r) {
            const int id = orders + 1 - r;
            g->setTextMatrix(r, 0, QString::number(id));
            g->setTextMatrix(r, 1, goods[id % goods.size()]);
            g->setTextMatrix(r, 2, buyers[id % buyers.size()]);
            g->setTextMatrix(r, 3, QString::number(1 + id % 4));
            g->setTextMatrix(r, 4, QString::number(10 + id % 50) + QStringLiteral(".5"));
            g->setTextMatrix(r, 5, QString::number(20 + id % 80));
            g->setTextMatrix(r, 6, QStringLiteral("2026/%1/%2").arg(1 + id % 12).arg(1 + id % 28));
            g->setTextMatrix(r, 7, QStringLiteral("SF%1").arg(1000000000LL + id));
            g->setTextMatrix(r, 8, id % 3 == 0 ? QStringLiteral("请尽快发货，谢谢！") : QStringLiteral(" "));
        }
        return g;
    }();
    return *grid;
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
        if (!ExportToExcel(grid, nullptr)) {
            state.SkipWithError("export failed");
            break;
        }
        state.PauseTiming();
        QFile::remove(outPath());
        state.ResumeTiming();
    }
    xl::savefile_seam::reset();
    state.SetItemsProcessed(state.iterations() * orders);
}

// The export with the CSV type chosen in the save question: the cells go to the workbook layer first (the
// question comes last), then the grid is read again into the CSV file.
void BM_ExportToCsv(benchmark::State& state)
{
    ui::FlexGrid& grid = listedGrid();
    const QString csv = QFileInfo(outPath()).dir().filePath(QStringLiteral("定单.csv"));
    for (auto _ : state) {
        xl::savefile_seam::setNextAnswer(csv, QStringLiteral("CSV 文件 (*.csv)"));
        if (!ExportToExcel(grid, nullptr)) {
            state.SkipWithError("export failed");
            break;
        }
        state.PauseTiming();
        QFile::remove(csv);
        state.ResumeTiming();
    }
    xl::savefile_seam::reset();
    state.SetItemsProcessed(state.iterations() * orders);
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
    state.SetItemsProcessed(state.iterations() * orders);
}

BENCHMARK(BM_StraightLibxlsxwriter)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_ExportToExcel)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_ExportToCsv)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

int main(int argc, char** argv)
{
    qunsetenv("QT_QPA_PLATFORMTHEME");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    listedGrid(); // filled once, outside both timings
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
