#include "markdown/note_detail_text.h"
#include "test_main.h"

using OptionalName = std::optional<QString>;
Q_DECLARE_METATYPE(OptionalName)

class TestNoteDetailText : public QObject
{
    Q_OBJECT
private slots:
    void titleAndBody_data()
    {
        QTest::addColumn<QString>("noteText");
        QTest::addColumn<OptionalName>("selected");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("body");
        const OptionalName none;
        const OptionalName hello = QStringLiteral("Hello.md");
        QTest::newRow("level-1 heading is the title") << "# Hello\nworld" << none << "Hello"
                                                      << "world";
        QTest::newRow("heading wins over the file name") << "# Hi\nx" << hello << "Hi"
                                                         << "x";
        QTest::newRow("first line equal to the file name") << "Hello\nworld" << hello << "Hello"
                                                           << "world";
        QTest::newRow("cleaned first line equal to the file name") << "## **Hello**\n\n  x  " << hello << "Hello"
                                                                   << "x";
        QTest::newRow("nothing selected, no heading")
            << "Hello\nworld" << none << QStringLiteral("笔记") << "Hello\nworld";
        QTest::newRow("heading title is not trimmed") << "#  Spaced \nx" << none << " Spaced "
                                                      << "x";
        QTest::newRow("no space after the hash") << "#Hello\nx" << OptionalName("Note.md") << "Note"
                                                 << "#Hello\nx";
        QTest::newRow("empty text, nothing selected") << "" << none << QStringLiteral("笔记") << "";
        QTest::newRow("CR LF after the heading") << "# T\r\n\r\nbody\r\n"
                                                 << none << "T"
                                                 << "body";
        QTest::newRow("body keeps inner blank lines") << "# T\n\na\n\nb\n\n"
                                                      << none << "T"
                                                      << "a\n\nb";
        QTest::newRow("other newlines end the first line") << QStringLiteral("# T\u2028x") << none << "T"
                                                           << "x";
    }
    void titleAndBody()
    {
        QFETCH(QString, noteText);
        QFETCH(OptionalName, selected);
        QFETCH(QString, title);
        QFETCH(QString, body);
        QCOMPARE(NoteDetailText::noteTitle(noteText, selected), title);
        QCOMPARE(NoteDetailText::displayBody(noteText, selected), body);
    }
};

QUILLO_TEST_GUILESS_MAIN(TestNoteDetailText)
#include "tst_note_detail_text.moc"
