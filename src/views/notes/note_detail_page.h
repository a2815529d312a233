#pragma once

#include "views/notes/notes_page_style.h"

#include <QTimer>
#include <QWidget>

class AppStore;
class IconTile;
class LabelButton;
class NoteEditor;
class ElidedLabel;
class IconLabel;
class QLabel;
class QStackedLayout;
class SelectableNoteView;

// One note: a header with back, the file name, copy and edit; the rendered note or the
// editor; a status bar with the folder and the outcome of the last operation. It shows the
// store's selected note and text; what happens on back and edit is the notes view's call.
class NoteDetailPage : public QWidget
{
    Q_OBJECT
public:
    NoteDetailPage(AppStore &store, const NoteDetailStyle &style, QWidget *parent = nullptr);

    // editing: the editor is shown. showFailure: while editing, the status bar shows the
    // store's status (a failed save) instead of "正在编辑".
    void setEditing(bool editing, bool showFailure);
    bool isEditing() const { return m_editing; }
    bool isCopied() const { return m_copied; }

    // Puts the text as shown (unsaved edits included) on the clipboard.
    void copyNote();

    LabelButton *backButton() const { return m_back; }
    IconTile *copyButton() const { return m_copy; }
    IconTile *editButton() const { return m_edit; }
    NoteEditor *editor() const { return m_editor; }
    SelectableNoteView *noteView() const { return m_view; }
    QString fileNameText() const;
    QString statusText() const;
    QString folderText() const;

signals:
    void backClicked();
    void editClicked();
    // The user changed the text in the editor.
    void textEdited();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *makeHeader();
    QWidget *makeStatusBar();
    void refreshHeader();
    void refreshContent();
    void refreshStatus();
    void setCopied(bool copied);

    AppStore &m_store;
    NoteDetailStyle m_style;
    bool m_editing = false;
    bool m_showFailure = false;
    bool m_copied = false;
    QTimer m_copiedTimer;
    LabelButton *m_back = nullptr;
    ElidedLabel *m_fileName = nullptr;
    IconTile *m_copy = nullptr;
    IconTile *m_edit = nullptr;
    QStackedLayout *m_content = nullptr;
    SelectableNoteView *m_view = nullptr;
    NoteEditor *m_editor = nullptr;
    IconLabel *m_folderIcon = nullptr;
    QLabel *m_folder = nullptr;
    QLabel *m_status = nullptr;
};
