#include "bench_store.h"
#include "fake_pasteboard.h"
#include "store/app_store.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr double kStart = 757382400.0; // 2025-01-01 in reference seconds

// A history as people have it: Chinese and English prose, links, code, files and
// pictures, a few pinned.
QList<ClipItem> realisticHistory(int count)
{
    static const QString kTexts[] = {
        QStringLiteral("明天下午三点在二楼会议室讨论季度计划，请带上上周的数据。"),
        QStringLiteral("The quick brown fox jumps over the lazy dog, then rests under the old oak tree."),
        QStringLiteral("收货地址：上海市徐汇区漕溪北路 88 号 12 楼，电话联系前台。"),
    };
    QList<ClipItem> clips;
    for (int i = 0; i < count; ++i) {
        ClipItem item;
        const QString text = kTexts[i % 3].repeated(1 + i % 6);
        switch (i % 6) {
        case 0:
        case 1: item = ClipItem::make(ClipKind::text, text.left(64), text); break;
        case 2:
            item = ClipItem::make(ClipKind::link, QStringLiteral("example.org"),
                                  QStringLiteral("https://example.org/articles/%1?lang=zh-CN").arg(i),
                                  ClipItem::sourceBrowser());
            break;
        case 3:
            item = ClipItem::make(ClipKind::code, QStringLiteral("const total = items.reduce("),
                                  QStringLiteral("const total = items.reduce((a, b) => a + b.price * %1, 0);").arg(i));
            break;
        case 4:
            item = ClipItem::make(ClipKind::file, QStringLiteral("报告-%1.pdf").arg(i),
                                  QStringLiteral("/home/user/Documents/报告-%1.pdf").arg(i), ClipItem::sourceFinder());
            break;
        default:
            item = ClipItem::make(ClipKind::image, QStringLiteral("复制的图片"), QStringLiteral("图片"),
                                  ClipItem::sourceClipboard(),
                                  QStringLiteral("/home/user/.local/share/Quillo/ClipboardImages/%1.png").arg(i));
        }
        item.isPinned = i % 17 == 0;
        item.createdAt = kStart + (count - i) * 61.25;
        clips.append(item);
    }
    return clips;
}

// One store in a private HOME, holding the given history.
struct ClipsBench : BenchStore
{
    explicit ClipsBench(const QList<ClipItem> &clips) { store->setClips(clips); }
};

QList<ClipItem> historyWithHugeEntry()
{
    QList<ClipItem> clips = realisticHistory(99);
    const QString line = QStringLiteral("0123456789 abcdefghij 中文内容 / \"quotes\" lorem ipsum dolor\n");
    const qsizetype lineBytes = line.toUtf8().size();
    QString content;
    for (qsizetype bytes = 0; bytes < 8 * 1024 * 1024; bytes += lineBytes)
        content += line;
    ClipItem huge = ClipItem::make(ClipKind::text, content.left(64), content);
    huge.createdAt = kStart + 10000;
    clips.prepend(huge);
    return clips;
}

// One keystroke: the query grows by one character and the page reads the list again.
void runKeystrokes(benchmark::State &state, const QList<ClipItem> &clips, const QString &shorter, const QString &longer)
{
    ClipsBench bench(clips);
    bench.store->setQuery(shorter);
    benchmark::DoNotOptimize(bench.store->filteredClips()); // the once-per-change index
    bool grow = true;
    for (auto _ : state) {
        bench.store->setQuery(grow ? longer : shorter);
        benchmark::DoNotOptimize(bench.store->filteredClips());
        grow = !grow;
    }
}

void BM_Keystroke100Entries(benchmark::State &state)
{
    runKeystrokes(state, realisticHistory(100), QStringLiteral("会"), QStringLiteral("会议"));
}
BENCHMARK(BM_Keystroke100Entries)->Unit(benchmark::kMicrosecond);

// A query found nowhere: every search text, the 8 MB one included, is scanned to the end.
void BM_KeystrokeWith8MBEntry(benchmark::State &state)
{
    runKeystrokes(state, historyWithHugeEntry(), QStringLiteral("zq"), QStringLiteral("zqx"));
}
BENCHMARK(BM_KeystrokeWith8MBEntry)->Unit(benchmark::kMillisecond);

// The first read after the history changed: the index is rebuilt (once per change).
void BM_FirstReadAfterChangeWith8MBEntry(benchmark::State &state)
{
    const QList<ClipItem> clips = historyWithHugeEntry();
    ClipsBench bench(clips);
    bench.store->setQuery(QStringLiteral("zq"));
    for (auto _ : state) {
        state.PauseTiming();
        ClipItem pinned = bench.store->clips().at(1);
        state.ResumeTiming();
        bench.store->togglePin(pinned);
        benchmark::DoNotOptimize(bench.store->filteredClips());
    }
}
BENCHMARK(BM_FirstReadAfterChangeWith8MBEntry)->Unit(benchmark::kMillisecond);

} // namespace
