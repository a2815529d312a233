#include "fake_pasteboard.h"
#include "fake_store_clock.h"
#include "test_main.h"

#include "store/pasteboard_monitor.h"

#include <QSignalSpy>

using Repeat = StoreClock::Repeat;

namespace {

// What the monitor captured, in order.
struct Captures
{
    explicit Captures(PasteboardMonitor &monitor)
    {
        QObject::connect(&monitor, &PasteboardMonitor::captured,
                         [this](const ClipCapture::Capture &capture) { list.append(capture); });
    }
    qsizetype count() const { return list.size(); }
    QList<ClipCapture::Capture> list;
};

} // namespace

// When the clipboard is looked at: once per generation, on announcements and, only where
// there are none, on a poll.
class TestPasteboardMonitor : public QObject
{
    Q_OBJECT

    FakeStoreClock m_clock;

    FakeStoreClock::Timer *pollTimer() const
    {
        return m_clock.timers().size() == 1 && m_clock.timers().first()->repeat == Repeat::repeating
                   ? m_clock.timers().first()
                   : nullptr;
    }

private slots:
    void eachGenerationIsReadOnce()
    {
        FakePasteboard pasteboard;
        pasteboard.offerText(QStringLiteral("on the clipboard before"));
        PasteboardMonitor monitor(&pasteboard, m_clock);
        Captures captures(monitor);
        monitor.check();
        QCOMPARE(pasteboard.textReads(), 0);

        pasteboard.offerText(QStringLiteral("once"));
        monitor.check();
        monitor.check();
        QCOMPARE(pasteboard.textReads(), 1);
        QCOMPARE(captures.count(), 1);
        QCOMPARE(captures.list.first().text, QStringLiteral("once"));

        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        pasteboard.offerImage(picture);
        monitor.check();
        QCOMPARE(captures.count(), 2);
        QVERIFY(captures.list.last().picture);
    }

    // A skipped generation is consumed: turning the filter off later does not bring it back.
    void skippedGenerationStaysSkipped()
    {
        FakePasteboard pasteboard;
        PasteboardMonitor monitor(&pasteboard, m_clock);
        Captures entries(monitor);
        pasteboard.offerText(QStringLiteral("plain"), {QStringLiteral("org.nspasteboard.ConcealedType")});
        monitor.check();
        monitor.setIgnoreSensitive(false);
        monitor.check();
        QCOMPARE(entries.count(), 0);
        pasteboard.offerText(QStringLiteral("plain"), {QStringLiteral("org.nspasteboard.ConcealedType")});
        monitor.check();
        QCOMPARE(entries.count(), 1);
    }

    void pollRates()
    {
        FakePasteboard pasteboard;
        PasteboardMonitor monitor(&pasteboard, m_clock);
        QVERIFY(!monitor.isPolling());
        monitor.start(0.9);
        FakeStoreClock::Timer *timer = pollTimer();
        QVERIFY(timer && timer->active);
        QCOMPARE(timer->interval, 900);
        const auto restartsAfter = [&](double seconds) {
            const int before = timer->starts;
            monitor.start(seconds);
            return timer->starts - before;
        };
        QCOMPARE(restartsAfter(0.9), 0);
        QCOMPARE(restartsAfter(0.905), 0); // within 0.01 s
        QCOMPARE(monitor.interval(), 0.9);
        QCOMPARE(restartsAfter(0.92), 1);
        QCOMPARE(timer->interval, 920);
        QCOMPARE(restartsAfter(1.8), 1);
        QCOMPARE(restartsAfter(1.8), 0);
        QCOMPARE(monitor.interval(), 1.8);
        QCOMPARE(timer->interval, 1800);
        QVERIFY(pollTimer()); // still the one timer
    }

    // A clipboard that announces nothing is still seen, at the next tick.
    void tickChecksTheClipboard()
    {
        FakePasteboard pasteboard;
        PasteboardMonitor monitor(&pasteboard, m_clock);
        Captures entries(monitor);
        monitor.start(0.9);
        pasteboard.blockSignals(true);
        pasteboard.offerText(QStringLiteral("polled"));
        pasteboard.blockSignals(false);
        m_clock.advance(899);
        QCOMPARE(entries.count(), 0);
        m_clock.advance(1);
        QCOMPARE(entries.count(), 1);
    }

    // An announced change is read on the next turn of the event loop, never inside the signal
    // (our own writes emit it before the writer has marked the generation as its own).
    void announcedChangesAreReadSoon_data()
    {
        QTest::addColumn<bool>("announcesAll");
        QTest::newRow("clipboard that announces every change") << true;
        QTest::newRow("clipboard that may miss some") << false;
    }
    void announcedChangesAreReadSoon()
    {
        QFETCH(bool, announcesAll);
        FakePasteboard pasteboard;
        pasteboard.announces = announcesAll;
        PasteboardMonitor monitor(&pasteboard, m_clock);
        Captures entries(monitor);
        monitor.start(1.8);
        QCOMPARE(monitor.isPolling(), !announcesAll);
        QCOMPARE(monitor.interval(), 1.8);
        monitor.start(0.9);
        QCOMPARE(monitor.isPolling(), !announcesAll);
        QCOMPARE(monitor.interval(), 0.9);

        pasteboard.offerText(QStringLiteral("theirs"));
        QCOMPARE(entries.count(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(entries.count(), 1);

        pasteboard.writeText(QStringLiteral("ours"));
        monitor.skipCurrentGeneration();
        QCoreApplication::processEvents();
        monitor.check();
        QCOMPARE(entries.count(), 1);
    }
};

QUILLO_TEST_GUILESS_MAIN(TestPasteboardMonitor)
#include "tst_pasteboard_monitor.moc"
