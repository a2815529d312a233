#include "app/shell_state_machine.h"
#include "shell_fakes.h"

#include "fake_pasteboard.h"
#include "store/app_store.h"
#include "test_main.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const ScreenInfo kMain{QStringLiteral("Screen0"), QRect(0, 0, 1440, 900), QRect(0, 0, 1440, 875)};
const ScreenInfo kSecond{QStringLiteral("DP-2"), QRect(1440, 0, 1920, 1080), QRect(1440, 0, 1920, 1080)};
const QRect kExpanded(1000, 22, 440, 760);
const QRect kCollapsed(1448, 22, 440, 760);
const QRect kTab(1422, 402, 18, 72);
const QPoint kInsidePanel(1200, 400);
const QPoint kOutside(500, 400);

void setGuard(AppStore &store, int flag, bool on)
{
    if (flag == 0)
        store.setIsPinned(on);
    else if (flag == 1)
        store.setIsEditingNote(on);
    else
        store.setIsNoteDetailOpen(on);
}

} // namespace

class TestShellStateMachine : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakePasteboard> m_pasteboard;
    std::unique_ptr<AppStore> m_store;
    std::unique_ptr<FakeScreens> m_screens;
    std::unique_ptr<FakeWindows> m_windows;
    std::unique_ptr<FakeScheduler> m_clock;
    std::unique_ptr<ShellStateMachine> m_shell;

    void leaveAndCollapse()
    {
        m_screens->pointer = kOutside;
        m_shell->scheduleCollapse();
        m_clock->advance(ShellStateMachine::kCollapseCheckDelayMs);
        QVERIFY(m_shell->isCollapsed());
    }

private slots:

    void init()
    {
        m_pasteboard = std::make_unique<FakePasteboard>();
        AppStore::Options options;
        options.pasteboard = m_pasteboard.get();
        m_store = std::make_unique<AppStore>(options);
        m_screens = std::make_unique<FakeScreens>();
        m_screens->list = {kMain};
        m_screens->primary = kMain;
        m_screens->pointer = kOutside;
        m_windows = std::make_unique<FakeWindows>();
        m_clock = std::make_unique<FakeScheduler>();
        m_shell = std::make_unique<ShellStateMachine>(*m_store, *m_screens, *m_windows, *m_clock);
        m_shell->launch();
        m_windows->log.clear();
    }

    void cleanup()
    {
        m_shell.reset();
        m_store.reset();
        m_pasteboard.reset();
    }

    void launchShowsExpandedWithoutAnimation()
    {
        FakeWindows windows;
        ShellStateMachine shell(*m_store, *m_screens, windows, *m_clock);
        shell.launch();
        // Placed at its final frame before it is first shown.
        const QStringList expected{"tab at 1422,402 18x72", "tab out", "move 1000,22 440x760 at once", "panel front"};
        QCOMPARE(windows.log, expected);
        QVERIFY(!shell.isCollapsed());
        // Launching is not leaving: nothing collapses until the pointer has been in and out.
        m_clock->advance(5000);
        QVERIFY(!shell.isCollapsed());
    }

    void launchDocksToTheScreenUnderThePointer()
    {
        m_screens->list = {kMain, kSecond};
        m_screens->pointer = QPoint(2000, 500);
        FakeWindows windows;
        ShellStateMachine shell(*m_store, *m_screens, windows, *m_clock);
        shell.launch();
        QCOMPARE(shell.anchorScreenName(), std::optional(kSecond.name));
        QCOMPARE(windows.panel, QRect(2920, 22, 440, 760));
        // It stays there when the pointer later moves to the other screen.
        m_screens->pointer = QPoint(100, 100);
        shell.scheduleCollapse();
        m_clock->advance(ShellStateMachine::kCollapseCheckDelayMs);
        QCOMPARE(windows.panel, QRect(3368, 22, 440, 760));
        QCOMPARE(windows.tab, QRect(3342, 504, 18, 72));
    }

    void leavingCollapsesAfterTheCheckDelay()
    {
        QSignalSpy cleared(m_shell.get(), &ShellStateMachine::collapseStarted);
        m_shell->scheduleCollapse();
        QVERIFY(m_shell->hasPendingCheck());
        m_clock->advance(ShellStateMachine::kCollapseCheckDelayMs - 1);
        QVERIFY(!m_shell->isCollapsed());
        QVERIFY(m_windows->log.isEmpty());
        m_clock->advance(1);
        QVERIFY(m_shell->isCollapsed());
        QVERIFY(!m_shell->hasPendingCheck());
        QCOMPARE(cleared.count(), 1);
        const QStringList expected{"move 1448,22 440x760 animated", "tab at 1422,402 18x72", "tab front"};
        QCOMPARE(m_windows->log, expected);
        QVERIFY(m_windows->panelShown); // still sliding
        m_clock->advance(ShellStateMachine::kOrderOutDelayMs - 1);
        QVERIFY(m_windows->panelShown);
        m_clock->advance(1);
        QVERIFY(!m_windows->panelShown);
        QVERIFY(m_windows->tabShown);
    }

    void enteringAgainCancelsTheCheck()
    {
        m_shell->scheduleCollapse();
        m_clock->advance(200);
        m_shell->showExpanded(true);
        QVERIFY(!m_shell->hasPendingCheck());
        m_clock->advance(2000);
        QVERIFY(!m_shell->isCollapsed());
        QVERIFY(m_windows->log.isEmpty());
    }

    void leavingAgainRestartsTheCheck()
    {
        m_shell->scheduleCollapse();
        m_clock->advance(200);
        m_shell->scheduleCollapse();
        QCOMPARE(m_clock->pendingCount(), 1);
        m_clock->advance(ShellStateMachine::kCollapseCheckDelayMs - 1);
        QVERIFY(!m_shell->isCollapsed());
        m_clock->advance(1);
        QVERIFY(m_shell->isCollapsed());
    }

    void hysteresis_data()
    {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<bool>("collapses");
        QTest::addColumn<QPoint>("then"); // where the pointer goes next, without crossing the panel
        QTest::addColumn<bool>("thenCollapses");
        // The panel covers x 1000..1439, y 22..781; grown by 3 it covers 997..1442, 19..784.
        QTest::newRow("inside, then away without a leave") << kInsidePanel << false << kOutside << false;
        QTest::newRow("3 left of the edge, then away") << QPoint(997, 400) << false << kOutside << true;
        QTest::newRow("2 left of the edge, then onto the panel") << QPoint(998, 400) << false << kInsidePanel << false;
        QTest::newRow("4 left of the edge") << QPoint(996, 400) << true << kOutside << true;
        QTest::newRow("3 above, then away") << QPoint(1200, 19) << false << QPoint(1200, 5) << true;
        QTest::newRow("4 above") << QPoint(1200, 18) << true << kOutside << true;
        QTest::newRow("3 below") << QPoint(1200, 784) << false << QPoint(1200, 784) << false;
        QTest::newRow("4 below") << QPoint(1200, 785) << true << kOutside << true;
    }

    void hysteresis()
    {
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, then);
        m_screens->pointer = pointer;
        m_shell->scheduleCollapse();
        m_clock->advance(ShellStateMachine::kCollapseCheckDelayMs);
        QTEST(m_shell->isCollapsed(), "collapses");
        // Left in the margin the pointer is looked at again every check delay; on the panel, not
        // any more (the next leave starts a new check).
        m_screens->pointer = then;
        m_clock->advance(ShellStateMachine::kCollapseCheckDelayMs);
        QTEST(m_shell->isCollapsed(), "thenCollapses");
    }

    void leaveUnderXWayland_data()
    {
        QTest::addColumn<bool>("leaveMeansOutside");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("collapses");
        // The pointer position stays frozen inside the panel in every row, as XWayland leaves it.
        QTest::newRow("X11: a frozen position inside keeps the panel") << false << "" << false;
        QTest::newRow("XWayland: the leave wins over the position") << true << "" << true;
        QTest::newRow("XWayland: a move inside after the leave") << true << "move" << false;
        QTest::newRow("XWayland: an enter after the leave") << true << "enter" << false;
        QTest::newRow("XWayland: enter, then a check without a new leave") << true << "enter, check" << false;
    }

    void leaveUnderXWayland()
    {
        QFETCH(bool, leaveMeansOutside);
        QFETCH(QString, after);
        m_shell->setLeaveMeansOutside(leaveMeansOutside);
        m_screens->pointer = kInsidePanel;
        m_shell->pointerLeft();
        if (after.contains(QLatin1String("move")))
            m_shell->pointerMovedInside();
        if (after.contains(QLatin1String("enter")))
            m_shell->showExpanded(true);
        if (after.contains(QLatin1String("check")))
            m_shell->scheduleCollapse();
        m_clock->advance(ShellStateMachine::kCollapseCheckDelayMs);
        QTEST(m_shell->isCollapsed(), "collapses");
    }

    void guardsKeepThePanelOut_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<bool>("whileChecking");
        QTest::newRow("pinned") << 0 << false;
        QTest::newRow("editing a note") << 1 << false;
        QTest::newRow("note detail open") << 2 << false;
        QTest::newRow("pinned while the check is pending") << 0 << true;
    }

    void guardsKeepThePanelOut()
    {
        QFETCH(int, flag);
        QFETCH(bool, whileChecking);
        if (whileChecking) {
            m_shell->scheduleCollapse();
            setGuard(*m_store, flag, true);
        } else {
            setGuard(*m_store, flag, true);
            m_shell->scheduleCollapse();
            QVERIFY(!m_shell->hasPendingCheck());
        }
        m_clock->advance(5000);
        m_shell->collapse();
        QVERIFY(!m_shell->isCollapsed());
        QVERIFY(m_windows->log.isEmpty());
    }

    void afterAGuardClearsOnlyTheNextLeaveCollapses()
    {
        m_store->setIsEditingNote(true);
        m_shell->scheduleCollapse();
        m_store->setIsEditingNote(false);
        m_clock->advance(5000);
        QVERIFY(!m_shell->isCollapsed());
        leaveAndCollapse();
    }

    // The clipboard is polled half as often while the panel is away.
    void revealFromTheTab()
    {
        QCOMPARE(m_store->monitoringInterval(), 0.9);
        leaveAndCollapse();
        QCOMPARE(m_store->monitoringInterval(), 1.8);
        m_clock->advance(ShellStateMachine::kOrderOutDelayMs);
        m_windows->log.clear();
        m_shell->showExpanded(true);
        QCOMPARE(m_store->monitoringInterval(), 0.9);
        const QStringList expected{"tab at 1422,402 18x72", "tab out", "panel front", "move 1000,22 440x760 animated"};
        QCOMPARE(m_windows->log, expected);
        QVERIFY(!m_shell->isCollapsed());
    }

    void revealDuringOrderOutDelayKeepsPanel()
    {
        leaveAndCollapse();
        m_clock->advance(100);
        m_shell->showExpanded(true);
        m_clock->advance(1000);
        QVERIFY(m_windows->panelShown);
        QVERIFY(!m_windows->log.contains(QStringLiteral("panel out")));
    }

    void screenChangeWhileCollapsed()
    {
        leaveAndCollapse();
        m_clock->advance(ShellStateMachine::kOrderOutDelayMs);
        m_windows->log.clear();
        m_screens->list = {ScreenInfo{kMain.name, QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1080)}};
        m_shell->screenParametersChanged();
        const QStringList expected{"move 1928,22 440x760 at once", "tab at 1902,504 18x72"};
        QCOMPARE(m_windows->log, expected);
        QVERIFY(!m_windows->panelShown);
        QVERIFY(m_shell->isCollapsed());
    }

    void screenChangeWhileExpanded()
    {
        m_screens->list = {ScreenInfo{kMain.name, QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 700)}};
        m_shell->screenParametersChanged();
        const QStringList expected{"move 584,22 440x664 at once"};
        QCOMPARE(m_windows->log, expected);
    }

    void disconnectedDisplayMovesShellAtNextCollapse()
    {
        m_screens->list = {kSecond, kMain};
        m_screens->pointer = QPoint(2000, 300);
        m_shell->launch();
        QCOMPARE(m_shell->anchorScreenName(), std::optional(kSecond.name));
        m_screens->list = {kMain};
        leaveAndCollapse();
        QCOMPARE(m_windows->panel, kCollapsed);
        QCOMPARE(m_shell->anchorScreenName(), std::optional(kMain.name));
        // Reconnecting does not move it back.
        m_screens->list = {kSecond, kMain};
        m_shell->screenParametersChanged();
        QCOMPARE(m_windows->tab, kTab);
    }

    void openPopupDefersTheCollapse()
    {
        m_windows->popupOpen = true;
        m_shell->scheduleCollapse();
        m_clock->advance(3 * ShellStateMachine::kCollapseCheckDelayMs);
        QVERIFY(!m_shell->isCollapsed());
        // The menu closes with the pointer elsewhere: the next check collapses.
        m_windows->popupOpen = false;
        m_clock->advance(ShellStateMachine::kCollapseCheckDelayMs);
        QVERIFY(m_shell->isCollapsed());
    }

    void noScreenKeepsEverything()
    {
        m_screens->list.clear();
        m_screens->primary.reset();
        m_shell->scheduleCollapse();
        m_clock->advance(ShellStateMachine::kCollapseCheckDelayMs);
        m_shell->screenParametersChanged();
        QVERIFY(!m_shell->isCollapsed());
        QVERIFY(m_windows->log.isEmpty());
        QCOMPARE(m_store->monitoringInterval(), 0.9);
    }
};

QUILLO_TEST_GUILESS_MAIN(TestShellStateMachine)
#include "tst_shell_state_machine.moc"
