#pragma once

#include <QWidget>

class X11InputOnlyWindow;

// The small window on the screen edge while the panel is collapsed. The pointer entering
// it reveals the panel (the hosted tab content reveals it on a click); leaving does nothing.
//
// Its shape is the content's pill (EdgeTabView): the compositor blurs behind it, and
// without a compositor the window is cut to it so the desktop shows around the pill. A cut
// X window only receives the pointer inside the cut, so then an invisible input window over
// the whole tab keeps all of it reacting to the pointer.
class TabWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TabWindow(QWidget *content);
    ~TabWindow() override;

    // The content keeps the tab's size at the window's left even when the window is wider:
    // sway gives floating windows a minimum width (75 px) beyond the tab's, and the rest,
    // transparent, lies past the screen edge.
    void setContentSize(QSize size);
    // The pixels of the window the tab's pill covers; the whole content without a pill.
    QRegion shapeRegion() const;
    X11InputOnlyWindow *inputWindow() const { return m_input; }

signals:
    void pointerEntered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateShape();
    void updateInputWindow();

    QWidget *m_content = nullptr;
    X11InputOnlyWindow *m_input = nullptr;
};
