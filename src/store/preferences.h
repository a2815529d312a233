#pragma once

#include <QString>

// The two persisted settings.
struct Preferences
{
    QString noteDirectory; // absolute file-system path, no trailing slash
    bool ignoreSensitive = true;

    bool operator==(const Preferences &other) const = default;
};
