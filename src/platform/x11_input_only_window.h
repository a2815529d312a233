#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QRect>

// An invisible X window (class InputOnly, not managed by the window manager) that takes the
// pointer over a rectangle of the screen. A shaped X window only ever receives the pointer
// inside its shape, so a window cut to a small visible shape uses one of these to keep a
// larger area that reacts to the pointer. Without the xcb platform it does nothing.
class X11InputOnlyWindow : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    explicit X11InputOnlyWindow(QObject *parent = nullptr);
    ~X11InputOnlyWindow() override;

    // The area in device-independent screen coordinates, scaled by `dpr` for the X server.
    void setGeometry(const QRect &area, qreal dpr);
    // Maps the window above every other one.
    void show();
    // Puts a shown window back above every other one (after the window manager restacked).
    void raise();
    void hide();
    bool isVisible() const { return m_visible; }
    quint32 winId() const { return m_window; }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

signals:
    void pointerEntered();
    void pressed();

private:
    quint32 m_window = 0;
    bool m_visible = false;
};
