#include "test_main.h"
#include "views/clipboard/clip_row_text.h"
#include "views/style/fonts.h"

#include <QFontMetrics>
#include <QTest>
#include <cmath>
#include <limits>

class TestClipRowText : public QObject
{
    Q_OBJECT
private slots:
    void previewRules_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("expected");
        const int text = int(ClipKind::text), code = int(ClipKind::code), image = int(ClipKind::image),
                  link = int(ClipKind::link);
        QTest::newRow("image with title") << image << "截图.png"
                                          << ""
                                          << "截图.png";
        QTest::newRow("image without title") << image << ""
                                             << "ignored"
                                             << "图片";
        QTest::newRow("text cleaned") << text << "t"
                                      << "## **粗体** 与 [链接](http://x)"
                                      << "粗体 与 链接";
        QTest::newRow("text empty content uses title") << text << "标题"
                                                       << ""
                                                       << "标题";
        QTest::newRow("image markup only falls back to title") << text << "标题"
                                                               << "![](a.png)"
                                                               << "标题";
        QTest::newRow("heading marker only falls back") << text << "标题"
                                                        << "#  "
                                                        << "标题";
        QTest::newRow("link") << link << "l"
                              << "https://example.com/a"
                              << "https://example.com/a";
        QTest::newRow("code keeps inner lines") << code << "c"
                                                << "\n\n  int a;\n    return a;  \n\n"
                                                << "int a;\n    return a;";
        QTest::newRow("code not cleaned") << code << "c"
                                          << "**x**"
                                          << "**x**";
    }

    void previewRules()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, content);
        QFETCH(QString, expected);
        ClipItem item = ClipItem::make(ClipKind(kind), title, content);
        QCOMPARE(ClipRowText::preview(item), expected);
    }

    void previewReadsOnlyTheHead()
    {
        // 10 MB of text: the preview must come from the first 4,096 units only.
        QString huge = QStringLiteral("开头 ") + QString(10 * 1024 * 1024, QLatin1Char('x'));
        ClipItem item = ClipItem::make(ClipKind::text, QStringLiteral("t"), huge);
        const QString preview = ClipRowText::preview(item);
        QVERIFY(preview.startsWith(QStringLiteral("开头")));
        QVERIFY(preview.size() <= ClipRowText::kPreviewSourceLimit);
    }

    void cutNeverSplitsAGrapheme_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::newRow("surrogate pair") << QString::fromUtf8("😀");
        QTest::newRow("combining") << QString::fromUtf8("e\u0301");
        QTest::newRow("flag") << QString::fromUtf8("🇨🇳");
        QTest::newRow("zwj family") << QString::fromUtf8("👨‍👩‍👧");
    }

    void cutNeverSplitsAGrapheme()
    {
        QFETCH(QString, unit);
        // Shift the units so that the limit falls inside one of them.
        for (int shift = 0; shift < unit.size(); ++shift) {
            const QString text = QString(shift, QLatin1Char('a')) + unit.repeated(5000);
            const QString cut = ClipRowText::leadingGraphemes(text, ClipRowText::kPreviewSourceLimit);
            QVERIFY(cut.size() <= ClipRowText::kPreviewSourceLimit);
            QVERIFY(cut.size() > ClipRowText::kPreviewSourceLimit - unit.size());
            QCOMPARE((cut.size() - shift) % unit.size(), 0);
        }
        QCOMPARE(ClipRowText::leadingGraphemes(unit, 4096), unit);
    }

    void relativeTimeThresholds_data()
    {
        QTest::addColumn<double>("age");
        QTest::addColumn<QString>("expected");
        QTest::newRow("59") << 59.9 << "刚刚";
        QTest::newRow("60") << 60.0 << "1 分钟前";
        QTest::newRow("3599") << 3599.0 << "59 分钟前";
        QTest::newRow("3600") << 3600.0 << "1 小时前";
        QTest::newRow("86399") << 86399.0 << "23 小时前";
        QTest::newRow("86400") << 86400.0 << "1 天前";
        QTest::newRow("future") << -5000.0 << "刚刚";
        QTest::newRow("absurd past") << 1e300 << QString::number(std::numeric_limits<qint64>::max() / 86400) + " 天前";
        QTest::newRow("infinite future") << -std::numeric_limits<double>::infinity() << "刚刚";
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << "刚刚";
    }

    void relativeTimeThresholds()
    {
        QFETCH(double, age);
        QFETCH(QString, expected);
        const double now = 700000000;
        QCOMPARE(ClipRowText::relativeTime(now - age, now), expected);
    }

    void metaLineJoinsSourceAndAge()
    {
        ClipItem item = ClipItem::make(ClipKind::text, QStringLiteral("t"), QStringLiteral("c"));
        item.createdAt = 1000;
        QCOMPARE(ClipRowText::metaLine(item, 1000 + 120), QStringLiteral("剪贴板 · 2 分钟前"));
    }

    void wrapKeepsTwoLinesAndElides()
    {
        const QFont font = Fonts::ui(13.5, QFont::Medium);
        const QString text = QStringLiteral("一二三四五六七八九十").repeated(20);
        const QStringList lines = ClipRowText::wrapLines(text, font, 200, 2);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.last().endsWith(QChar(0x2026)));
        for (const QString &line : lines)
            QVERIFY(QFontMetrics(font).horizontalAdvance(line) <= 200);
        QCOMPARE(ClipRowText::wrapLines(QStringLiteral("短"), font, 200, 2).size(), 1);
        QCOMPARE(ClipRowText::wrapLines(QStringLiteral("a\nb\nc"), font, 200, 2).first(), QStringLiteral("a"));
    }
};

QUILLO_TEST_WIDGETS_MAIN(TestClipRowText)
#include "tst_clip_row_text.moc"
