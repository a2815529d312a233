// The real `quillo` in a headless Wayland session (KWin, Mutter or sway, from
// QUILLO_COMPOSITOR) through XWayland, next to a native Wayland window, with the
// compositor's own pointer moved by pointer_driver and the Wayland clipboard used through
// wl-copy and wl-paste, as a user's programs would.
#include "test_main.h"
#include "wayland_session.h"
#include "x_window_state.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRect>
#include <QTest>

#include <functional>

namespace {

constexpr int kStartMs = 20000;
// Deadlines for what happens at once for a user; generous, for a sanitizer build on a busy
// machine (a poll ends as soon as the change is seen).
constexpr int kWithinMs = 5000;
constexpr int kCommandMs = 10000; // a panel command from a second process, on a loaded machine
const QRect kExpanded(1000, 22, 440, 760);
const QPoint kInPanel(1200, 400);
const QPoint kOnWaylandWindow(300, 400);
const QPoint kOnTab(1431, 450);
const QRect kXWindow(720, 800, 250, 80); // between the Wayland window and the panel
const QPoint kSecondRow(1200, 298);
const QPoint kSecondRowCopyButton(1396, 298);

using WindowState = XWindowState;

} // namespace

class TestWaylandSession : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void panelDocksAtTheRightEdgeAsAnUntransientUtilityWindow();
    void leavingOntoAWaylandWindowCollapses_data();
    void leavingOntoAWaylandWindowCollapses();
    void copiesInWaylandProgramsAreRecorded_data();
    void copiesInWaylandProgramsAreRecorded();
    void copyingARowBackReachesWaylandPrograms();
    void copyInTheFocusedXProgramIsRecordedOnce();
    void panelCommandsMoveTheKeyboard();

private:
    WaylandSession::Compositor compositor() const;
    bool hasDataControl() const { return compositor() != WaylandSession::Compositor::Mutter; }
    QString windowId(const QString &namePattern, int minimumWidth);
    WindowState windowState(const QString &id);
    QString look(const QString &program, const QStringList &arguments) const;
    WindowState panel() { return windowState(m_panelId); }
    WindowState tab() { return windowState(m_tabId); }
    bool movePointer(QPoint to);
    bool pointInto(QPoint to, const std::function<bool()> &arrived = {});
    bool xSeesPointerAt(QPoint at) const;
    bool click();
    QJsonArray history() const;
    int quillo(const QString &command);
    QString activeXWindow() const;

    std::unique_ptr<WaylandSession> m_session;
    QProcess m_waylandWindow;
    QProcess m_pointer;
    QProcess m_quillo;
    QString m_quilloPath;
    QString m_panelId;
    QString m_tabId;
};

WaylandSession::Compositor TestWaylandSession::compositor() const
{
    const QString name = qEnvironmentVariable("QUILLO_COMPOSITOR");
    return name == QLatin1String("mutter") ? WaylandSession::Compositor::Mutter
           : name == QLatin1String("sway") ? WaylandSession::Compositor::Sway
                                           : WaylandSession::Compositor::KWin;
}

void TestWaylandSession::initTestCase()
{
    m_session = std::make_unique<WaylandSession>(compositor());
    const QString failure = m_session->start();
    if (!failure.isEmpty())
        QSKIP(qPrintable(QStringLiteral("the compositor cannot run on this machine: ") + failure));

    QProcessEnvironment wayland;
    wayland.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    m_session->start(m_waylandWindow, m_session->install(QStringLiteral(QUILLO_WAYLAND_WINDOW)), {"700", "860"},
                     wayland);
    QByteArray output;
    const auto exposed = [&] { return (output += m_waylandWindow.readAllStandardOutput()).contains("exposed"); };
    QTRY_VERIFY_WITH_TIMEOUT(exposed(), kStartMs);

    m_session->start(m_pointer, m_session->install(QStringLiteral(QUILLO_POINTER_DRIVER)),
                     {qEnvironmentVariable("QUILLO_COMPOSITOR", QStringLiteral("kwin"))});
    QVERIFY(m_pointer.waitForReadyRead(kStartMs));
    QCOMPARE(m_pointer.readLine().trimmed(), QByteArray("ready"));
    // The Wayland window active, as when the user works in it.
    QVERIFY(movePointer(kOnWaylandWindow));
    QVERIFY(click());

    m_quillo.setProcessChannelMode(QProcess::ForwardedChannels);
    m_quilloPath = m_session->install(QStringLiteral(QUILLO_BINARY));
    m_session->start(m_quillo, m_quilloPath, {});
    QVERIFY(
        QTest::qWaitFor([&] { return !(m_panelId = windowId(QStringLiteral("^Quillo$"), 400)).isEmpty(); }, kStartMs));
    QVERIFY(QTest::qWaitFor([&] { return !(m_tabId = windowId(QStringLiteral("展开"), 1)).isEmpty(); }, kStartMs));
}

void TestWaylandSession::cleanupTestCase()
{
    if (m_quillo.state() != QProcess::NotRunning) {
        m_quillo.terminate();
        QVERIFY(m_quillo.waitForFinished(5000));
        QCOMPARE(m_quillo.exitCode(), 0);
    }
    for (QProcess *process : {&m_pointer, &m_waylandWindow}) {
        process->kill();
        process->waitForFinished();
    }
    m_session.reset();
}

QString TestWaylandSession::windowId(const QString &namePattern, int minimumWidth)
{
    const QStringList ids =
        look(QStringLiteral("xdotool"), {"search", "--name", namePattern}).split('\n', Qt::SkipEmptyParts);
    for (const QString &id : ids) {
        if (windowState(id).geometry.width() >= minimumWidth)
            return id;
    }
    return {};
}

WindowState TestWaylandSession::windowState(const QString &id)
{
    return XWindowState::fromXwininfo(look(QStringLiteral("xwininfo"), {"-id", id}));
}

// xdotool and xwininfo end with an X error now and then when some window goes away while
// they look; such a look is taken again.
QString TestWaylandSession::look(const QString &program, const QStringList &arguments) const
{
    int exitCode = -1;
    for (int attempt = 0; attempt < 5; ++attempt) {
        const QString output = m_session->run(program, arguments, &exitCode);
        if (exitCode == 0)
            return output;
    }
    return {};
}

bool TestWaylandSession::movePointer(QPoint to)
{
    m_pointer.write(QStringLiteral("move %1 %2\n").arg(to.x()).arg(to.y()).toLatin1());
    return m_pointer.waitForReadyRead(5000) && m_pointer.readLine().trimmed() == "ok";
}

// KWin gives the pointer to the window under it when the pointer moves, and passes over a
// window it has just shown until it has taken that window's first frame: the pointer is
// nudged by a pixel until it has arrived (by default: until X knows where it is, which X
// learns only while the pointer is over one of its windows).
bool TestWaylandSession::pointInto(QPoint to, const std::function<bool()> &arrived)
{
    const QDeadlineTimer deadline(kStartMs);
    for (int nudge = 0; !deadline.hasExpired(); nudge = 1 - nudge) {
        const QPoint at = to + QPoint(nudge, 0);
        if (!movePointer(at))
            return false;
        if (QTest::qWaitFor([&] { return arrived ? arrived() : xSeesPointerAt(at); }, 250))
            return true;
    }
    return false;
}

bool TestWaylandSession::xSeesPointerAt(QPoint at) const
{
    return m_session->run(QStringLiteral("xdotool"), {"getmouselocation"})
        .startsWith(QStringLiteral("x:%1 y:%2 ").arg(at.x()).arg(at.y()));
}

bool TestWaylandSession::click()
{
    m_pointer.write("click\n");
    return m_pointer.waitForReadyRead(5000) && m_pointer.readLine().trimmed() == "ok";
}

QJsonArray TestWaylandSession::history() const
{
    QFile file(m_session->home() + QStringLiteral("/.local/share/Quillo/clipboard-history.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    return document.array();
}

void TestWaylandSession::panelDocksAtTheRightEdgeAsAnUntransientUtilityWindow()
{
    // sway's own placement of a new window and ours answer in either order, so the panel can
    // reach the dock and be moved once more: wait until it stays there.
    QVERIFY2(QTest::qWaitFor(
                 [this] {
                     if (panel().geometry != kExpanded)
                         return false;
                     QTest::qWait(300);
                     return panel().geometry == kExpanded;
                 },
                 kStartMs),
             "the panel did not stay docked");
    QVERIFY(panel().viewable);
    QVERIFY(!tab().viewable);
    for (const QString &id : {m_panelId, m_tabId}) {
        const QString properties =
            m_session->run(QStringLiteral("xprop"), {"-id", id, "WM_TRANSIENT_FOR", "_NET_WM_WINDOW_TYPE"});
        QVERIFY2(properties.contains(QLatin1String("WM_TRANSIENT_FOR:  not found")), qPrintable(properties));
        QVERIFY2(properties.contains(QLatin1String("_NET_WM_WINDOW_TYPE_UTILITY")), qPrintable(properties));
    }
    QVERIFY2(!m_session->compositorLog().contains(QLatin1String("Invalid WM_TRANSIENT_FOR")),
             qPrintable(m_session->compositorLog()));
}

void TestWaylandSession::leavingOntoAWaylandWindowCollapses_data()
{
    QTest::addColumn<int>("round");
    for (int round = 1; round <= 3; ++round)
        QTest::addRow("round %d", round) << round;
}

// The tab must still be there a while after the collapse: KWin hides utility windows of an
// inactive program when activation changes, not at once.
void TestWaylandSession::leavingOntoAWaylandWindowCollapses()
{
    QTRY_COMPARE_WITH_TIMEOUT(panel().geometry, kExpanded, kStartMs);
    QVERIFY(pointInto(kInPanel));
    QVERIFY(movePointer(kInPanel + QPoint(10, 10)));
    QVERIFY(movePointer(kOnWaylandWindow));
    QTRY_VERIFY_WITH_TIMEOUT(tab().viewable, kWithinMs);
    QTRY_VERIFY_WITH_TIMEOUT(!panel().viewable, kWithinMs);
    QTest::qWait(500);
    QVERIFY(tab().viewable);

    QVERIFY(pointInto(kOnTab));
    QTRY_VERIFY_WITH_TIMEOUT(panel().viewable, kWithinMs);
    QTRY_COMPARE_WITH_TIMEOUT(panel().geometry, kExpanded, kWithinMs);
    QVERIFY(!tab().viewable);
}

void TestWaylandSession::copiesInWaylandProgramsAreRecorded_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("kind");
    QTest::newRow("text") << "text/plain;charset=utf-8" << QByteArray("copied in a Wayland program 51c0") << "text";
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    QTest::newRow("picture") << "image/png" << png << "image";
}

void TestWaylandSession::copiesInWaylandProgramsAreRecorded()
{
    if (!hasDataControl())
        QSKIP("Mutter offers no data-control protocol: Quillo sees Wayland copies only through XWayland");
    QFETCH(QString, type);
    QFETCH(QByteArray, data);
    QFETCH(QString, kind);
    // The Wayland window is active, no X window is.
    QVERIFY(movePointer(kOnWaylandWindow));
    QVERIFY(click());
    const int before = history().size();
    int exitCode = -1;
    m_session->run(QStringLiteral("wl-copy"), {"--type", type}, &exitCode, data);
    QCOMPARE(exitCode, 0);
    QTRY_COMPARE_WITH_TIMEOUT(history().size(), before + 1, kWithinMs);
    const QJsonObject newest = history().first().toObject();
    QCOMPARE(newest.value(QLatin1String("kind")).toString(), kind);
    if (kind == QLatin1String("text"))
        QCOMPARE(newest.value(QLatin1String("content")).toString(), QString::fromUtf8(data));
    // Nothing more turns up later (no second entry through XWayland's copy).
    QTest::qWait(500);
    QCOMPARE(history().size(), before + 1);
}

void TestWaylandSession::copyingARowBackReachesWaylandPrograms()
{
    if (!hasDataControl())
        QSKIP("Mutter offers no data-control protocol");
    // The history holds the picture, then the text (the rows before). The copy button of
    // the second row shows while the pointer is over that row.
    QCOMPARE(history().size(), 2);
    const QString text = history().at(1).toObject().value(QLatin1String("content")).toString();
    QVERIFY(movePointer(kOnTab));
    QTRY_COMPARE_WITH_TIMEOUT(panel().geometry, kExpanded, kWithinMs);
    QVERIFY(movePointer(kSecondRow));
    QVERIFY(movePointer(kSecondRowCopyButton));
    QTest::qWait(100);
    QVERIFY(click());
    QTRY_COMPARE_WITH_TIMEOUT(m_session->run(QStringLiteral("wl-paste"), {"--no-newline"}), text, kWithinMs);
    // Our own copy is not recorded again.
    QTest::qWait(500);
    QCOMPARE(history().size(), 2);
}

// An X program's copy reaches Quillo once: through the Wayland clipboard where Quillo
// follows it (the compositor passes the focused X program's copy on), through X elsewhere.
void TestWaylandSession::copyInTheFocusedXProgramIsRecordedOnce()
{
    const QString text = QStringLiteral("copied in an X program 0d3a");
    QProcessEnvironment x11;
    x11.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess xWindow;
    m_session->start(xWindow, m_session->install(QStringLiteral(QUILLO_WAYLAND_WINDOW)),
                     {QString::number(kXWindow.width()), QString::number(kXWindow.height()),
                      QString::number(kXWindow.x()), QString::number(kXWindow.y()), text},
                     x11);
    QByteArray output;
    const auto printed = [&](const char *word) { return (output += xWindow.readAllStandardOutput()).contains(word); };
    QTRY_VERIFY_WITH_TIMEOUT(printed("exposed"), kStartMs);
    const int before = history().size();
    QVERIFY(pointInto(kXWindow.center(), [&] { return printed("entered"); }));
    QVERIFY(click());
    QTRY_VERIFY_WITH_TIMEOUT(printed("copied"), kWithinMs);
    QTRY_COMPARE_WITH_TIMEOUT(history().size(), before + 1, kWithinMs);
    QCOMPARE(history().first().toObject().value(QLatin1String("content")).toString(), text);
    QTest::qWait(500);
    QCOMPARE(history().size(), before + 1);
    xWindow.kill();
    xWindow.waitForFinished();
}

int TestWaylandSession::quillo(const QString &command)
{
    int exitCode = -1;
    m_session->run(m_quilloPath, {command}, &exitCode);
    return exitCode;
}

QString TestWaylandSession::activeXWindow() const
{
    return look(QStringLiteral("xdotool"), {"getactivewindow"}).trimmed();
}

// The commands a desktop shortcut sends: show and toggle bring the panel out as the active
// X window, hide and toggle slide it away. Which window gets the keyboard back is the
// compositor's call once the panel is gone; X only sees that the panel no longer has it.
void TestWaylandSession::panelCommandsMoveTheKeyboard()
{
    QVERIFY(movePointer(kOnWaylandWindow));
    QVERIFY(click());
    QCOMPARE(quillo(QStringLiteral("hide")), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!panel().viewable, kCommandMs);
    QCOMPARE(quillo(QStringLiteral("show")), 0);
    QTRY_VERIFY_WITH_TIMEOUT(panel().viewable, kCommandMs);
    QTRY_COMPARE_WITH_TIMEOUT(activeXWindow(), m_panelId, kCommandMs);
    QCOMPARE(quillo(QStringLiteral("hide")), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!panel().viewable, kCommandMs);
    QTRY_VERIFY_WITH_TIMEOUT(activeXWindow() != m_panelId, kCommandMs);
    QCOMPARE(quillo(QStringLiteral("toggle")), 0);
    QTRY_COMPARE_WITH_TIMEOUT(activeXWindow(), m_panelId, kCommandMs);
    QCOMPARE(quillo(QStringLiteral("toggle")), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!panel().viewable, kCommandMs);
}

QUILLO_TEST_WIDGETS_MAIN(TestWaylandSession)
#include "tst_wayland_session.moc"
