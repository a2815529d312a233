#include "panel_window.h"

#include "views/style/compositor_status.h"
#include "views/style/docked_panel_shape.h"

#include <QCursor>
#include <QEnterEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWindow>

namespace {

// Where the pointer crossed into the window. The pointer may have gone on by the time the
// event is handled (a fast move, a busy process), so the crossing's own place is the one
// that counts.
QPoint crossingPosition(const QEvent *event)
{
    if (const auto *enter = dynamic_cast<const QEnterEvent *>(event))
        return enter->globalPosition().toPoint();
    return QCursor::pos();
}

} // namespace

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
        QPen pen(m_style.borderColor, m_style.borderWidth);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        pen.setMiterLimit(10);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(DockedPanelShape::path(QRectF(rect()), m_style.cornerRadius));
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
// those reach the widget but never the QWindow. Around the first map the QWindow itself
// still gets a stray enter/leave pair with the pointer nowhere near, so an enter counts
// only with the pointer at the panel, and a leave only after such an enter: the panel
// collapses only once the pointer has been in and out. "At the panel" has some slack
// because Qt's idea of the window's place lags the window manager's while it slides or
// after the window manager clamped it to the screen.
bool PanelWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle()) {
        const QRect near = geometry().adjusted(-kEnterSlack, -kEnterSlack, kEnterSlack, kEnterSlack);
        if (event->type() == QEvent::Enter && near.contains(crossingPosition(event))) {
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
    m_content->setMask(outline);
    // Without a compositing manager the translucent corners would show black: cut the
    // window itself to the outline instead.
    if (CompositorStatus::current().isComposited())
        clearMask();
    else
        setMask(outline);
}
