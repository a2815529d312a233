#pragma once

#include <QString>
#include <optional>

// Lets the user pick a folder. The real one is a modal QFileDialog; tests answer directly.
class FolderChooser
{
public:
    virtual ~FolderChooser() = default;
    // Returns the chosen folder's absolute path, or nothing when cancelled.
    virtual std::optional<QString> chooseFolder(const QString &title, const QString &acceptLabel,
                                                const QString &startFolder) = 0;
};
