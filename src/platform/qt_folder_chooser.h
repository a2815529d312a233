#pragma once

#include "store/folder_chooser.h"

#include <QPointer>
#include <QWidget>

// The folder chooser as a modal QFileDialog. Qt's own dialog, not the desktop portal's: the
// portal ignores the accept label and, on some desktops, the title.
class QtFolderChooser : public FolderChooser
{
public:
    explicit QtFolderChooser(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }

    std::optional<QString> chooseFolder(const QString &title, const QString &acceptLabel,
                                        const QString &startFolder) override;

private:
    QPointer<QWidget> m_parent;
};
