#pragma once

#include <QObject>

// Whether a compositing manager draws the desktop. Without one, translucent windows show
// black corners and a grey body, so the look falls back to opaque surfaces.
//
// The widgets follow the installed status; the platform layer provides the real one. Until
// one is installed (widget tests, the gallery, a platform that cannot tell) a fixed,
// opaque status stands in. Widgets connect to the status when they are made, so install
// it before making them.
class CompositorStatus : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool isComposited() const = 0;

    static CompositorStatus &current();
    // Not owned; nullptr returns to the fixed, opaque status.
    static void install(CompositorStatus *status);

signals:
    void compositingChanged(bool composited);
};
