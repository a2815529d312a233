#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

// One line of plain text that is elided, in the given place, only when its rectangle is
// narrower than the text. It asks for the text's width but takes whatever it is given.
class ElidedLabel : public QWidget
{
    Q_OBJECT
public:
    ElidedLabel(const QFont &font, const QColor &color, Qt::TextElideMode mode, Qt::Alignment alignment,
                QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    // The text as drawn at the current width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QColor m_color;
    Qt::TextElideMode m_mode;
    Qt::Alignment m_alignment;
};
