#include "panel_window.h"

#include "views/style/compositor_watcher.h"
#include "views/style/docked_panel_shape.h"

#include <QEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWindow>

// Draws the border over the content; never takes pointer events.
class PanelBorderOverlay : public QWidget
{
public:
    PanelBorderOverlay(const PanelWindowStyle &style, QWidget *parent) : QWidget(parent), m_style(style)
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
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_style(style),
      m_content(content)
{
    // Never Qt::WindowDoesNotAcceptFocus: the search field and the note editor must still
    // take the keyboard when clicked.
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
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

    connect(&CompositorWatcher::instance(), &CompositorWatcher::compositingChanged, this,
            &PanelWindow::updateMasks);
}

// Only the window system's crossings count. Qt also sends widgets synthetic enter and
// leave events when windows are shown, hidden or masked, even with the pointer far away;
// those reach the widget but never the QWindow.
bool PanelWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle()) {
        if (event->type() == QEvent::Enter)
            emit pointerEntered();
        else if (event->type() == QEvent::Leave)
            emit pointerLeft();
    }
    return QWidget::eventFilter(watched, event);
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
    if (CompositorWatcher::instance().isComposited())
        clearMask();
    else
        setMask(outline);
}
