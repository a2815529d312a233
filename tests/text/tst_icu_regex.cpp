#include "test_main.h"
#include "text/graphemes.h"
#include "text/icu_regex.h"

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
    }
};

QUILLO_TEST_GUILESS_MAIN(TestIcuRegex)
#include "tst_icu_regex.moc"
