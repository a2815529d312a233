#pragma once

#include "views/style/compositor_status.h"

// A status set by hand: the fallback where nothing can tell, and the stand-in that tests
// and the gallery use to show either look.
class FixedCompositorStatus : public CompositorStatus
{
    Q_OBJECT
public:
    explicit FixedCompositorStatus(bool composited, QObject *parent = nullptr);

    bool isComposited() const override { return m_composited; }
    // Emits compositingChanged when the value changes.
    void setComposited(bool composited);

private:
    bool m_composited = false;
};
