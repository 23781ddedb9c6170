// The listing of the main window (five totals and the list into the grid) against a baseline that runs the
// same six statements straight on SQLite, each on a fresh connection, reading every cell as text.
// Peak memory is measured in a child process per case (its VmHWM).

#include "bench/generator.h"
#include "mainwindow/MainForm.h"
#include "store/DbConfig.h"
#include "store/Recordset.h"
#include "store/TextForms.h"
#include "ui/FlexGrid.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sqlite3.h>

namespace {

enum class Filter { All, OneDay, Keyword };

const char* filterName(Filter f)
{
    switch (f) {
    case Filter::All:
        return "all";
    case Filter::OneDay:
        return "day";
    case Filter::Keyword:
        return "keyword";
    }
    return "";
}

const bench::StoreShape shapeOf(qint64 orders)
{
    bench::StoreShape shape;
    shape.orders = orders;
    return shape;
}

// Stores are kept between runs: generating a million orders takes a while.
QString storeFolder(qint64 orders)
{
    const QString folder = QDir::temp().filePath(QStringLiteral("tallywick-bench/%1").arg(orders));
    const QString file = folder + QStringLiteral("/data.mdb");
    if (!QFileInfo::exists(file)) {
        QDir().mkpath(folder);
        bench::generateStore(file + QStringLiteral(".part"), shapeOf(orders));
        QFile::rename(file + QStringLiteral(".part"), file);
    }
    return folder;
}

QDate firstDay(qint64 orders)
{
    const bench::StoreShape s = shapeOf(orders);
    return s.lastDay.addYears(-s.years).addDays(1);
}

// The condition as the windows build it.
QString condition(Filter f, qint64 orders)
{
    const QDate last = shapeOf(orders).lastDay;
    switch (f) {
    case Filter::All:
        return QString();
    case Filter::OneDay:
        return QStringLiteral(" and  xsdate=#") + textforms::dateText(last) + QStringLiteral("#  ");
    case Filter::Keyword:
        return QStringLiteral(" and spname like '%") + bench::commonKeyword() + QStringLiteral("%' ") +
               QStringLiteral(" and  xsdate>=#") + textforms::dateText(firstDay(orders)) +
               QStringLiteral("#   and xsdate<= #") + textforms::dateText(last) + QStringLiteral("#   ");
    }
    return QString();
}

// The same condition written for SQLite by hand.
QByteArray nativeCondition(Filter f, qint64 orders)
{
    const QByteArray last = shapeOf(orders).lastDay.toString(Qt::ISODate).toUtf8();
    switch (f) {
    case Filter::All:
        return QByteArray();
    case Filter::OneDay:
        return " AND xsdate='" + last + "'";
    case Filter::Keyword:
        return " AND spname LIKE '%" + bench::commonKeyword().toUtf8() + "%' AND xsdate>='" +
               firstDay(orders).toString(Qt::ISODate).toUtf8() + "' AND xsdate<='" + last + "'";
    }
    return QByteArray();
}

// The baseline: six statements, each on its own connection, every cell read as text.
std::size_t baselineListing(const QString& folder, Filter f, qint64 orders)
{
    const QByteArray path = (folder + QStringLiteral("/data.mdb")).toUtf8();
    const QByteArray where = "FROM ddlist WHERE 1=1" + nativeCondition(f, orders);
    const QByteArray statements[] = {
        "SELECT count(*) " + where,        "SELECT sum(sl) " + where,
        "SELECT sum(jj*sl) " + where,      "SELECT sum(sj*sl) " + where,
        "SELECT sum((sj-jj)*sl) " + where, "SELECT * " + where + " ORDER BY id DESC"};
    std::size_t bytes = 0;
    for (const QByteArray& sql : statements) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr);
        const int columns = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                const unsigned char* text = sqlite3_column_text(st, c);
                benchmark::DoNotOptimize(text);
                bytes += std::size_t(sqlite3_column_bytes(st, c));
            }
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
    }
    return bytes;
}

// The store alone: the six statements through the recordset, every cell turned into its shown text.
std::size_t storeListing(Filter f, qint64 orders)
{
    const QString cond = condition(f, orders);
    const char* heads[] = {
        "select count(*) as j from ddlist where 1=1 ", "select sum(sl) as j from ddlist where 1=1 ",
        "select sum(jj*sl) as j from ddlist where 1=1 ", "select sum(sj*sl) as j from ddlist where 1=1 ",
        "select sum((sj-jj)*sl) as j from ddlist where 1=1 "};
    std::size_t chars = 0;
    store::Recordset& rs = db_config::takeDdrs();
    rs.ActiveConnection = db_config::connstr;
    rs.CursorLocation = 3;
    rs.CursorType = 3;
    rs.LockType = 1;
    for (const char* head : heads) {
        rs.Source = QString::fromUtf8(head) + cond;
        rs.Open();
        chars += std::size_t(rs.Fields(QStringLiteral("j")).text().size());
        rs.Close();
    }
    rs.Source =
        QStringLiteral("select * from ddlist where 1=1 ") + cond + QStringLiteral("  order by id desc");
    rs.Open();
    const int columns = 9;
    while (!rs.Eof()) {
        for (int c = 0; c < columns; ++c) {
            chars += std::size_t(rs.textAt(c).size());
        }
        rs.MoveNext();
    }
    db_config::releaseDdrs();
    return chars;
}

MainForm& window()
{
    static MainForm* form = new MainForm;
    return *form;
}

void useStore(const QString& folder)
{
    db_config::setAppFolder(folder);
    db_config::connstr = db_config::buildConnstr(folder);
}

void runCase(const char* kind, qint64 orders, Filter f)
{
    const QString folder = storeFolder(orders);
    useStore(folder);
    if (std::strcmp(kind, "baseline") == 0) {
        baselineListing(folder, f, orders);
    } else if (std::strcmp(kind, "store") == 0) {
        storeListing(f, orders);
    } else if (std::strcmp(kind, "ddlist") == 0) {
        window().ddlist(condition(f, orders));
    } else {
        window(); // idle: the program with its window and nothing listed
    }
}

// Runs one case in a child process of this program and returns the child's peak resident memory in MB.
// The child reports VmHWM itself: getrusage of a child counts the parent's memory as well, as a spawned
// child starts out in the parent's address space.
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

// This process's peak resident memory in kB, from /proc/self/status.
long peakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

void registerCase(qint64 orders, Filter f, int iterations)
{
    const std::string suffix = std::string("/") + std::to_string(orders) + "/" + filterName(f);
    auto add = [&](const char* kind, std::function<void()> once) {
        const std::string name = std::string(kind) + suffix;
        benchmark::RegisterBenchmark(name.c_str(),
                                     [=](benchmark::State& state) {
                                         useStore(storeFolder(orders));
                                         for (auto _ : state) {
                                             once();
                                         }
                                         state.counters["peak_MB"] = childPeakMb(kind, orders, f);
                                     })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(iterations);
    };
    add("baseline", [=] { benchmark::DoNotOptimize(baselineListing(storeFolder(orders), f, orders)); });
    add("store", [=] { benchmark::DoNotOptimize(storeListing(f, orders)); });
    add("ddlist", [=] { window().ddlist(condition(f, orders)); });
    add("idle", [] { window(); });
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qunsetenv("QT_QPA_PLATFORMTHEME");
    QApplication app(argc, argv);
    textforms::setUiLocale(QLocale(QLocale::Chinese, QLocale::China));

    // --peak=kind:orders:filter runs one case and exits: the parent reads this process's peak memory.
    if (argc == 2 && std::strncmp(argv[1], "--peak=", 7) == 0) {
        const QStringList parts = QString::fromUtf8(argv[1] + 7).split(QLatin1Char(':'));
        if (parts.size() != 3) {
            return 2;
        }
        const Filter f = parts[2] == QLatin1String("day")       ? Filter::OneDay
                         : parts[2] == QLatin1String("keyword") ? Filter::Keyword
                                                                : Filter::All;
        runCase(parts[0].toUtf8().constData(), parts[1].toLongLong(), f);
        std::printf("%ld\n", peakKb());
        return 0;
    }

    registerCase(1000, Filter::All, 20);
    registerCase(100000, Filter::All, 5);
    registerCase(1000000, Filter::OneDay, 50);
    registerCase(1000000, Filter::Keyword, 3);
    registerCase(1000000, Filter::All, 2);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
