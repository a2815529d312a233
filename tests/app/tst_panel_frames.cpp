#include "app/panel_frames.h"
#include "app/screen_anchor.h"

#include "test_main.h"

#include <QTest>

Q_DECLARE_METATYPE(ScreenInfo)
Q_DECLARE_METATYPE(std::optional<ScreenInfo>)
Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

const ScreenInfo kLeft{QStringLiteral("DP-1"), QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1040)};
const ScreenInfo kRight{QStringLiteral("HDMI-1"), QRect(1920, 0, 1280, 1024), QRect(1920, 0, 1280, 1024)};
const ScreenInfo kUnnamed{QString(), QRect(3200, 0, 800, 600), QRect(3200, 0, 800, 600)};

} // namespace

class TestPanelFrames : public QObject
{
    Q_OBJECT
private slots:
    void frames_data()
    {
        QTest::addColumn<QRect>("visible");
        QTest::addColumn<QRect>("expanded");
        QTest::addColumn<QRect>("collapsed");
        QTest::addColumn<QRect>("tab");

        // 875 / 2 - 36 = 401.5, rounded half up.
        QTest::newRow("worked example") << QRect(0, 0, 1440, 875) << QRect(1000, 22, 440, 760)
                                        << QRect(1448, 22, 440, 760) << QRect(1422, 402, 18, 72);
        QTest::newRow("exactly 796 high") << QRect(0, 0, 1280, 796) << QRect(840, 22, 440, 760)
                                          << QRect(1288, 22, 440, 760) << QRect(1262, 362, 18, 72);
        QTest::newRow("short: 700 high") << QRect(0, 0, 1024, 700) << QRect(584, 22, 440, 664)
                                         << QRect(1032, 22, 440, 664) << QRect(1006, 314, 18, 72);
        QTest::newRow("top panel of 30") << QRect(0, 30, 1440, 870) << QRect(1000, 52, 440, 760)
                                         << QRect(1448, 52, 440, 760) << QRect(1422, 429, 18, 72);
        QTest::newRow("screen left of the primary") << QRect(-1280, -200, 1280, 1023) << QRect(-440, -178, 440, 760)
                                                    << QRect(8, -178, 440, 760) << QRect(-18, 276, 18, 72);
        QTest::newRow("degenerate: shorter than the margin")
            << QRect(0, 0, 800, 20) << QRect(360, 22, 440, 0) << QRect(808, 22, 440, 0) << QRect(782, -26, 18, 72);
    }

    void frames()
    {
        QFETCH(QRect, visible);
        const PanelFrames frames = PanelFrames::forVisibleArea(visible);
        QTEST(frames.expanded, "expanded");
        QTEST(frames.collapsed, "collapsed");
        QTEST(frames.tab, "tab");
    }

    void anchorChoice_data()
    {
        QTest::addColumn<QList<ScreenInfo>>("screens");
        QTest::addColumn<std::optional<ScreenInfo>>("primary");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QString>("expected"); // empty: no screen
        QTest::addColumn<std::optional<QString>>("anchor");

        const QList<ScreenInfo> two{kLeft, kRight};
        QTest::newRow("pointer on the secondary")
            << two << std::optional(kLeft) << QPoint(2000, 500) << kRight.name << std::optional(kRight.name);
        // The strip below the available area (a dock) still belongs to the screen.
        QTest::newRow("pointer over the dock")
            << two << std::optional(kRight) << QPoint(100, 1060) << kLeft.name << std::optional(kLeft.name);
        QTest::newRow("edge pixel belongs to the right screen")
            << two << std::optional(kLeft) << QPoint(1920, 0) << kRight.name << std::optional(kRight.name);
        QTest::newRow("pointer off every screen: primary")
            << two << std::optional(kRight) << QPoint(2500, 1050) << kRight.name << std::optional(kRight.name);
        QTest::newRow("no primary: first")
            << two << std::optional<ScreenInfo>() << QPoint(-5, -5) << kLeft.name << std::optional(kLeft.name);
        QTest::newRow("unnamed screen: no anchor") << QList<ScreenInfo>{kLeft, kUnnamed} << std::optional(kLeft)
                                                   << QPoint(3300, 10) << QString() << std::optional<QString>();
        QTest::newRow("no screen") << QList<ScreenInfo>{} << std::optional<ScreenInfo>() << QPoint(0, 0) << QString()
                                   << std::optional<QString>();
    }

    void anchorChoice()
    {
        QFETCH(QList<ScreenInfo>, screens);
        QFETCH(std::optional<ScreenInfo>, primary);
        QFETCH(QPoint, pointer);
        QFETCH(QString, expected);
        ScreenAnchor anchor;
        const std::optional<ScreenInfo> chosen = anchor.choose(screens, primary, pointer);
        if (QTest::currentDataTag() == QByteArray("no screen")) {
            QVERIFY(!chosen);
        } else {
            QVERIFY(chosen);
            QCOMPARE(chosen->name, expected);
        }
        QTEST(anchor.anchorName(), "anchor");
    }

    void anchorStaysOnItsDisplay()
    {
        ScreenAnchor anchor;
        QCOMPARE(anchor.choose({kLeft, kRight}, kLeft, QPoint(2000, 10))->name, kRight.name);
        // The pointer moves to the other display: the shell stays.
        QCOMPARE(anchor.choose({kLeft, kRight}, kLeft, QPoint(10, 10))->name, kRight.name);
        // Screen order changes do not matter either.
        QCOMPARE(anchor.choose({kRight, kLeft}, kLeft, QPoint(10, 10))->name, kRight.name);
    }

    void anchorMovesWhenDisplayIsGoneAndDoesNotMoveBack()
    {
        ScreenAnchor anchor;
        QCOMPARE(anchor.choose({kLeft, kRight}, kLeft, QPoint(2000, 10))->name, kRight.name);
        QCOMPARE(anchor.choose({kLeft}, kLeft, QPoint(10, 10))->name, kLeft.name);
        QCOMPARE(anchor.anchorName(), std::optional(kLeft.name));
        QCOMPARE(anchor.choose({kLeft, kRight}, kLeft, QPoint(2000, 10))->name, kLeft.name);
    }

    void anchorKeptWhenNoScreenAtAll()
    {
        ScreenAnchor anchor;
        anchor.choose({kLeft, kRight}, kLeft, QPoint(2000, 10));
        QVERIFY(!anchor.choose({}, std::nullopt, QPoint(2000, 10)));
        QCOMPARE(anchor.choose({kLeft, kRight}, kLeft, QPoint(10, 10))->name, kRight.name);
    }

    void unnamedScreenIsChosenAgainEachTime()
    {
        ScreenAnchor anchor;
        QCOMPARE(anchor.choose({kLeft, kUnnamed}, kLeft, QPoint(3300, 10))->geometry, kUnnamed.geometry);
        QCOMPARE(anchor.choose({kLeft, kUnnamed}, kLeft, QPoint(10, 10))->name, kLeft.name);
    }
};

QUILLO_TEST_GUILESS_MAIN(TestPanelFrames)
#include "tst_panel_frames.moc"
