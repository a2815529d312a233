#pragma once

#include "store/folder_chooser.h"

// Answers the folder chooser like a user would, and remembers how it was asked.
class FakeFolderChooser : public FolderChooser
{
public:
    std::optional<QString> answer; // nothing: the user cancels
    int calls = 0;
    QString title;
    QString acceptLabel;
    QString startFolder;

    std::optional<QString> chooseFolder(const QString &t, const QString &accept, const QString &start) override
    {
        ++calls;
        title = t;
        acceptLabel = accept;
        startFolder = start;
        return answer;
    }
};
