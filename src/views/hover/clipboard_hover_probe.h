#pragma once

#include <QUuid>
#include <QWidget>

// An invisible widget laid over a history row with exactly the row's geometry. It registers
// itself with ClipboardHoverRegistry for its lifetime and never takes pointer events.
class ClipboardHoverProbe : public QWidget
{
    Q_OBJECT
public:
    ClipboardHoverProbe(const QUuid &itemID, QWidget *parent);
    ~ClipboardHoverProbe() override;

    QUuid itemID() const { return m_itemID; }

private:
    const QUuid m_itemID;
};
