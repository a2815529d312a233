// The rendered note: any title and body build a document, twice the same, holding the body's
// text in plain characters (nothing is read as HTML).
#include "fuzz_check.h"

#include "markdown/note_document_builder.h"

#include <QGuiApplication>
#include <QTextDocument>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_note_document_builder";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv); // fonts come from QFontDatabase
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    const qsizetype split = text.indexOf(QLatin1Char('\n'));
    NoteDocumentInput input;
    input.title = split < 0 ? text : text.left(split);
    input.body = split < 0 ? QString() : text.mid(split + 1);
    QTextDocument first;
    NoteDocumentBuilder::fill(first, input);
    QTextDocument second;
    NoteDocumentBuilder::fill(second, input);
    FUZZ_CHECK(NoteDocumentBuilder::sameContent(first, second));
    FUZZ_CHECK(QStringView(first.toPlainText()).isValidUtf16());
    const int length = first.characterCount();
    const std::optional<std::pair<int, int>> kept = NoteDocumentBuilder::restoredSelection(1, length + 5, length);
    FUZZ_CHECK(!kept || (kept->first <= kept->second && kept->second <= length));
    return 0;
}
