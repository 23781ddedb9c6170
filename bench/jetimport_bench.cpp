// Converting a Jet-format data.mdb of 200,000 orders (what the start-up does after Yes: the helper's count,
// then the conversion into a new store, read back and put in place) against mdbtools' own mdb-export of
// the same file in the same run. Time is CPU time of this process and its children (the helpers and
// mdb-export), so the numbers do not depend on how busy the shared machine is.
// Peak memory is measured in a child process per case: its own VmHWM, and that of its helper processes
// (polled while they run; VmHWM only grows).
#include "bench/jetfile.h"
#include "jetimport/Converter.h"

#include "bench/generator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>

namespace {

// The generated orders of the Jet file; --orders=N picks another size.
int orders = 200000;

QString jetFile()
{
    const QString folder = QDir::temp().filePath(QStringLiteral("tallywick-bench/jet-%1").arg(orders));
    const QString path = QDir(folder).filePath(QStringLiteral("source.mdb"));
    if (!QFile::exists(path)) {
        QDir().mkpath(folder);
        if (!benchjet::writeJetFile(path, orders)) {
            std::exit(2);
        }
    }
    return path;
}

double cpuSeconds()
{
    double total = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage u{};
        getrusage(who, &u);
        total += double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
                 double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
    }
    return total;
}

// What start-up does once the user said Yes, on a fresh copy in a fresh folder.
qint64 convertOnce()
{
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data.mdb"));
    QFile::copy(jetFile(), data);
    const jetimport::Probe found = jetimport::probe(data, [] { return true; });
    const jetimport::Converted done = jetimport::convert(data, found, [](qint64) { return true; });
    return done.orders;
}

void mdbExportOnce()
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(QStringLiteral("mdb-export"), {jetFile(), QStringLiteral("ddlist")});
    p.waitForFinished(-1);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fputs("mdb-export failed\n", stderr);
        std::exit(2);
    }
}

// The highest VmHWM of this process's children while they run.
long childrenPeakKb = 0;
void pollChildren()
{
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile children(tasks.filePath(task + QStringLiteral("/children")));
        if (!children.open(QIODevice::ReadOnly)) {
            continue;
        }
        for (const QByteArray& pid : children.readAll().split(' ')) {
            if (!pid.trimmed().isEmpty()) {
                childrenPeakKb = std::max(
                    childrenPeakKb,
                    bench::peakKb(QStringLiteral("/proc/%1/status").arg(QString::fromLatin1(pid.trimmed()))));
            }
        }
    }
}

// Runs a case in a child process of this program: "own children" peak memory in MB.
std::pair<double, double> childPeakMb(const char* kind)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(
        QCoreApplication::applicationFilePath(),
        {QStringLiteral("--orders=%1").arg(orders), QStringLiteral("--peak=%1").arg(QLatin1String(kind))});
    if (!child.waitForFinished(-1) || child.exitCode() != 0) {
        return {-1, -1};
    }
    const QList<QByteArray> kb = child.readAllStandardOutput().trimmed().split(' ');
    return {kb.value(0).toDouble() / 1024.0, kb.value(1).toDouble() / 1024.0};
}

void registerCase(const char* kind, void (*once)())
{
    benchmark::RegisterBenchmark(kind,
                                 [=](benchmark::State& state) {
                                     jetFile();
                                     for (auto _ : state) {
                                         const double before = cpuSeconds();
                                         once();
                                         state.SetIterationTime(cpuSeconds() - before);
                                     }
                                     const auto [own, children] = childPeakMb(kind);
                                     state.counters["peak_MB"] = own;
                                     state.counters["child_peak_MB"] = children;
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--orders=", 9) == 0) {
            orders = std::atoi(argv[i] + 9);
            std::copy(argv + i + 1, argv + argc, argv + i); // not for Google Benchmark
            --argc;
            break;
        }
    }
    // --peak=kind runs one case and prints this process's peak and its children's, in kB.
    if (argc == 2 && std::strncmp(argv[1], "--peak=", 7) == 0) {
        jetFile();
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &poll, pollChildren);
        poll.start(5);
        if (std::strcmp(argv[1] + 7, "convert") == 0) {
            convertOnce();
        } else {
            QProcess p;
            p.setStandardOutputFile(QProcess::nullDevice());
            p.start(QStringLiteral("mdb-export"), {jetFile(), QStringLiteral("ddlist")});
            while (!p.waitForFinished(5)) {
                pollChildren();
            }
        }
        std::printf("%ld %ld\n", bench::peakKb(QStringLiteral("/proc/self/status")), childrenPeakKb);
        return 0;
    }
    registerCase("mdb_export", [] { mdbExportOnce(); });
    registerCase("convert", [] { benchmark::DoNotOptimize(convertOnce()); });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
