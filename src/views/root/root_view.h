#pragma once

#include "store/content_mode.h"
#include "views/root/root_view_style.h"

#include <QWidget>

class AppStore;
class CardShadow;
class ClipboardView;
class IconTile;
class LiquidGlassCanvas;
class ModePicker;
class NotesView;
class PageArea;
class SettingsCard;
class SupportOverlay;

// The whole content of the panel: header with the title and the pin and settings tiles,
// the mode picker, the page of the current mode, and two overlays (the settings card at the
// top right, the support card centred over a dimmed backdrop). It always uses the light
// look, whatever the desktop's theme, with the desktop's accent as the highlight colour.
class RootView : public QWidget
{
    Q_OBJECT
public:
    explicit RootView(AppStore &store, QWidget *parent = nullptr);
    // For tests and the gallery: the support picture from another place ("" for none).
    RootView(AppStore &store, const QString &supportPicturePath, QWidget *parent = nullptr);

    bool isSettingsOpen() const;
    void setSettingsOpen(bool open);
    bool isSupportOpen() const;
    void setSupportOpen(bool open);

    ContentMode shownMode() const { return m_shownMode; }
    // What choosing a page in the mode picker does: that page, with an empty search.
    void switchTo(ContentMode mode);
    // Puts the keyboard in the shown page's search field (its text selected), or in the note
    // or editor the notes page shows. The window gets it once it is active.
    void focusSearch();

    IconTile *pinTile() const { return m_pin; }
    IconTile *settingsTile() const { return m_settings; }
    ModePicker *modePicker() const { return m_picker; }
    PageArea *pageArea() const { return m_pages; }
    NotesView *notesView() const { return m_notes; }
    ClipboardView *clipboardView() const { return m_clipboard; }
    SettingsCard *settingsCard() const { return m_settingsCard; }
    SupportOverlay *supportOverlay() const { return m_support; }

    QSize sizeHint() const override { return {440, 760}; }
    QSize minimumSizeHint() const override { return {420, 620}; }

    static QPalette lightPalette();

signals:
    // Escape on a page with nothing left to clear: the panel may go away.
    void dismissRequested();
    // Enter copied a clipboard entry.
    void entryCopied();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *makeHeader();
    void onModeChanged();
    void refreshPin();
    void placeOverlays();

    AppStore &m_store;
    ContentMode m_shownMode;
    LiquidGlassCanvas *m_canvas = nullptr;
    IconTile *m_pin = nullptr;
    IconTile *m_settings = nullptr;
    ModePicker *m_picker = nullptr;
    PageArea *m_pages = nullptr;
    NotesView *m_notes = nullptr;
    ClipboardView *m_clipboard = nullptr;
    SettingsCard *m_settingsCard = nullptr;
    CardShadow *m_settingsShadow = nullptr;
    SupportOverlay *m_support = nullptr;
    SettingsCardStyle m_settingsStyle;
};
