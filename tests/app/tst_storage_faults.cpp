// A full disk and a read-only support folder, made real: the test process has mounts of its own
// (see PrivateMounts) with a small tmpfs as the support folder. The clipboard is the in-memory
// one; the footer is the real clipboard page's, and the real `quillo` binary starts on Xvfb.
#include "fake_pasteboard.h"
#include "fake_store_clock.h"
#include "private_mounts.h"
#include "test_environment.h"
#include "test_files.h"
#include "xvfb_server.h"

#include "app/single_instance.h"
#include "store/app_store.h"
#include "store/clip_json.h"
#include "views/clipboard/clipboard_footer.h"
#include "views/clipboard/clipboard_view.h"

#include <QApplication>
#include <QProcess>
#include <QTest>

namespace {

QString g_mountsUnavailable; // why this machine cannot mount, or empty

QImage noise(int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            image.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (x + 3 * y) % 256));
    return image;
}

} // namespace

class TestStorageFaults : public QObject
{
    Q_OBJECT

    QString m_support;
    QString m_mounted;

    QString contentsOnDisk() const
    {
        QStringList contents;
        for (const ClipItem &item : ClipJson::decodeClips(TestFiles::readFile(m_support + "/clipboard-history.json"))
                                        .value_or(QList<ClipItem>()))
            contents << item.content;
        return contents.join(QLatin1Char(','));
    }

private slots:
    void initTestCase()
    {
        if (!g_mountsUnavailable.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no private mounts here: ") + g_mountsUnavailable));
        m_support = QDir::homePath() + QStringLiteral("/.local/share/Quillo");
    }
    void init()
    {
        QString why;
        QVERIFY2(PrivateMounts::mountTmpfs(m_support, 512 * 1024, &why), qPrintable(why));
        m_mounted = m_support;
    }
    void cleanup()
    {
        if (!m_mounted.isEmpty())
            PrivateMounts::unmount(std::exchange(m_mounted, QString()));
    }

    // The footer names the failure, the old file stays whole, and once there is room the next
    // change writes the history and the picture that could not be written.
    void fullDiskIsShownAndSavedOnceThereIsRoom()
    {
        FakePasteboard pasteboard;
        FakeStoreClock clock;
        AppStore store(AppStore::Options{&pasteboard, nullptr, &clock, true});
        ClipboardView view(store);
        const QString normalFooter = view.footer()->privacyText();
        pasteboard.offerText(QStringLiteral("first"));
        QCoreApplication::processEvents();
        store.flush();
        QCoreApplication::processEvents();
        QCOMPARE(contentsOnDisk(), QStringLiteral("first"));

        QVERIFY(PrivateMounts::fill(m_support, QStringLiteral("filler")));
        pasteboard.offerText(QStringLiteral("second"));
        QCoreApplication::processEvents();
        store.flush();
        QTRY_COMPARE(view.footer()->privacyText(), QStringLiteral("保存失败：磁盘空间不足"));
        QCOMPARE(contentsOnDisk(), QStringLiteral("first"));
        pasteboard.offerImage(noise(64));
        QCoreApplication::processEvents();
        store.flush();
        QCoreApplication::processEvents();
        QCOMPARE(store.clips().size(), 2); // the picture waits for room
        QCOMPARE(view.footer()->privacyText(), QStringLiteral("保存失败：磁盘空间不足"));

        QVERIFY(QFile::remove(m_support + QStringLiteral("/filler")));
        pasteboard.offerText(QStringLiteral("third"));
        QTRY_COMPARE(store.clips().size(), 4);
        store.flush();
        QTRY_COMPARE(view.footer()->privacyText(), normalFooter);
        QCOMPARE(contentsOnDisk(), QStringLiteral("图片,third,second,first"));
        QCOMPARE(QImage(*store.clips().first().imagePath).size(), QSize(64, 64));
    }

    // No "already running": Quillo starts without saving and says so; its settings file, which
    // it cannot read, is not lost, and the reason it cannot be replaced is given in Chinese.
    void readOnlySupportFolder()
    {
        TestFiles::writeFile(m_support + QStringLiteral("/preferences.json"), "not json");
        QString why;
        QVERIFY2(PrivateMounts::remountReadOnly(m_support, &why), qPrintable(why));

        const QString socket = SingleInstance::defaultSocketPath(m_support);
        SingleInstance lock(m_support, socket);
        QCOMPARE(lock.tryAcquire(), SingleInstance::Lock::unavailable);

        FakePasteboard pasteboard;
        AppStore store(AppStore::Options{&pasteboard, nullptr, nullptr, true});
        ClipboardView view(store);
        QCOMPARE(view.footer()->privacyText(), QStringLiteral("历史不会保存：文件系统只读"));
        pasteboard.offerText(QStringLiteral("kept for this session"));
        QTRY_COMPARE(store.clips().size(), 1);
        store.setIgnoreSensitive(false);
        QCOMPARE(view.footer()->privacyText(), QStringLiteral("保存失败：无法保留读不出的设置文件"));

        QProcess quillo;
        quillo.setProcessChannelMode(QProcess::ForwardedChannels);
        quillo.start(QStringLiteral(QUILLO_BINARY), {});
        QVERIFY(quillo.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(SingleInstance::ask(socket, PanelCommand::show), SingleInstance::Answer::done, 10000);
        QCOMPARE(quillo.state(), QProcess::Running);
        QProcess second;
        second.start(QStringLiteral(QUILLO_BINARY), {});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0); // it found the first one through the socket
        quillo.terminate();
        QVERIFY(quillo.waitForFinished(10000));
        QCOMPARE(quillo.exitCode(), 0);
    }
};

int main(int argc, char **argv)
{
    // Before any thread: a user namespace cannot be entered by a threaded process.
    PrivateMounts::enter(&g_mountsUnavailable);
    TestEnvironment environment;
    XvfbServer xvfb;
    if (!xvfb.isRunning()) {
        fprintf(stderr, "cannot start Xvfb\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    TestStorageFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_storage_faults.moc"
