// The real `quillo` as a user sees it: a private Xvfb with openbox, a window of a known
// colour under the panel, the screen read back pixel by pixel, the windows' properties
// read with xprop. One launch serves every case, in order: first under picom with the CPU
// kept busy, then with no compositor at all, then under xcompmgr; last the screen changes.
//
// The screen is 2806×900 with two RandR monitors, L (1440×900) and R (1366×768, to its
// right); the pointer is on R at launch, so the panel docks there.
#include "platform/x11_compositor_status.h"
#include "test_main.h"
#include "views/clipboard/clip_styles.h"
#include "views/notes/notes_page_style.h"
#include "views/root/root_view_style.h"
#include "views/style/docked_panel_shape.h"
#include "views/widgets/edge_tab_view.h"
#include "x_screen.h"
#include "x_window_state.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <memory>
#include <utility>

namespace {

// Generous: a loaded machine running the sanitizer build is slow; a passing check waits no longer.
constexpr int kWaitMs = 20000;
const QColor kBehind(0x2f, 0x6f, 0xd0);
const QColor kBand(0xE8, 0xEC, 0xF1); // the flat fill that once hid the glass behind the lists
const QRect kWindowBehind(1500, 10, 1306, 780);
const QRect kExpanded(2366, 22, 440, 732);
const QRect kTab(2788, 348, 18, 72);
const QRect kExpandedAfterChange(2366, 22, 440, 760); // docked to the whole screen once R is gone

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(kWaitMs))
        process.kill();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Quillo's windows are told apart by width: Qt keeps a hidden leader window of the same name.
QString windowId(const QString &name, int width)
{
    const QStringList ids = run(QStringLiteral("xdotool"), {"search", "--name", name}).split('\n', Qt::SkipEmptyParts);
    for (const QString &id : ids)
        if (width < 0
            || run(QStringLiteral("xwininfo"), {"-id", id}).contains(QStringLiteral("Width: %1\n").arg(width)))
            return id;
    return {};
}

XWindowState windowState(const QString &id)
{
    return id.isEmpty() ? XWindowState{} : XWindowState::fromXwininfo(run(QStringLiteral("xwininfo"), {"-id", id}));
}

// _KDE_NET_WM_BLUR_BEHIND_REGION as a region; empty when the property is missing.
QRegion blurRegion(const QString &id)
{
    const QString out = run(QStringLiteral("xprop"), {"-id", id, "_KDE_NET_WM_BLUR_BEHIND_REGION"});
    QList<int> values;
    for (const QRegularExpressionMatch &match :
         QRegularExpression(QStringLiteral("\\d+")).globalMatch(out.section('=', 1)))
        values << match.captured().toInt();
    QRegion region;
    for (qsizetype i = 0; i + 3 < values.size(); i += 4)
        region += QRect(values[i], values[i + 1], values[i + 2], values[i + 3]);
    return region;
}

void movePointer(int x, int y)
{
    run(QStringLiteral("xdotool"), {"mousemove", QString::number(x), QString::number(y)});
}

void click(const QPoint &at)
{
    run(QStringLiteral("xdotool"), {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
}

int distance(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// The largest step between neighbouring pixels along any row of `area`: glass is smooth, a
// stray row, text or rule is not.
int sharpestStep(const QImage &image, const QRect &area)
{
    int step = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x < area.right(); ++x)
            step = std::max(step, std::abs(qGray(image.pixel(x, y)) - qGray(image.pixel(x + 1, y))));
    return step;
}

// Offsets inside the panel, from the views' styles.
int headerHeight()
{
    const RootHeaderStyle header = RootHeaderStyle::standard();
    const int row =
        std::max({QFontMetrics(header.titleFont).height(), header.pin.size.height(), header.settings.size.height()});
    return header.padding.top() + row + header.padding.bottom();
}

QPoint notesSegment(const QRect &panel)
{
    const ModePickerStyle picker = ModePickerStyle::standard();
    const int inner = panel.width() - picker.outerPadding.left() - picker.outerPadding.right();
    const int segment = (inner - 2 * picker.innerPadding - picker.spacing) / 2;
    return panel.topLeft()
           + QPoint(picker.outerPadding.left() + picker.innerPadding + segment / 2,
                    headerHeight() + picker.innerPadding + picker.segmentHeight / 2);
}

int listTop()
{
    const ModePickerStyle picker = ModePickerStyle::standard();
    const ClipboardPageStyle page = ClipboardPageStyle::standard();
    return headerHeight() + 2 * picker.innerPadding + picker.segmentHeight + picker.outerPadding.bottom()
           + SearchFieldStyle::standard().height + page.searchBottom;
}

} // namespace

class TestLookEndToEnd : public QObject
{
    Q_OBJECT

    std::unique_ptr<XScreen> m_screen;
    std::unique_ptr<QWidget> m_behind;
    QProcess m_openbox;
    QProcess m_compositor;
    QProcess m_quillo;
    QList<QProcess *> m_helpers; // busy loops and clipboard owners
    qsizetype m_firstMapsBefore = 0;
    mutable QHash<int, QString> m_shellWindows; // by width

    QImage grab(const QRect &area) const { return m_screen->grab(area); }
    QRect panel() const { return windowState(shellWindow(kExpanded.width())).geometry; }

    // Quillo's windows live as long as it does: each is looked up once.
    QString shellWindow(int width) const
    {
        QString &id = m_shellWindows[width];
        if (id.isEmpty())
            id = windowId(QStringLiteral("Quillo"), width);
        return id;
    }

    void copy(const QString &text)
    {
        auto *xclip = new QProcess(this);
        xclip->start(QStringLiteral("xclip"), {"-selection", "clipboard", "-quiet"});
        QVERIFY(xclip->waitForStarted());
        xclip->write(text.toUtf8());
        xclip->closeWriteChannel();
        m_helpers << xclip;
        const QString history =
            qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Quillo/clipboard-history.json");
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                QFile file(history);
                return file.open(QIODevice::ReadOnly) && QString::fromUtf8(file.readAll()).contains(text);
            }(),
            kWaitMs);
    }

    // Clicks a page's segment and waits until the picker's pill is there and the list area has
    // stopped moving (the slide and fade are done).
    void showPage(bool notes)
    {
        const QPoint notesAt = notesSegment(panel()) - panel().topLeft();
        const QPoint clipboardAt = notesAt + QPoint(kExpanded.width() / 2 - 20, 0);
        // Beside the segment's label, the pill is lighter than the bare track. A click that
        // lands while a closing dialog still holds the input is lost: it is repeated.
        const QPoint beside(-60, 0);
        const auto pillThere = [&] {
            const QImage shot = grab(kExpanded);
            const int chosen = qGray(shot.pixel((notes ? notesAt : clipboardAt) + beside));
            const int other = qGray(shot.pixel((notes ? clipboardAt : notesAt) + beside));
            return chosen > other + 8;
        };
        for (int attempt = 0; attempt < 3; ++attempt) {
            click(panel().topLeft() + (notes ? notesAt : clipboardAt));
            if (QTest::qWaitFor(pillThere, kWaitMs / 4))
                break;
        }
        QVERIFY(pillThere());
        // Below the notes page's search field, whose caret may blink.
        const QRect list(0, listTop() + 110, kExpanded.width(), 200);
        QImage last;
        QVERIFY(QTest::qWaitFor(
            [&] {
                QTest::qWait(120);
                const QImage shot = grab(kExpanded).copy(list);
                return std::exchange(last, shot) == shot;
            },
            kWaitMs));
    }

    // Beside the first row or card, in the list's margin, the list shows the panel's glass:
    // translucent over the window behind with a compositor, never a flat band.
    void expectListsAreGlass(bool composited)
    {
        for (bool notes : {false, true}) {
            showPage(notes);
            const QImage shot = grab(kExpanded);
            shot.save(QStringLiteral("look-%1-%2.png")
                          .arg(composited ? "composited" : "opaque", notes ? "notes" : "clipboard"));
            // The notes page's first card lies lower, under the page's own header.
            const QColor list = shot.pixelColor(8, listTop() + (notes ? 110 : 40));
            QVERIFY2(distance(list, kBand) >= 6, qPrintable(list.name()));
            if (composited)
                QVERIFY2(list.blue() - list.red() > 25, qPrintable(list.name()));
        }
        showPage(false);
    }

    void collapse(const QRect &expanded, const QRect &tab)
    {
        QTRY_COMPARE_WITH_TIMEOUT(panel(), expanded, kWaitMs);
        // Quillo counts a leave only after an enter it saw with the pointer over the panel: the
        // pointer rests inside before it goes, longer on each try as a loaded machine lags.
        QString tabId;
        const auto tabShown = [&] { return windowState(tabId = shellWindow(tab.width())).viewable; };
        for (int pause = 200; pause <= 3200; pause *= 2) {
            movePointer(expanded.center().x(), expanded.center().y());
            QTest::qWait(pause);
            movePointer(1800, 500);
            if (QTest::qWaitFor(tabShown, 3000 + 4 * pause))
                break;
        }
        QVERIFY(tabShown());
        QTRY_COMPARE_WITH_TIMEOUT(windowState(tabId).geometry, tab, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!windowState(shellWindow(expanded.width())).viewable, kWaitMs);
    }

    // Both windows ask KDE's compositor to blur behind their shapes: the panel's outline, the
    // tab's pill.
    void expectBlurRegions(const QRect &expanded)
    {
        const QString panelId = shellWindow(expanded.width());
        QCOMPARE(blurRegion(panelId), DockedPanelShape::mask(expanded.size()));
        EdgeTabView pill;
        pill.resize(kTab.size());
        QCOMPARE(blurRegion(shellWindow(kTab.width())), pill.pillRegion());
    }

private slots:
    void initTestCase()
    {
        m_screen = std::make_unique<XScreen>();
        QVERIFY(m_screen->isOpen());
        run(QStringLiteral("xrandr"), {"--setmonitor", "L", "1440/381x900/238+0+0", "none"});
        run(QStringLiteral("xrandr"), {"--setmonitor", "R", "1366/361x768/203+1440+0", "none"});
        QVERIFY2(run(QStringLiteral("xrandr"), {"--listmonitors"}).contains(QStringLiteral("Monitors: 3")), "xrandr");

        // Shown before the window manager starts, which then adopts it as it is.
        m_behind = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint);
        QPalette palette;
        palette.setColor(QPalette::Window, kBehind);
        m_behind->setPalette(palette);
        m_behind->setAutoFillBackground(true);
        m_behind->setGeometry(kWindowBehind);
        m_behind->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_behind.get(), kWaitMs));

        m_openbox.start(QStringLiteral("openbox"), {});
        QVERIFY2(m_openbox.waitForStarted(), "openbox is not installed");
        QTRY_VERIFY_WITH_TIMEOUT(
            run(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"), kWaitMs);

        // The notes folder is called "Other": a short name the footer must show whole.
        const QString support = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Quillo");
        QVERIFY(QDir().mkpath(support));
        QFile preferences(support + QStringLiteral("/preferences.json"));
        QVERIFY(preferences.open(QIODevice::WriteOnly));
        preferences.write(
            QStringLiteral("{\"noteDirectory\":\"%1/Other\",\"ignoreSensitive\":true}").arg(QDir::homePath()).toUtf8());
        preferences.close();

        // picom first, and the CPU busy while Quillo starts and records the first copies.
        m_compositor.start(QStringLiteral("picom"), {"--config", "/dev/null", "--backend", "xrender"});
        QVERIFY2(m_compositor.waitForStarted(), "picom is not installed");
        QTRY_VERIFY_WITH_TIMEOUT(X11CompositorStatus::detectCompositor(), kWaitMs);
        for (int i = 0; i < 2; ++i) {
            auto *busy = new QProcess(this);
            busy->start(QStringLiteral("sh"), {"-c", "while :; do :; done"});
            m_helpers << busy;
        }
        m_firstMapsBefore = m_screen->firstMapSizes().size();
        movePointer(2000, 300);
        m_quillo.setProcessChannelMode(QProcess::ForwardedChannels);
        m_quillo.start(QStringLiteral(QUILLO_BINARY), {});
        QVERIFY(m_quillo.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(windowState(shellWindow(440)).viewable, kWaitMs);
    }

    void cleanupTestCase()
    {
        for (QProcess *helper : std::as_const(m_helpers)) {
            helper->kill();
            helper->waitForFinished();
        }
        if (m_quillo.state() != QProcess::NotRunning) {
            m_quillo.terminate();
            QVERIFY(m_quillo.waitForFinished(kWaitMs));
            QCOMPARE(m_quillo.exitCode(), 0);
        }
        for (QProcess *process : {&m_compositor, &m_openbox}) {
            process->terminate();
            process->waitForFinished(kWaitMs);
        }
    }

    void init()
    {
        // Each case starts with the panel out, whatever the one before left.
        const QString panelId = shellWindow(kExpanded.width());
        if (!m_quillo.processId() || windowState(panelId).viewable)
            return;
        const QRect tab = windowState(shellWindow(kTab.width())).geometry;
        movePointer(tab.center().x(), tab.center().y());
        QTRY_VERIFY_WITH_TIMEOUT(windowState(panelId).viewable, kWaitMs);
    }

    // The panel is mapped once, already at the size it keeps: an X event watcher sees the
    // size of every new top-level window at the moment it is mapped.
    void firstMapHasTheFinalSize()
    {
        const QList<QSize> maps = m_screen->firstMapSizes().mid(m_firstMapsBefore);
        const auto panels =
            std::count_if(maps.begin(), maps.end(), [](QSize s) { return s.width() == kExpanded.width(); });
        QCOMPARE(panels, 1);
        QVERIFY(maps.contains(kExpanded.size()));
        QCOMPARE(panel(), kExpanded);
    }

    // Under picom, with the CPU busy: after each copy the list shows each row once and below
    // them only glass down to the one footer.
    void copiesUnderABusyCompositorLeaveNoGhosts()
    {
        const ClipboardPageStyle page = ClipboardPageStyle::standard();
        const int rowHeight = ClipRowStyle::standard().minHeight;
        const int width = kExpanded.width() - 2 * page.paddingX;
        const int divider = kExpanded.height() - page.footerHeight - 1;
        const auto rowsDrawn = [&](const QImage &shot, int rows) {
            for (int j = 0; j < rows; ++j)
                if (sharpestStep(shot,
                                 QRect(page.paddingX, listTop() + j * (rowHeight + page.listSpacing), width, rowHeight))
                    < 40)
                    return false;
            return true;
        };
        for (int i = 1; i <= 3; ++i) {
            copy(QStringLiteral("copy number %1 under load").arg(i));
            const int glassTop = listTop() + i * (rowHeight + page.listSpacing) + 4;
            const QRect glass(page.paddingX, glassTop, width, divider - 6 - glassTop);
            QImage shot;
            QTRY_VERIFY_WITH_TIMEOUT((shot = grab(kExpanded), rowsDrawn(shot, i)), kWaitMs);
            shot.save(QStringLiteral("look-picom-copy-%1.png").arg(i));
            QVERIFY2(sharpestStep(shot, glass) <= 6, "something is drawn on the glass below the rows");
            // The footer's rule and text are where they belong.
            QVERIFY(sharpestStep(shot, QRect(page.paddingX, divider, width, page.footerHeight)) > 40);
        }
        for (QProcess *helper : std::as_const(m_helpers)) {
            if (helper->arguments().contains(QStringLiteral("while :; do :; done"))) {
                helper->kill();
                helper->waitForFinished();
            }
        }
    }

    void withoutCompositor()
    {
        m_compositor.terminate();
        QVERIFY(m_compositor.waitForFinished(kWaitMs));
        QVERIFY(!X11CompositorStatus::detectCompositor());
        // The corners are cut: the window behind shows there.
        QTRY_VERIFY_WITH_TIMEOUT(distance(grab(QRect(kExpanded.topLeft(), QSize(1, 1))).pixelColor(0, 0), kBehind) < 6,
                                 kWaitMs);
        expectListsAreGlass(false);

        // The notes footer shows the folder's short name whole: its ink is as wide as the icon,
        // the gap and the whole text.
        showPage(true);
        const NoteListStyle notes = NoteListStyle::standard();
        const QRect footer(notes.sideMargin, kExpanded.height() - notes.footerHeight, 200, notes.footerHeight);
        const QImage shot = grab(kExpanded).copy(footer);
        int left = footer.width();
        int right = -1;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (qGray(shot.pixel(x, y)) < 200) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        const LabelButtonStyle folder = notes.folderButton;
        const double whole = folder.iconSize + folder.spacing + QFontMetricsF(folder.font).horizontalAdvance("Other");
        QVERIFY2(std::abs((right - left + 1) - whole) <= 3,
                 qPrintable(QStringLiteral("%1 %2").arg(right - left + 1).arg(whole)));
        showPage(false);

        // The tab's corners show the window behind it, around the pill.
        collapse(kExpanded, kTab);
        // (Once the window behind has repainted where the panel was: X keeps stale pixels there.)
        const auto cornersShowBehind = [this] {
            const QImage tab = grab(kTab);
            tab.save(QStringLiteral("look-opaque-tab.png"));
            for (const QPoint corner : {QPoint(0, 0), QPoint(17, 0), QPoint(0, 71), QPoint(17, 71)})
                if (distance(tab.pixelColor(corner), kBehind) >= 6)
                    return false;
            return true;
        };
        QTRY_VERIFY_WITH_TIMEOUT(cornersShowBehind(), kWaitMs);
        expectBlurRegions(kExpanded);
        // The whole tab, not only the pill, brings the panel back.
        movePointer(kTab.right(), kTab.top() + 2);
        QTRY_COMPARE_WITH_TIMEOUT(panel(), kExpanded, kWaitMs);
        expectBlurRegions(kExpanded);
    }

    void withCompositor()
    {
        m_compositor.start(QStringLiteral("xcompmgr"), {});
        QVERIFY2(m_compositor.waitForStarted(), "xcompmgr is not installed");
        QTRY_VERIFY_WITH_TIMEOUT(X11CompositorStatus::detectCompositor(), kWaitMs);
        // Quillo follows: the glass turns translucent over the window behind.
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                const QColor glass = grab(QRect(kExpanded.topLeft() + QPoint(200, 8), QSize(1, 1))).pixelColor(0, 0);
                return glass.blue() - glass.red() > 25;
            }(),
            kWaitMs);
        expectListsAreGlass(true);

        // The top-left corner is cut with antialiased edges: each pixel is the glass over the
        // window behind in the proportion the outline covers it, under the border.
        const QImage corner = grab(QRect(kExpanded.topLeft(), QSize(16, 16)));
        corner.save(QStringLiteral("look-composited-corner.png"));
        const QColor inside = grab(QRect(kExpanded.topLeft() + QPoint(12, 12), QSize(1, 1))).pixelColor(0, 0);
        QImage expected(corner.size(), QImage::Format_RGB32);
        expected.fill(kBehind);
        {
            QPainter painter(&expected);
            painter.setRenderHint(QPainter::Antialiasing);
            const QPainterPath outline = DockedPanelShape::path(QRectF(QPointF(0, 0), QSizeF(kExpanded.size())));
            painter.fillPath(outline, inside);
            painter.strokePath(outline, QPen(QColor(255, 255, 255, 194), 0.8));
        }
        int worst = 0;
        for (int y = 0; y < corner.height(); ++y)
            for (int x = 0; x < corner.width(); ++x)
                worst = std::max(worst, distance(corner.pixelColor(x, y), expected.pixelColor(x, y)));
        QVERIFY2(worst <= 30, qPrintable(QString::number(worst))); // a 1-bit cut is off by over 100

        collapse(kExpanded, kTab);
        grab(kTab).save(QStringLiteral("look-composited-tab.png"));
        expectBlurRegions(kExpanded);
        movePointer(kTab.center().x(), kTab.center().y());
        QTRY_COMPARE_WITH_TIMEOUT(panel(), kExpanded, kWaitMs);
    }

    // The folder dialog opens beside the panel, whole on the 1366×768 monitor, in Chinese.
    void folderDialogBesideThePanel()
    {
        showPage(true);
        const NoteListStyle notes = NoteListStyle::standard();
        click(kExpanded.topLeft() + QPoint(notes.sideMargin + 20, kExpanded.height() - notes.footerHeight / 2));
        QString dialog;
        QTRY_VERIFY_WITH_TIMEOUT(!(dialog = windowId(QStringLiteral("选择 Markdown 笔记文件夹"), -1)).isEmpty(),
                                 kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(windowState(dialog).viewable, kWaitMs);
        const QRect monitor(1440, 0, 1366, 768);
        QRect frame;
        // Whole on the monitor, title bar included, and clear of the panel.
        QTRY_VERIFY2_WITH_TIMEOUT(
            (frame = windowState(dialog).geometry,
             monitor.contains(frame.adjusted(-4, -30, 4, 4)) && frame.right() < kExpanded.left()),
            qPrintable(
                QStringLiteral("%1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())),
            kWaitMs);
        grab(monitor).save(QStringLiteral("look-folder-dialog.png"));
        run(QStringLiteral("xdotool"), {"key", "--window", dialog, "Escape"});
        QTRY_VERIFY_WITH_TIMEOUT(!windowState(dialog).viewable, kWaitMs);
        showPage(false);
    }

    // Without monitor R the panel docks to the whole screen, taller: the blur regions follow.
    void blurRegionFollowsAScreenChange()
    {
        movePointer(2500, 400); // over the panel, which must not collapse meanwhile
        run(QStringLiteral("xrandr"), {"--delmonitor", "R"});
        QTRY_COMPARE_WITH_TIMEOUT(panel(), kExpandedAfterChange, kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(blurRegion(shellWindow(440)), DockedPanelShape::mask(kExpandedAfterChange.size()),
                                  kWaitMs);
        collapse(kExpandedAfterChange, QRect(2788, 414, 18, 72));
        expectBlurRegions(kExpandedAfterChange);
    }
};

int main(int argc, char **argv)
{
    TestEnvironment environment;
    XvfbServer xvfb(2806, 900);
    if (!xvfb.isRunning())
        return 1;
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    TestLookEndToEnd test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_look_end_to_end.moc"
