// The clipboard page: building and laying out 100 entries (30 pictures), one hover change,
// and scrolling the whole list without decoding a thumbnail twice.
#include "fake_pasteboard.h"
#include "store/app_store.h"
#include "store/reference_time.h"
#include "test_environment.h"
#include "views/clipboard/clip_list_view.h"
#include "views/clipboard/clip_row.h"
#include "views/clipboard/clipboard_image_cache.h"
#include "views/clipboard/clipboard_view.h"
#include "views/hover/clipboard_hover_notifier.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

namespace {

struct PageBench
{
    FakePasteboard pasteboard;
    std::unique_ptr<AppStore> store;

    PageBench()
    {
        AppStore::Options options;
        options.pasteboard = &pasteboard;
        options.startMonitoring = false;
        store = std::make_unique<AppStore>(options);
        store->setClips(history());
    }

    QString picture(int i) const
    {
        QDir().mkpath(store->imagesDirectory());
        const QString path = store->imagesDirectory() + QStringLiteral("/bench-%1.png").arg(i);
        if (!QFile::exists(path)) {
            QImage image(1280, 800, QImage::Format_RGB32);
            image.fill(QColor::fromHsv((i * 37) % 360, 160, 220));
            image.save(path);
        }
        return path;
    }

    // 100 entries, every tenth pinned; 30 pictures spread through the list.
    QList<ClipItem> history() const
    {
        QList<ClipItem> clips;
        const QString prose =
            QStringLiteral("明天下午三点在二楼会议室讨论季度计划，请带上上周的数据。The quick brown fox. ");
        for (int i = 0; i < 100; ++i) {
            ClipItem item;
            if (i % 10 < 3) {
                item = ClipItem::make(ClipKind::image, QStringLiteral("截图 %1").arg(i), QString(),
                                      ClipItem::sourceClipboard(), picture(i));
            } else if (i % 10 == 5) {
                item = ClipItem::make(ClipKind::code, QStringLiteral("code"),
                                      QStringLiteral("for (int k = 0; k < %1; ++k)\n    total += k;").arg(i));
            } else {
                const QString text = QStringLiteral("**%1** ").arg(i) + prose.repeated(1 + i % 4);
                item = ClipItem::make(ClipKind::text, text.left(64), text);
            }
            item.createdAt = ReferenceTime::now() - i * 3700.0;
            item.isPinned = i % 20 == 0; // five pinned pictures lead the list
            clips << item;
        }
        return clips;
    }
};

// Made on first use and destroyed in main() while the application still exists: the store's
// last flush waits on its worker thread, which takes no more events once the application is gone.
std::unique_ptr<PageBench> g_bench;

PageBench &bench()
{
    if (!g_bench)
        g_bench = std::make_unique<PageBench>();
    return *g_bench;
}

void renderVisible(QWidget &page)
{
    static QImage target(440, 760, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::transparent);
    page.render(&target);
}

void BM_BuildAndLayoutPage(benchmark::State &state)
{
    const bool cold = state.range(0) != 0;
    {
        // Fonts, symbols and shadow masks load once per process; keep that out of the figure.
        ClipboardView warmUp(*bench().store);
        warmUp.resize(440, 640);
        renderVisible(warmUp);
    }
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            ClipboardImageCache::shared().clear();
            state.ResumeTiming();
        }
        ClipboardView page(*bench().store);
        page.resize(440, 640);
        renderVisible(page);
        benchmark::DoNotOptimize(page.list()->rows().size());
    }
    state.SetLabel(cold ? "100 entries, 30 pictures, thumbnail cache empty" : "100 entries, 30 pictures, cache warm");
}
BENCHMARK(BM_BuildAndLayoutPage)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_DecodeThumbnail(benchmark::State &state)
{
    const QString path = bench().picture(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(ClipboardImageCache::decodeFilled(path, QSize(92, 92)));
    state.SetLabel("one 1280x800 PNG to a 46 pt thumbnail at 2x");
}
BENCHMARK(BM_DecodeThumbnail)->Unit(benchmark::kMillisecond);

void BM_HoverChangeRepaint(benchmark::State &state)
{
    ClipboardView page(*bench().store);
    page.resize(440, 640);
    page.show();
    QApplication::processEvents();
    const QList<ClipRow *> rows = page.list()->rows();
    auto &notifier = ClipboardHoverNotifier::instance();
    int next = 0;
    for (auto _ : state) {
        notifier.postPointerMoved(rows[next % 4]->item().id);
        QApplication::processEvents(); // paints the dirty rows and flushes the backing store
        ++next;
    }
    state.SetLabel("pointer moves to another row: two rows repaint (goal <= 4 ms)");
}
BENCHMARK(BM_HoverChangeRepaint)->Unit(benchmark::kMicrosecond);

void BM_ScrollWholeList(benchmark::State &state)
{
    ClipboardImageCache::shared().clear();
    const qint64 before = ClipboardImageCache::shared().decodeCount();
    ClipboardView page(*bench().store);
    page.resize(440, 640);
    page.show();
    QApplication::processEvents();
    QScrollBar *bar = page.scrollArea()->verticalScrollBar();
    for (auto _ : state) {
        for (int value = 0; value <= bar->maximum(); value += 120) {
            bar->setValue(value);
            QApplication::processEvents();
        }
        bar->setValue(0);
        QApplication::processEvents();
    }
    state.counters["decodes"] = double(ClipboardImageCache::shared().decodeCount() - before);
    state.counters["pictures"] = 30;
    state.SetLabel("scroll to the end and back; each picture decoded once in all passes");
}
BENCHMARK(BM_ScrollWholeList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    TestEnvironment environment;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_bench.reset();
    return 0;
}
