// The notes page under load: listing a folder of 1,000 notes, opening a 5,000-line note,
// and one keystroke in the editor of that note. Each should stay within one 60 Hz frame.
#include "fake_pasteboard.h"
#include "store/app_store.h"
#include "test_environment.h"
#include "views/notes/note_detail_page.h"
#include "views/notes/note_editor.h"
#include "views/notes/notes_view.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QString noteText(int index, int lines)
{
    QString text = QStringLiteral("# Note %1\n\n").arg(index);
    for (int line = 0; line < lines; ++line) {
        switch (line % 5) {
        case 0: text += QStringLiteral("## Section %1\n").arg(line); break;
        case 1: text += QStringLiteral("- a **bold** item with [a link](page.md)\n"); break;
        case 2: text += QStringLiteral("> a quoted remark about `code`\n"); break;
        case 3:
            text += QStringLiteral("Plain prose that runs long enough to wrap across the panel's width once.\n");
            break;
        default: text += QStringLiteral("    indented code line %1\n").arg(line); break;
        }
    }
    return text;
}

void writeFile(const QString &path, const QString &text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.toUtf8());
}

// A store over its own folder and a shown notes page.
struct Page
{
    QTemporaryDir dir;
    FakePasteboard pasteboard;
    std::unique_ptr<AppStore> store;
    std::unique_ptr<NotesView> view;

    explicit Page(int notes, int linesPerNote)
    {
        for (int i = 0; i < notes; ++i)
            writeFile(dir.filePath(QStringLiteral("note %1.md").arg(i)), noteText(i, linesPerNote));
        AppStore::Options options;
        options.pasteboard = &pasteboard;
        options.startMonitoring = false;
        store = std::make_unique<AppStore>(options);
        store->setNoteDirectory(dir.path());
        view = std::make_unique<NotesView>(*store, [] {});
        view->resize(440, 640);
        view->show();
        view->appear();
        QCoreApplication::processEvents();
    }
};

void BM_ShowNotesPage(benchmark::State &state)
{
    Page page(int(state.range(0)), 12);
    for (auto _ : state) {
        page.view->leave();
        page.view->appear();
        page.view->repaint();
    }
}
BENCHMARK(BM_ShowNotesPage)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_OpenLargeNote(benchmark::State &state)
{
    Page page(2, int(state.range(0)));
    const QList<NoteFile> notes = page.store->notes();
    int i = 0;
    for (auto _ : state) {
        // Alternate between two notes so every open really renders.
        page.view->openNote(notes[i++ % 2]);
        page.view->repaint();
        state.PauseTiming();
        page.view->back();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenLargeNote)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_KeystrokeInEditor(benchmark::State &state)
{
    Page page(1, int(state.range(0)));
    page.view->openNote(page.store->notes().first());
    page.view->toggleEdit();
    QPlainTextEdit *edit = page.view->detailPage()->editor()->textEdit();
    edit->moveCursor(QTextCursor::End);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QCoreApplication::sendEvent(edit, &press);
        QCoreApplication::sendEvent(edit, &release);
        edit->viewport()->repaint();
    }
    state.counters["textLength"] = double(page.store->noteText().size());
}
BENCHMARK(BM_KeystrokeInEditor)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    TestEnvironment environment;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
