#include "markdown/markdown_presentation.h"
#include "markdown/note_card_summary.h"
#include "markdown/note_document_builder.h"
#include "markdown/note_line.h"
#include "test_main.h"

#include <QFontDatabase>
#include <QTextBlock>
#include <QTextDocument>
#include <ctime>

using Kind = NoteLine::Kind;
Q_DECLARE_METATYPE(NoteLine::Kind)

namespace {
const QString kRule = QString(20, QChar(0x2500));

qint64 threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

qreal points(qreal pixels)
{
    return NoteDocumentStyle::pixelsToPoints(pixels);
}

QTextBlock blockAt(const QTextDocument &document, int index)
{
    return document.findBlockByNumber(index);
}

// The format of the block's text, or of the empty block itself.
QTextCharFormat formatOf(const QTextBlock &block)
{
    const QTextBlock::iterator it = block.begin();
    return it.atEnd() ? block.charFormat() : it.fragment().charFormat();
}

// Six different colours, so a line drawn in the wrong one shows.
NoteDocumentStyle testStyle()
{
    NoteDocumentStyle style;
    style.secondaryLabel = Qt::blue;
    style.separator = Qt::red;
    style.titleColor = Qt::darkGreen;
    style.headingColor = Qt::darkMagenta;
    style.bodyColor = Qt::darkCyan;
    style.quoteColor = Qt::darkYellow;
    return style;
}

NoteDocumentInput input(const QString &title, const QString &body)
{
    return NoteDocumentInput{title, body, testStyle()};
}
} // namespace

class TestNoteDocumentBuilder : public QObject
{
    Q_OBJECT
private slots:
    void classify_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("level");
        QTest::newRow("level 2") << "## A" << Kind::Heading << "A" << 2;
        QTest::newRow("level 3, indented") << "  ### B **x**" << Kind::Heading << "B x" << 3;
        QTest::newRow("no space: text") << "##A" << Kind::Text << "A" << 0;
        QTest::newRow("level 1 is text") << "# One" << Kind::Text << "One" << 0;
        QTest::newRow("seven hashes are text") << "####### x" << Kind::Text << "# x" << 0;
        QTest::newRow("fence") << "```cpp" << Kind::CodeFence << "" << 0;
        QTest::newRow("dash bullet") << "- item" << Kind::Bullet << QStringLiteral("\u2022 item") << 0;
        QTest::newRow("star bullet, cleaned") << "* **b** [l](u)" << Kind::Bullet << QStringLiteral("\u2022 b l") << 0;
        QTest::newRow("no space after dash") << "-item" << Kind::Text << "-item" << 0;
        QTest::newRow("quote") << "> quoted" << Kind::Quote << "quoted" << 0;
        QTest::newRow("quote, spaces") << "  >   spaced  " << Kind::Quote << "spaced" << 0;
        QTest::newRow("rule of dashes") << "---" << Kind::Rule << kRule << 0;
        QTest::newRow("rule of underscores") << "___" << Kind::Rule << kRule << 0;
        QTest::newRow("spaced asterisks are a rule, not a bullet") << "* * *" << Kind::Rule << kRule << 0;
        QTest::newRow("two dashes are text") << "--" << Kind::Text << "--" << 0;
        QTest::newRow("numbered list") << "1. first" << Kind::Text << "1. first" << 0;
        QTest::newRow("four spaces: code") << "    code *x*" << Kind::Code << "code x" << 0;
        QTest::newRow("tab is not four spaces") << "\tx" << Kind::Text << "x" << 0;
        QTest::newRow("empty line") << "" << Kind::Text << "" << 0;
    }
    void classify()
    {
        QFETCH(QString, line);
        QFETCH(Kind, kind);
        QFETCH(QString, shown);
        QFETCH(int, level);
        const NoteLine result = NoteLine::classify(line);
        QCOMPARE(result.kind, kind);
        QCOMPARE(result.shownText, shown);
        QCOMPARE(result.headingLevel, level);
    }

    void bodyRows_data()
    {
        const NoteDocumentStyle style = testStyle();
        const QColor body = style.bodyColor;
        const QColor heading = style.headingColor;
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qreal>("pixels");
        QTest::addColumn<int>("weight");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<bool>("monospaced");
        QTest::newRow("h2") << "## A"
                            << "A" << 17.0 << int(QFont::DemiBold) << heading << false;
        QTest::newRow("fence") << "```"
                               << "" << 12.5 << int(QFont::Normal) << style.secondaryLabel << true;
        QTest::newRow("bullet") << "- item" << QStringLiteral("\u2022 item") << 13.5 << int(QFont::Normal) << body
                                << false;
        QTest::newRow("quote") << "> q"
                               << "q" << 13.5 << int(QFont::Normal) << style.quoteColor << false;
        QTest::newRow("rule") << "* * *" << kRule << 11.0 << int(QFont::Normal) << style.separator << false;
        QTest::newRow("four-space code") << "    int x;"
                                         << "int x;" << 12.5 << int(QFont::Normal) << body << true;
        QTest::newRow("plain") << "1. first"
                               << "1. first" << 13.5 << int(QFont::Normal) << body << false;
        QTest::newRow("empty line") << ""
                                    << "" << 13.5 << int(QFont::Normal) << body << false;
    }
    void bodyRows()
    {
        QFETCH(QString, line);
        QFETCH(QString, text);
        QFETCH(qreal, pixels);
        QFETCH(int, weight);
        QFETCH(QColor, color);
        QFETCH(bool, monospaced);
        QTextDocument document;
        NoteDocumentBuilder::fill(document, input("T", line));
        QCOMPARE(document.blockCount(), 2);
        const QTextBlock block = blockAt(document, 1);
        QCOMPARE(block.text(), text);
        const QTextCharFormat format = formatOf(block);
        QCOMPARE(format.fontPointSize(), points(pixels));
        QCOMPARE(format.fontWeight(), weight);
        QCOMPARE(format.foreground().color(), color);
        const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        QCOMPARE(format.fontFamilies().toStringList() == fixed.families(), monospaced);
        // An empty line is as tall as its own kind, not as the line before it.
        QCOMPARE(block.charFormat().fontPointSize(), points(pixels));
    }

    void oneParagraphPerLine()
    {
        QTextDocument document;
        NoteDocumentBuilder::fill(document, input("T", "## A\n### B\n#### C"));
        QCOMPARE(document.toPlainText(), QStringLiteral("T\nA\nB\nC"));
        NoteDocumentBuilder::fill(document, input("T", "```\ncode\n```\r\nafter"));
        QCOMPARE(document.toPlainText(), QStringLiteral("T\n\ncode\n\n\nafter"));
        QCOMPARE(formatOf(blockAt(document, 2)).fontPointSize(), points(13.5));
    }

    // Note text is plain text: no markup is interpreted and no character may add blocks.
    void noteTextCannotChangeStructure()
    {
        QTextDocument document;
        const QString body = QStringLiteral("<b>x</b> &amp; <img src=\"/etc/passwd\">\n"
                                            "a\uFDD0b\uFDD1c");
        NoteDocumentBuilder::fill(document, input(QStringLiteral("two\nlines\u2029"), body));
        QCOMPARE(document.blockCount(), 3);
        QCOMPARE(blockAt(document, 0).text(), QStringLiteral("two lines "));
        QCOMPARE(blockAt(document, 1).text(), QStringLiteral("<b>x</b> &amp; <img src=\"/etc/passwd\">"));
        QCOMPARE(blockAt(document, 2).text(), QStringLiteral("a\uFFFDb\uFFFDc"));
        QVERIFY(document.allFormats().size() > 0);
        QCOMPARE(document.rootFrame()->childFrames().size(), 0);
    }

    // 64 KB lines full of brackets: cleaning, the card summary and the document keep their
    // results and stay cheap (the budget, 100 ms in a release build, is bench_markdown's; the
    // ceiling here only catches work that grows with the square of the line).
    void longBracketLines_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("shownUnit");
        QTest::newRow("image openers") << "!["
                                       << "![";
        QTest::newRow("link openers") << "["
                                      << "[";
        QTest::newRow("links without an end") << "[a]("
                                              << "[a](";
        QTest::newRow("images, closed") << "![a](b) "
                                        << "a ";
        QTest::newRow("links, closed") << "[a](b)"
                                       << "a";
    }
    void longBracketLines()
    {
        QFETCH(QString, unit);
        QFETCH(QString, shownUnit);
        const qsizetype count = 65536 / unit.size();
        const QString line = unit.repeated(count);
        const QString shown = shownUnit.repeated(count).trimmed();
        const qint64 start = threadCpuMs();
        QCOMPARE(MarkdownPresentation::clean(line), shown);
        QCOMPARE(NoteCardSummary::fromText(QStringLiteral("# T\n") + line, QStringLiteral("n.md")).preview, shown);
        QTextDocument document;
        NoteDocumentBuilder::fill(document, input("T", line));
        QCOMPARE(blockAt(document, 1).text(), shown);
        QVERIFY2(threadCpuMs() - start < 1000, qPrintable(QString::number(threadCpuMs() - start)));
    }

    void restoredSelection_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("newLength");
        QTest::addColumn<bool>("restored");
        QTest::addColumn<int>("newStart");
        QTest::addColumn<int>("newEnd");
        QTest::newRow("inside") << 2 << 5 << 10 << true << 2 << 5;
        QTest::newRow("cut at the new end") << 2 << 50 << 10 << true << 2 << 10;
        QTest::newRow("start past the end") << 11 << 12 << 10 << false << 0 << 0;
    }
    void restoredSelection()
    {
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(int, newLength);
        QFETCH(bool, restored);
        QFETCH(int, newStart);
        QFETCH(int, newEnd);
        const auto result = NoteDocumentBuilder::restoredSelection(start, end, newLength);
        QCOMPARE(result.has_value(), restored);
        if (result)
            QCOMPARE(*result, std::make_pair(newStart, newEnd));
    }
};

QUILLO_TEST_WIDGETS_MAIN(TestNoteDocumentBuilder)
#include "tst_note_document_builder.moc"
