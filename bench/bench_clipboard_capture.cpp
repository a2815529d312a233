// Clipboard capture as people feel it: how long the panel's thread stalls while an 8K
// screenshot or an 8 MiB text is captured, and how soon a copy made by another program is in
// the history.
// Runs on its own Xvfb and temporary HOME; xclip plays the other program.
#include "fake_pasteboard.h"
#include "platform/qt_clipboard_pasteboard.h"
#include "store/app_store.h"
#include "test_environment.h"
#include "views/clipboard/clipboard_view.h"
#include "xvfb_server.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>
#include <ctime>
#include <memory>

namespace {

// A screenshot-like 7680×4320 picture: gradients, text and some noise, so that PNG
// encoding does real work (a flat fill compresses to nothing).
QImage screenshotLike()
{
    QImage image(7680, 4320, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 7680, 4320);
    gradient.setColorAt(0, QColor(30, 40, 70));
    gradient.setColorAt(1, QColor(220, 200, 160));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::white);
    for (int y = 40; y < 4320; y += 60)
        painter.drawText(40, y, QStringLiteral("剪贴板 clipboard history line %1 — the quick brown fox").arg(y));
    painter.end();
    QRandomGenerator rng(7);
    for (int i = 0; i < 400000; ++i)
        image.setPixel(int(rng.bounded(7680)), int(rng.bounded(4320)), rng.generate() | 0xFF000000u);
    return image;
}

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

void removeHistory()
{
    const QString support = QDir::homePath() + QStringLiteral("/.local/share/Quillo");
    QFile::remove(support + QStringLiteral("/clipboard-history.json"));
    QDir(support + QStringLiteral("/ClipboardImages")).removeRecursively();
}

// Longest gap between the main loop's turns, from the change until the entry is in
// `clips`: that is how long the panel could not repaint or answer the pointer. On a busy
// machine that gap includes time the thread was merely not scheduled; main_cpu_ms is the
// main thread's own CPU time over the whole capture (heartbeat wake-ups included).
void BM_MainThreadStallWhileCapturing8KPicture(benchmark::State &state)
{
    static const QByteArray png = FakePasteboard::pngBytes(screenshotLike());
    QList<double> stalls;
    QList<double> cpu;
    for (auto _ : state) {
        removeHistory();
        FakePasteboard pasteboard;
        AppStore::Options options;
        options.pasteboard = &pasteboard;
        options.startMonitoring = true;
        AppStore store(options);

        QElapsedTimer sinceLastTurn;
        qint64 longest = 0;
        QTimer heartbeat;
        heartbeat.setTimerType(Qt::PreciseTimer);
        heartbeat.setInterval(1);
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            longest = std::max(longest, sinceLastTurn.nsecsElapsed());
            sinceLastTurn.restart();
        });
        heartbeat.start();
        sinceLastTurn.start();
        const double cpuBefore = threadCpuMs();

        FakePasteboard::Content content;
        content.types = {QStringLiteral("image/png")};
        content.image = Pasteboard::RawImage{png, QStringLiteral("image/png")};
        QEventLoop loop;
        QObject::connect(&store, &AppStore::clipsChanged, &loop, &QEventLoop::quit);
        pasteboard.setContent(content); // announced: checked on the next turn of the loop
        loop.exec();
        longest = std::max(longest, sinceLastTurn.nsecsElapsed());
        state.SetIterationTime(double(longest) / 1e9);
        stalls << double(longest) / 1e6;
        cpu << threadCpuMs() - cpuBefore;
    }
    std::sort(cpu.begin(), cpu.end());
    state.counters["main_cpu_ms"] = cpu[cpu.size() / 2];
    std::sort(stalls.begin(), stalls.end());
    state.counters["median_stall_ms"] = stalls[stalls.size() / 2];
    state.counters["worst_stall_ms"] = stalls.last();
    state.counters["png_MB"] = double(png.size()) / 1e6;
}
BENCHMARK(BM_MainThreadStallWhileCapturing8KPicture)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

// Prose with digits, colons and equals signs, so that the secret patterns have work to do on
// every line, and none of them matches.
QByteArray eightMiBOfText()
{
    QByteArray text;
    text.reserve(8 << 20);
    for (int line = 0; text.size() + 100 < (8 << 20); ++line)
        text += "Line " + QByteArray::number(line)
                + ": the quick brown fox = jumps over the lazy dog; 2024-05-06 12:34 report-final_v2.txt\n";
    return text;
}

// The whole path of a huge copy with the filter on: xclip serves it, the clipboard worker reads
// it, the text is filtered and classified, the page lists it and the history file is written.
// The longest gap between the main loop's turns, from xclip's start until the file is written;
// idle_stall_ms is the longest gap over the half second before, with nothing to do (what the
// machine's load alone costs), and main_cpu_ms the main thread's own CPU time for the capture.
void BM_MainThreadStallWhileCapturing8MiBText(benchmark::State &state)
{
    static const QByteArray text = eightMiBOfText();
    // xclip reads the file itself: writing 8 MiB into its pipe would be the main thread's work.
    const QString textFile = QDir::homePath() + QStringLiteral("/eight-mib.txt");
    if (QFile file(textFile); !file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
        state.SkipWithError("cannot write the text file");
        return;
    }
    QList<double> stalls;
    QList<double> idle;
    QList<double> cpu;
    for (auto _ : state) {
        removeHistory();
        QtClipboardPasteboard pasteboard;
        AppStore store(AppStore::Options{&pasteboard, nullptr, nullptr, true});
        ClipboardView view(store);
        view.resize(440, 760);
        view.show();
        QCoreApplication::processEvents();

        QElapsedTimer sinceLastTurn;
        qint64 longest = 0;
        QTimer heartbeat;
        heartbeat.setTimerType(Qt::PreciseTimer);
        heartbeat.setInterval(1);
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            longest = std::max(longest, sinceLastTurn.nsecsElapsed());
            sinceLastTurn.restart();
        });
        QEventLoop loop;
        QObject::connect(&store, &AppStore::historySaved, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        heartbeat.start();
        sinceLastTurn.start();
        QEventLoop pause;
        QTimer::singleShot(500, &pause, &QEventLoop::quit);
        pause.exec();
        idle << double(longest) / 1e6;
        longest = 0;
        const double cpuBefore = threadCpuMs();
        QProcess xclip;
        xclip.setStandardOutputFile(QProcess::nullDevice());
        xclip.setStandardErrorFile(QProcess::nullDevice());
        xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"), textFile});
        loop.exec();
        longest = std::max(longest, sinceLastTurn.nsecsElapsed());
        if (store.clips().isEmpty() || store.clips().first().content.size() < text.size() - 1) {
            state.SkipWithError("the text was not recorded");
            return;
        }
        state.SetIterationTime(double(longest) / 1e9);
        stalls << double(longest) / 1e6;
        cpu << threadCpuMs() - cpuBefore;
        xclip.waitForFinished();
    }
    for (QList<double> *values : {&stalls, &idle, &cpu})
        std::sort(values->begin(), values->end());
    state.counters["median_stall_ms"] = stalls[stalls.size() / 2];
    state.counters["worst_stall_ms"] = stalls.last();
    state.counters["idle_stall_ms"] = idle[idle.size() / 2];
    state.counters["main_cpu_ms"] = cpu[cpu.size() / 2];
}
BENCHMARK(BM_MainThreadStallWhileCapturing8MiBText)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// From starting xclip until the entry is in memory (xclip's own start-up included).
void BM_XclipCopyToEntry(benchmark::State &state)
{
    removeHistory();
    QtClipboardPasteboard pasteboard;
    AppStore::Options options;
    options.pasteboard = &pasteboard;
    AppStore store(options);
    QList<double> samples;
    int n = 0;
    for (auto _ : state) {
        const QByteArray text = "copied line number " + QByteArray::number(++n);
        QElapsedTimer clock;
        clock.start();
        QProcess xclip;
        xclip.setStandardOutputFile(QProcess::nullDevice());
        xclip.setStandardErrorFile(QProcess::nullDevice());
        xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard")});
        xclip.write(text);
        xclip.closeWriteChannel();
        QEventLoop loop;
        QObject::connect(&store, &AppStore::clipsChanged, &loop, &QEventLoop::quit);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        if (store.clips().isEmpty() || store.clips().first().content != QString::fromUtf8(text)) {
            state.SkipWithError("the copy was not recorded");
            return;
        }
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        samples << seconds;
        state.SetIterationTime(seconds);
        xclip.waitForFinished();
    }
    std::sort(samples.begin(), samples.end());
    state.counters["median_ms"] = samples[samples.size() / 2] * 1e3;
    state.counters["max_ms"] = samples.last() * 1e3;
}
BENCHMARK(BM_XclipCopyToEntry)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(41);

} // namespace

int main(int argc, char **argv)
{
    TestEnvironment environment;
    XvfbServer xvfb;
    if (!xvfb.isRunning())
        return 1;
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
