#pragma once

#include "views/style/styles.h"

#include <QWidget>

class QLineEdit;
class IconButton;

// The rounded search box: symbol, a frameless single-line field and, only while there is
// text, a button that empties it. Every keystroke reports the new text.
class SearchField : public QWidget
{
    Q_OBJECT
public:
    SearchField(const QString &placeholder, QWidget *parent = nullptr,
                SearchFieldStyle style = SearchFieldStyle::standard());

    QString text() const;
    // Sets the text without reporting it back through textChanged when it is unchanged.
    void setText(const QString &text);
    QLineEdit *lineEdit() const { return m_edit; }
    IconButton *clearButton() const { return m_clear; }
    const SearchFieldStyle &style() const { return m_style; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void textChanged(const QString &text);
    void pointerEntered();

protected:
    void enterEvent(QEnterEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    SearchFieldStyle m_style;
    QLineEdit *m_edit;
    IconButton *m_clear;
};
