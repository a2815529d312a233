#include "app_store_test_access.h"
#include "fake_pasteboard.h"
#include "test_main.h"

#include "store/app_store.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <memory>

using Content = FakePasteboard::Content;
Q_DECLARE_METATYPE(FakePasteboard::Content)

namespace {

QImage picture(QRgb colour, int width = 32, int height = 24)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

Content textContent(const QString &text, const QStringList &extraTypes = {})
{
    Content content;
    content.types = QStringList{QStringLiteral("text/plain")} + extraTypes;
    content.text = text;
    return content;
}

} // namespace

class TestPasteboardMonitor : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakePasteboard> m_pasteboard;
    std::unique_ptr<AppStore> m_store;

    // A store with a polling timer too slow to matter: checks run only when a test asks.
    AppStore &makeStore(bool monitoring = false)
    {
        m_pasteboard = std::make_unique<FakePasteboard>();
        AppStore::Options options;
        options.pasteboard = m_pasteboard.get();
        options.startMonitoring = monitoring;
        m_store = std::make_unique<AppStore>(options);
        return *m_store;
    }
    void check() { AppStoreTestAccess::checkPasteboard(*m_store); }

private slots:
    void init()
    {
        const QString support = QDir::homePath() + QStringLiteral("/.local/share/Quillo");
        QFile::remove(support + QStringLiteral("/clipboard-history.json"));
        QDir(support + QStringLiteral("/ClipboardImages")).removeRecursively();
    }
    void cleanup()
    {
        m_store.reset();
        m_pasteboard.reset();
    }

    // What a change records, and which reads it makes: a step that decides ends the check,
    // so later formats are never read (each read can cost a round trip to the owner).
    void orderOfChecks_data()
    {
        QTest::addColumn<Content>("content");
        QTest::addColumn<bool>("filter");
        QTest::addColumn<QString>("expectedContent"); // empty: nothing recorded
        QTest::addColumn<int>("expectedKind");
        QTest::addColumn<QList<int>>("reads"); // image, url, text

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

        Content secretUrl = everything;
        secretUrl.urls = QList<QUrl>{QUrl(QStringLiteral("https://example.org/cb?token=abc123"))};
        QTest::newRow("sensitive URL records nothing, not even the text")
            << secretUrl << true << QString() << -1 << QList<int>{1, 1, 0};

        Content emptyList = everything;
        emptyList.urls = QList<QUrl>{};
        QTest::newRow("empty URL list falls through to text")
            << emptyList << true << QStringLiteral("words") << int(ClipKind::text) << QList<int>{1, 1, 1};

        QTest::newRow("blank text records nothing")
            << textContent(QStringLiteral(" \n\t\u3000 ")) << true << QString() << -1 << QList<int>{1, 1, 1};
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
    }
    void orderOfChecks()
    {
        QFETCH(Content, content);
        QFETCH(bool, filter);
        QFETCH(QString, expectedContent);
        QFETCH(int, expectedKind);
        QFETCH(QList<int>, reads);

        AppStore &store = makeStore();
        store.setIgnoreSensitiveField(filter);
        m_pasteboard->setContent(content);
        check();
        QCOMPARE((QList<int>{m_pasteboard->imageReads(), m_pasteboard->urlReads(), m_pasteboard->textReads()}), reads);
        if (expectedContent.isEmpty()) {
            QVERIFY(store.clips().isEmpty());
            return;
        }
        QCOMPARE(store.clips().size(), 1);
        QCOMPARE(store.clips().first().content, expectedContent);
        QCOMPARE(int(store.clips().first().kind), expectedKind);
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
        AppStore &store = makeStore();
        m_pasteboard->setContent(textContent(QStringLiteral("plain words"), {type}));
        check();
        QVERIFY(store.clips().isEmpty());
        // The generation is consumed: turning the filter off later does not bring it back.
        store.setIgnoreSensitiveField(false);
        check();
        QVERIFY(store.clips().isEmpty());
        m_pasteboard->setContent(textContent(QStringLiteral("plain words"), {type}));
        check();
        QCOMPARE(store.clips().size(), 1);
    }

    void eachChangeIsReadOnce()
    {
        AppStore &store = makeStore();
        m_pasteboard->offerText(QStringLiteral("once"));
        check();
        check();
        check();
        QCOMPARE(m_pasteboard->textReads(), 1);
        QCOMPARE(store.clips().size(), 1);
        QCOMPARE(AppStoreTestAccess::lastChangeCount(store), m_pasteboard->changeCount());
    }

    void contentOnTheClipboardAtStartIsNotRecorded()
    {
        auto pasteboard = std::make_unique<FakePasteboard>();
        pasteboard->offerText(QStringLiteral("before launch"));
        AppStore::Options options;
        options.pasteboard = pasteboard.get();
        options.startMonitoring = false;
        AppStore store(options);
        AppStoreTestAccess::checkPasteboard(store);
        QVERIFY(store.clips().isEmpty());
        QCOMPARE(pasteboard->textReads(), 0);
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
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, content);
        QFETCH(QString, source);
        AppStore &store = makeStore();
        m_pasteboard->offerUrls({url, QUrl(QStringLiteral("https://second.example/"))}, QStringLiteral("text"));
        check();
        QCOMPARE(store.clips().size(), 1);
        const ClipItem &item = store.clips().first();
        QCOMPARE(int(item.kind), kind);
        QCOMPARE(item.title, title);
        QCOMPARE(item.content, content);
        QCOMPARE(item.source, source);
        QVERIFY(!item.imagePath);
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
        QFETCH(bool, recorded);
        AppStore &store = makeStore();
        // Only the size rule here: the secret patterns have their own time limit.
        store.setIgnoreSensitiveField(false);
        m_pasteboard->offerText(text);
        check();
        QCOMPARE(store.clips().size(), recorded ? 1 : 0);
    }

    void timerRules()
    {
        AppStore &store = makeStore(true);
        QTimer *first = AppStoreTestAccess::pollTimer(store);
        QVERIFY(first && first->isActive());
        QCOMPARE(first->interval(), 900);
        QCOMPARE(first->timerType(), Qt::CoarseTimer);
        QVERIFY(!first->isSingleShot());

        store.setPanelVisible(true);
        store.startMonitoring(0.905);
        QCOMPARE(AppStoreTestAccess::pollTimer(store), first);
        QCOMPARE(store.monitoringInterval(), 0.9);

        store.startMonitoring(0.92);
        QTimer *second = AppStoreTestAccess::pollTimer(store);
        QVERIFY(second != first);
        QCOMPARE(second->interval(), 920);

        store.setPanelVisible(false);
        QTimer *slow = AppStoreTestAccess::pollTimer(store);
        QCOMPARE(slow->interval(), 1800);
        QCOMPARE(store.monitoringInterval(), 1.8);
        store.setPanelVisible(false);
        QCOMPARE(AppStoreTestAccess::pollTimer(store), slow);
        store.setPanelVisible(true);
        QCOMPARE(AppStoreTestAccess::pollTimer(store)->interval(), 900);
        // Only one timer is ever running.
        const QList<QTimer *> timers = store.findChildren<QTimer *>();
        QCOMPARE(std::count_if(timers.cbegin(), timers.cend(),
                               [](QTimer *t) { return t->interval() >= 900 && t->isActive(); }),
                 1);
    }

    void tickChecksThePasteboard()
    {
        AppStore &store = makeStore();
        store.startMonitoring(0.05);
        // Not through changed(): a clipboard that announces nothing is still polled.
        m_pasteboard->blockSignals(true);
        m_pasteboard->offerText(QStringLiteral("polled"));
        m_pasteboard->blockSignals(false);
        QTRY_COMPARE_WITH_TIMEOUT(store.clips().size(), 1, 2000);
    }

    // A change announced by the clipboard is checked on the next turn of the event loop,
    // never inside the signal, and without waiting for the timer.
    void announcedChangeIsCheckedSoon()
    {
        AppStore &store = makeStore(true);
        store.startMonitoring(600);
        m_pasteboard->offerText(QStringLiteral("first"));
        QVERIFY(store.clips().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(store.clips().size(), 1, 1000);
        m_pasteboard->offerText(QStringLiteral("second"));
        QTRY_COMPARE_WITH_TIMEOUT(store.clips().size(), 2, 1000);
        QCOMPARE(store.clips().first().content, QStringLiteral("second"));
    }

    void ownWriteIsNotRecorded()
    {
        AppStore &store = makeStore(true);
        store.startMonitoring(600);
        m_pasteboard->offerText(QStringLiteral("kept"));
        QTRY_COMPARE_WITH_TIMEOUT(store.clips().size(), 1, 1000);
        const ClipItem item = ClipItem::make(ClipKind::text, QStringLiteral("other"), QStringLiteral("other"));
        store.copy(item);
        QCOMPARE(m_pasteboard->writes().size(), 1);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        check();
        QCOMPARE(store.clips().size(), 1);
        QCOMPARE(AppStoreTestAccess::lastChangeCount(store), m_pasteboard->changeCount());
    }

    void pictureIsRecordedAfterItsFileExists()
    {
        AppStore &store = makeStore();
        bool fileExistedWhenAdded = false;
        connect(&store, &AppStore::clipsChanged, this, [&] {
            if (!store.clips().isEmpty() && store.clips().first().imagePath)
                fileExistedWhenAdded = QFile::exists(*store.clips().first().imagePath);
        });
        m_pasteboard->offerImage(picture(qRgb(200, 30, 30), 40, 30),
                                 {QStringLiteral("text/uri-list"), QStringLiteral("text/plain")});
        check();
        QCOMPARE(m_pasteboard->urlReads(), 0); // the accepted picture ends the check
        QCOMPARE(m_pasteboard->textReads(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(store.clips().size(), 1, 5000);
        QVERIFY(fileExistedWhenAdded);
        const ClipItem item = store.clips().first();
        QCOMPARE(item.kind, ClipKind::image);
        QCOMPARE(item.title, QStringLiteral("复制的图片"));
        QCOMPARE(item.content, QStringLiteral("图片"));
        QCOMPARE(item.source, QStringLiteral("剪贴板"));
        const QFileInfo file(*item.imagePath);
        QCOMPARE(file.absolutePath(), store.imagesDirectory());
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\.png$"))
                    .match(file.fileName())
                    .hasMatch());
        QCOMPARE(file.permissions() & 0xF0FF, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        const QImage stored(*item.imagePath, "PNG");
        QCOMPARE(stored.size(), QSize(40, 30));
        QCOMPARE(stored.pixel(5, 5), qRgb(200, 30, 30));
    }

    // Other programs offer BMP or JPEG; the store always keeps PNG.
    void otherPictureFormatsAreStoredAsPng()
    {
        AppStore &store = makeStore();
        QByteArray bmp;
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        picture(qRgb(10, 200, 10)).save(&buffer, "BMP");
        m_pasteboard->setContent(
            Content{{QStringLiteral("image/bmp")}, Pasteboard::RawImage{bmp, QStringLiteral("image/bmp")}, {}, {}});
        check();
        QTRY_COMPARE_WITH_TIMEOUT(store.clips().size(), 1, 5000);
        QFile file(*store.clips().first().imagePath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(8).startsWith("\x89PNG"));
    }

    void undecodablePictureRecordsNothing()
    {
        AppStore &store = makeStore();
        m_pasteboard->setContent(Content{{QStringLiteral("image/png"), QStringLiteral("text/plain")},
                                         Pasteboard::RawImage{"not a picture", QStringLiteral("image/png")},
                                         {},
                                         QStringLiteral("text beside it")});
        check();
        store.flush();
        QCoreApplication::processEvents();
        QVERIFY(store.clips().isEmpty());
        QVERIFY(QDir(store.imagesDirectory()).entryList(QDir::Files).isEmpty());
    }

    void emptyPictureBytesFallThrough()
    {
        AppStore &store = makeStore();
        m_pasteboard->setContent(Content{{QStringLiteral("image/png"), QStringLiteral("text/plain")},
                                         Pasteboard::RawImage{QByteArray(), QStringLiteral("image/png")},
                                         {},
                                         QStringLiteral("the text")});
        check();
        QCOMPARE(store.clips().size(), 1);
        QCOMPARE(store.clips().first().content, QStringLiteral("the text"));
    }

    // QImageReader's default allocation limit (128 MB) would refuse this 8192×4608 picture.
    void largePictureIsKept()
    {
        AppStore &store = makeStore();
        QImage big(8192, 4608, QImage::Format_RGB32);
        big.fill(qRgb(1, 2, 3));
        m_pasteboard->offerImage(big);
        check();
        QTRY_COMPARE_WITH_TIMEOUT(store.clips().size(), 1, 60000);
        QCOMPARE(QImageReader(*store.clips().first().imagePath).size(), QSize(8192, 4608));
    }
};

QUILLO_TEST_GUILESS_MAIN(TestPasteboardMonitor)
#include "tst_pasteboard_monitor.moc"
