#include "views/hover/clipboard_hover_probe.h"

#include "views/hover/clipboard_hover_registry.h"

ClipboardHoverProbe::ClipboardHoverProbe(const QUuid &itemID, QWidget *parent)
    : QWidget(parent)
    , m_itemID(itemID)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    ClipboardHoverRegistry::shared().registerProbe(this, m_itemID);
}

ClipboardHoverProbe::~ClipboardHoverProbe()
{
    ClipboardHoverRegistry::shared().unregisterProbe(m_itemID, this);
}
