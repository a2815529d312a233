#pragma once

#include <QList>
#include <algorithm>
#include <optional>

// The row chosen with the keyboard in a list the user filters: a position in the list as
// shown, remembered by the key of the entry there so that it follows the entry when the
// list changes around it, and lost when the entry leaves the list. Nothing is selected at
// first; the first step down selects the first row, a step up from the first row leaves the
// list (back to the search field), and a step down from the last row stays there.
template <typename Key> class ListSelection
{
public:
    // The keys of the rows as shown, top to bottom. Returns true when the selection changed.
    bool setKeys(QList<Key> keys)
    {
        m_keys = std::move(keys);
        if (m_selected && !m_keys.contains(*m_selected))
            return clear();
        return false;
    }
    const QList<Key> &keys() const { return m_keys; }

    std::optional<Key> selected() const { return m_selected; }
    // -1 when nothing is selected.
    qsizetype index() const { return m_selected ? m_keys.indexOf(*m_selected) : -1; }
    // The selected row, else the first one: what Enter acts on.
    std::optional<Key> target() const
    {
        if (m_selected)
            return m_selected;
        return m_keys.isEmpty() ? std::nullopt : std::optional<Key>(m_keys.constFirst());
    }

    // Each returns true when the selection changed.
    bool moveDown() { return select(index() + 1); }
    bool moveUp() { return index() <= 0 ? clear() : select(index() - 1); }
    // Selects the row at `row`, clamped to the list; nothing in an empty list.
    bool select(qsizetype row)
    {
        if (m_keys.isEmpty())
            return clear();
        return set(m_keys.at(std::clamp<qsizetype>(row, 0, m_keys.size() - 1)));
    }
    bool clear() { return set(std::nullopt); }

private:
    bool set(std::optional<Key> key)
    {
        if (key == m_selected)
            return false;
        m_selected = std::move(key);
        return true;
    }

    QList<Key> m_keys;
    std::optional<Key> m_selected;
};
