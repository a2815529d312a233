#include "panel_window.h"

#include "platform/x11_blur_behind.h"
#include "views/style/compositor_status.h"
#include "views/style/docked_panel_shape.h"

#include <QEnterEvent>
#include <QEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWindow>

// Draws the border over the content; never takes pointer events.
class PanelBorderOverlay : public QWidget
{
public:
    PanelBorderOverlay(const PanelWindowStyle &style, QWidget *parent)
        : QWidget(parent)
        , m_style(style)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPainterPath outline = DockedPanelShape::path(QRectF(rect()), m_style.cornerRadius);
        // With a compositor the corners are cut here, over everything painted beneath,
        // with antialiased edges; without one the window's mask cuts them.
        if (CompositorStatus::current().isComposited()) {
            QPainterPath outside;
            outside.addRect(QRectF(rect()));
            painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
            painter.fillPath(outside.subtracted(outline), Qt::black);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        QPen pen(m_style.borderColor, m_style.borderWidth);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        pen.setMiterLimit(10);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(outline);
    }

private:
    PanelWindowStyle m_style;
};

PanelWindow::PanelWindow(QWidget *content, const PanelWindowStyle &style)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_style(style)
    , m_content(content)
{
    // Never Qt::WindowDoesNotAcceptFocus: the search field and the note editor must still
    // take the keyboard when clicked.
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Not a Qt::Tool: Qt makes tool windows transient for its hidden group leader, and KWin
    // then hides them whenever another program is active, while Mutter rejects the unmapped
    // leader as invalid. X11WindowStates marks it a utility window instead.
    setWindowTitle(QStringLiteral("Quillo"));
    setMouseTracking(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The frames come from the screen; the content's minimum size must not override them
    // on a short screen.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    m_content->setParent(this);
    layout->addWidget(m_content);

    m_border = new PanelBorderOverlay(m_style, this);
    m_border->raise();

    winId();
    windowHandle()->installEventFilter(this);

    connect(&CompositorStatus::current(), &CompositorStatus::compositingChanged, this, &PanelWindow::updateMasks);
}

// Only the window system's crossings count. Qt also sends widgets synthetic enter and
// leave events when windows are shown, hidden or masked, even with the pointer far away;
// those reach the widget but never the QWindow. The QWindow itself gets a real but stray
// enter/leave pair when the window manager first maps the panel somewhere else (sway and
// KWin centre it) under the pointer, so an enter counts only with the pointer where the
// panel is meant to be, and a leave only after such an enter: the panel collapses only
// once the pointer has been in and out. The pointer's place is the one the crossing
// reports: on a busy machine the pointer may be gone again by the time the enter is
// handled, and that leave must still count. Qt's idea of the window's place is no help
// here: it lags the window manager's while the panel slides, and it is the misplaced one
// right after a map.
bool PanelWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle()) {
        const QRect near = m_travelArea.adjusted(-kEnterSlack, -kEnterSlack, kEnterSlack, kEnterSlack);
        if (event->type() == QEvent::Enter
            && near.contains(static_cast<QEnterEvent *>(event)->globalPosition().toPoint())) {
            m_pointerInside = true;
            emit pointerEntered();
        } else if (event->type() == QEvent::Leave && m_pointerInside) {
            m_pointerInside = false;
            emit pointerLeft();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PanelWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_pointerInside = false;
}

void PanelWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_border->setGeometry(rect());
    m_border->raise();
    updateMasks();
}

void PanelWindow::updateMasks()
{
    const QRegion outline = DockedPanelShape::mask(size(), m_style.cornerRadius);
    X11BlurBehind::setRegion(windowHandle(), outline);
    // Without a compositing manager the translucent corners would show black: the window
    // itself is cut to the outline instead, a 1-bit edge.
    if (CompositorStatus::current().isComposited())
        clearMask();
    else
        setMask(outline);
    m_border->update();
}
