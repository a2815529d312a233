// The real `quillo` binary on a private Xvfb with openbox, driven from outside with
// xdotool and xclip and observed with xwininfo and xprop, as a user's desktop would.
#include "test_main.h"
#include "views/root/root_view_style.h"
#include "x_desktop.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QProcess>
#include <QRect>
#include <QTest>
#include <algorithm>

namespace {

using XDesktop::kWaitMs;
using XDesktop::movePointer;
using XDesktop::run;
using XDesktop::windowState;
const QRect kExpanded(1000, 22, 440, 760); // on the 1440 x 900 test screen
const QRect kTab(1422, 414, 18, 72);

QString properties(const QString &id)
{
    return run(QStringLiteral("xprop"), {"-id", id, "_NET_WM_STATE", "_NET_WM_DESKTOP"});
}

// The centre of the header's pin tile on the expanded panel. The header is the root view's
// top row: the title, a stretch, then the pin and settings tiles, centred in the row's height.
QPoint pinTileCentre()
{
    const RootHeaderStyle header = RootHeaderStyle::standard();
    const int rowHeight =
        std::max({QFontMetrics(header.titleFont).height(), header.pin.size.height(), header.settings.size.height()});
    const int fromRight =
        header.padding.right() + header.settings.size.width() + header.spacing + header.pin.size.width() / 2;
    return QPoint(kExpanded.right() + 1 - fromRight, kExpanded.top() + header.padding.top() + rowHeight / 2);
}

} // namespace

class TestShellEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void launchShowsPanelExpandedWithTabHidden();
    void leavingCollapsesAndShowsTab();
    void copiedWhileCollapsedIsListedAfterReveal();
    void windowStatesHoldAfterCollapseAndReveal_data();
    void windowStatesHoldAfterCollapseAndReveal();
    void secondLaunchRevealsTheFirstAndExits();
    void pinnedNeverCollapses();

private:
    void collapse();
    void verifyStates(const QString &window);

    QProcess m_openbox;
    QProcess m_quillo;
    QProcess m_xclip;
    QString m_panel;
    QString m_tab;
};

void TestShellEndToEnd::initTestCase()
{
    m_openbox.start(QStringLiteral("openbox"), {});
    QVERIFY2(m_openbox.waitForStarted(), "openbox is not installed");
    QTRY_VERIFY_WITH_TIMEOUT(run(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"),
                             kWaitMs);
    movePointer(300, 300);
    m_quillo.setProcessChannelMode(QProcess::ForwardedChannels);
    m_quillo.start(QStringLiteral(QUILLO_BINARY), {});
    QVERIFY(m_quillo.waitForStarted());
    QVERIFY(!(m_panel = XDesktop::findWindow(QStringLiteral("^Quillo$"), kExpanded.width())).isEmpty());
    QVERIFY(!(m_tab = XDesktop::findWindow(QStringLiteral("^展开"), 1)).isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(windowState(m_panel).viewable, kWaitMs);
}

void TestShellEndToEnd::cleanupTestCase()
{
    if (m_xclip.state() != QProcess::NotRunning) {
        m_xclip.kill();
        m_xclip.waitForFinished();
    }
    m_quillo.terminate();
    QVERIFY(m_quillo.waitForFinished(kWaitMs));
    QCOMPARE(m_quillo.exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_quillo.exitCode(), 0);
    m_openbox.terminate();
    m_openbox.waitForFinished(kWaitMs);
}

void TestShellEndToEnd::collapse()
{
    // Let a reveal's slide finish first: a panel still sliding in can pass under the
    // pointer after it left, and that new crossing would rightly keep the panel out.
    QTRY_COMPARE_WITH_TIMEOUT(windowState(m_panel).geometry, kExpanded, kWaitMs);
    // The panel counts a leave only after an enter it saw with the pointer over it: the
    // pointer rests inside before it goes, longer on each try as a loaded machine lags.
    for (int pause = 200; pause <= 3200; pause *= 2) {
        movePointer(1200, 400);
        QTest::qWait(pause);
        movePointer(300, 400);
        if (QTest::qWaitFor([this] { return windowState(m_tab).viewable; }, 3000 + 4 * pause))
            break;
    }
    QVERIFY(windowState(m_tab).viewable);
    QTRY_VERIFY_WITH_TIMEOUT(!windowState(m_panel).viewable, kWaitMs);
}

void TestShellEndToEnd::verifyStates(const QString &window)
{
    const QString props = properties(window);
    QVERIFY2(props.contains(QStringLiteral("_NET_WM_STATE_ABOVE")), qPrintable(props));
    QVERIFY2(props.contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")), qPrintable(props));
    QVERIFY2(props.contains(QStringLiteral("_NET_WM_STATE_SKIP_PAGER")), qPrintable(props));
    // openbox shows "all desktops" as this desktop number rather than as a STICKY state.
    QVERIFY2(props.contains(QStringLiteral("_NET_WM_DESKTOP(CARDINAL) = 4294967295")), qPrintable(props));
}

void TestShellEndToEnd::launchShowsPanelExpandedWithTabHidden()
{
    const XWindowState panel = windowState(m_panel);
    QCOMPARE(panel.geometry, kExpanded);
    QVERIFY(!windowState(m_tab).viewable);
    verifyStates(m_panel);
    // Launching is not leaving: the panel stays until the pointer has been in and out.
    QTest::qWait(600);
    QVERIFY(windowState(m_panel).viewable);
}

void TestShellEndToEnd::leavingCollapsesAndShowsTab()
{
    collapse();
    QCOMPARE(windowState(m_tab).geometry, kTab);
    movePointer(kTab.x() + 9, kTab.y() + 36);
    QTRY_VERIFY_WITH_TIMEOUT(windowState(m_panel).viewable, kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(windowState(m_panel).geometry, kExpanded, kWaitMs);
    QVERIFY(!windowState(m_tab).viewable);
}

void TestShellEndToEnd::copiedWhileCollapsedIsListedAfterReveal()
{
    collapse();
    const QString text = QStringLiteral("copied while the panel was away 7d1f");
    m_xclip.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-quiet"});
    QVERIFY(m_xclip.waitForStarted());
    m_xclip.write(text.toUtf8());
    m_xclip.closeWriteChannel();

    movePointer(kTab.x() + 9, kTab.y() + 36);
    QTRY_VERIFY_WITH_TIMEOUT(windowState(m_panel).viewable, kWaitMs);
    const QString history = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Quillo/clipboard-history.json");
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            QFile file(history);
            return file.open(QIODevice::ReadOnly) && QString::fromUtf8(file.readAll()).contains(text);
        }(),
        kWaitMs);
}

void TestShellEndToEnd::windowStatesHoldAfterCollapseAndReveal_data()
{
    QTest::addColumn<int>("rounds");
    QTest::newRow("two rounds") << 2;
}

void TestShellEndToEnd::windowStatesHoldAfterCollapseAndReveal()
{
    QFETCH(int, rounds);
    for (int i = 0; i < rounds; ++i) {
        collapse();
        verifyStates(m_tab);
        movePointer(kTab.x() + 9, kTab.y() + 36);
        QTRY_VERIFY_WITH_TIMEOUT(windowState(m_panel).viewable, kWaitMs);
        verifyStates(m_panel);
    }
}

void TestShellEndToEnd::secondLaunchRevealsTheFirstAndExits()
{
    collapse();
    int exitCode = -1;
    run(QStringLiteral(QUILLO_BINARY), {}, &exitCode);
    QCOMPARE(exitCode, 0);
    QTRY_VERIFY_WITH_TIMEOUT(windowState(m_panel).viewable, kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(windowState(m_panel).geometry, kExpanded, kWaitMs);
    QVERIFY(!windowState(m_tab).viewable);
    QCOMPARE(m_quillo.state(), QProcess::Running);
}

void TestShellEndToEnd::pinnedNeverCollapses()
{
    const QPoint pin = pinTileCentre();
    const auto clickPin = [&pin] {
        run(QStringLiteral("xdotool"), {"mousemove", QString::number(pin.x()), QString::number(pin.y()), "click", "1"});
    };
    QVERIFY(windowState(m_panel).viewable);
    clickPin();
    movePointer(300, 400);
    QTest::qWait(1000); // three times the collapse delay
    QVERIFY(windowState(m_panel).viewable);
    QVERIFY(!windowState(m_tab).viewable);

    // Unpinned, the next leave collapses it again.
    clickPin();
    collapse();
}

QUILLO_TEST_X11_MAIN(TestShellEndToEnd)
#include "tst_shell_end_to_end.moc"
