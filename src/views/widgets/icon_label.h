#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// A symbol drawn at paint time, so it is always sharp at the window's current device pixel
// ratio (a pixmap made once stays at the ratio of the screen it was made on).
class IconLabel : public QWidget
{
    Q_OBJECT
public:
    IconLabel(const QString &symbol, int pixelSize, const QColor &color, QWidget *parent = nullptr);

    QString symbol() const { return m_symbol; }
    void setSymbol(const QString &symbol);
    void setColor(const QColor &color);

    QSize sizeHint() const override { return {m_pixelSize, m_pixelSize}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_symbol;
    int m_pixelSize;
    QColor m_color;
};
