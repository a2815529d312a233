#include "views/style/compositor_status.h"

#include "views/style/fixed_compositor_status.h"

#include <QPointer>

namespace {

QPointer<CompositorStatus> &installedStatus()
{
    static QPointer<CompositorStatus> status;
    return status;
}

} // namespace

CompositorStatus &CompositorStatus::current()
{
    if (CompositorStatus *status = installedStatus())
        return *status;
    static FixedCompositorStatus opaque(false);
    return opaque;
}

void CompositorStatus::install(CompositorStatus *status)
{
    installedStatus() = status;
}
