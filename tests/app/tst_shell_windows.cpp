#include "app/panel_window.h"
#include "app/pointer_monitor.h"
#include "app/tab_window.h"

#include "test_main.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

// Counts the moves a widget receives, to show the monitor passes them on.
class MoveCounter : public QWidget
{
public:
    int moves = 0;

protected:
    void mouseMoveEvent(QMouseEvent *) override { ++moves; }
};

class TestShellWindows : public QObject
{
    Q_OBJECT
private slots:
    void crossingsComeFromTheWindowSystemOnly_data();
    void crossingsComeFromTheWindowSystemOnly();
    void pointerMonitorReportsPanelMovesOnly();
};

void TestShellWindows::crossingsComeFromTheWindowSystemOnly_data()
{
    QTest::addColumn<bool>("toWindow");
    QTest::addColumn<bool>("pointerOverWindow");
    QTest::addColumn<bool>("pointerWherePanelBelongs");
    QTest::addColumn<int>("expected");
    // Qt sends widgets synthetic crossings on show, hide and mask changes; they must not
    // reveal or collapse anything.
    QTest::newRow("synthetic, to the widget") << false << true << true << 0;
    QTest::newRow("window system, to the QWindow") << true << true << true << 1;
    // A stray crossing with the pointer elsewhere (or already gone again: the crossing's
    // own place counts): no enter, so no leave either.
    QTest::newRow("window system, pointer elsewhere") << true << false << false << 0;
    // The window manager first maps the panel somewhere else (sway centres it), under a
    // pointer that never came near where the panel belongs.
    QTest::newRow("window system, panel mapped elsewhere") << true << true << false << 0;
    // Revealed from the tab, the panel may still be elsewhere as far as Qt knows (KWin
    // centres a window shown off the screen) when the pointer enters it.
    QTest::newRow("window system, pointer where the panel goes") << true << false << true << 1;
}

void TestShellWindows::crossingsComeFromTheWindowSystemOnly()
{
    QFETCH(bool, toWindow);
    QFETCH(bool, pointerOverWindow);
    QFETCH(bool, pointerWherePanelBelongs);
    PanelWindow panel(new QWidget);
    const QPoint pointer(300, 300);
    const QRect atPointer(pointer - QPoint(20, 20), QSize(440, 500));
    panel.setGeometry(pointerOverWindow ? atPointer : atPointer.translated(1000, 0));
    panel.setTravelArea(pointerWherePanelBelongs ? atPointer : atPointer.translated(0, 1000));
    TabWindow tab(new QWidget);
    QSignalSpy entered(&panel, &PanelWindow::pointerEntered);
    QSignalSpy left(&panel, &PanelWindow::pointerLeft);
    QSignalSpy tabEntered(&tab, &TabWindow::pointerEntered);

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), pointer);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(toWindow ? static_cast<QObject *>(panel.windowHandle()) : &panel, &enter);
    QCoreApplication::sendEvent(toWindow ? static_cast<QObject *>(panel.windowHandle()) : &panel, &leave);
    QEnterEvent tabEnter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(toWindow ? static_cast<QObject *>(tab.windowHandle()) : &tab, &tabEnter);

    QFETCH(int, expected);
    QCOMPARE(entered.count(), expected);
    QCOMPARE(left.count(), expected);
    QCOMPARE(tabEntered.count(), toWindow ? 1 : 0);
}

void TestShellWindows::pointerMonitorReportsPanelMovesOnly()
{
    auto *content = new MoveCounter;
    content->setMouseTracking(true);
    PanelWindow panel(content);
    panel.setGeometry(100, 100, 440, 500);
    TabWindow tab(new QWidget);
    tab.setGeometry(600, 100, 18, 72);
    panel.show();
    tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QVERIFY(QTest::qWaitForWindowExposed(&tab));

    PointerMonitor monitor(&panel);
    QSignalSpy moved(&monitor, &PointerMonitor::pointerMoved);
    QTest::mouseMove(panel.windowHandle(), QPoint(50, 60));
    QTest::mouseMove(panel.windowHandle(), QPoint(52, 61));
    QTest::mouseMove(tab.windowHandle(), QPoint(9, 30));
    QTRY_COMPARE(moved.count(), 2); // one report per move, none for the tab
    QCOMPARE(moved.at(1).at(0).toPoint(), QPoint(152, 161));
    QCOMPARE(content->moves, 2); // nothing swallowed
}

QUILLO_TEST_WIDGETS_MAIN(TestShellWindows)
#include "tst_shell_windows.moc"
