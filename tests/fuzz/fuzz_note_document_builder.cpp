// The rendered note: any title and body build a document, the same whole or written a line at
// a time, holding the body's text in plain characters (nothing is read as HTML).
#include "fuzz_check.h"

#include "markdown/note_document_builder.h"
#include "markdown/note_document_writer.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// Same blocks, block formats and fragments (text and character format).
bool sameContent(const QTextDocument &a, const QTextDocument &b)
{
    if (a.blockCount() != b.blockCount() || a.characterCount() != b.characterCount())
        return false;
    for (QTextBlock x = a.begin(), y = b.begin(); x.isValid() && y.isValid(); x = x.next(), y = y.next()) {
        if (x.text() != y.text() || x.blockFormat() != y.blockFormat() || x.charFormat() != y.charFormat())
            return false;
        auto i = x.begin();
        auto j = y.begin();
        for (; !i.atEnd() && !j.atEnd(); ++i, ++j) {
            const QTextFragment p = i.fragment();
            const QTextFragment q = j.fragment();
            if (p.position() != q.position() || p.text() != q.text() || p.charFormat() != q.charFormat())
                return false;
        }
        if (i.atEnd() != j.atEnd())
            return false;
    }
    return true;
}

} // namespace

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
    NoteDocumentWriter writer(second, input);
    while (!writer.writeMore(1)) {
    }
    FUZZ_CHECK(sameContent(first, second));
    FUZZ_CHECK(QStringView(first.toPlainText()).isValidUtf16());
    const int length = first.characterCount();
    const std::optional<std::pair<int, int>> kept = NoteDocumentBuilder::restoredSelection(1, length + 5, length);
    FUZZ_CHECK(!kept || (kept->first <= kept->second && kept->second <= length));
    return 0;
}
