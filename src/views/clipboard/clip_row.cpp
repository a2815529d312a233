#include "views/clipboard/clip_row.h"

#include "store/app_store.h"
#include "store/reference_time.h"
#include "views/clipboard/clip_row_actions.h"
#include "views/clipboard/clip_row_text.h"
#include "views/clipboard/clipboard_image_cache.h"
#include "views/hover/clipboard_hover_probe.h"
#include "views/hover/clipboard_hover_state.h"
#include "views/style/focus_ring.h"
#include "views/style/glass_painter.h"
#include "views/style/icons.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <memory>

ClipRow::ClipRow(AppStore &store, const ClipItem &item, ClipboardHoverState &hoverState, QWidget *parent,
                 ClipRowStyle style)
    : QWidget(parent)
    , m_store(&store)
    , m_hoverState(&hoverState)
    , m_style(std::move(style))
    , m_probe(new ClipboardHoverProbe(item.id, this))
    , m_actions(new ClipRowActions(store, m_style.actionSpacing, this))
{
    m_actions->hide();
    m_fade.setDuration(m_style.actionsFadeMs);
    connect(&m_fade, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &value) { applyFade(value.toDouble()); });
    connect(&hoverState, &ClipboardHoverState::itemIDChanged, this,
            [this](std::optional<QUuid> previous, std::optional<QUuid> current) {
                if (previous == m_item.id || current == m_item.id)
                    onHoverChanged();
            });
    setItem(item);
    m_hovered = looksHovered();
    applyFade(m_hovered ? 1 : 0);
}

void ClipRow::setItem(const ClipItem &item)
{
    const bool sameText =
        m_item.kind == item.kind && m_item.content == item.content && m_item.title == item.title && !m_preview.isNull();
    const bool samePicture = m_item.imagePath == item.imagePath && m_item.kind == item.kind;
    m_item = item;
    if (!sameText) {
        m_preview = ClipRowText::preview(m_item);
        m_linesWidth = -1;
        m_heightWidth = -1;
        updateGeometry();
    }
    if (!samePicture) {
        m_thumbnail = QImage();
        m_thumbnailTried = false;
    }
    refreshActions();
}

bool ClipRow::isHovered() const
{
    return m_hoverState && m_hoverState->itemID() == m_item.id;
}

bool ClipRow::isCopied() const
{
    return m_store && m_store->copiedID() == m_item.id;
}

void ClipRow::refreshActions()
{
    m_actions->refresh(m_item, isCopied());
    update();
}

void ClipRow::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    onHoverChanged();
    update();
}

void ClipRow::onHoverChanged()
{
    const bool hovered = looksHovered();
    if (hovered == m_hovered)
        return;
    m_hovered = hovered;
    m_fade.stop();
    if (isVisible()) {
        // Reversing mid-way starts from where the fade is now.
        m_fade.setStartValue(m_fadeProgress);
        m_fade.setEndValue(hovered ? 1.0 : 0.0);
        m_fade.start();
    } else {
        applyFade(hovered ? 1 : 0);
    }
    update();
    emit hoverChanged(hovered);
}

void ClipRow::applyFade(double progress)
{
    m_fadeProgress = progress;
    m_actions->setOpacity(progress);
    m_actions->setVisible(m_hovered || progress > 0);
    if (m_item.isPinned)
        update();
}

QMenu *ClipRow::createContextMenu(QWidget *parent) const
{
    return ClipRowActions::createMenu(m_store, m_item, parent);
}

void ClipRow::contextMenuEvent(QContextMenuEvent *event)
{
    const std::unique_ptr<QMenu> menu(createContextMenu());
    menu->exec(event->globalPos());
}

int ClipRow::textWidth(int rowWidth, const ClipRowStyle &style)
{
    return std::max(1, rowWidth - style.padding.left() - style.thumbnailSize - style.spacing - style.textTrailingReserve
                           - style.padding.right());
}

int ClipRow::textBlockHeight(int lineCount, ClipKind kind, const ClipRowStyle &style)
{
    const QFont &font = kind == ClipKind::code ? style.codeFont : style.previewFont;
    const int lineHeight = QFontMetrics(font).height();
    const int lines = std::max(1, lineCount);
    const int preview = lines * lineHeight + (lines - 1) * int(style.previewLineSpacing);
    return preview + style.textSpacing + QFontMetrics(style.metaFont).height();
}

QStringList ClipRow::previewLines() const
{
    if (m_linesWidth != width()) {
        const QFont &font = m_item.kind == ClipKind::code ? m_style.codeFont : m_style.previewFont;
        m_lines = ClipRowText::wrapLines(m_preview, font, textWidth(width(), m_style), m_style.previewMaxLines);
        m_linesWidth = width();
    }
    return m_lines;
}

QString ClipRow::metaText() const
{
    return ClipRowText::metaLine(m_item, ReferenceTime::now());
}

int ClipRow::heightForWidth(int width) const
{
    if (width == m_heightWidth)
        return m_height;
    m_heightWidth = width;
    m_height = heightFor(m_preview, m_item.kind, width, m_style);
    return m_height;
}

int ClipRow::heightFor(const ClipItem &item, int width, const ClipRowStyle &style)
{
    return heightFor(ClipRowText::preview(item), item.kind, width, style);
}

int ClipRow::heightFor(const QString &preview, ClipKind kind, int width, const ClipRowStyle &style)
{
    const QFont &font = kind == ClipKind::code ? style.codeFont : style.previewFont;
    const int lines = int(ClipRowText::wrapLines(preview, font, textWidth(width, style), style.previewMaxLines).size());
    const int content = std::max(style.thumbnailSize, textBlockHeight(lines, kind, style));
    return std::max(style.minHeight, content + style.padding.top() + style.padding.bottom());
}

QSize ClipRow::sizeHint() const
{
    return QSize(404, heightForWidth(404));
}

void ClipRow::resizeEvent(QResizeEvent *)
{
    m_probe->setGeometry(rect());
    m_probe->raise();
    layoutActions();
}

void ClipRow::layoutActions()
{
    const QSize size = m_actions->sizeHint();
    m_actions->setGeometry(width() - m_style.trailingPadding - size.width(), (height() - size.height()) / 2,
                           size.width(), size.height());
}

void ClipRow::loadThumbnail()
{
    m_thumbnailTried = true;
    if (m_item.kind != ClipKind::image || !m_item.imagePath || !m_store)
        return;
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = QSize(m_style.thumbnailSize, m_style.thumbnailSize) * dpr;
    m_thumbnail = ClipboardImageCache::shared().thumbnail(*m_item.imagePath, pixels, m_store->imagesDirectory());
    if (!m_thumbnail.isNull())
        m_thumbnail.setDevicePixelRatio(dpr);
}

void ClipRow::paintEvent(QPaintEvent *)
{
    ++m_paintCount;
    // Pictures are decoded on the first paint, so only rows scrolled into view load theirs,
    // and again when the window moved to a screen of another scale.
    if (!m_thumbnailTried || (!m_thumbnail.isNull() && m_thumbnail.devicePixelRatio() != devicePixelRatioF()))
        loadThumbnail();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintCard(painter);
    paintThumbnail(painter);
    paintTexts(painter);
    if (m_item.isPinned && m_fadeProgress < 1)
        paintPinMark(painter, 1 - m_fadeProgress);
}

void ClipRow::paintCard(QPainter &painter) const
{
    const bool hovered = looksHovered();
    const QRectF bounds(rect());
    const QPainterPath card = GlassPainter::roundedRect(bounds, m_style.radius);
    GlassPainter::paintFill(painter, card, hovered ? m_style.fillHover : m_style.fillRest);
    const double inset = m_style.rimWidth / 2;
    GlassPainter::paintRim(painter,
                           GlassPainter::roundedRect(bounds.adjusted(inset, inset, -inset, -inset), m_style.radius),
                           hovered ? m_style.rimHover : m_style.rimRest, m_style.rimWidth);
    if (hovered) {
        const QSizeF bar = m_style.accentBarSize;
        const QRectF barRect(m_style.accentBarInset, (bounds.height() - bar.height()) / 2, bar.width(), bar.height());
        GlassPainter::paintFill(painter, GlassPainter::capsule(barRect), m_style.accentBar);
    }
    if (m_selected)
        FocusRing::paint(painter, bounds, m_style.radius);
}

void ClipRow::paintThumbnail(QPainter &painter) const
{
    const int side = m_style.thumbnailSize;
    const QRectF square(m_style.padding.left(), (height() - side) / 2.0, side, side);
    if (!m_thumbnail.isNull()) {
        painter.save();
        painter.setClipPath(GlassPainter::roundedRect(square, m_style.thumbnailRadius));
        painter.drawImage(square, m_thumbnail);
        painter.restore();
        return;
    }
    const KindTileLook look = ClipRowStyle::kindLook(m_item.kind);
    const double tile = m_style.tileSize;
    const QRectF tileRect(square.center().x() - tile / 2, square.center().y() - tile / 2, tile, tile);
    GlassPainter::paintFill(painter, GlassPainter::roundedRect(tileRect, m_style.tileRadius), look.tileColor);
    Icons::paint(painter, look.icon, tileRect, m_style.tileIconSize, look.iconColor);
}

void ClipRow::paintTexts(QPainter &painter) const
{
    const QStringList lines = previewLines();
    const QFont &font = m_item.kind == ClipKind::code ? m_style.codeFont : m_style.previewFont;
    const QFontMetrics metrics(font);
    const int x = m_style.padding.left() + m_style.thumbnailSize + m_style.spacing;
    const int widthAvailable = textWidth(width(), m_style);
    int y = (height() - textBlockHeight(int(lines.size()), m_item.kind, m_style)) / 2;
    painter.setFont(font);
    painter.setPen(m_style.previewColor);
    // drawText with a plain QString never interprets markup: clip text stays literal.
    for (const QString &line : lines) {
        painter.drawText(QPoint(x, y + metrics.ascent()), line);
        y += metrics.height() + int(m_style.previewLineSpacing);
    }
    if (lines.isEmpty())
        y += metrics.height() + int(m_style.previewLineSpacing);
    y += m_style.textSpacing - int(m_style.previewLineSpacing);
    const QFontMetrics metaMetrics(m_style.metaFont);
    painter.setFont(m_style.metaFont);
    painter.setPen(m_style.metaColor);
    painter.drawText(QPoint(x, y + metaMetrics.ascent()),
                     metaMetrics.elidedText(metaText(), Qt::ElideRight, widthAvailable));
}

void ClipRow::paintPinMark(QPainter &painter, double opacity) const
{
    painter.setOpacity(opacity);
    const QRectF frame(width() - m_style.trailingPadding - m_style.pinMarkWidth, 0, m_style.pinMarkWidth, height());
    Icons::paint(painter, QStringLiteral("pin.fill"), frame, m_style.pinMarkIconSize, m_style.pinMarkColor);
}
