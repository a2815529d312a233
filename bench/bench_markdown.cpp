#include "markdown/markdown_presentation.h"
#include "markdown/note_card_summary.h"
#include "markdown/note_document_builder.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextDocument>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <ctime>

namespace {

// QFontDatabase needs a GUI application; the offscreen platform needs no display.
void ensureGuiApplication()
{
    static int argc = 1;
    static char name[] = "bench_markdown";
    static char *argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QGuiApplication app(argc, argv);
    }
}

// A note mixing every kind of line, lineCount lines long.
QString sampleNote(int lineCount)
{
    static const QStringList kinds = {
        QStringLiteral("## Section heading with **bold**"),
        QStringLiteral("Plain text with a [link](https://example.com) and `code` and _italic_ words."),
        QStringLiteral("- a bullet item with ~~struck~~ text"),
        QStringLiteral("> a quoted line from somewhere"),
        QStringLiteral("```"),
        QStringLiteral("    indented code();"),
        QStringLiteral("---"),
        QStringLiteral("中文段落，包含**加粗**和![图片](a.png)。"),
        QString(),
    };
    QStringList lines;
    lines.reserve(lineCount);
    for (int i = 0; i < lineCount; ++i)
        lines.append(kinds.at(i % kinds.size()));
    return lines.join(u'\n');
}

void BM_NoteDocumentFill(benchmark::State &state)
{
    ensureGuiApplication();
    const NoteDocumentInput input{QStringLiteral("Title"), sampleNote(int(state.range(0))), {}};
    QTextDocument document;
    for (auto _ : state)
        NoteDocumentBuilder::fill(document, input);
}
BENCHMARK(BM_NoteDocumentFill)->Arg(5000)->Unit(benchmark::kMillisecond);

// Building plus laying out at the panel's text width, as the note view will.
void BM_NoteDocumentFillAndLayout(benchmark::State &state)
{
    ensureGuiApplication();
    const NoteDocumentInput input{QStringLiteral("Title"), sampleNote(int(state.range(0))), {}};
    QTextDocument document;
    document.setTextWidth(398);
    for (auto _ : state) {
        NoteDocumentBuilder::fill(document, input);
        benchmark::DoNotOptimize(document.documentLayout()->documentSize());
    }
}
BENCHMARK(BM_NoteDocumentFillAndLayout)->Arg(5000)->Unit(benchmark::kMillisecond);

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// A 64 KB line of "![": cleaned, summarised for a card and built into the note's document.
// Budget: 100 ms of CPU per round; a round over it fails the benchmark.
void BM_LongBracketLine(benchmark::State &state)
{
    ensureGuiApplication();
    constexpr double kBudgetMs = 100;
    const QString line = QStringLiteral("![").repeated(32768);
    const QString note = QStringLiteral("# Title\n") + line;
    QTextDocument document;
    double worst = 0;
    for (auto _ : state) {
        const double start = threadCpuMs();
        benchmark::DoNotOptimize(MarkdownPresentation::clean(line));
        benchmark::DoNotOptimize(NoteCardSummary::fromText(note, QStringLiteral("note.md")));
        NoteDocumentBuilder::fill(document, NoteDocumentInput{QStringLiteral("Title"), line, {}});
        worst = std::max(worst, threadCpuMs() - start);
    }
    state.counters["worst_cpu_ms"] = worst;
    state.counters["budget_ms"] = kBudgetMs;
    if (worst > kBudgetMs)
        state.SkipWithError("over the 100 ms budget");
}
BENCHMARK(BM_LongBracketLine)->Unit(benchmark::kMillisecond);

void BM_CardSummary(benchmark::State &state)
{
    const QString text = sampleNote(100); // about 4 KB
    for (auto _ : state)
        benchmark::DoNotOptimize(NoteCardSummary::fromText(text, QStringLiteral("note.md")));
}
BENCHMARK(BM_CardSummary)->Unit(benchmark::kMicrosecond);

} // namespace
