// The real X11 clipboard under a private Xvfb, with xclip and a small Qt helper as the
// other programs.
#include "test_main.h"

#include "platform/qt_clipboard_pasteboard.h"
#include "store/app_store.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

namespace {

constexpr int kTimeoutMs = 8000;

QByteArray pngOf(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage solid(QRgb colour, int width = 48, int height = 32)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

class TestClipboardE2E : public QObject
{
    Q_OBJECT

    std::unique_ptr<QtClipboardPasteboard> m_pasteboard;
    std::unique_ptr<AppStore> m_store;
    QList<QProcess *> m_helpers;
    int m_sentinels = 0;

    // xclip takes the clipboard, forks a child that serves it and exits.
    bool xclipIn(const QByteArray &data, const QString &target = {}, const QStringList &extra = {})
    {
        QStringList args{QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-i")};
        args << extra;
        if (!target.isEmpty())
            args << QStringLiteral("-t") << target;
        QProcess xclip;
        xclip.setStandardOutputFile(QProcess::nullDevice());
        xclip.setStandardErrorFile(QProcess::nullDevice());
        xclip.start(QStringLiteral("xclip"), args);
        if (!xclip.waitForStarted())
            return false;
        xclip.write(data);
        xclip.closeWriteChannel();
        return xclip.waitForFinished(kTimeoutMs) && xclip.exitCode() == 0;
    }

    // We may own the clipboard ourselves: keep our event loop running while xclip reads.
    QByteArray xclipOut(const QString &target = {})
    {
        QStringList args{QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-o")};
        if (!target.isEmpty())
            args << QStringLiteral("-t") << target;
        QProcess xclip;
        xclip.start(QStringLiteral("xclip"), args);
        if (!QTest::qWaitFor([&] { return xclip.state() == QProcess::NotRunning; }, kTimeoutMs))
            return "(xclip -o did not finish)";
        return xclip.readAllStandardOutput();
    }

    // Starts the helper that owns the clipboard with all the given formats at once. Its
    // "ready" can come before the X server has seen the new owner: wait for the change too.
    bool offer(const QStringList &formatsAndValues)
    {
        auto *helper = new QProcess(this);
        m_helpers << helper;
        const qint64 before = m_pasteboard->changeCount();
        helper->start(QStringLiteral(QUILLO_CLIPBOARD_OFFER), formatsAndValues);
        return QTest::qWaitFor([&] { return helper->canReadLine(); }, kTimeoutMs)
               && helper->readLine().trimmed() == "ready"
               && QTest::qWaitFor([&] { return m_pasteboard->changeCount() > before; }, kTimeoutMs);
    }

    std::optional<ClipItem> clipWithContent(const QString &content) const
    {
        for (const ClipItem &item : m_store->clips())
            if (item.content == content)
                return item;
        return std::nullopt;
    }

    bool waitForContent(const QString &content)
    {
        return QTest::qWaitFor([&] { return clipWithContent(content).has_value(); }, kTimeoutMs);
    }

    // Everything copied before the sentinel has been looked at once the sentinel is recorded.
    bool copySentinelAndWait()
    {
        const QString sentinel = QStringLiteral("sentinel %1").arg(++m_sentinels);
        return xclipIn(sentinel.toUtf8()) && waitForContent(sentinel);
    }

    QString contents() const
    {
        QStringList list;
        for (const ClipItem &item : m_store->clips())
            list << item.content + QLatin1Char('|') + item.imagePath.value_or(QString());
        return list.join(QStringLiteral(", "));
    }

    int imageEntries() const
    {
        const QList<ClipItem> &clips = m_store->clips();
        return std::count_if(clips.cbegin(), clips.cend(), [](const ClipItem &c) { return c.kind == ClipKind::image; });
    }

    bool copyPicture(const QImage &image, int expectedImageEntries)
    {
        return xclipIn(pngOf(image), QStringLiteral("image/png"))
               && QTest::qWaitFor([&] { return imageEntries() == expectedImageEntries; }, kTimeoutMs);
    }

private slots:
    void init()
    {
        const QString support = QDir::homePath() + QStringLiteral("/.local/share/Quillo");
        QFile::remove(support + QStringLiteral("/clipboard-history.json"));
        QFile::remove(support + QStringLiteral("/preferences.json"));
        QDir(support + QStringLiteral("/ClipboardImages")).removeRecursively();
        m_pasteboard = std::make_unique<QtClipboardPasteboard>();
        AppStore::Options options;
        options.pasteboard = m_pasteboard.get();
        m_store = std::make_unique<AppStore>(options);
    }
    void cleanup()
    {
        for (QProcess *helper : std::as_const(m_helpers)) {
            helper->kill();
            helper->waitForFinished();
            delete helper;
        }
        m_helpers.clear();
        m_store.reset();
        m_pasteboard.reset();
    }

    void textIsTrimmedClassifiedAndTitled_data()
    {
        QTest::addColumn<QString>("copied");
        QTest::addColumn<QString>("content");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::newRow("text") << QStringLiteral("  hello\nworld  \n") << QStringLiteral("hello\nworld")
                              << int(ClipKind::text) << QStringLiteral("hello");
        const QString line = QStringLiteral("中文标题").repeated(20);
        QTest::newRow("Chinese, 64-character title") << line << line << int(ClipKind::text) << line.left(64);
    }
    void textIsTrimmedClassifiedAndTitled()
    {
        QFETCH(QString, copied);
        QFETCH(QString, content);
        QFETCH(int, kind);
        QFETCH(QString, title);
        QVERIFY(xclipIn(copied.toUtf8()));
        QVERIFY(waitForContent(content));
        const ClipItem item = *clipWithContent(content);
        QCOMPARE(int(item.kind), kind);
        QCOMPARE(item.title, title);
        QCOMPARE(item.source, QStringLiteral("剪贴板"));
        QCOMPARE(m_store->clips().size(), 1);
    }

    // An owner that exits right after answering (xclip -loops 1) leaves no owner behind;
    // that is not another program's answer, so the text counts.
    void ownerExitingAfterOneAnswerIsRecorded()
    {
        QVERIFY(xclipIn("served exactly once", {}, {QStringLiteral("-loops"), QStringLiteral("1")}));
        QVERIFY(waitForContent(QStringLiteral("served exactly once")));
    }

    void urlLists_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("source");
        QTest::newRow("file URI") << "text/uri-list" << QByteArray("file:///tmp/some%20dir/report.txt\r\n")
                                  << int(ClipKind::file) << "report.txt"
                                  << "/tmp/some dir/report.txt"
                                  << "Finder";
        QTest::newRow("GNOME copied files")
            << "x-special/gnome-copied-files" << QByteArray("copy\nfile:///home/u/a.txt\nfile:///home/u/b.txt")
            << int(ClipKind::file) << "a.txt"
            << "/home/u/a.txt"
            << "Finder";
        QTest::newRow("https URI list") << "text/uri-list"
                                        << QByteArray("# from a browser\r\nhttps://www.example.com/x?y=1\r\n"
                                                      "https://other.example/\r\n")
                                        << int(ClipKind::link) << "www.example.com"
                                        << "https://www.example.com/x?y=1"
                                        << "浏览器";
    }
    void urlLists()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, data);
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, content);
        QFETCH(QString, source);
        QVERIFY(xclipIn(data, target));
        QVERIFY(waitForContent(content));
        const ClipItem item = *clipWithContent(content);
        QCOMPARE(int(item.kind), kind);
        QCOMPARE(item.title, title);
        QCOMPARE(item.source, source);
        QCOMPARE(m_store->clips().size(), 1);
    }

    void pictureEntryAppearsAfterItsFile()
    {
        bool fileExistedWhenAdded = false;
        connect(m_store.get(), &AppStore::clipsChanged, this, [&] {
            if (!m_store->clips().isEmpty() && m_store->clips().first().imagePath)
                fileExistedWhenAdded = QFile::exists(*m_store->clips().first().imagePath);
        });
        QVERIFY(copyPicture(solid(qRgb(250, 120, 0)), 1));
        QVERIFY(fileExistedWhenAdded);
        const ClipItem item = m_store->clips().first();
        QCOMPARE(item.title, QStringLiteral("复制的图片"));
        QCOMPARE(item.content, QStringLiteral("图片"));
        const QImage stored(*item.imagePath);
        QCOMPARE(stored.size(), QSize(48, 32));
        QCOMPARE(stored.pixel(3, 3), qRgb(250, 120, 0));
    }

    void picturesDifferentKeptSameOnce()
    {
        QVERIFY(copyPicture(solid(qRgb(255, 0, 0)), 1));
        QVERIFY(copyPicture(solid(qRgb(0, 0, 255)), 2));
        QVERIFY(xclipIn(pngOf(solid(qRgb(0, 0, 255))), QStringLiteral("image/png")));
        QVERIFY(copySentinelAndWait());
        m_store->flush();
        QCoreApplication::processEvents();
        QCOMPARE(imageEntries(), 2);
        // The repeat's PNG does not linger without an entry.
        QCOMPARE(QDir(m_store->imagesDirectory()).entryList(QDir::Files).size(), 2);
    }

    void secretsAreNotRecorded_data()
    {
        QTest::addColumn<QStringList>("offer"); // empty: copy the text with xclip
        QTest::addColumn<QString>("text");
        QTest::newRow("pattern") << QStringList() << QStringLiteral("password: hunter2");
        const QString words = QStringLiteral("ordinary words");
        const char *markers[] = {"org.nspasteboard.TransientType",
                                 "org.nspasteboard.ConcealedType",
                                 "org.nspasteboard.AutoGeneratedType",
                                 "com.agilebits.onepassword",
                                 "com.1password.item",
                                 "x-kde-passwordManagerHint"};
        for (const char *marker : markers)
            QTest::newRow(marker) << QStringList{QStringLiteral("text/plain"), words, QString::fromLatin1(marker),
                                                 QStringLiteral("secret")}
                                  << words;
    }
    void secretsAreNotRecorded()
    {
        QFETCH(QStringList, offer);
        QFETCH(QString, text);
        auto copyIt = [&] { return offer.isEmpty() ? xclipIn(text.toUtf8()) : this->offer(offer); };
        QVERIFY(copyIt());
        QVERIFY(copySentinelAndWait());
        QVERIFY(!clipWithContent(text));

        m_store->setIgnoreSensitive(false);
        QVERIFY(copyIt());
        QVERIFY(waitForContent(text));
    }

    void copyBackReachesOtherProgramsAndIsNotRecorded()
    {
        QVERIFY(xclipIn("copy me back"));
        QVERIFY(waitForContent(QStringLiteral("copy me back")));
        QVERIFY(copyPicture(solid(qRgb(0, 160, 60)), 1));
        QVERIFY2(m_store->clips().size() == 2, qPrintable(contents()));

        m_store->copy(*clipWithContent(QStringLiteral("copy me back")));
        QCOMPARE(xclipOut(), QByteArray("copy me back"));

        const ClipItem picture = m_store->clips().first();
        QCOMPARE(picture.kind, ClipKind::image);
        m_store->copy(picture);
        const QImage pasted = QImage::fromData(xclipOut(QStringLiteral("image/png")));
        QCOMPARE(pasted.size(), QSize(48, 32));
        QCOMPARE(pasted.pixel(1, 1), qRgb(0, 160, 60));

        QVERIFY(copySentinelAndWait());
        QCOMPARE(m_store->clips().size(), 3);
    }

    void uriListParsing_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("gnome");
        QTest::addColumn<QStringList>("urls"); // empty: not a URL list
        QTest::newRow("CRLF and comments") << QByteArray("#c\r\nfile:///a\r\nhttps://b.example/\r\n") << false
                                           << QStringList{"file:///a", "https://b.example/"};
        QTest::newRow("bare LF, trailing blank")
            << QByteArray("https://x.example/p\n\n") << false << QStringList{"https://x.example/p"};
        QTest::newRow("a line that is no URL")
            << QByteArray("https://x.example/\nnot a url\n") << false << QStringList();
        QTest::newRow("relative reference") << QByteArray("some/path\n") << false << QStringList();
        QTest::newRow("only comments") << QByteArray("# nothing\n") << false << QStringList();
        QTest::newRow("gnome cut") << QByteArray("cut\nfile:///x/y%20z") << true << QStringList{"file:///x/y%20z"};
        QTest::newRow("gnome without verb") << QByteArray("file:///x") << true << QStringList();
        QTest::newRow("gnome verb only") << QByteArray("copy\n") << true << QStringList();
    }
    void uriListParsing()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, gnome);
        QFETCH(QStringList, urls);
        const std::optional<QList<QUrl>> parsed =
            gnome ? QtClipboardPasteboard::parseGnomeCopiedFiles(data) : QtClipboardPasteboard::parseUriList(data);
        if (urls.isEmpty()) {
            QVERIFY(!parsed);
            return;
        }
        QVERIFY(parsed);
        QStringList got;
        for (const QUrl &url : *parsed)
            got << QString::fromUtf8(url.toEncoded());
        QCOMPARE(got, urls);
    }

    // Programs that select text change PRIMARY all the time; that is not a copy.
    void primarySelectionIsIgnored()
    {
        QProcess xclip;
        xclip.setStandardOutputFile(QProcess::nullDevice());
        xclip.setStandardErrorFile(QProcess::nullDevice());
        xclip.start(QStringLiteral("xclip"),
                    {QStringLiteral("-selection"), QStringLiteral("primary"), QStringLiteral("-i")});
        xclip.write("selected, not copied");
        xclip.closeWriteChannel();
        QVERIFY(xclip.waitForFinished(kTimeoutMs));
        QVERIFY(copySentinelAndWait());
        QCOMPARE(m_store->clips().size(), 1);
    }
};

QUILLO_TEST_X11_MAIN(TestClipboardE2E)
#include "tst_clipboard_e2e.moc"
