// Quillo from the keyboard: the real `quillo` on a private Xvfb with openbox, commanded as
// a desktop shortcut would (`quillo toggle`), typed at with xdotool, its copies read back
// with xclip. xev plays the window the user works in. One Quillo serves every case, in order.
// QUILLO_TEST_WM runs another window manager instead of openbox, e.g.
// "dbus-run-session -- xfwm4 --compositor=off".
#include "test_main.h"
#include "x_desktop.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

using XDesktop::kWaitMs;
using XDesktop::movePointer;
using XDesktop::run;
constexpr int kPanelWidth = 440;
constexpr int kTabWidth = 18;

int quillo(const QString &command)
{
    int exitCode = -1;
    run(QStringLiteral(QUILLO_BINARY), {command}, &exitCode);
    return exitCode;
}

QString activeWindow()
{
    return XDesktop::look(QStringLiteral("xdotool"), {"getactivewindow"}).trimmed();
}

void type(const QStringList &arguments)
{
    run(QStringLiteral("xdotool"), arguments);
}

QString clipboardText()
{
    return run(QStringLiteral("xclip"), {"-o", "-selection", "clipboard"});
}

bool panelShown()
{
    return XDesktop::quilloWindowState(kPanelWidth).viewable;
}

bool historyHolds(const QString &text)
{
    QFile file(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Quillo/clipboard-history.json"));
    return file.open(QIODevice::ReadOnly) && QString::fromUtf8(file.readAll()).contains(text);
}

} // namespace

class TestKeyboardEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void showWithNoneRunningStartsRevealed();
    void toggleGivesTheKeyboardBackAndTakesItAgain();
    void typedSearchDownDownEnterCopiesTheSecondMatch();
    void escapeEmptiesTheSearchThenCollapses();
    void anotherWindowTakingTheKeyboardCollapses();
    void pointerRevealTakesNoKeyboardAndLeavingTheMarginCollapses();

private:
    void expectCollapsedWithTheEditorActive();
    void toggleOut();

    QProcess m_windowManager;
    QProcess m_editor;
    QProcess m_quillo;
    QString m_editorWindow;
};

void TestKeyboardEndToEnd::initTestCase()
{
    QStringList windowManager = QProcess::splitCommand(qEnvironmentVariable("QUILLO_TEST_WM", "openbox"));
    m_windowManager.start(windowManager.takeFirst(), windowManager);
    QVERIFY2(m_windowManager.waitForStarted(), "the window manager is not installed");
    QTRY_VERIFY_WITH_TIMEOUT(run(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"),
                             kWaitMs);
    movePointer(300, 300);
    m_editor.setStandardOutputFile(QProcess::nullDevice());
    m_editor.start(QStringLiteral("xev"), {"-name", "editor-window", "-geometry", "400x300+50+50"});
    QVERIFY2(m_editor.waitForStarted(), "xev is not installed");
    QTRY_VERIFY_WITH_TIMEOUT(
        !(m_editorWindow = run(QStringLiteral("xdotool"), {"search", "--name", "editor-window"}).trimmed()).isEmpty(),
        kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), m_editorWindow, kWaitMs);
}

void TestKeyboardEndToEnd::cleanupTestCase()
{
    // quit ends the running Quillo as an orderly exit.
    QCOMPARE(quillo(QStringLiteral("quit")), 0);
    QVERIFY(m_quillo.waitForFinished(kWaitMs));
    QCOMPARE(m_quillo.exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_quillo.exitCode(), 0);
    for (QProcess *process : {&m_editor, &m_windowManager}) {
        process->terminate();
        process->waitForFinished(kWaitMs);
    }
}

void TestKeyboardEndToEnd::expectCollapsedWithTheEditorActive()
{
    QTRY_VERIFY_WITH_TIMEOUT(!panelShown(), kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), m_editorWindow, kWaitMs);
}

// From collapsed: out, with the keyboard in the search field.
void TestKeyboardEndToEnd::toggleOut()
{
    QCOMPARE(quillo(QStringLiteral("toggle")), 0);
    QTRY_VERIFY_WITH_TIMEOUT(panelShown(), kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), XDesktop::quilloWindow(kPanelWidth), kWaitMs);
}

void TestKeyboardEndToEnd::showWithNoneRunningStartsRevealed()
{
    m_quillo.setProcessChannelMode(QProcess::ForwardedChannels);
    m_quillo.start(QStringLiteral(QUILLO_BINARY), {"show"});
    QVERIFY(m_quillo.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(panelShown(), kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), XDesktop::quilloWindow(kPanelWidth), kWaitMs);

    // The history, newest first: alpha four, beta two, alpha three, alpha one.
    for (const char *text : {"alpha one", "alpha three", "beta two", "alpha four"}) {
        run(QStringLiteral("sh"), {"-c", QStringLiteral("printf %s '%1' | xclip -selection clipboard").arg(text)});
        QTRY_VERIFY_WITH_TIMEOUT(historyHolds(QLatin1String(text)), kWaitMs);
    }
}

void TestKeyboardEndToEnd::toggleGivesTheKeyboardBackAndTakesItAgain()
{
    QCOMPARE(quillo(QStringLiteral("toggle")), 0);
    expectCollapsedWithTheEditorActive();
    toggleOut();
    QCOMPARE(quillo(QStringLiteral("toggle")), 0);
    expectCollapsedWithTheEditorActive();
}

void TestKeyboardEndToEnd::typedSearchDownDownEnterCopiesTheSecondMatch()
{
    toggleOut();
    type({"type", "--delay", "30", "alpha"});
    type({"key", "--delay", "60", "Down", "Down", "Return"});
    // Unfiltered, the second row would be "beta two".
    QTRY_COMPARE_WITH_TIMEOUT(clipboardText(), QStringLiteral("alpha three"), kWaitMs);
    expectCollapsedWithTheEditorActive();
}

void TestKeyboardEndToEnd::escapeEmptiesTheSearchThenCollapses()
{
    toggleOut();
    type({"type", "--delay", "30", "zz"});
    type({"key", "Escape"});
    QTest::qWait(600); // longer than the collapse check and the slide
    QVERIFY(panelShown());
    // Still "zz…", nothing would match and Enter would copy nothing.
    type({"type", "--delay", "30", "beta"});
    type({"key", "Return"});
    QTRY_COMPARE_WITH_TIMEOUT(clipboardText(), QStringLiteral("beta two"), kWaitMs);
    expectCollapsedWithTheEditorActive();

    toggleOut(); // the search still holds "beta", selected: typing replaces it
    type({"type", "--delay", "30", "gam"});
    type({"key", "Escape"});
    QTest::qWait(600);
    QVERIFY(panelShown());
    type({"key", "Escape"});
    expectCollapsedWithTheEditorActive();
}

void TestKeyboardEndToEnd::anotherWindowTakingTheKeyboardCollapses()
{
    toggleOut();
    run(QStringLiteral("xdotool"), {"windowactivate", m_editorWindow});
    expectCollapsedWithTheEditorActive();
}

// The tab brings the panel out without taking the keyboard. Left 2 px from the panel's
// edge, inside the collapse check's margin, and then moved away without crossing the panel,
// the pointer leaves no trace the panel could see but the checks that follow.
void TestKeyboardEndToEnd::pointerRevealTakesNoKeyboardAndLeavingTheMarginCollapses()
{
    const QString tabWindow = XDesktop::quilloWindow(kTabWidth);
    const XWindowState tab = XDesktop::windowState(tabWindow);
    QVERIFY(tab.viewable);
    movePointer(tab.geometry.center().x(), tab.geometry.center().y());
    QTRY_VERIFY_WITH_TIMEOUT(panelShown(), kWaitMs);
    const QString panel = XDesktop::quilloWindow(kPanelWidth);
    QTRY_COMPARE_WITH_TIMEOUT(XDesktop::windowState(panel).geometry.left(), 1000, kWaitMs);
    QCOMPARE(activeWindow(), m_editorWindow);

    movePointer(1200, 400);
    movePointer(998, 400);
    QTest::qWait(1000); // three collapse checks, each finding the pointer in the margin
    QVERIFY(panelShown());
    QElapsedTimer sinceLeaving;
    movePointer(300, 400);
    sinceLeaving.start();
    // The tab shows as the collapse begins: within a check delay, unless the machine is slow.
    QTRY_VERIFY_WITH_TIMEOUT(XDesktop::windowState(tabWindow).viewable, kWaitMs);
    qInfo("collapse began %lld ms after the pointer left the margin", sinceLeaving.elapsed());
}

QUILLO_TEST_X11_MAIN(TestKeyboardEndToEnd)
#include "tst_keyboard_end_to_end.moc"
