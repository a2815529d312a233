#include "test_files.h"
#include "test_main.h"

#include "store/clip_pictures.h"
#include "store/persistence_queue.h"
#include "store/store_paths.h"

#include <QBuffer>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage filled(QRgb colour, QSize size = QSize(40, 30))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

// The history's picture files: capture, comparison by content, loading.
class TestClipPictures : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    PersistenceQueue m_queue;
    std::unique_ptr<ClipPictures> m_pictures;

    QString images() const { return m_dir.filePath(QStringLiteral("Quillo/ClipboardImages")); }
    QString write(const QString &path, QRgb colour)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        filled(colour, QSize(4, 3)).save(path, "PNG");
        return path;
    }

private slots:
    void initTestCase() { StorePaths::liftImageAllocationLimit(); } // as start-up does
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        m_pictures = std::make_unique<ClipPictures>(images(), m_queue);
    }

    // Whatever format the owner offers, the store keeps a PNG of it in a private file, and the
    // entry appears only once that file exists.
    void captureStoresPng_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("mimeType");
        QTest::addColumn<QSize>("size"); // empty: nothing stored
        const QImage red = filled(qRgb(200, 30, 30));
        QTest::newRow("png") << encoded(red, "PNG") << "image/png" << QSize(40, 30);
        QTest::newRow("bmp") << encoded(red, "BMP") << "image/bmp" << QSize(40, 30);
        QTest::newRow("mislabelled") << encoded(red, "BMP") << "image/png" << QSize(40, 30);
        // Above QImageReader's default allocation limit (128 MB).
        QTest::newRow("8K screenshot") << encoded(filled(qRgb(1, 2, 3), QSize(8192, 4608)), "PNG") << "image/png"
                                       << QSize(8192, 4608);
        QTest::newRow("not a picture") << QByteArray("not a picture") << "image/png" << QSize();
    }
    void captureStoresPng()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, mimeType);
        QFETCH(QSize, size);
        int calls = 0;
        std::optional<ClipItem> stored;
        bool fileExisted = false;
        m_pictures->capture(Pasteboard::RawImage{bytes, mimeType}, [&](const std::optional<ClipItem> &entry) {
            ++calls;
            stored = entry;
            fileExisted = entry && QFile::exists(*entry->imagePath);
        });
        m_queue.drain();
        QCoreApplication::processEvents();
        QCOMPARE(calls, 1);
        if (size.isEmpty()) {
            QVERIFY(!stored);
            QVERIFY(QDir(images()).entryList(QDir::Files).isEmpty());
            return;
        }
        QVERIFY(stored);
        QVERIFY(fileExisted);
        const ClipItem entry = *stored;
        QCOMPARE(entry.kind, ClipKind::image);
        QCOMPARE(entry.title, QStringLiteral("复制的图片"));
        QCOMPARE(entry.content, QStringLiteral("图片"));
        QCOMPARE(entry.source, QStringLiteral("剪贴板"));
        const QFileInfo file(*entry.imagePath);
        QCOMPARE(file.absolutePath(), images());
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\.png$"))
                    .match(file.fileName())
                    .hasMatch());
        QCOMPARE(TestFiles::modeOf(file.filePath()), mode_t(0600));
        QCOMPARE(TestFiles::modeOf(images()), mode_t(0700));
        QImageReader reader(file.filePath());
        QCOMPARE(reader.format(), QByteArray("png"));
        QCOMPARE(reader.size(), size);
    }

    void sameContentOnlyForStoredPictures_data()
    {
        QTest::addColumn<QString>("second"); // where the second file is
        QTest::addColumn<QRgb>("colour");
        QTest::addColumn<bool>("same");
        QTest::newRow("same bytes") << "images" << qRgb(255, 0, 0) << true;
        QTest::newRow("other bytes") << "images" << qRgb(0, 0, 255) << false;
        QTest::newRow("same bytes outside the folder") << "outside" << qRgb(255, 0, 0) << false;
        QTest::newRow("missing") << "missing" << qRgb(255, 0, 0) << false;
    }
    void sameContentOnlyForStoredPictures()
    {
        QFETCH(QString, second);
        QFETCH(QRgb, colour);
        const QString first = write(images() + QStringLiteral("/FIRST.png"), qRgb(255, 0, 0));
        const QString other =
            second == "outside" ? m_dir.filePath(QStringLiteral("SAME.png")) : images() + QStringLiteral("/SECOND.png");
        if (second != "missing")
            write(other, colour);
        QTEST(m_pictures->sameContent(first, other), "same");
    }

    void loadsOnlyStoredPictures()
    {
        const QString stored = write(images() + QStringLiteral("/PIC.png"), qRgb(255, 0, 255));
        const QString outside = write(m_dir.filePath(QStringLiteral("PIC.png")), qRgb(255, 0, 255));
        TestFiles::writeFile(images() + QStringLiteral("/JUNK.png"), "not a picture");
        ClipItem item = ClipItem::make(ClipKind::image, QStringLiteral("图片"), QStringLiteral("图片"),
                                       ClipItem::sourceClipboard(), stored);
        QCOMPARE(m_pictures->load(item).pixelColor(0, 0), QColor(Qt::magenta));
        for (const std::optional<QString> &path :
             {std::optional(outside), std::optional(images() + QStringLiteral("/JUNK.png")),
              std::optional(images() + QStringLiteral("/../../PIC.png")), std::optional<QString>()}) {
            item.imagePath = path;
            QVERIFY(m_pictures->load(item).isNull());
        }
    }
};

QUILLO_TEST_GUILESS_MAIN(TestClipPictures)
#include "tst_clip_pictures.moc"
