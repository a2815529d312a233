#include "test_main.h"
#include "views/style/docked_panel_shape.h"
#include "views/style/fixed_compositor_status.h"
#include "views/style/fonts.h"
#include "views/style/icons.h"
#include "views/widgets/edge_tab_view.h"
#include "views/widgets/liquid_glass_canvas.h"
#include "views/widgets/visual_effect_view.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

class TestViewStyle : public QObject
{
    Q_OBJECT
private slots:
    void outline_data();
    void outline();
    void everySymbolRenders_data();
    void everySymbolRenders();
    void fontsUseDevicePixelsAndChineseFamily_data();
    void fontsUseDevicePixelsAndChineseFamily();
    void glassIsOpaqueWithoutCompositor_data();
    void glassIsOpaqueWithoutCompositor();
    void edgeTabHoverAnywhereGrowsPill();
    void edgeTabClickAnywhereReveals_data();
    void edgeTabClickAnywhereReveals();
};

void TestViewStyle::outline_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<double>("radius");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<bool>("inside");
    const QRectF panel(0, 0, 440, 760);
    // A quadratic corner with the sharp corner as control point passes r/4 from it at its
    // midpoint (a circular arc would pass about 0.29 r away).
    QTest::newRow("top-left curve, inside") << panel << 16.0 << QPointF(4.3, 4.3) << true;
    QTest::newRow("top-left curve, outside") << panel << 16.0 << QPointF(3.7, 3.7) << false;
    QTest::newRow("bottom-left curve, inside") << panel << 16.0 << QPointF(4.3, 755.7) << true;
    QTest::newRow("bottom-left curve, outside") << panel << 16.0 << QPointF(3.7, 756.3) << false;
    QTest::newRow("top-right is square") << panel << 16.0 << QPointF(439.5, 0.5) << true;
    QTest::newRow("bottom-right is square") << panel << 16.0 << QPointF(439.5, 759.5) << true;
    QTest::newRow("no radius: a rectangle") << QRectF(10, 20, 100, 50) << 0.0 << QPointF(10.2, 69.8) << true;
}

void TestViewStyle::outline()
{
    QFETCH(QRectF, rect);
    QFETCH(double, radius);
    QFETCH(QPointF, point);
    QFETCH(bool, inside);
    const QPainterPath path = DockedPanelShape::path(rect, radius);
    QCOMPARE(path.boundingRect(), rect);
    QCOMPARE(path.contains(point), inside);
}

void TestViewStyle::everySymbolRenders_data()
{
    QTest::addColumn<QString>("symbol");
    for (const QString &symbol : Icons::symbols())
        QTest::newRow(qPrintable(symbol)) << symbol;
}

void TestViewStyle::everySymbolRenders()
{
    QFETCH(QString, symbol);
    QVERIFY(QFile::exists(Icons::resourcePath(symbol)));
    const QImage image = Icons::pixmap(symbol, 16, QColor(0x26, 0x74, 0xD7), 2.0).toImage();
    QCOMPARE(image.size(), QSize(32, 32));
    int tinted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 200) {
                // Premultiplied storage rounds a channel by a step or two.
                QVERIFY(qAbs(c.red() - 0x26) <= 4 && qAbs(c.green() - 0x74) <= 4 && qAbs(c.blue() - 0xD7) <= 4);
                ++tinted;
            }
        }
    QVERIFY2(tinted > 8, "symbol rendered empty");
}

void TestViewStyle::fontsUseDevicePixelsAndChineseFamily_data()
{
    QTest::addColumn<double>("size");
    QTest::newRow("13") << 13.0;
    QTest::newRow("13.5") << 13.5;
    QTest::newRow("10.5") << 10.5;
}

void TestViewStyle::fontsUseDevicePixelsAndChineseFamily()
{
    QFETCH(double, size);
    const QFont font = Fonts::ui(size, QFont::Medium);
    QVERIFY(font.families().contains(QStringLiteral("Noto Sans CJK SC")));
    QCOMPARE(font.weight(), QFont::Medium);
    const double pixels = font.pixelSize() > 0
                              ? font.pixelSize()
                              : font.pointSizeF() * QGuiApplication::primaryScreen()->logicalDotsPerInchY() / 72.0;
    QVERIFY(qAbs(pixels - size) < 0.01);
}

void TestViewStyle::glassIsOpaqueWithoutCompositor_data()
{
    QTest::addColumn<QString>("surface");
    QTest::newRow("panel canvas") << "canvas";
    QTest::newRow("sidebar material") << "sidebar";
    QTest::newRow("edge tab") << "tab";
}

// Without a compositor a translucent pixel shows black, so every glass surface turns opaque;
// with one it lets the desktop through. The widgets follow the installed status as it changes.
void TestViewStyle::glassIsOpaqueWithoutCompositor()
{
    QFETCH(QString, surface);
    FixedCompositorStatus status(false);
    CompositorStatus::install(&status);
    std::unique_ptr<QWidget> widget;
    if (surface == QLatin1String("canvas"))
        widget = std::make_unique<LiquidGlassCanvas>();
    else if (surface == QLatin1String("sidebar"))
        widget = std::make_unique<VisualEffectView>(VisualEffectView::kMaterialSidebar,
                                                    VisualEffectView::kBlendingBehindWindow);
    else
        widget = std::make_unique<EdgeTabView>();
    widget->resize(18, 72);
    const auto alphaAtCentre = [&widget] {
        QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image.pixelColor(9, 36).alpha();
    };
    QCOMPARE(alphaAtCentre(), 255);
    QSignalSpy changed(&CompositorStatus::current(), &CompositorStatus::compositingChanged);
    status.setComposited(true);
    status.setComposited(true);
    QCOMPARE(changed.size(), 1);
    QVERIFY(alphaAtCentre() < 255);
    CompositorStatus::install(nullptr);
    QVERIFY(!CompositorStatus::current().isComposited());
}

void TestViewStyle::edgeTabHoverAnywhereGrowsPill()
{
    EdgeTabView tab;
    tab.resize(18, 72);
    tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tab));
    QCOMPARE(tab.pillRect().size(), QSizeF(7, 43));
    QCOMPARE(tab.toolTip(), QStringLiteral("展开Quillo"));
    QCOMPARE(tab.accessibleName(), QStringLiteral("展开Quillo"));
    // A corner far from the pill still counts.
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), tab.mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(&tab, &enter);
    QVERIFY(tab.isHovering());
    QTRY_COMPARE_WITH_TIMEOUT(tab.pillRect().size(), QSizeF(8, 47), 1000);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&tab, &leave);
    QVERIFY(!tab.isHovering());
    QTRY_COMPARE_WITH_TIMEOUT(tab.pillRect().size(), QSizeF(7, 43), 1000);
}

void TestViewStyle::edgeTabClickAnywhereReveals_data()
{
    QTest::addColumn<QPoint>("position");
    QTest::newRow("pill") << QPoint(9, 36);
    QTest::newRow("top corner") << QPoint(0, 0);
    QTest::newRow("bottom corner") << QPoint(17, 71);
}

void TestViewStyle::edgeTabClickAnywhereReveals()
{
    QFETCH(QPoint, position);
    EdgeTabView tab;
    tab.resize(18, 72);
    QSignalSpy spy(&tab, &EdgeTabView::revealRequested);
    QTest::mouseClick(&tab, Qt::LeftButton, {}, position);
    QCOMPARE(spy.size(), 1);
    QTest::mouseClick(&tab, Qt::RightButton, {}, position);
    QCOMPARE(spy.size(), 1);
}

QUILLO_TEST_WIDGETS_MAIN(TestViewStyle)
#include "tst_view_style.moc"
