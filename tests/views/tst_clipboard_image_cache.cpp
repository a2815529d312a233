#include "test_main.h"
#include "views/clipboard/clipboard_image_cache.h"
#include "views_fixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestClipboardImageCache : public QObject
{
    Q_OBJECT
private slots:
    void init() { ClipboardImageCache::shared().clear(); }

    void decodesAtDisplaySizeFilled_data()
    {
        QTest::addColumn<QSize>("original");
        QTest::newRow("landscape") << QSize(800, 200);
        QTest::newRow("tiny") << QSize(3, 2);
    }

    void decodesAtDisplaySizeFilled()
    {
        QFETCH(QSize, original);
        ViewsFixture f;
        // Left half red, right half blue: a centred crop of a wide picture shows both.
        QImage image(original, QImage::Format_RGB32);
        image.fill(Qt::red);
        for (int y = 0; y < original.height(); ++y)
            for (int x = original.width() / 2; x < original.width(); ++x)
                image.setPixelColor(x, y, Qt::blue);
        QDir().mkpath(f.store->imagesDirectory());
        const QString path = f.store->imagesDirectory() + QStringLiteral("/p.png");
        QVERIFY(image.save(path));
        const QImage thumb = ClipboardImageCache::shared().thumbnail(path, QSize(92, 92), f.store->imagesDirectory());
        QCOMPARE(thumb.size(), QSize(92, 92));
        if (original.width() >= 4 * original.height()) {
            QCOMPARE(thumb.pixelColor(2, 46).red(), 255);
            QCOMPARE(thumb.pixelColor(89, 46).blue(), 255);
        }
    }

    void decodesOnceWhileCached()
    {
        ViewsFixture f;
        auto &cache = ClipboardImageCache::shared();
        const QString path = f.storedPicture(QStringLiteral("one"));
        const qint64 before = cache.decodeCount();
        for (int i = 0; i < 5; ++i)
            QVERIFY(!cache.thumbnail(path, QSize(46, 46), f.store->imagesDirectory()).isNull());
        QCOMPARE(cache.decodeCount(), before + 1);
        QVERIFY(cache.contains(path, QSize(46, 46)));
    }

    void unusableFilesAreNotCached_data()
    {
        QTest::addColumn<QString>("which");
        QTest::newRow("missing") << "missing";
        QTest::newRow("not a picture") << "garbage";
        QTest::newRow("outside the pictures folder") << "outside";
    }

    void unusableFilesAreNotCached()
    {
        QFETCH(QString, which);
        ViewsFixture f;
        QTemporaryDir elsewhere;
        QString path;
        if (which == QLatin1String("missing")) {
            path = f.store->imagesDirectory() + QStringLiteral("/missing.png");
        } else if (which == QLatin1String("garbage")) {
            path = f.storedPicture(QStringLiteral("garbage"));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("not a png");
        } else {
            path = elsewhere.filePath(QStringLiteral("x.png"));
            QImage image(10, 10, QImage::Format_RGB32);
            image.fill(Qt::green);
            QVERIFY(image.save(path));
        }
        auto &cache = ClipboardImageCache::shared();
        QVERIFY(cache.thumbnail(path, QSize(46, 46), f.store->imagesDirectory()).isNull());
        QCOMPARE(cache.count(), 0);
        // A later try reads again (the file may have appeared by then).
        if (which == QLatin1String("missing")) {
            f.storedPicture(QStringLiteral("missing"));
            QVERIFY(!cache.thumbnail(path, QSize(46, 46), f.store->imagesDirectory()).isNull());
        }
    }

    void twentyFifthPictureEvicts()
    {
        ViewsFixture f;
        auto &cache = ClipboardImageCache::shared();
        QStringList paths;
        for (int i = 0; i < 25; ++i)
            paths << f.storedPicture(QStringLiteral("p%1").arg(i), QSize(60, 60));
        for (const QString &path : paths)
            cache.thumbnail(path, QSize(46, 46), f.store->imagesDirectory());
        QCOMPARE(cache.count(), ClipboardImageCache::kCountLimit);
        QVERIFY(!cache.contains(paths.first(), QSize(46, 46)));
        QVERIFY(cache.contains(paths.last(), QSize(46, 46)));
        const qint64 before = cache.decodeCount();
        cache.thumbnail(paths.first(), QSize(46, 46), f.store->imagesDirectory());
        QCOMPARE(cache.decodeCount(), before + 1);
    }

    void keepsCostUnderLimit()
    {
        ViewsFixture f;
        auto &cache = ClipboardImageCache::shared();
        // 2048² × 4 = 16 MiB each: the third one pushes the first out by cost, not by count.
        QStringList paths;
        for (int i = 0; i < 3; ++i)
            paths << f.storedPicture(QStringLiteral("big%1").arg(i), QSize(64, 64));
        for (const QString &path : paths)
            QVERIFY(!cache.thumbnail(path, QSize(2048, 2048), f.store->imagesDirectory()).isNull());
        QVERIFY(cache.totalCost() <= ClipboardImageCache::kCostLimit);
        QCOMPARE(cache.count(), 2);
        QVERIFY(!cache.contains(paths.first(), QSize(2048, 2048)));
        // Larger than the whole budget: returned to the caller, not cached.
        const QImage huge = cache.thumbnail(paths.first(), QSize(4096, 4096), f.store->imagesDirectory());
        QCOMPARE(huge.size(), QSize(4096, 4096));
        QVERIFY(!cache.contains(paths.first(), QSize(4096, 4096)));
    }
};

QUILLO_TEST_WIDGETS_MAIN(TestClipboardImageCache)
#include "tst_clipboard_image_cache.moc"
