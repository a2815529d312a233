#include "markdown/note_card_summary.h"
#include "test_files.h"
#include "test_main.h"
#include "text/text_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {
const QString kEmptyPreview = QStringLiteral("空白笔记");
} // namespace

class TestNoteCardSummary : public QObject
{
    Q_OBJECT
private slots:
    void fromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("preview");
        QTest::newRow("only a heading") << "# Title"
                                        << "Other.md"
                                        << "Title" << kEmptyPreview;
        QTest::newRow("empty file: name without .md") << ""
                                                      << "Plan.md"
                                                      << "Plan" << kEmptyPreview;
        QTest::newRow("blank lines only") << " \n\t\n"
                                          << "a.md.md"
                                          << "a" << kEmptyPreview;
        QTest::newRow(".md removal is case-sensitive") << ""
                                                       << "A.MD"
                                                       << "A.MD" << kEmptyPreview;
        QTest::newRow("heading marker in a file name") << ""
                                                       << "##x.md"
                                                       << "x" << kEmptyPreview;
        QTest::newRow("leading blank lines and indentation") << "\n\n  ## Heading  \nfirst line\n"
                                                             << "n.md"
                                                             << "Heading"
                                                             << "first line";
        QTest::newRow("rules dropped, rest cleaned and joined") << "T\n---\n* * *\n- item **b**\n> quoted\n_ _ _"
                                                                << "n.md"
                                                                << "T" << QStringLiteral("item b  \u00B7  quoted");
        QTest::newRow("lines that clean to nothing are dropped") << "T\n![](a.png)\n##\nend"
                                                                 << "n.md"
                                                                 << "T"
                                                                 << "end";
        QTest::newRow("inline marks in the title") << "# **Bold** [title](x)"
                                                   << "n.md"
                                                   << "Bold title" << kEmptyPreview;
        QTest::newRow("title may come out empty") << "#\nbody"
                                                  << "n.md"
                                                  << ""
                                                  << "body";
        QTest::newRow("tab-indented quote") << "T\n\t> q"
                                            << "n.md"
                                            << "T"
                                            << "q";
    }
    void fromText()
    {
        QFETCH(QString, text);
        QFETCH(QString, fileName);
        QFETCH(QString, title);
        QFETCH(QString, preview);
        const NoteCardSummary summary = NoteCardSummary::fromText(text, fileName);
        QCOMPARE(summary.title, title);
        QCOMPARE(summary.preview, preview);
    }

    void fromFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("preview");
        QTest::newRow("UTF-8") << QByteArray("# 标题\n正文") << QStringLiteral("标题") << QStringLiteral("正文");
        QTest::newRow("byte-order mark dropped") << QByteArray("\xEF\xBB\xBF# Title\nx") << "Title"
                                                 << "x";
        QTest::newRow("GBK is unreadable") << QByteArray("\xB1\xEA\xCC\xE2\n\xD5\xFD") << "note" << kEmptyPreview;
        QTest::newRow("cut inside a character") << QByteArray("# T\nx\xE4\xB8") << "note" << kEmptyPreview;
        // Only the first 32 KiB are read: a huge note costs no more, and a character cut at
        // that point is not an encoding error.
        const QByteArray longLine = QStringLiteral("长").repeated(20000).toUtf8();
        QTest::newRow("read limit inside a character")
            << QByteArray("# T\n") + longLine << "T" << QString(NoteCardSummary::kReadBytes / 3 - 1, u'长');
        QTest::newRow("lines past the limit are not read")
            << QByteArray("# T\nshown\n") + QByteArray(40000, '-') + "\nhidden"
            << "T"
            << "shown";
    }
    void fromFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, title);
        QFETCH(QString, preview);
        QTemporaryDir dir;
        const QString path = dir.filePath("note.md");
        TestFiles::writeFile(path, bytes);
        const NoteCardSummary summary = NoteCardSummary::fromFile(path);
        QCOMPARE(summary.title, title);
        QCOMPARE(summary.preview, preview);
    }

    // Special files named like notes must neither hang nor exhaust memory.
    void onlyRegularFilesAreRead()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath("fifo.md");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QDir(dir.path()).mkdir("folder.md"));
        QVERIFY(QFile::link("/dev/zero", dir.filePath("zero.md")));
        QVERIFY(QFile::link(dir.filePath("missing"), dir.filePath("dangling.md")));
        TestFiles::writeFile(dir.filePath("real"), "# Linked\nx");
        QVERIFY(QFile::link(dir.filePath("real"), dir.filePath("link.md")));
        TestFiles::writeFile(dir.filePath("empty.md"), QByteArray());

        for (const char *name : {"fifo.md", "folder.md", "zero.md", "dangling.md", "missing.md"})
            QCOMPARE(TextFile::readUtf8(dir.filePath(name), 100), std::nullopt);
        QCOMPARE(NoteCardSummary::fromFile(dir.filePath("fifo.md")),
                 (NoteCardSummary{QStringLiteral("fifo"), kEmptyPreview}));
        QCOMPARE(TextFile::readUtf8(dir.filePath("link.md"), 100), std::optional<QString>("# Linked\nx"));
        QCOMPARE(TextFile::readUtf8(dir.filePath("empty.md"), 100), std::optional<QString>(QString()));
    }
};

QUILLO_TEST_GUILESS_MAIN(TestNoteCardSummary)
#include "tst_note_card_summary.moc"
