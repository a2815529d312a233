#pragma once

#include <QObject>

class RootView;

// The keys of the whole panel, whichever page has the keyboard: Ctrl+1 shows 笔记, Ctrl+2
// 剪贴板, Ctrl+Tab (and Ctrl+Shift+Tab) the other page, Ctrl+F puts the keyboard in the
// page's search field.
class RootKeyHandler : public QObject
{
    Q_OBJECT
public:
    // Installs itself on the root view, where the pages' unused keys arrive.
    explicit RootKeyHandler(RootView &root);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    RootView &m_root;
};
