#pragma once

#include "store/folder_chooser.h"

#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QWidget>

// The folder chooser as a modal QFileDialog. Qt's own dialog, not the desktop portal's: the
// portal ignores the accept label and, on some desktops, the title.
//
// With a parent window (the panel) the dialog belongs to it, so the window manager keeps it
// above the always-on-top panel, and it opens beside the panel rather than centred on it,
// where the panel would hide half of it on a small screen.
class QtFolderChooser : public FolderChooser
{
public:
    explicit QtFolderChooser(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }

    void setParentWindow(QWidget *parent) { m_parent = parent; }

    std::optional<QString> chooseFolder(const QString &title, const QString &acceptLabel,
                                        const QString &startFolder) override;

    // Where a dialog of `preferred` size goes: on the side of `parent` with more room inside
    // `available`, `gap` away from both, shrunk to fit and centred vertically. `frame` is
    // the room kept around it for the window manager's title bar and borders.
    static QRect besideParent(QSize preferred, const QRect &parent, const QRect &available, int gap = 12,
                              const QMargins &frame = QMargins(4, 32, 4, 4));

private:
    QPointer<QWidget> m_parent;
};
