#include "reference_time.h"

#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ReferenceTime {

double now()
{
    return fromUnixSeconds(static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0);
}

double fromUnixSeconds(double unixSeconds)
{
    return unixSeconds - static_cast<double>(kUnixOffset);
}
double toUnixSeconds(double referenceSeconds)
{
    return referenceSeconds + static_cast<double>(kUnixOffset);
}

qint64 saturatingSeconds(double seconds)
{
    if (std::isnan(seconds))
        return 0;
    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double kLimit = 9223372036854775808.0;
    if (seconds >= kLimit)
        return std::numeric_limits<qint64>::max();
    if (seconds <= -kLimit)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(std::trunc(seconds));
}

QDateTime toDateTime(double referenceSeconds)
{
    const double ms = toUnixSeconds(referenceSeconds) * 1000.0;
    // QDateTime covers about ±292 million years; clamp well inside it.
    constexpr double kMaxMs = 8.64e15;
    const double clamped = std::isnan(ms) ? 0.0 : std::clamp(ms, -kMaxMs, kMaxMs);
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(clamped), QTimeZone::utc());
}

} // namespace ReferenceTime
