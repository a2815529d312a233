#pragma once

#include "views/clipboard/clip_styles.h"

#include <QWidget>

class IconButton;
class IconLabel;
class QLabel;

// The status line under the list: the privacy state of the history and the button that
// clears all unpinned entries.
class ClipboardFooter : public QWidget
{
    Q_OBJECT
public:
    explicit ClipboardFooter(QWidget *parent = nullptr, ClipboardPageStyle style = ClipboardPageStyle::standard());

    void setFiltering(bool ignoreSensitive);
    QString privacySymbol() const { return m_symbol; }
    QString privacyText() const;
    IconButton *clearButton() const { return m_clear; }

signals:
    void clearRequested();
    void pointerEntered();

protected:
    void enterEvent(QEnterEvent *event) override;

private:
    ClipboardPageStyle m_style;
    QString m_symbol;
    IconLabel *m_icon;
    QLabel *m_text;
    IconButton *m_clear;
};
