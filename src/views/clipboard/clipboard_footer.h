#pragma once

#include "views/clipboard/clip_styles.h"

#include <QWidget>

class IconButton;
class IconLabel;
class QLabel;

// The status line under the list: the privacy state of the history, or while saving fails
// why ("保存失败：磁盘空间不足"), and the button that clears all unpinned entries.
class ClipboardFooter : public QWidget
{
    Q_OBJECT
public:
    explicit ClipboardFooter(QWidget *parent = nullptr, ClipboardPageStyle style = ClipboardPageStyle::standard());

    void setFiltering(bool ignoreSensitive);
    // Shown in place of the privacy state while not empty.
    void setSaveFailure(const QString &failure);
    QString privacySymbol() const { return m_symbol; }
    QString privacyText() const;
    IconButton *clearButton() const { return m_clear; }

signals:
    void clearRequested();
    void pointerEntered();

protected:
    void enterEvent(QEnterEvent *event) override;

private:
    void refresh();

    ClipboardPageStyle m_style;
    bool m_ignoreSensitive = true;
    QString m_saveFailure;
    QString m_symbol;
    IconLabel *m_icon;
    QLabel *m_text;
    IconButton *m_clear;
};
