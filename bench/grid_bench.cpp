// Filling the order grid: the grid's compact cell store against a baseline that keeps one QString per cell
// (what a QStandardItemModel would hold at the least), with the same texts written in the same order.
#include "ui/FlexGrid.h"

#include <QApplication>
#include <QString>
#include <array>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int columns = 9;

// The texts of one listed order, as ddlist writes them.
void orderTexts(int row, std::array<QString, columns>& cells)
{
    cells[0].setNum(1'000'000 - row);
    cells[1] = QStringLiteral("蓝牙耳机 黑色 %1号").arg(row % 97);
    cells[2] = QStringLiteral("买家%1").arg(row % 5000);
    cells[3].setNum(row % 7 + 1);
    cells[4] = QStringLiteral("35.5");
    cells[5] = QStringLiteral("59");
    cells[6] = QStringLiteral("2026/%1/%2").arg(row % 12 + 1).arg(row % 28 + 1);
    cells[7] = QStringLiteral("YT%1").arg(1'000'000'000 + row);
    cells[8] = row % 3 ? QStringLiteral(" ") : QStringLiteral("加急，周末送达");
}

void BM_BaselineQStringPerCell(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    std::array<QString, columns> cells;
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::vector<QString> table(static_cast<std::size_t>(rows + 1) * columns);
        bytes = table.capacity() * sizeof(QString);
        for (int r = 1; r <= rows; ++r) {
            orderTexts(r, cells);
            for (int c = 0; c < columns; ++c) {
                QString& cell = table[static_cast<std::size_t>(r) * columns + c];
                cell = QString(cells[c].constData(), cells[c].size()); // a string of its own per cell
                bytes += sizeof(char16_t) * (cell.capacity() + 1) + 16;
            }
        }
        benchmark::DoNotOptimize(table.data());
    }
    state.counters["MB"] = static_cast<double>(bytes) / (1 << 20);
}

void BM_FlexGridFill(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    std::array<QString, columns> cells;
    ui::FlexGrid grid;
    for (auto _ : state) {
        grid.reserve(rows + 1);
        grid.setRows(rows + 1);
        grid.setCols(columns);
        grid.Clear();
        for (int r = 1; r <= rows; ++r) {
            orderTexts(r, cells);
            for (int c = 0; c < columns; ++c) {
                grid.setTextMatrix(r, c, cells[c]);
            }
        }
        benchmark::DoNotOptimize(grid.TextMatrix(rows, 0));
    }
    state.counters["MB"] = static_cast<double>(grid.textBytes()) / (1 << 20);
}

BENCHMARK(BM_BaselineQStringPerCell)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlexGridFill)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
