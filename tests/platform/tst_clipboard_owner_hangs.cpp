// A clipboard owner that never answers, under a private Xvfb: the panel's thread never waits
// for it, and copies in other programs are still recorded at once.
#include "test_main.h"

#include "platform/qt_clipboard_pasteboard.h"
#include "platform/x11_clipboard_watcher.h"
#include "store/app_store.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <memory>

class TestClipboardOwnerHangs : public QObject
{
    Q_OBJECT

    std::unique_ptr<QtClipboardPasteboard> m_pasteboard;
    std::unique_ptr<AppStore> m_store;
    QList<QProcess *> m_owners;
    QTimer m_heartbeat;
    QElapsedTimer m_sinceBeat;
    qint64 m_longestGapMs = 0;

    // Takes the clipboard and answers nothing; "request" lines count what it was asked.
    QProcess *startHungOwner(const QStringList &arguments = {})
    {
        auto *owner = new QProcess(this);
        m_owners << owner;
        owner->start(QStringLiteral(QUILLO_HUNG_OWNER), arguments);
        if (!QTest::qWaitFor([owner] { return owner->canReadLine(); }, 5000) || owner->readLine() != "ready\n")
            return nullptr;
        return owner;
    }
    static int requests(QProcess *owner) { return int(owner->readAllStandardOutput().count("request")); }

    // Copies with xclip, keeping the event loop (and the heartbeat) running meanwhile. The time
    // from xclip's exit, when the copy is made, until the store has it.
    qint64 copyAndTimeUntilRecorded(const QByteArray &text)
    {
        QProcess xclip;
        xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard")});
        xclip.write(text);
        xclip.closeWriteChannel();
        if (!QTest::qWaitFor([&] { return xclip.state() == QProcess::NotRunning; }, 5000))
            return -1;
        QElapsedTimer clock;
        clock.start();
        const auto recorded = [&] {
            return !m_store->clips().isEmpty() && m_store->clips().first().content == QString::fromUtf8(text);
        };
        return QTest::qWaitFor(recorded, 5000) ? clock.elapsed() : -1;
    }

private slots:
    void init()
    {
        m_pasteboard = std::make_unique<QtClipboardPasteboard>();
        m_store = std::make_unique<AppStore>(AppStore::Options{m_pasteboard.get(), nullptr, nullptr, true});
        m_heartbeat.setTimerType(Qt::PreciseTimer);
        m_heartbeat.setInterval(5);
        connect(&m_heartbeat, &QTimer::timeout, this,
                [this] { m_longestGapMs = std::max(m_longestGapMs, m_sinceBeat.restart()); });
        m_longestGapMs = 0;
        m_sinceBeat.start();
        m_heartbeat.start();
    }
    void cleanup()
    {
        m_heartbeat.stop();
        m_heartbeat.disconnect();
        for (QProcess *owner : std::as_const(m_owners)) {
            owner->kill();
            owner->waitForFinished();
            delete owner;
        }
        m_owners.clear();
        m_store.reset();
        m_pasteboard.reset();
    }

    // A copy made while the hung owner is being asked ends the wait; one made after the
    // deadline is read at once.
    void hungOwnerDelaysNothing()
    {
        QVERIFY(startHungOwner());
        QTest::qWait(300);
        const qint64 duringWait = copyAndTimeUntilRecorded("copied while the owner hangs");
        QVERIFY2(duringWait >= 0 && duringWait < 1000, qPrintable(QString::number(duringWait)));

        QProcess *second = startHungOwner();
        QVERIFY(second);
        QTest::qWait(X11ClipboardWatcher::kReadTimeoutMs + 300);
        QCOMPARE(requests(second), 1);
        const qint64 afterDeadline = copyAndTimeUntilRecorded("copied after the deadline");
        QVERIFY2(afterDeadline >= 0 && afterDeadline < 1000, qPrintable(QString::number(afterDeadline)));
        qInfo() << "copy recorded after" << duringWait << afterDeadline << "ms; longest gap" << m_longestGapMs << "ms";
        QVERIFY2(m_longestGapMs < 200, qPrintable(QString::number(m_longestGapMs)));
    }

    // An owner that keeps taking the clipboard again is asked once, until another program
    // copies; the panel's thread never waits on it.
    void ownerRetakingTheClipboardIsAskedOnce()
    {
        QProcess *owner = startHungOwner({QStringLiteral("2000")});
        QVERIFY(owner);
        QTest::qWait(3 * 2000 + 500); // three more takes
        QCOMPARE(requests(owner), 1);
        qInfo() << "longest gap" << m_longestGapMs << "ms";
        QVERIFY2(m_longestGapMs < 100, qPrintable(QString::number(m_longestGapMs)));
        const qint64 recorded = copyAndTimeUntilRecorded("copied by another program");
        QVERIFY2(recorded >= 0 && recorded < 1000, qPrintable(QString::number(recorded)));
        QTest::qWait(2000); // it takes the clipboard back from another owner: it is asked again, once
        QCOMPARE(requests(owner), 1);
    }
};

QUILLO_TEST_X11_MAIN(TestClipboardOwnerHangs)
#include "tst_clipboard_owner_hangs.moc"
