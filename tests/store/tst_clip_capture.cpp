#include "fake_pasteboard.h"
#include "test_main.h"

#include "store/clip_capture.h"

using Content = FakePasteboard::Content;
Q_DECLARE_METATYPE(FakePasteboard::Content)

namespace {

Content textContent(const QString &text, const QStringList &extraTypes = {})
{
    Content content;
    content.types = QStringList{QStringLiteral("text/plain")} + extraTypes;
    content.text = text;
    return content;
}

} // namespace

// What one clipboard generation becomes, and which formats are read to decide it.
class TestClipCapture : public QObject
{
    Q_OBJECT
private slots:
    // A step that decides ends the reading: later formats are never asked for (each read can
    // cost a round trip to the owning program).
    void orderOfChecks_data()
    {
        QTest::addColumn<Content>("content");
        QTest::addColumn<bool>("filter");
        QTest::addColumn<QString>("expected"); // entry content; "" nothing, "<picture>" a picture
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("reads"); // image, urls, text

        const QUrl web(QStringLiteral("https://example.org/page"));
        Content everything = textContent(QStringLiteral("words"), {QStringLiteral("text/uri-list")});
        everything.urls = QList<QUrl>{web};
        Content marked = everything;
        marked.types << QStringLiteral("org.nspasteboard.ConcealedType");
        QTest::newRow("marker stops before any read") << marked << true << QString() << -1 << QList<int>{0, 0, 0};
        QTest::newRow("marker ignored with the filter off")
            << marked << false << web.toString() << int(ClipKind::link) << QList<int>{1, 1, 0};
        QTest::newRow("URL wins over text")
            << everything << true << web.toString() << int(ClipKind::link) << QList<int>{1, 1, 0};
        QImage pixels(3, 2, QImage::Format_RGB32);
        pixels.fill(Qt::blue);
        Content picture = everything;
        picture.image = Pasteboard::RawImage{FakePasteboard::pngBytes(pixels), QStringLiteral("image/png")};
        QTest::newRow("picture wins over URL and text")
            << picture << true << QStringLiteral("<picture>") << -1 << QList<int>{1, 0, 0};
        Content broken = textContent(QStringLiteral("words"), {QStringLiteral("image/png")});
        broken.image = Pasteboard::RawImage{"\x89PNG\r\n\x1a\n broken", QStringLiteral("image/png")};
        QTest::newRow("picture that cannot be decoded falls through to text")
            << broken << true << QStringLiteral("words") << int(ClipKind::text) << QList<int>{1, 1, 1};
        Content emptyPicture = everything;
        emptyPicture.image = Pasteboard::RawImage{{}, QStringLiteral("image/png")};
        QTest::newRow("picture without bytes falls through")
            << emptyPicture << true << web.toString() << int(ClipKind::link) << QList<int>{1, 1, 0};
        Content secretUrl = everything;
        secretUrl.urls = QList<QUrl>{QUrl(QStringLiteral("https://example.org/cb?token=abc123"))};
        QTest::newRow("sensitive URL records nothing, not even the text")
            << secretUrl << true << QString() << -1 << QList<int>{1, 1, 0};
        Content emptyList = everything;
        emptyList.urls = QList<QUrl>{};
        QTest::newRow("empty URL list falls through to text")
            << emptyList << true << QStringLiteral("words") << int(ClipKind::text) << QList<int>{1, 1, 1};
        QTest::newRow("blank text") << textContent(QStringLiteral(" \n\t\u3000 ")) << true << QString() << -1
                                    << QList<int>{1, 1, 1};
        QTest::newRow("outer white space trimmed, inner kept")
            << textContent(QStringLiteral("  hello\nworld  ")) << true << QStringLiteral("hello\nworld")
            << int(ClipKind::text) << QList<int>{1, 1, 1};
        QTest::newRow("sensitive text") << textContent(QStringLiteral("password: hunter2")) << true << QString() << -1
                                        << QList<int>{1, 1, 1};
        QTest::newRow("sensitive text with the filter off")
            << textContent(QStringLiteral("password: hunter2")) << false << QStringLiteral("password: hunter2")
            << int(ClipKind::text) << QList<int>{1, 1, 1};
        QTest::newRow("code") << textContent(QStringLiteral("const x = 1;")) << true << QStringLiteral("const x = 1;")
                              << int(ClipKind::code) << QList<int>{1, 1, 1};
        QTest::newRow("nothing offered") << Content{} << true << QString() << -1 << QList<int>{1, 1, 1};
    }
    void orderOfChecks()
    {
        QFETCH(Content, content);
        QFETCH(bool, filter);
        QFETCH(QString, expected);
        FakePasteboard pasteboard;
        pasteboard.setContent(content);
        const ClipCapture::Capture capture = ClipCapture::read(pasteboard, filter);
        QTEST((QList<int>{pasteboard.imageReads(), pasteboard.urlReads(), pasteboard.textReads()}), "reads");
        QCOMPARE(bool(capture.picture), expected == QLatin1String("<picture>"));
        const std::optional<ClipItem> entry =
            capture.text ? ClipCapture::textEntry(*capture.text, filter) : capture.entry;
        QCOMPARE(bool(entry), !expected.isEmpty() && !capture.picture);
        if (capture.picture)
            QCOMPARE(capture.picture->bytes, content.image->bytes);
        if (entry) {
            QCOMPARE(entry->content, expected);
            QTEST(int(entry->kind), "kind");
            QVERIFY(!entry->imagePath);
        }
    }

    void markersMatchAnyCaseAsSubstrings_data()
    {
        QTest::addColumn<QString>("type");
        QTest::newRow("transient") << "org.nspasteboard.TransientType";
        QTest::newRow("concealed, lower case") << "org.nspasteboard.concealedtype";
        QTest::newRow("auto-generated") << "org.nspasteboard.AutoGeneratedType";
        QTest::newRow("1Password legacy") << "com.agilebits.onepassword";
        QTest::newRow("1Password, other case, suffix") << "COM.1Password.item-uuid";
        QTest::newRow("KDE/KeePassXC hint") << "x-kde-passwordManagerHint";
        QTest::newRow("KDE hint inside another name") << "application/X-KDE-PASSWORDMANAGERHINT";
    }
    void markersMatchAnyCaseAsSubstrings()
    {
        QFETCH(QString, type);
        QVERIFY(ClipCapture::hasSecretMarker({QStringLiteral("text/plain"), type}));
    }

    void urlEntries_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("source");
        const QString finder = QStringLiteral("Finder");
        const QString browser = QStringLiteral("浏览器");
        QTest::newRow("file") << QUrl::fromLocalFile(QStringLiteral("/home/u/报告 2024.pdf")) << int(ClipKind::file)
                              << QStringLiteral("报告 2024.pdf") << QStringLiteral("/home/u/报告 2024.pdf") << finder;
        QTest::newRow("folder with trailing slash")
            << QUrl(QStringLiteral("file:///home/u/Projects/")) << int(ClipKind::file) << QStringLiteral("Projects")
            << QStringLiteral("/home/u/Projects") << finder;
        QTest::newRow("root folder") << QUrl(QStringLiteral("file:///")) << int(ClipKind::file) << QStringLiteral("/")
                                     << QStringLiteral("/") << finder;
        QTest::newRow("web") << QUrl(QStringLiteral("https://www.example.com/a/b?q=1#top")) << int(ClipKind::link)
                             << QStringLiteral("www.example.com")
                             << QStringLiteral("https://www.example.com/a/b?q=1#top") << browser;
        QTest::newRow("no host") << QUrl(QStringLiteral("mailto:someone@example.com")) << int(ClipKind::link)
                                 << QStringLiteral("链接") << QStringLiteral("mailto:someone@example.com") << browser;
    }
    void urlEntries()
    {
        QFETCH(QUrl, url);
        FakePasteboard pasteboard;
        pasteboard.offerUrls({url, QUrl(QStringLiteral("https://second.example/"))}, QStringLiteral("text"));
        const std::optional<ClipItem> entry = ClipCapture::read(pasteboard, true).entry;
        QVERIFY(entry);
        QTEST(int(entry->kind), "kind");
        QTEST(entry->title, "title");
        QTEST(entry->content, "content");
        QTEST(entry->source, "source");
    }

    void textSizeLimit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("recorded");
        const qsizetype limit = qsizetype(8) << 20;
        QTest::newRow("8 MiB of ASCII") << QString(limit, QLatin1Char('a')) << true;
        QTest::newRow("one byte more") << QString(limit + 1, QLatin1Char('a')) << false;
        QTest::newRow("white space around does not count")
            << (QStringLiteral("  ") + QString(limit, QLatin1Char('a')) + QStringLiteral("\n")) << true;
        QTest::newRow("three-byte characters under") << QString(limit / 3, QChar(0x4E2D)) << true;
        QTest::newRow("three-byte characters over") << QString(limit / 3 + 1, QChar(0x4E2D)) << false;
        QTest::newRow("surrogate pairs over") << QStringLiteral("😀").repeated(limit / 4 + 1) << false;
    }
    void textSizeLimit()
    {
        QFETCH(QString, text);
        // Only the size rule here: the secret patterns have their own time limit.
        QTEST(bool(ClipCapture::textEntry(text, false)), "recorded");
    }
};

QUILLO_TEST_GUILESS_MAIN(TestClipCapture)
#include "tst_clip_capture.moc"
