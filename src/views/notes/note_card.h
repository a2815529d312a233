#pragma once

#include "markdown/note_card_summary.h"
#include "store/note_file.h"
#include "views/notes/notes_page_style.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <QTimer>
#include <QWidget>

class IconTile;
class Pasteboard;

// One card of the notes list: the note's title and preview as its file reads now, its file
// name and date. The whole card opens the note; under the pointer a tile copies the file.
//
// The summary comes from the file on disk at paint time, not from the listed content, so
// a card shows what a save elsewhere wrote. To keep painting cheap the file is stat'ed
// first and read again only when its size or times changed; anything but a regular file
// (a folder or FIFO named like a note) is never opened and counts as empty.
class NoteCard : public QWidget
{
    Q_OBJECT
public:
    NoteCard(const NoteFile &note, Pasteboard *pasteboard, const NoteCardStyle &style, QWidget *parent = nullptr);

    const NoteFile &note() const { return m_note; }
    void setNote(const NoteFile &note);

    bool isHovering() const { return m_hovering; }
    bool isSelected() const { return m_selected; }
    // Chosen with the keyboard: drawn as under the pointer, with the focus ring.
    void setSelected(bool selected);
    bool isCopied() const { return m_copied; }
    IconTile *copyButton() const { return m_copyButton; }

    // The title and preview as the file reads now (stat first, read only on change).
    const NoteCardSummary &summary() const;
    // How many times the file was actually read, for tests and benchmarks.
    int fileReads() const { return m_fileReads; }

    QString dateLabel() const { return dateLabel(m_note.modifiedAt, QDate::currentDate()); }
    // "今天", "昨天", else month and day ("3月5日") in local time; empty for an unknown date.
    static QString dateLabel(const QDateTime &modifiedAt, const QDate &today);

    // Puts the file's current text on the clipboard and shows the confirmation for a moment;
    // does neither when the file cannot be read whole as UTF-8 text.
    void copy();

    // The card's height at `cardWidth` (shadow room excluded) for a summary: sized to the
    // preview's lines as they wrap at rest, at least the style's minimum.
    static int heightFor(const NoteCardSummary &summary, int cardWidth, const NoteCardStyle &style);

    QSize sizeHint() const override;

signals:
    void opened();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct FileStamp
    {
        bool regular = false;
        qint64 size = -1;
        QDateTime modified;
        QDateTime changed;
        bool operator==(const FileStamp &other) const = default;
    };

    QRect cardRect() const;
    QRect textRect() const;
    void setHovering(bool hovering);
    void setCopied(bool copied);
    void placeCopyButton();
    const QStringList &previewLines(const QString &preview, int width, int maxLines) const;
    int linesThatFit() const;
    void paintBackground(QPainter &painter) const;
    void paintText(QPainter &painter) const;

    NoteFile m_note;
    Pasteboard *m_pasteboard = nullptr;
    NoteCardStyle m_style;
    IconTile *m_copyButton = nullptr;
    QTimer m_copiedTimer;
    bool m_hovering = false;
    bool m_selected = false;
    bool m_copied = false;
    bool m_pressed = false;

    mutable std::optional<FileStamp> m_stamp;
    mutable NoteCardSummary m_summary;
    mutable int m_fileReads = 0;
    mutable QString m_previewSource;
    mutable int m_previewWidth = -1;
    mutable int m_previewMaxLines = -1;
    mutable QStringList m_previewLines;
};
