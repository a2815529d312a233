#pragma once

#include "store/clip_item.h"
#include "views/clipboard/clip_row_actions.h"
#include "views/clipboard/clip_styles.h"

#include <QImage>
#include <QPointer>
#include <QStringList>
#include <QVariantAnimation>
#include <QWidget>

class AppStore;
class ClipboardHoverProbe;
class ClipboardHoverState;
class QMenu;

// One history entry: thumbnail or kind tile, a two-line preview, source and age, and while
// the pointer is over it (as the shared hover state says) or it is chosen with the keyboard,
// three action buttons in place of the pin mark; a keyboard choice adds the focus ring. Hovered, copied and pinned are
// read from the hover state and the store; the row keeps no state of its own besides caches of what it draws. The row's
// shadow falls outside it and is painted by the list behind it.
class ClipRow : public QWidget
{
    Q_OBJECT
public:
    ClipRow(AppStore &store, const ClipItem &item, ClipboardHoverState &hoverState, QWidget *parent = nullptr,
            ClipRowStyle style = ClipRowStyle::standard());

    const ClipItem &item() const { return m_item; }
    void setItem(const ClipItem &item);

    bool isHovered() const;
    bool isSelected() const { return m_selected; }
    // Chosen with the keyboard: drawn as hovered, with the focus ring.
    void setSelected(bool selected);
    bool isCopied() const;
    // Re-reads pinned and copied into the action buttons and repaints.
    void refreshActions();

    QString previewText() const { return m_preview; }
    QStringList previewLines() const;
    QString metaText() const;
    bool showsThumbnail() const { return !m_thumbnail.isNull(); }
    bool showsPinMark() const { return !looksHovered() && m_item.isPinned; }
    ShadowStyle shadow() const { return looksHovered() ? m_style.shadowHover : m_style.shadowRest; }
    const ClipRowStyle &style() const { return m_style; }

    ActionTileButton *noteButton() const { return m_actions->noteButton(); }
    ActionTileButton *pinButton() const { return m_actions->pinButton(); }
    ActionTileButton *copyButton() const { return m_actions->copyButton(); }
    ClipboardHoverProbe *probe() const { return m_probe; }
    // The context menu with its four actions; the caller owns it.
    QMenu *createContextMenu(QWidget *parent = nullptr) const;
    int paintCount() const { return m_paintCount; } // for tests and benchmarks

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    // The height a row for `item` takes at `width`, without making the row.
    static int heightFor(const ClipItem &item, int width, const ClipRowStyle &style = ClipRowStyle::standard());
    QSize sizeHint() const override;

signals:
    // The hovered look changed; the list repaints the shadow around the row.
    void hoverChanged(bool hovered);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    bool looksHovered() const { return isHovered() || m_selected; }
    void onHoverChanged();
    void applyFade(double progress);
    void layoutActions();
    void loadThumbnail();
    static int heightFor(const QString &preview, ClipKind kind, int width, const ClipRowStyle &style);
    static int textWidth(int rowWidth, const ClipRowStyle &style);
    static int textBlockHeight(int lineCount, ClipKind kind, const ClipRowStyle &style);
    void paintCard(QPainter &painter) const;
    void paintThumbnail(QPainter &painter) const;
    void paintTexts(QPainter &painter) const;
    void paintPinMark(QPainter &painter, double opacity) const;

    QPointer<AppStore> m_store;
    ClipItem m_item;
    QPointer<ClipboardHoverState> m_hoverState;
    ClipRowStyle m_style;
    QString m_preview;
    mutable QStringList m_lines; // preview wrapped for m_linesWidth
    mutable int m_linesWidth = -1;
    mutable int m_heightWidth = -1; // heightForWidth cache
    mutable int m_height = 0;
    QImage m_thumbnail;
    bool m_thumbnailTried = false;
    bool m_hovered = false; // looks hovered (by the pointer or the keyboard), as last shown
    bool m_selected = false;
    QVariantAnimation m_fade; // 0: pin mark (if pinned) … 1: action buttons
    double m_fadeProgress = 0;
    int m_paintCount = 0;
    ClipboardHoverProbe *m_probe;
    ClipRowActions *m_actions;
};
