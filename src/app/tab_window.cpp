#include "tab_window.h"

#include "platform/x11_blur_behind.h"
#include "platform/x11_input_only_window.h"
#include "views/style/compositor_status.h"
#include "views/widgets/edge_tab_view.h"

#include <QEvent>
#include <QVBoxLayout>
#include <QWindow>

TabWindow::TabWindow(QWidget *content)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Not a Qt::Tool, for the reason given at PanelWindow.
    setWindowTitle(QStringLiteral("展开Quillo"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    content->setParent(this);
    layout->addWidget(content, 0, Qt::AlignLeft | Qt::AlignTop);
    m_content = content;
    // As for the panel: real crossings only, seen on the QWindow.
    winId();
    windowHandle()->installEventFilter(this);

    m_input = new X11InputOnlyWindow(this);
    connect(m_input, &X11InputOnlyWindow::pointerEntered, this, &TabWindow::pointerEntered);
    connect(m_input, &X11InputOnlyWindow::pressed, this, &TabWindow::pointerEntered);
    if (auto *tab = qobject_cast<EdgeTabView *>(content))
        connect(tab, &EdgeTabView::pillChanged, this, &TabWindow::updateShape);
    connect(&CompositorStatus::current(), &CompositorStatus::compositingChanged, this, [this] {
        updateShape();
        updateInputWindow();
    });
}

TabWindow::~TabWindow() = default;

void TabWindow::setContentSize(QSize size)
{
    m_content->setFixedSize(size);
}

QRegion TabWindow::shapeRegion() const
{
    if (const auto *tab = qobject_cast<const EdgeTabView *>(m_content))
        return tab->pillRegion().translated(m_content->pos());
    return QRegion(m_content->geometry());
}

void TabWindow::updateShape()
{
    const QRegion shape = shapeRegion();
    X11BlurBehind::setRegion(windowHandle(), shape);
    if (CompositorStatus::current().isComposited())
        clearMask();
    else
        setMask(shape);
}

void TabWindow::updateInputWindow()
{
    if (!isVisible() || CompositorStatus::current().isComposited()) {
        m_input->hide();
        return;
    }
    m_input->setGeometry(QRect(mapToGlobal(m_content->pos()), m_content->size()), devicePixelRatio());
    if (m_input->isVisible())
        m_input->raise();
    else
        m_input->show();
}

bool TabWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle()) {
        if (event->type() == QEvent::Enter)
            emit pointerEntered();
        // The window manager stacks the tab when it maps it, possibly over the input window.
        else if (event->type() == QEvent::Expose && m_input->isVisible())
            m_input->raise();
    }
    return QWidget::eventFilter(watched, event);
}

void TabWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    updateShape();
    updateInputWindow();
}

void TabWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_input->hide();
}

void TabWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    updateInputWindow();
}

void TabWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateShape();
    updateInputWindow();
}
