#include "views/hover/clipboard_hover_state.h"

void ClipboardHoverState::update(std::optional<QUuid> id)
{
    if (m_itemID == id)
        return;
    const std::optional<QUuid> previous = m_itemID;
    m_itemID = id;
    emit itemIDChanged(previous, m_itemID);
}
