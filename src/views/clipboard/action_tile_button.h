#pragma once

#include "views/clipboard/clip_styles.h"

#include <QAbstractButton>

// One of a row's three action buttons: a small rounded tile with a tinted symbol.
class ActionTileButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit ActionTileButton(QWidget *parent = nullptr, ActionTileStyle style = ActionTileStyle::standard());

    // Symbol, icon colour, tile fill and the tooltip (also the accessible name).
    void setLook(const QString &symbol, const QColor &icon, const QColor &fill, const QString &label);
    QString symbol() const { return m_symbol; }
    QColor iconColor() const { return m_icon; }
    QColor fillColor() const { return m_fill; }
    // The whole tile's opacity while it fades in or out.
    void setOpacity(double opacity);
    double opacity() const { return m_opacity; }

    QSize sizeHint() const override { return QSize(m_style.size, m_style.size); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ActionTileStyle m_style;
    QString m_symbol;
    QColor m_icon;
    QColor m_fill;
    double m_opacity = 1;
};
