// A history file of 10,000 or 100,000 entries (edited by hand, or grown by another program):
// the real `quillo` starts on it on a private Xvfb. How long until the panel is on screen, and the
// process's peak and settled memory.
#include "store/clip_json.h"
#include "test_environment.h"
#include "xvfb_server.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <algorithm>

namespace {

QString historyPath()
{
    return QDir::homePath() + QStringLiteral("/.local/share/Quillo/clipboard-history.json");
}

void writeLargeHistory(int count)
{
    QList<ClipItem> clips;
    clips.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString text = QStringLiteral("copied text number %1 ").arg(i)
                             + QStringLiteral("lorem ipsum dolor sit amet ").repeated(i % 5);
        ClipItem item = ClipItem::make(ClipKind::text, text.left(64), text);
        item.createdAt = 757382400.0 + i;
        item.isPinned = i % 5000 == 0;
        clips << item;
    }
    QDir().mkpath(QFileInfo(historyPath()).absolutePath());
    QFile file(historyPath());
    file.open(QIODevice::WriteOnly);
    file.write(ClipJson::encodeClips(clips));
}

bool panelShown()
{
    QProcess search;
    search.start(QStringLiteral("xdotool"), {"search", "--onlyvisible", "--name", "Quillo"});
    search.waitForFinished();
    return search.exitCode() == 0 && !search.readAllStandardOutput().trimmed().isEmpty();
}

// kB from /proc/PID/status ("VmHWM", "VmRSS").
double megabytes(qint64 pid, const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

void BM_StartWithLargeHistory(benchmark::State &state)
{
    QList<double> shown, peak, settled;
    for (auto _ : state) {
        // Start-up keeps the file aside only at its first write, which never comes here.
        writeLargeHistory(int(state.range(0)));
        QElapsedTimer clock;
        clock.start();
        QProcess quillo;
        quillo.start(QStringLiteral(QUILLO_BINARY), {});
        while (!panelShown() && clock.elapsed() < 30000)
            QThread::msleep(5);
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        state.SetIterationTime(seconds);
        shown << seconds * 1e3;
        QThread::msleep(500);
        peak << megabytes(quillo.processId(), "VmHWM");
        settled << megabytes(quillo.processId(), "VmRSS");
        quillo.terminate();
        quillo.waitForFinished();
    }
    std::sort(shown.begin(), shown.end());
    state.counters["shown_ms"] = shown[shown.size() / 2];
    state.counters["peak_MB"] = *std::max_element(peak.cbegin(), peak.cend());
    state.counters["settled_MB"] = *std::max_element(settled.cbegin(), settled.cend());
}
BENCHMARK(BM_StartWithLargeHistory)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    TestEnvironment environment;
    XvfbServer xvfb;
    if (!xvfb.isRunning())
        return 1;
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
