#include "markdown/markdown_presentation.h"
#include "markdown/text_lines.h"
#include "test_main.h"

class TestMarkdownPresentation : public QObject
{
    Q_OBJECT
private slots:
    void clean_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("heading, bold, italic, link") << "## **Plan** for _today_ [link](page.md)"
                                                     << "Plan for today link";
        QTest::newRow("image loses its !, link its target") << "![logo](a.png) and [site](b)"
                                                            << "logo and site";
        QTest::newRow("task box is no link") << "- [ ] task"
                                             << "[ ] task";
        QTest::newRow("single asterisks pair up") << "a * b * c"
                                                  << "a b c";
        QTest::newRow("lone asterisk stays") << "a * b"
                                             << "a * b";
        QTest::newRow("image without alt text") << "see ![](x.png) here"
                                                << "see here";
        QTest::newRow("link needs text") << "[](x)"
                                         << "[](x)";
        QTest::newRow("bracket inside alt ends it") << "![a]b](c)"
                                                    << "![a]b](c)";
        QTest::newRow("inline code keeps its text") << "run `make **all**` now"
                                                    << "run make all now";
        QTest::newRow("empty inline code") << "a `` b"
                                           << "a b";
        QTest::newRow("bold underscores then italic") << "__b__ and _i_"
                                                      << "b and i";
        QTest::newRow("triple asterisks") << "***both***"
                                          << "both";
        QTest::newRow("strike-through") << "~~gone~~ kept"
                                        << "gone kept";
        QTest::newRow("unclosed bold stays") << "**unclosed"
                                             << "**unclosed";
        QTest::newRow("quote marker once") << ">> nested"
                                           << "> nested";
        QTest::newRow("seven hashes") << "####### x"
                                      << "# x";
        QTest::newRow("bullet marker only at start") << "a - b"
                                                     << "a - b";
        QTest::newRow("runs of white space and newlines") << "a\t\tb\n  c\u3000\u3000d"
                                                          << "a b c d";
        QTest::newRow("replacement text with $ is literal") << "[cost $1](x)"
                                                            << "cost $1";
        QTest::newRow("backslashes are kept") << "**a\\b**"
                                              << "a\\b";
    }
    void clean()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(MarkdownPresentation::clean(input), expected);
    }

    void split_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty is one empty line") << "" << QStringList{""};
        QTest::newRow("trailing newline") << "a\n" << QStringList{"a", ""};
        QTest::newRow("CR LF gives an extra empty line") << "a\r\nb" << QStringList{"a", "", "b"};
        QTest::newRow("CR, VT, FF and NEL")
            << QStringLiteral("a\rb\vc\fd\u0085e") << QStringList{"a", "b", "c", "d", "e"};
        QTest::newRow("line and paragraph separators")
            << QStringLiteral("a\u2028b\u2029c") << QStringList{"a", "b", "c"};
        QTest::newRow("tabs are not newlines") << "a\tb" << QStringList{"a\tb"};
    }
    void split()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(TextLines::split(text), lines);
    }

    void trimming_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("spacesTrimmed");
        QTest::addColumn<QString>("allTrimmed");
        QTest::newRow("spaces and tabs") << " \ta b\t "
                                         << "a b"
                                         << "a b";
        QTest::newRow("newlines kept by the space trim") << "\n a \n"
                                                         << "\n a \n"
                                                         << "a";
        QTest::newRow("Unicode spaces") << QStringLiteral("\u3000\u00A0x\u2003") << "x"
                                        << "x";
        QTest::newRow("byte-order mark is no space")
            << QStringLiteral("\uFEFFx") << QStringLiteral("\uFEFFx") << QStringLiteral("\uFEFFx");
    }
    void trimming()
    {
        QFETCH(QString, text);
        QFETCH(QString, spacesTrimmed);
        QFETCH(QString, allTrimmed);
        QCOMPARE(TextLines::trimSpaces(text), spacesTrimmed);
        QCOMPARE(TextLines::trimWhitespaceAndNewlines(text), allTrimmed);
    }
};

QUILLO_TEST_GUILESS_MAIN(TestMarkdownPresentation)
#include "tst_markdown_presentation.moc"
