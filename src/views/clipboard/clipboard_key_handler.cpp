#include "views/clipboard/clipboard_key_handler.h"

#include "store/app_store.h"
#include "views/clipboard/clip_row_actions.h"

#include <QKeyEvent>
#include <QWidget>

ClipboardKeyHandler::ClipboardKeyHandler(AppStore &store, QObject *parent)
    : QObject(parent)
    , m_store(store)
{
}

void ClipboardKeyHandler::watch(QWidget *widget)
{
    widget->installEventFilter(this);
}

void ClipboardKeyHandler::setItems(const QList<ClipItem> &items)
{
    m_items = items;
    QList<QUuid> ids;
    ids.reserve(items.size());
    for (const ClipItem &entry : items)
        ids << entry.id;
    announce(m_selection.setKeys(std::move(ids)));
}

void ClipboardKeyHandler::clearSelection()
{
    announce(m_selection.clear());
}

void ClipboardKeyHandler::announce(bool changed)
{
    if (changed)
        emit selectionChanged(m_selection.selected(), m_selection.index());
}

std::optional<ClipItem> ClipboardKeyHandler::item(const std::optional<QUuid> &id) const
{
    if (!id)
        return std::nullopt;
    for (const ClipItem &entry : m_items)
        if (entry.id == *id)
            return entry;
    return std::nullopt;
}

bool ClipboardKeyHandler::eventFilter(QObject *, QEvent *event)
{
    return event->type() == QEvent::KeyPress && handleKey(*static_cast<QKeyEvent *>(event));
}

bool ClipboardKeyHandler::handleKey(const QKeyEvent &key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const std::optional<ClipItem> selected = item(m_selection.selected());
    switch (key.key()) {
    case Qt::Key_Down:
    case Qt::Key_Up:
        if (modifiers != Qt::NoModifier)
            return false;
        announce(key.key() == Qt::Key_Down ? m_selection.moveDown() : m_selection.moveUp());
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (modifiers != Qt::NoModifier)
            return false;
        if (const std::optional<ClipItem> target = item(m_selection.target())) {
            m_store.copy(*target);
            emit entryCopied();
        }
        return true;
    case Qt::Key_Escape:
        if (!m_store.query().isEmpty())
            m_store.setQuery(QString());
        else
            emit dismissRequested();
        return true;
    case Qt::Key_Delete:
        if (modifiers != Qt::ShiftModifier || !selected)
            return false; // the search field's own Shift+Delete (cut) when no row is chosen
        deleteSelected();
        return true;
    case Qt::Key_P:
    case Qt::Key_N:
        if (modifiers != Qt::ControlModifier || !selected)
            return false;
        if (key.key() == Qt::Key_P)
            m_store.togglePin(*selected);
        else
            ClipRowActions::makeNote(&m_store, *selected);
        return true;
    default: return false;
    }
}

void ClipboardKeyHandler::deleteSelected()
{
    const qsizetype index = m_selection.index();
    const std::optional<ClipItem> selected = item(m_selection.selected());
    m_store.deleteClip(*selected);
    // Once the page has listed the entries again the choice is gone; the row that took the
    // deleted one's place is chosen.
    if (!m_selection.selected())
        announce(m_selection.select(index));
}
