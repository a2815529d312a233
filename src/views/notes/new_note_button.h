#pragma once

#include "views/notes/notes_page_style.h"

#include <QAbstractButton>

// The accent-filled "新建" button of the notes list header.
class NewNoteButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit NewNoteButton(const NewButtonStyle &style, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    NewButtonStyle m_style;
};
