#pragma once

#include <QAbstractButton>
#include <QColor>

// A plain, chrome-less button showing one tinted symbol, optionally followed by a text.
// Tooltip and accessible name are set together.
class IconButton : public QAbstractButton
{
    Q_OBJECT
public:
    IconButton(const QString &symbol, int iconSize, const QColor &color, QWidget *parent = nullptr);

    void setSymbol(const QString &symbol, const QColor &color);
    QString symbol() const { return m_symbol; }
    QColor color() const { return m_color; }
    void setLabel(const QString &tip);
    void setSpacing(int spacing) { m_spacing = spacing; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_symbol;
    int m_iconSize;
    QColor m_color;
    int m_spacing = 4;
};
