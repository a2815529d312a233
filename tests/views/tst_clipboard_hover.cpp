#include "test_main.h"
#include "views/hover/clipboard_hover_notifier.h"
#include "views/hover/clipboard_hover_probe.h"
#include "views/hover/clipboard_hover_registry.h"
#include "views/hover/clipboard_hover_state.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

// A window with two probes stacked 50 px high with a 10 px gap, inside a 200 px scroll area.
struct ProbeWindow
{
    QWidget window;
    QScrollArea *scroll = new QScrollArea(&window);
    QWidget *content = new QWidget;
    QUuid firstID = QUuid::createUuid();
    QUuid secondID = QUuid::createUuid();
    ClipboardHoverProbe *first = new ClipboardHoverProbe(firstID, content);
    ClipboardHoverProbe *second = new ClipboardHoverProbe(secondID, content);

    ProbeWindow()
    {
        window.setGeometry(100, 100, 200, 200);
        scroll->setGeometry(0, 0, 200, 200);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        content->resize(200, 400);
        scroll->setWidget(content);
        first->setGeometry(0, 0, 200, 50);
        second->setGeometry(0, 60, 200, 50);
        window.show();
    }
    QPoint global(QWidget *widget, QPoint local) const { return widget->mapToGlobal(local); }
};

class TestClipboardHover : public QObject
{
    Q_OBJECT
private slots:
    void stateReportsOnlyRealChanges()
    {
        ClipboardHoverState state;
        QSignalSpy spy(&state, &ClipboardHoverState::itemIDChanged);
        const QUuid a = QUuid::createUuid();
        const QUuid b = QUuid::createUuid();
        state.update(std::nullopt);
        state.update(a);
        state.update(a);
        state.update(QUuid(a.toString()));
        state.update(b);
        state.update(std::nullopt);
        state.update(std::nullopt);
        QCOMPARE(spy.size(), 3);
        QCOMPARE(spy.at(1).at(0).value<std::optional<QUuid>>(), std::optional<QUuid>(a));
        QCOMPARE(spy.at(1).at(1).value<std::optional<QUuid>>(), std::optional<QUuid>(b));
        QVERIFY(!state.itemID());
    }

    void payloadParsing_data()
    {
        QTest::addColumn<QVariantMap>("userInfo");
        QTest::addColumn<bool>("hasID");
        const QUuid id = QUuid::createUuid();
        QTest::newRow("uuid") << QVariantMap{{"itemID", QVariant::fromValue(id)}} << true;
        QTest::newRow("uuid as string") << QVariantMap{{"itemID", id.toString()}} << false;
        QTest::newRow("other key") << QVariantMap{{"id", QVariant::fromValue(id)}} << false;
        QTest::newRow("empty") << QVariantMap{} << false;
    }

    void payloadParsing()
    {
        QFETCH(QVariantMap, userInfo);
        QFETCH(bool, hasID);
        QCOMPARE(ClipboardHoverNotifier::itemID(userInfo).has_value(), hasID);
    }

    void staleUnregisterKeepsNewerProbe()
    {
        QWidget window;
        window.resize(200, 100);
        const QUuid id = QUuid::createUuid();
        auto *old = new ClipboardHoverProbe(id, &window);
        auto *newer = new ClipboardHoverProbe(id, &window); // a rebuilt row for the same entry
        newer->setGeometry(0, 0, 200, 50);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        delete old;
        QCOMPARE(ClipboardHoverRegistry::shared().item(newer->mapToGlobal(QPoint(5, 5)), &window),
                 std::optional<QUuid>(id));
        delete newer;
        QCOMPARE(ClipboardHoverRegistry::shared().item(window.mapToGlobal(QPoint(5, 5)), &window), std::nullopt);
    }

    void destroyedProbeDropsOut()
    {
        const int before = ClipboardHoverRegistry::shared().count();
        {
            QWidget parent;
            new ClipboardHoverProbe(QUuid::createUuid(), &parent);
            QCOMPARE(ClipboardHoverRegistry::shared().count(), before + 1);
        }
        QCOMPARE(ClipboardHoverRegistry::shared().count(), before);
    }

    void hitTest_data()
    {
        QTest::addColumn<QString>("change"); // what happens to the window before the test
        QTest::addColumn<int>("probe");      // where the point is: 1 first, 2 second, 0 the content
        QTest::addColumn<QPoint>("local");
        QTest::addColumn<int>("expected"); // 0 nothing, 1 first, 2 second
        QTest::newRow("first") << "" << 1 << QPoint(10, 10) << 1;
        QTest::newRow("second's far corner") << "" << 2 << QPoint(199, 49) << 2;
        QTest::newRow("the gap between rows") << "" << 0 << QPoint(10, 55) << 0;
        QTest::newRow("no window") << "no window" << 1 << QPoint(10, 10) << 0;
        QTest::newRow("another window") << "other window" << 1 << QPoint(10, 10) << 0;
        QTest::newRow("hidden probe") << "hide first" << 1 << QPoint(10, 10) << 0;
        QTest::newRow("faded-out window") << "fade" << 1 << QPoint(10, 10) << 0;
        QTest::newRow("id claimed by a newer widget") << "claim first id" << 1 << QPoint(5, 5) << 0;
        // Scrolled by 80: the first probe is out of view; the second's part above the viewport
        // still matches, since containment uses the probe's full bounds.
        QTest::newRow("scrolled out of view") << "scroll" << 1 << QPoint(10, 10) << 0;
        QTest::newRow("scrolled, clipped part") << "scroll" << 2 << QPoint(10, 5) << 2;
    }

    void hitTest()
    {
        QFETCH(QString, change);
        QFETCH(int, probe);
        QFETCH(QPoint, local);
        QFETCH(int, expected);
        ProbeWindow w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QWidget other;
        QWidget *window = &w.window;
        if (change == QLatin1String("no window")) {
            window = nullptr;
        } else if (change == QLatin1String("other window")) {
            other.show();
            window = &other;
        } else if (change == QLatin1String("hide first")) {
            w.first->hide();
        } else if (change == QLatin1String("fade")) {
            w.window.setWindowOpacity(0.0);
            if (w.window.windowOpacity() > 0.0)
                QSKIP("this platform has no window opacity");
        } else if (change == QLatin1String("claim first id")) {
            auto *newer = new QWidget(w.content);
            newer->setGeometry(0, 120, 200, 50);
            newer->show();
            ClipboardHoverRegistry::shared().registerProbe(newer, w.firstID);
            QCOMPARE(ClipboardHoverRegistry::shared().item(w.global(newer, {5, 5}), window),
                     std::optional<QUuid>(w.firstID));
        } else if (change == QLatin1String("scroll")) {
            w.scroll->verticalScrollBar()->setValue(80);
        }
        QWidget *at = probe == 1 ? static_cast<QWidget *>(w.first) : probe == 2 ? w.second : w.content;
        const std::optional<QUuid> ids[] = {std::nullopt, w.firstID, w.secondID};
        QCOMPARE(ClipboardHoverRegistry::shared().item(w.global(at, local), window), ids[expected]);
    }
};

QUILLO_TEST_WIDGETS_MAIN(TestClipboardHover)
#include "tst_clipboard_hover.moc"
