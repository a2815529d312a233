#pragma once

#include "views/style/styles.h"

#include <QAbstractButton>

// A square tile with one icon: the copy and edit buttons of a note, the card's copy button,
// the header's pin and settings buttons. `active` picks the second look of the style.
class IconTile : public QAbstractButton
{
    Q_OBJECT
public:
    explicit IconTile(const IconTileStyle &style, QWidget *parent = nullptr);

    bool isActive() const { return m_active; }
    void setActive(bool active);
    const TileLook &currentLook() const { return m_active ? m_style.active : m_style.idle; }

    QSize sizeHint() const override { return m_style.size; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void applyLook();

    IconTileStyle m_style;
    bool m_active = false;
};
