#include "store/clip_item.h"
#include "store/clip_json.h"

#include <benchmark/benchmark.h>

#include <QList>
#include <QString>

namespace {

// A history as people have it: mostly short texts and links, some code, a few pictures
// and files, a handful pinned, Chinese and English mixed.
QList<ClipItem> realisticHistory(int count)
{
    static const QString kTexts[] = {
        QStringLiteral("明天下午三点在二楼会议室讨论季度计划，请带上上周的数据。"),
        QStringLiteral("The quick brown fox jumps over the lazy dog. \"Quoted\" and back\\slash."),
        QStringLiteral("ssh deploy@build-07.internal -p 2222"),
    };
    QList<ClipItem> clips;
    clips.reserve(count);
    for (int i = 0; i < count; ++i) {
        ClipItem item;
        switch (i % 5) {
        case 0:
        case 1: item = ClipItem::make(ClipKind::text, kTexts[i % 3].left(40), kTexts[i % 3].repeated(1 + i % 4)); break;
        case 2:
            item = ClipItem::make(ClipKind::link, QStringLiteral("https://example.org/a/b"),
                                  QStringLiteral("https://example.org/articles/%1?ref=clip&lang=zh-CN").arg(i),
                                  ClipItem::sourceBrowser());
            break;
        case 3:
            item = ClipItem::make(ClipKind::code, QStringLiteral("func main() {"),
                                  QStringLiteral("func main() {\n\tfmt.Println(\"hi %1\")\n\treturn\n}\n").arg(i));
            break;
        default:
            item = ClipItem::make(ClipKind::image, QStringLiteral("图片 1280×720"), QStringLiteral("image/png"),
                                  ClipItem::sourceClipboard(),
                                  QStringLiteral("/home/user/.local/share/Quillo/ClipboardImages/%1.png").arg(i));
        }
        item.isPinned = i % 17 == 0;
        item.createdAt = 757382400.0 + i * 61.25;
        clips.append(item);
    }
    return clips;
}

QList<ClipItem> hugeTextHistory()
{
    QList<ClipItem> clips = realisticHistory(99);
    const QString line = QStringLiteral("0123456789 abcdefghij 中文内容 / \"quotes\"\n");
    QString content;
    while (content.size() < 10 * 1024 * 1024)
        content += line;
    clips.prepend(ClipItem::make(ClipKind::text, content.left(40), content));
    return clips;
}

void runEncode(benchmark::State &state, const QList<ClipItem> &clips)
{
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray data = ClipJson::encodeClips(clips);
        bytes += data.size();
        benchmark::DoNotOptimize(data.constData());
    }
    state.SetBytesProcessed(bytes);
}

void runDecode(benchmark::State &state, const QList<ClipItem> &clips)
{
    const QByteArray data = ClipJson::encodeClips(clips);
    for (auto _ : state) {
        auto decoded = ClipJson::decodeClips(data);
        if (!decoded || decoded->size() != clips.size())
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(decoded);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * data.size());
}

void BM_Encode100(benchmark::State &state)
{
    runEncode(state, realisticHistory(100));
}
void BM_Decode100(benchmark::State &state)
{
    runDecode(state, realisticHistory(100));
}
void BM_EncodeWith10MBText(benchmark::State &state)
{
    runEncode(state, hugeTextHistory());
}
void BM_DecodeWith10MBText(benchmark::State &state)
{
    runDecode(state, hugeTextHistory());
}

} // namespace

BENCHMARK(BM_Encode100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Decode100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EncodeWith10MBText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeWith10MBText)->Unit(benchmark::kMillisecond);
