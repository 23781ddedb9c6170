// The listing of the main window (five totals and the list into the grid, and the first screen painted)
// against the read-everything floor: the five totals and the list as six statements straight on SQLite,
// each on a fresh connection, every cell read as text. Peak memory is measured in a child process per case
// (its VmHWM). The planner cases run the listing's one scan straight on SQLite with and without the index for
// the date range, for a wide and a narrow range.

#include "bench/generator.h"
#include "mainwindow/MainWindow.h"
#include "store/AppFolder.h"
#include "store/OrderStore.h"
#include "store/TextForms.h"
#include "ui/FlexGrid.h"

#include <QApplication>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <sqlite3.h>

namespace {

enum class Filter { All, OneDay, Keyword, KeywordMonth };

const char* filterName(Filter f)
{
    switch (f) {
    case Filter::All:
        return "all";
    case Filter::OneDay:
        return "day";
    case Filter::Keyword:
        return "keyword";
    case Filter::KeywordMonth:
        return "keyword_month";
    }
    return "";
}

Filter filterNamed(const QString& name)
{
    for (Filter f : {Filter::All, Filter::OneDay, Filter::Keyword, Filter::KeywordMonth}) {
        if (name == QLatin1String(filterName(f))) {
            return f;
        }
    }
    return Filter::All;
}

const QDate lastDay(2026, 12, 9);
constexpr int years = 4;

// The first day of the range: all four years, or the last month.
QDate rangeStart(Filter f)
{
    return f == Filter::KeywordMonth ? lastDay.addDays(-30) : lastDay.addYears(-years).addDays(1);
}

// The filter as the main window builds it.
store::OrderFilter filter(Filter f)
{
    switch (f) {
    case Filter::All:
        return store::OrderFilter::everyOrder();
    case Filter::OneDay:
        return store::OrderFilter::days(lastDay, lastDay);
    case Filter::Keyword:
    case Filter::KeywordMonth:
        return {rangeStart(f), lastDay, store::SearchField::Goods, bench::commonKeyword()};
    }
    return {};
}

// The same filter written for SQLite by hand; scan: the date range kept off the index.
QByteArray nativeCondition(Filter f, bool scan = false)
{
    const QByteArray last = lastDay.toString(Qt::ISODate).toUtf8();
    const QByteArray column = scan ? "+xsdate" : "xsdate";
    switch (f) {
    case Filter::All:
        return QByteArray();
    case Filter::OneDay:
        return " AND xsdate='" + last + "'";
    case Filter::Keyword:
    case Filter::KeywordMonth:
        return " AND spname LIKE '%" + bench::commonKeyword().toUtf8() + "%' AND " + column + ">='" +
               rangeStart(f).toString(Qt::ISODate).toUtf8() + "' AND " + column + "<='" + last + "'";
    }
    return QByteArray();
}

QByteArray dataPath(qint64 orders)
{
    return (bench::storeFolder(orders) + QStringLiteral("/data.mdb")).toUtf8();
}

// Runs statements, each on its own connection, reading every cell as text; returns the bytes read.
std::size_t readAll(const QByteArray& path, std::initializer_list<QByteArray> statements)
{
    std::size_t bytes = 0;
    for (const QByteArray& sql : statements) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        bytes += bench::readEveryCell(db, sql.constData());
        sqlite3_close(db);
    }
    return bytes;
}

// The floor: the six statements, every cell read as text.
std::size_t baselineListing(qint64 orders, Filter f)
{
    const QByteArray where = "FROM ddlist WHERE 1=1" + nativeCondition(f);
    return readAll(dataPath(orders),
                   {"SELECT count(*) " + where, "SELECT sum(sl) " + where, "SELECT sum(jj*sl) " + where,
                    "SELECT sum(sj*sl) " + where, "SELECT sum((sj-jj)*sl) " + where,
                    "SELECT * " + where + " ORDER BY id DESC"});
}

// The listing's one scan straight on SQLite, by the index or not.
std::size_t plannedScan(qint64 orders, Filter f, bool scan)
{
    return readAll(dataPath(orders), {"SELECT id,jj,sl,sj FROM ddlist WHERE 1=1" + nativeCondition(f, scan) +
                                      " ORDER BY id DESC"});
}

QString dataFile(qint64 orders)
{
    return store::dataFileIn(bench::storeFolder(orders));
}

// The main window of a store of that many orders, shown: the first screen of each listing is painted, as
// the seller sees it.
mainwindow::MainWindow& window(qint64 orders)
{
    static std::map<qint64, mainwindow::MainWindow*> windows;
    mainwindow::MainWindow*& window = windows[orders];
    if (!window) {
        store::setAppFolder(bench::storeFolder(orders));
        window = new mainwindow::MainWindow;
        window->resize(1000, 700);
        window->show();
    }
    return *window;
}

// listOrders and the grid's first screen painted.
void listAndPaint(qint64 orders, Filter f)
{
    mainwindow::MainWindow& w = window(orders);
    w.listOrders(filter(f));
    w.orderGrid->viewport()->repaint();
}

void runCase(const QString& kind, qint64 orders, Filter f)
{
    if (kind == QLatin1String("baseline")) {
        baselineListing(orders, f);
    } else if (kind == QLatin1String("store")) {
        store::OrderStore(dataFile(orders)).list(filter(f));
    } else if (kind == QLatin1String("listOrders")) {
        listAndPaint(orders, f);
    } else {
        window(orders); // idle: the program with its window and nothing listed
    }
}

// Runs one case in a child process of this program and returns the child's peak resident memory in MB.
double childPeakMb(const char* kind, qint64 orders, Filter f)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak=%1:%2:%3")
                                                              .arg(QLatin1String(kind))
                                                              .arg(orders)
                                                              .arg(QLatin1String(filterName(f)))});
    if (!child.waitForFinished(-1) || child.exitCode() != 0) {
        return -1;
    }
    bool ok = false;
    const double kb = child.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? kb / 1024.0 : -1;
}

void registerCase(qint64 orders, Filter f, int iterations)
{
    const std::string suffix = std::string("/") + std::to_string(orders) + "/" + filterName(f);
    auto add = [&](const char* kind, std::function<void()> once) {
        const std::string name = std::string(kind) + suffix;
        benchmark::RegisterBenchmark(name.c_str(),
                                     [=](benchmark::State& state) {
                                         for (auto _ : state) {
                                             once();
                                         }
                                         state.counters["peak_MB"] = childPeakMb(kind, orders, f);
                                     })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(iterations);
    };
    add("baseline", [=] { benchmark::DoNotOptimize(baselineListing(orders, f)); });
    add("store", [=] { benchmark::DoNotOptimize(store::OrderStore(dataFile(orders)).list(filter(f))); });
    add("listOrders", [=] { listAndPaint(orders, f); });
    add("idle", [=] { window(orders); });
}

void registerPlanner(qint64 orders, Filter f, int iterations)
{
    for (const bool scan : {false, true}) {
        const std::string name = std::string(scan ? "planner_scan/" : "planner_index/") +
                                 std::to_string(orders) + "/" + filterName(f);
        benchmark::RegisterBenchmark(name.c_str(),
                                     [=](benchmark::State& state) {
                                         for (auto _ : state) {
                                             benchmark::DoNotOptimize(plannedScan(orders, f, scan));
                                         }
                                     })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(iterations);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qunsetenv("QT_QPA_PLATFORMTHEME");
    QApplication app(argc, argv);
    store::textforms::setUiLocale(QLocale(QLocale::Chinese, QLocale::China));

    // --peak=kind:orders:filter runs one case and exits: the parent reads this process's peak memory.
    if (argc == 2 && std::strncmp(argv[1], "--peak=", 7) == 0) {
        const QStringList parts = QString::fromUtf8(argv[1] + 7).split(QLatin1Char(':'));
        if (parts.size() != 3) {
            return 2;
        }
        runCase(parts[0], parts[1].toLongLong(), filterNamed(parts[2]));
        std::printf("%ld\n", bench::peakKb());
        return 0;
    }

    registerCase(1000, Filter::All, 20);
    registerCase(100000, Filter::All, 5);
    registerCase(1000000, Filter::OneDay, 50);
    registerCase(1000000, Filter::Keyword, 3);
    registerCase(1000000, Filter::KeywordMonth, 10);
    registerCase(1000000, Filter::All, 3);
    registerPlanner(1000000, Filter::Keyword, 3);
    registerPlanner(1000000, Filter::KeywordMonth, 10);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
