#include "bench_store.h"
#include "fake_pasteboard.h"
#include "store/app_store.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int kNoteCount = 1000;
constexpr int kNoteBytes = 4096;

// About 4 KB of mixed Chinese and English Markdown, different for every note.
QByteArray noteBytes(int index)
{
    const QString line = QStringLiteral("- 第%1条：明天下午三点在二楼会议室讨论季度计划 agenda item %1\n").arg(index);
    QString text = QStringLiteral("# 笔记 %1\n\n").arg(index);
    while (text.toUtf8().size() < kNoteBytes)
        text += line;
    return text.toUtf8().left(kNoteBytes - 1) + '\n';
}

// One store over a folder of kNoteCount notes, in a private HOME so nothing touches the
// user's own support or notes folders.
struct NotesBench : BenchStore
{
    NotesBench()
    {
        const QString notes = root.filePath(QStringLiteral("notes"));
        QDir().mkpath(notes);
        for (int i = 0; i < kNoteCount; ++i) {
            QFile file(notes + QStringLiteral("/note %1.md").arg(i));
            if (file.open(QIODevice::WriteOnly))
                file.write(noteBytes(i));
        }
        store->setNoteDirectory(notes);
        store->reloadNotes(false);
    }

    static NotesBench &instance()
    {
        static NotesBench bench;
        return bench;
    }
};

void BM_ReloadNotes(benchmark::State &state)
{
    AppStore &store = *NotesBench::instance().store;
    for (auto _ : state) {
        store.reloadNotes(false);
        benchmark::DoNotOptimize(store.notes().size());
    }
    state.counters["notes"] = double(store.notes().size());
}
BENCHMARK(BM_ReloadNotes)->Unit(benchmark::kMillisecond);

// One keystroke: the query grows by a character and the list is filtered again.
void BM_FilteredNotesKeystroke(benchmark::State &state)
{
    AppStore &store = *NotesBench::instance().store;
    store.setQuery(QStringLiteral("会议")); // builds the search index once
    benchmark::DoNotOptimize(store.filteredNotes());
    const QString queries[] = {QStringLiteral("会议室 agenda item 99"), QStringLiteral("会议室 agenda item 999")};
    int i = 0;
    for (auto _ : state) {
        store.setQuery(queries[i++ % 2]);
        const QList<NoteFile> found = store.filteredNotes();
        benchmark::DoNotOptimize(found.size());
    }
}
BENCHMARK(BM_FilteredNotesKeystroke)->Unit(benchmark::kMicrosecond);

// The first search after a reload also lower-cases every note once.
void BM_FilteredNotesFirstAfterReload(benchmark::State &state)
{
    AppStore &store = *NotesBench::instance().store;
    store.setQuery(QStringLiteral("agenda item 999"));
    for (auto _ : state) {
        state.PauseTiming();
        store.setNotes(QList<NoteFile>(store.notes().cbegin(), store.notes().cend()));
        state.ResumeTiming();
        benchmark::DoNotOptimize(store.filteredNotes().size());
    }
}
BENCHMARK(BM_FilteredNotesFirstAfterReload)->Unit(benchmark::kMillisecond);

} // namespace
