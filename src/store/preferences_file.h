#pragma once

#include "preferences.h"

#include <QString>
#include <optional>

// "preferences.json": read once at start-up, written synchronously and atomically when a
// setting changes. A file that exists but cannot be read is kept aside
// ("<name>.rejected-<seconds>") before its first overwrite.
class PreferencesFile
{
public:
    explicit PreferencesFile(const QString &path);

    const QString &path() const { return m_path; }
    // The stored preferences; nothing when the file is missing or cannot be read.
    std::optional<Preferences> load();
    // False when the file could not be written, with the reason in Chinese in *errorText.
    bool save(const Preferences &preferences, QString *errorText = nullptr);

private:
    QString m_path;
    bool m_rejected = false; // the file on disk could not be read and is still in place
};
