#include "views/style/fixed_compositor_status.h"

FixedCompositorStatus::FixedCompositorStatus(bool composited, QObject *parent)
    : CompositorStatus(parent)
    , m_composited(composited)
{
}

void FixedCompositorStatus::setComposited(bool composited)
{
    if (m_composited == composited)
        return;
    m_composited = composited;
    emit compositingChanged(composited);
}
