#include "views/notes/note_detail_page.h"
#include "views/widgets/plain_label.h"

#include "markdown/note_detail_text.h"
#include "store/app_store.h"
#include "views/notes/note_editor.h"
#include "views/notes/selectable_note_view.h"
#include "views/widgets/elided_label.h"
#include "views/widgets/icon_label.h"
#include "views/widgets/icon_tile.h"
#include "views/widgets/label_button.h"
#include "views/widgets/padded_divider.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace {

std::optional<QString> selectedFileName(const AppStore &store)
{
    if (!store.selectedNote())
        return std::nullopt;
    return store.selectedNote()->title();
}

} // namespace

NoteDetailPage::NoteDetailPage(AppStore &store, const NoteDetailStyle &style, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_style(style)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(makeHeader());
    column->addWidget(new PaddedDivider(m_style.divider, m_style.sideMargin, this));

    m_content = new QStackedLayout;
    m_view = new SelectableNoteView(this);
    m_editor = new NoteEditor(NoteEditorStyle::standard(), this);
    m_content->addWidget(m_view);
    m_content->addWidget(m_editor);
    column->addLayout(m_content, 1);

    column->addWidget(new PaddedDivider(m_style.divider, m_style.sideMargin, this));
    column->addWidget(makeStatusBar());

    m_copiedTimer.setSingleShot(true);
    m_copiedTimer.setInterval(m_style.copiedMs);
    connect(&m_copiedTimer, &QTimer::timeout, this, [this] { setCopied(false); });
    connect(m_back, &LabelButton::clicked, this, &NoteDetailPage::backClicked);
    connect(m_edit, &IconTile::clicked, this, &NoteDetailPage::editClicked);
    connect(m_copy, &IconTile::clicked, this, &NoteDetailPage::copyNote);
    connect(m_editor, &NoteEditor::textEdited, this, [this](const QString &text) {
        m_store.setNoteText(text);
        emit textEdited();
    });

    connect(&m_store, &AppStore::noteTextChanged, this, [this] {
        refreshHeader();
        refreshContent();
    });
    connect(&m_store, &AppStore::selectedNoteChanged, this, [this] {
        refreshHeader();
        refreshContent();
    });
    connect(&m_store, &AppStore::statusTextChanged, this, &NoteDetailPage::refreshStatus);
    connect(&m_store, &AppStore::noteDirectoryChanged, this, &NoteDetailPage::refreshStatus);
    refreshHeader();
    refreshContent();
    refreshStatus();
}

QWidget *NoteDetailPage::makeHeader()
{
    auto *header = new QWidget(this);
    header->setFixedHeight(m_style.headerHeight);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(m_style.sideMargin, 0, m_style.sideMargin, 0);
    row->setSpacing(8);
    m_back = new LabelButton(m_style.back, QStringLiteral("全部笔记"), header);
    // A long name gives way to the buttons, keeping its start and its extension.
    m_fileName = new ElidedLabel(m_style.fileNameFont, m_style.fileNameColor, Qt::ElideMiddle, Qt::AlignRight, header);
    m_fileName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_copy = new IconTile(m_style.copy, header);
    m_edit = new IconTile(m_style.edit, header);
    row->addWidget(m_back);
    row->addWidget(m_fileName, 1);
    row->addWidget(m_copy);
    row->addWidget(m_edit);
    return header;
}

QWidget *NoteDetailPage::makeStatusBar()
{
    auto *bar = new QWidget(this);
    bar->setFixedHeight(m_style.statusHeight);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(m_style.sideMargin, 0, m_style.sideMargin, 0);
    row->setSpacing(5);
    m_folderIcon = new IconLabel(QStringLiteral("folder"), 12, m_style.statusColor, bar);
    m_folder = makePlainLabel(QString(), m_style.statusFont, m_style.statusColor, bar);
    m_status = makePlainLabel(QString(), m_style.statusFont, m_style.statusColor, bar);
    row->addWidget(m_folderIcon);
    row->addWidget(m_folder);
    row->addStretch(1);
    row->addWidget(m_status);
    return bar;
}

void NoteDetailPage::setEditing(bool editing, bool showFailure)
{
    m_editing = editing;
    m_showFailure = showFailure;
    m_edit->setActive(editing);
    m_content->setCurrentWidget(editing ? static_cast<QWidget *>(m_editor) : m_view);
    refreshContent();
    refreshStatus();
    if (editing && isVisible())
        m_editor->setFocus();
}

void NoteDetailPage::copyNote()
{
    if (Pasteboard *pasteboard = m_store.pasteboard())
        pasteboard->writeText(m_store.noteText());
    setCopied(true);
    m_copiedTimer.start();
}

void NoteDetailPage::setCopied(bool copied)
{
    m_copied = copied;
    m_copy->setActive(copied);
}

QString NoteDetailPage::fileNameText() const
{
    return m_fileName->text();
}
QString NoteDetailPage::statusText() const
{
    return m_status->text();
}
QString NoteDetailPage::folderText() const
{
    return m_folder->text();
}

void NoteDetailPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refreshContent();
}

void NoteDetailPage::refreshHeader()
{
    const std::optional<QString> name = selectedFileName(m_store);
    m_fileName->setText(name.value_or(QString()));
}

// Only the visible half is brought up to date: the editor on every change (it is the
// source of most of them), the rendered note when it is on screen. A hidden page catches
// up in showEvent.
void NoteDetailPage::refreshContent()
{
    if (m_editing) {
        m_editor->setText(m_store.noteText());
        return;
    }
    if (!isVisible())
        return;
    const std::optional<QString> name = selectedFileName(m_store);
    const QString &text = m_store.noteText();
    m_view->setContent(NoteDetailText::noteTitle(text, name), NoteDetailText::displayBody(text, name));
}

void NoteDetailPage::refreshStatus()
{
    m_folder->setText(AppStore::folderLabel(m_store.noteDirectory()));
    QString status = m_store.statusText();
    if (m_editing && !m_showFailure)
        status = QStringLiteral("正在编辑");
    else if (status.isEmpty())
        status = QStringLiteral("已保存到文件");
    m_status->setText(status);
}
