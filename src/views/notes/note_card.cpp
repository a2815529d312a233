#include "views/notes/note_card.h"

#include "store/note_file.h"
#include "store/pasteboard.h"
#include "text/text_file.h"
#include "views/style/focus_ring.h"
#include "views/style/glass_painter.h"
#include "views/style/icons.h"
#include "views/widgets/icon_tile.h"

#include <QFileInfo>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

namespace {

// Wraps `text` into at most `maxLines` lines of `width`, the last one elided.
QStringList wrapLines(const QString &text, const QFont &font, int width, int maxLines)
{
    QStringList lines;
    if (width <= 0 || text.isEmpty())
        return lines;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        if (lines.size() == maxLines - 1) {
            const QString rest = text.mid(line.textStart());
            lines << QFontMetrics(font).elidedText(rest, Qt::ElideRight, width);
            break;
        }
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

} // namespace

NoteCard::NoteCard(const NoteFile &note, Pasteboard *pasteboard, const NoteCardStyle &style, QWidget *parent)
    : QWidget(parent)
    , m_note(note)
    , m_pasteboard(pasteboard)
    , m_style(style)
{
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover, false);
    m_copyButton = new IconTile(m_style.copy, this);
    m_copyButton->hide();
    connect(m_copyButton, &IconTile::clicked, this, &NoteCard::copy);
    m_copiedTimer.setSingleShot(true);
    m_copiedTimer.setInterval(m_style.copiedMs);
    connect(&m_copiedTimer, &QTimer::timeout, this, [this] { setCopied(false); });
    setAccessibleName(m_note.title());
}

void NoteCard::setNote(const NoteFile &note)
{
    if (note == m_note)
        return;
    m_note = note;
    m_stamp.reset();
    setAccessibleName(m_note.title());
    update();
}

int NoteCard::heightFor(const NoteCardSummary &summary, int cardWidth, const NoteCardStyle &style)
{
    const int textWidth = cardWidth - style.padding.left() - style.padding.right();
    const int lines = int(wrapLines(summary.preview, style.previewFont, textWidth, style.previewMaxLines).size());
    return style.cardHeight(lines);
}

QSize NoteCard::sizeHint() const
{
    constexpr int kWidth = 320;
    return QSize(kWidth, heightFor(summary(), kWidth, m_style)).grownBy(m_style.shadowMargin);
}

const NoteCardSummary &NoteCard::summary() const
{
    const QString path = m_note.path();
    const QFileInfo info(path);
    FileStamp stamp;
    stamp.regular = info.isFile();
    if (stamp.regular) {
        stamp.size = info.size();
        stamp.modified = info.lastModified();
        stamp.changed = info.metadataChangeTime();
    }
    if (m_stamp && *m_stamp == stamp)
        return m_summary;
    QString text;
    if (stamp.regular) {
        text = TextFile::readUtf8(path, NoteCardSummary::kReadBytes).value_or(QString());
        ++m_fileReads;
    }
    m_summary = NoteCardSummary::fromText(text, m_note.title());
    m_stamp = stamp;
    return m_summary;
}

QString NoteCard::dateLabel(const QDateTime &modifiedAt, const QDate &today)
{
    if (!modifiedAt.isValid())
        return {};
    const QDate date = modifiedAt.toLocalTime().date();
    if (date == today)
        return QStringLiteral("今天");
    if (date == today.addDays(-1))
        return QStringLiteral("昨天");
    return QLocale(QLocale::Chinese, QLocale::China).toString(date, QStringLiteral("M月d日"));
}

void NoteCard::copy()
{
    // A file that is not UTF-8 text, or too large to read whole, is not copied: an empty or
    // cut text on the clipboard would look like a copy and replace what the user had there.
    const std::optional<TextFile::Bytes> bytes = TextFile::readBytes(m_note.path(), NoteFile::kMaxReadBytes);
    const std::optional<QString> text =
        bytes && bytes->complete ? TextFile::decodeUtf8(bytes->data, true) : std::optional<QString>();
    if (!text || !m_pasteboard)
        return;
    m_pasteboard->writeText(*text);
    setCopied(true);
    m_copiedTimer.start();
}

void NoteCard::setCopied(bool copied)
{
    m_copied = copied;
    m_copyButton->setActive(copied);
}

void NoteCard::setHovering(bool hovering)
{
    if (m_hovering == hovering)
        return;
    m_hovering = hovering;
    m_copyButton->setVisible(hovering);
    update();
}

void NoteCard::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    update();
}

QRect NoteCard::cardRect() const
{
    return rect().marginsRemoved(m_style.shadowMargin);
}

QRect NoteCard::textRect() const
{
    QRect inner = cardRect().marginsRemoved(m_style.padding);
    if (m_hovering)
        inner.setRight(inner.right() - m_style.copy.size.width() - m_style.spacing);
    return inner;
}

void NoteCard::placeCopyButton()
{
    const QRect inner = cardRect().marginsRemoved(m_style.padding);
    m_copyButton->move(inner.right() - m_style.copy.size.width() + 1, inner.top());
}

void NoteCard::resizeEvent(QResizeEvent *)
{
    placeCopyButton();
}

void NoteCard::mouseMoveEvent(QMouseEvent *event)
{
    setHovering(cardRect().contains(event->position().toPoint()));
}

void NoteCard::leaveEvent(QEvent *)
{
    setHovering(false);
    m_pressed = false;
}

void NoteCard::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton && cardRect().contains(event->position().toPoint());
    event->setAccepted(m_pressed);
}

void NoteCard::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click =
        m_pressed && event->button() == Qt::LeftButton && cardRect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit opened();
}

const QStringList &NoteCard::previewLines(const QString &preview, int width, int maxLines) const
{
    if (preview != m_previewSource || width != m_previewWidth || maxLines != m_previewMaxLines) {
        m_previewSource = preview;
        m_previewWidth = width;
        m_previewMaxLines = maxLines;
        m_previewLines = wrapLines(preview, m_style.previewFont, width, maxLines);
    }
    return m_previewLines;
}

// The card was sized for the preview at rest; narrower under the pointer (the copy tile
// takes room) or changed on disk since, the preview keeps to the lines that fit.
int NoteCard::linesThatFit() const
{
    int lines = m_style.previewMaxLines;
    while (lines > 1 && m_style.cardHeight(lines) > cardRect().height())
        --lines;
    return lines;
}

void NoteCard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintBackground(painter);
    paintText(painter);
}

void NoteCard::paintBackground(QPainter &painter) const
{
    const bool lit = m_hovering || m_selected;
    const QRectF card = QRectF(cardRect()).adjusted(0.4, 0.4, -0.4, -0.4);
    GlassPainter::paintShadow(painter, card, m_style.radius, lit ? m_style.shadowHover : m_style.shadow);
    const QPainterPath path = GlassPainter::roundedRect(card, m_style.radius);
    GlassPainter::paintFill(painter, path, lit ? m_style.fillHover : m_style.fill);
    GlassPainter::paintRim(painter, path, lit ? m_style.rimHover : m_style.rim, m_style.rimWidth);
    if (m_selected)
        FocusRing::paint(painter, QRectF(cardRect()), m_style.radius);
}

void NoteCard::paintText(QPainter &painter) const
{
    const NoteCardSummary &snapshot = summary();
    const QRect area = textRect();
    const QFontMetrics titleMetrics(m_style.titleFont);
    const QFontMetrics previewMetrics(m_style.previewFont);
    const QFontMetrics metaMetrics(m_style.metaFont);
    const QStringList &lines = previewLines(snapshot.preview, area.width(), linesThatFit());
    const int metaHeight = std::max(metaMetrics.height(), m_style.metaIconSize);
    int y = area.top();

    painter.setFont(m_style.titleFont);
    painter.setPen(m_style.titleColor);
    painter.drawText(QRect(area.left(), y, area.width(), titleMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     titleMetrics.elidedText(snapshot.title, Qt::ElideRight, area.width()));
    y += titleMetrics.height() + m_style.lineSpacing;

    painter.setFont(m_style.previewFont);
    painter.setPen(m_style.previewColor);
    for (const QString &line : lines) {
        painter.drawText(QRect(area.left(), y, area.width(), previewMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         line);
        y += previewMetrics.height() + m_style.previewLeading;
    }
    y += m_style.lineSpacing - (lines.isEmpty() ? 0 : m_style.previewLeading);

    const QRect meta(area.left(), y, area.width(), metaHeight);
    const QString date = dateLabel();
    const int dateWidth = metaMetrics.horizontalAdvance(date);
    Icons::paint(painter, m_style.metaIcon, QRectF(meta.left(), meta.top(), m_style.metaIconSize, meta.height()),
                 m_style.metaIconSize, m_style.metaColor);
    painter.setFont(m_style.metaFont);
    painter.setPen(m_style.metaColor);
    const int nameLeft = meta.left() + m_style.metaIconSize + 4;
    const int nameWidth = std::max(0, meta.right() - dateWidth - 8 - nameLeft);
    painter.drawText(QRect(nameLeft, meta.top(), nameWidth, meta.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     metaMetrics.elidedText(m_note.title(), Qt::ElideMiddle, nameWidth));
    painter.drawText(meta, Qt::AlignRight | Qt::AlignVCenter, date);
}
