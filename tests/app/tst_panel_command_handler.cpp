// Panel commands and the keyboard's reveal and collapse, over fake screens, windows, clock
// and window manager focus.
#include "app/panel_command_handler.h"
#include "app/shell_state_machine.h"
#include "shell_fakes.h"

#include "fake_pasteboard.h"
#include "store/app_store.h"
#include "test_main.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const ScreenInfo kScreen{QStringLiteral("Screen0"), QRect(0, 0, 1440, 900), QRect(0, 0, 1440, 875)};
constexpr quint32 kEditor = 7; // the window the user works in

// The window manager's idea of the active window, and every activation asked of it.
class FakeFocus : public ShellFocus
{
public:
    quint32 active = kEditor;
    QStringList log;

    quint32 activeForeignWindow() const override { return active; }
    bool applicationHasKeyboard() const override { return active == 0; }
    void activatePanel() override
    {
        active = 0;
        log << QStringLiteral("panel");
    }
    void activateWindow(quint32 window) override
    {
        active = window;
        log << QStringLiteral("window %1").arg(window);
    }
};

} // namespace

class TestPanelCommandHandler : public QObject
{
    Q_OBJECT
private slots:
    void commands_data()
    {
        QTest::addColumn<bool>("pinned");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("collapsed");
        QTest::addColumn<QStringList>("activations");

        const QStringList none;
        const QStringList there{"panel"};
        const QStringList thereAndBack{"panel", "window 7"};
        QTest::newRow("toggle shows with the keyboard") << false << QStringList{"toggle"} << false << there;
        QTest::newRow("toggle twice gives the keyboard back")
            << false << QStringList{"toggle", "toggle"} << true << thereAndBack;
        QTest::newRow("show, then hide") << false << QStringList{"show", "hide"} << true << thereAndBack;
        QTest::newRow("Escape after show") << false << QStringList{"show", "Escape"} << true << thereAndBack;
        QTest::newRow("an Enter copy after show") << false << QStringList{"show", "copied"} << true << thereAndBack;
        QTest::newRow("hide while collapsed") << false << QStringList{"hide"} << true << none;
        QTest::newRow("the pointer's reveal takes no keyboard")
            << false << QStringList{"reveal", "copied"} << false << none;
        QTest::newRow("Escape after the pointer's reveal") << false << QStringList{"reveal", "Escape"} << true << none;
        QTest::newRow("show again keeps the window it came from")
            << false << QStringList{"show", "show", "hide"} << true << QStringList{"panel", "panel", "window 7"};
        QTest::newRow("the keyboard goes to another program")
            << false << QStringList{"show", "focus in", "focus left"} << true << there;
        QTest::newRow("... while the pointer is over the panel")
            << false << QStringList{"show", "focus in", "pointer in", "focus left"} << false << there;
        QTest::newRow("a loss left over from the last collapse")
            << false << QStringList{"show", "hide", "show", "focus left"} << false
            << QStringList{"panel", "window 7", "panel"};
        QTest::newRow("shown again while it has the keyboard")
            << false << QStringList{"show", "focus in", "show", "focus left"} << true << QStringList{"panel", "panel"};
        QTest::newRow("after the pointer collapsed it, a copy keeps the next reveal")
            << false << QStringList{"show", "pointer leaves", "reveal", "copied"} << false << there;
        QTest::newRow("pinned: toggle gives the keyboard instead")
            << true << QStringList{"show", "toggle"} << false << QStringList{"panel", "panel"};
        QTest::newRow("pinned: the keyboard leaving keeps it")
            << true << QStringList{"show", "focus in", "focus left"} << false << there;
    }

    void commands()
    {
        QFETCH(bool, pinned);
        QFETCH(QStringList, steps);
        FakePasteboard pasteboard;
        AppStore::Options options;
        options.pasteboard = &pasteboard;
        options.startMonitoring = false;
        AppStore store(options);
        FakeScreens screens;
        screens.list = {kScreen};
        screens.pointer = QPoint(300, 400);
        FakeWindows windows;
        FakeScheduler clock;
        FakeFocus focus;
        ShellStateMachine shell(store, screens, windows, clock);
        PanelCommandHandler handler(shell, focus);
        shell.launch();
        shell.collapse();
        store.setIsPinned(pinned);
        QSignalSpy quits(&handler, &PanelCommandHandler::quitRequested);

        for (const QString &step : steps) {
            if (step == QLatin1String("Escape"))
                handler.dismiss();
            else if (step == QLatin1String("copied"))
                handler.entryCopied();
            else if (step == QLatin1String("focus in"))
                handler.focusEnteredApplication();
            else if (step == QLatin1String("focus left"))
                handler.focusLeftApplication();
            else if (step == QLatin1String("pointer in"))
                screens.pointer = windows.panel.center();
            else if (step == QLatin1String("pointer leaves"))
                shell.scheduleCollapse();
            else
                handler.run(*PanelCommands::fromLine(step.toLatin1() + '\n'));
            clock.advance(1000);
        }
        QTEST(shell.isCollapsed(), "collapsed");
        QTEST(focus.log, "activations");

        handler.run(PanelCommand::quit);
        QCOMPARE(quits.count(), 1);
    }
};

QUILLO_TEST_GUILESS_MAIN(TestPanelCommandHandler)
#include "tst_panel_command_handler.moc"
