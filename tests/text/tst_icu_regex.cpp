#include "test_main.h"
#include "text/graphemes.h"
#include "text/icu_regex.h"

#include <QStringDecoder>

class TestIcuRegex : public QObject
{
    Q_OBJECT
private slots:
    void unicodeSemantics_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("matches");
        QTest::newRow("full-width digits are \\d") << "\\d{6}" << QStringLiteral("１２３４５６") << true;
        QTest::newRow("ideographic space is \\s") << "a\\sb" << QStringLiteral("a\u3000b") << true;
        QTest::newRow("inline case flag") << "(?i)secret"
                                          << "SeCrEt" << true;
        QTest::newRow("look-behind") << "(?<!\\*)\\*x"
                                     << "**x" << false;
        QTest::newRow("no multi-line: ^ at start only") << "^b"
                                                        << "a\nb" << false;
        QTest::newRow("CJK letters are word characters: no \\b before sk-")
            << "\\bsk-" << QStringLiteral("密钥sk-") << false;
    }
    void unicodeSemantics()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QFETCH(bool, matches);
        IcuRegex regex(pattern);
        QVERIFY(regex.isValid());
        QCOMPARE(regex.search(text), std::optional<bool>(matches));
    }

    void replacementsUseGroups()
    {
        QCOMPARE(IcuRegex("\\[([^]]+)\\]\\([^)]*\\)").replaceAll("see [site](b) and [x](y)", "$1"),
                 QString("see site and x"));
        QCOMPARE(IcuRegex("a").replaceFirst("aaa", "b"), QString("baa"));
    }

    void invalidPatternReportsNothing()
    {
        IcuRegex regex("([");
        QVERIFY(!regex.isValid());
        QCOMPARE(regex.search("x"), std::nullopt);
        QCOMPARE(regex.replaceAll("x", "y"), QString("x"));
    }

    void graphemeClusters()
    {
        const QString family = QStringLiteral("👨‍👩‍👧‍👦");
        QCOMPARE(Graphemes::count(family + "a"), 2);
        QCOMPARE(Graphemes::left(family + "abc", 2), family + "a");
        QCOMPARE(Graphemes::left(QStringLiteral("e\u0301x"), 1), QStringLiteral("e\u0301"));
        QCOMPARE(Graphemes::leftUtf8Bytes(QStringLiteral("中文字"), 7), QStringLiteral("中文"));
        QCOMPARE(Graphemes::leftUtf8Bytes(QStringLiteral("abc"), 10), QStringLiteral("abc"));
        QCOMPARE(Graphemes::boundaryAtOrBefore(family + "a", 3), 0);
        QCOMPARE(Graphemes::boundaryAtOrBefore(family + "a", family.size()), family.size());
    }

    // A supplementary character followed by Thai, Khmer or Sinhala: Qt 6.4's boundary finder
    // cuts between the surrogates there. No cut may leave half a character.
    void cutsNeverSplitSurrogatePairs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("fuzzer's 8 bytes")
            << QString(QStringDecoder(QStringDecoder::Utf8).decode(QByteArray("\xf3\xb6\xb6\xb6\xb6\xe0\xb6\xb6")));
        QTest::newRow("emoji, Sinhala") << QStringLiteral("😀\u0DB6😀\u0DB6");
        QTest::newRow("emoji, Thai") << QStringLiteral("😀\u0E01\u0E33😀");
        QTest::newRow("emoji, Khmer") << QStringLiteral("🎉\u1780\u17B6");
    }
    void cutsNeverSplitSurrogatePairs()
    {
        QFETCH(QString, text);
        for (int n = 0; n <= text.size(); ++n) {
            QVERIFY2(Graphemes::left(text, n).isValidUtf16(), qPrintable(QString::number(n)));
            QVERIFY(Graphemes::leftUtf8Bytes(text, n).isValidUtf16());
            QVERIFY(text.left(Graphemes::boundaryAtOrBefore(text, n)).isValidUtf16());
        }
        QVERIFY(Graphemes::count(text) < text.size());
    }
};

QUILLO_TEST_GUILESS_MAIN(TestIcuRegex)
#include "tst_icu_regex.moc"
