#pragma once

#include "views/style/styles.h"

#include <QAbstractButton>

// A text button (optionally with a leading symbol) drawn from a ButtonStyle: filled rounded
// rectangle, lighter fill while pressed, optional rim. The label colour never changes.
class StyledButton : public QAbstractButton
{
    Q_OBJECT
public:
    StyledButton(const QString &text, ButtonStyle style, QWidget *parent = nullptr);

    void setSymbol(const QString &symbol);
    const ButtonStyle &style() const { return m_style; }
    // The fill for the current pressed state; what paintEvent uses.
    QColor currentFill() const { return isDown() ? m_style.fillPressed : m_style.fill; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ButtonStyle m_style;
    QString m_symbol;
};

class PrimaryButton : public StyledButton
{
    Q_OBJECT
public:
    explicit PrimaryButton(const QString &text, QWidget *parent = nullptr)
        : StyledButton(text, ButtonStyle::primary(), parent)
    {
    }
};

class SecondaryButton : public StyledButton
{
    Q_OBJECT
public:
    explicit SecondaryButton(const QString &text, QWidget *parent = nullptr)
        : StyledButton(text, ButtonStyle::secondary(), parent)
    {
    }
};
