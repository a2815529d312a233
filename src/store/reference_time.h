#pragma once

#include <QDateTime>
#include <QtGlobal>

// Stored timestamps are seconds since 2001-01-01 00:00:00 UTC, as doubles.
namespace ReferenceTime {
constexpr qint64 kUnixOffset = 978307200; // seconds from 1970-01-01 to 2001-01-01

// The current moment in reference seconds, with sub-second fraction.
double now();

double fromUnixSeconds(double unixSeconds);
double toUnixSeconds(double referenceSeconds);

// Converts any double (huge, negative, NaN, infinite) to whole seconds without undefined
// behaviour: truncates toward zero and clamps to the qint64 range; NaN becomes 0.
qint64 saturatingSeconds(double seconds);

QDateTime toDateTime(double referenceSeconds);
} // namespace ReferenceTime
