#pragma once

#include <QObject>
#include <QUuid>
#include <optional>

// The id of the history entry whose row is under the pointer, shared by the clipboard page
// and its rows. update() assigns only real changes, so the rows repaint only when the
// highlighted row changes, not on every pointer move.
class ClipboardHoverState : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    std::optional<QUuid> itemID() const { return m_itemID; }
    void update(std::optional<QUuid> id);

signals:
    // Both values are given so that a listener can repaint just the two rows involved.
    void itemIDChanged(std::optional<QUuid> previous, std::optional<QUuid> current);

private:
    std::optional<QUuid> m_itemID;
};
