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
    void stateReportsOnlyRealChanges();
    void payloadParsing_data();
    void payloadParsing();
    void registeringAgainReplaces();
    void staleUnregisterKeepsNewerProbe();
    void destroyedProbeDropsOut();
    void hitTest();
    void hitTestSkipsInvisibleProbes();
    void hitTestScrolledRows();
    void probeTakesNoClicks();
};

void TestClipboardHover::stateReportsOnlyRealChanges()
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

void TestClipboardHover::payloadParsing_data()
{
    QTest::addColumn<QVariantMap>("userInfo");
    QTest::addColumn<bool>("hasID");
    const QUuid id = QUuid::createUuid();
    QTest::newRow("uuid") << QVariantMap{{"itemID", QVariant::fromValue(id)}} << true;
    QTest::newRow("uuid as string") << QVariantMap{{"itemID", id.toString()}} << false;
    QTest::newRow("uuid as bytes") << QVariantMap{{"itemID", id.toRfc4122()}} << false;
    QTest::newRow("number") << QVariantMap{{"itemID", 7}} << false;
    QTest::newRow("other key") << QVariantMap{{"id", QVariant::fromValue(id)}} << false;
    QTest::newRow("empty") << QVariantMap{} << false;
}

void TestClipboardHover::payloadParsing()
{
    QFETCH(QVariantMap, userInfo);
    QFETCH(bool, hasID);
    QCOMPARE(ClipboardHoverNotifier::itemID(userInfo).has_value(), hasID);
}

void TestClipboardHover::registeringAgainReplaces()
{
    ProbeWindow w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    auto &registry = ClipboardHoverRegistry::shared();
    // Another widget now claims the first id: the first probe is no longer found.
    auto *other = new QWidget(w.content);
    other->setGeometry(0, 120, 200, 50);
    other->show();
    registry.registerProbe(other, w.firstID);
    QCOMPARE(registry.item(w.global(other, {5, 5}), &w.window), std::optional<QUuid>(w.firstID));
    QCOMPARE(registry.item(w.global(w.first, {5, 5}), &w.window), std::nullopt);
}

void TestClipboardHover::staleUnregisterKeepsNewerProbe()
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

void TestClipboardHover::destroyedProbeDropsOut()
{
    const int before = ClipboardHoverRegistry::shared().count();
    {
        QWidget parent;
        new ClipboardHoverProbe(QUuid::createUuid(), &parent);
        QCOMPARE(ClipboardHoverRegistry::shared().count(), before + 1);
    }
    QCOMPARE(ClipboardHoverRegistry::shared().count(), before);
}

void TestClipboardHover::hitTest()
{
    ProbeWindow w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    auto &registry = ClipboardHoverRegistry::shared();
    QCOMPARE(registry.item(w.global(w.first, {10, 10}), &w.window), std::optional<QUuid>(w.firstID));
    QCOMPARE(registry.item(w.global(w.second, {199, 49}), &w.window), std::optional<QUuid>(w.secondID));
    QCOMPARE(registry.item(w.global(w.content, {10, 55}), &w.window), std::nullopt); // the gap
    QCOMPARE(registry.item(w.global(w.first, {10, 10}), nullptr), std::nullopt);
    QWidget other;
    other.show();
    QCOMPARE(registry.item(w.global(w.first, {10, 10}), &other), std::nullopt);
}

void TestClipboardHover::hitTestSkipsInvisibleProbes()
{
    ProbeWindow w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    auto &registry = ClipboardHoverRegistry::shared();
    const QPoint point = w.global(w.first, {10, 10});
    w.first->hide();
    QCOMPARE(registry.item(point, &w.window), std::nullopt);
    w.first->show();
    w.window.setWindowOpacity(0.0);
    if (w.window.windowOpacity() <= 0.0) // offscreen may not support opacity at all
        QCOMPARE(registry.item(point, &w.window), std::nullopt);
    w.window.setWindowOpacity(1.0);
    QCOMPARE(registry.item(point, &w.window), std::optional<QUuid>(w.firstID));
}

void TestClipboardHover::hitTestScrolledRows()
{
    ProbeWindow w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    auto &registry = ClipboardHoverRegistry::shared();
    // Scroll so that the first probe is completely out of view, the second partly.
    w.scroll->verticalScrollBar()->setValue(80);
    QCOMPARE(w.first->mapTo(&w.window, QPoint(0, 49)).y(), -31);
    const QPoint overHiddenFirst = w.first->mapToGlobal(QPoint(10, 10));
    QCOMPARE(registry.item(overHiddenFirst, &w.window), std::nullopt);
    // The second probe's part above the viewport still matches: containment uses full bounds.
    const QPoint clippedPart = w.second->mapToGlobal(QPoint(10, 5));
    QVERIFY(w.second->mapTo(&w.window, QPoint(10, 5)).y() < 0);
    QCOMPARE(registry.item(clippedPart, &w.window), std::optional<QUuid>(w.secondID));
}

void TestClipboardHover::probeTakesNoClicks()
{
    QWidget row;
    auto *probe = new ClipboardHoverProbe(QUuid::createUuid(), &row);
    QVERIFY(probe->testAttribute(Qt::WA_TransparentForMouseEvents));
    QCOMPARE(probe->focusPolicy(), Qt::NoFocus);
}

QUILLO_TEST_WIDGETS_MAIN(TestClipboardHover)
#include "tst_clipboard_hover.moc"
