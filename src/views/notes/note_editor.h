#pragma once

#include "views/notes/notes_page_style.h"

#include <QWidget>

class QPlainTextEdit;

// The plain-text editor of a note: monospaced text in a rounded, outlined field. It shows
// what setText() gives it and reports each change the user makes with textEdited(); text
// set from outside is not reported back.
class NoteEditor : public QWidget
{
    Q_OBJECT
public:
    explicit NoteEditor(const NoteEditorStyle &style, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    QPlainTextEdit *textEdit() const { return m_edit; }

signals:
    void textEdited(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void onContentsChanged();

    NoteEditorStyle m_style;
    QPlainTextEdit *m_edit = nullptr;
    QString m_text;
    bool m_settingText = false;
};
