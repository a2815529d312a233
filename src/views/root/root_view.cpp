#include "views/root/root_view.h"

#include "store/app_store.h"
#include "views/clipboard/clipboard_key_handler.h"
#include "views/clipboard/clipboard_view.h"
#include "views/notes/note_list_page.h"
#include "views/notes/notes_key_handler.h"
#include "views/notes/notes_view.h"
#include "views/root/mode_picker.h"
#include "views/root/page_area.h"
#include "views/root/root_key_handler.h"
#include "views/root/settings_card.h"
#include "views/root/support_card.h"
#include "views/root/support_overlay.h"
#include "views/widgets/card_shadow.h"
#include "views/widgets/icon_tile.h"
#include "views/widgets/liquid_glass_canvas.h"
#include "views/widgets/search_field.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolTip>
#include <QVBoxLayout>

namespace {
constexpr int kNotesIndex = 0;
constexpr int kClipboardIndex = 1;

int pageIndex(ContentMode mode)
{
    return mode == ContentMode::clipboard ? kClipboardIndex : kNotesIndex;
}
} // namespace

RootView::RootView(AppStore &store, QWidget *parent)
    : RootView(store, QString::fromLatin1(SupportCard::kPicturePath), parent)
{
}

RootView::RootView(AppStore &store, const QString &supportPicturePath, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_shownMode(store.mode())
    , m_settingsStyle(SettingsCardStyle::standard())
{
    setPalette(lightPalette());
    setAutoFillBackground(false);
    // Menus and tooltips are windows of their own, which take the application's palette,
    // not this view's: they get the light one there, whatever the desktop's theme.
    QApplication::setPalette(lightPalette(), "QMenu");
    QToolTip::setPalette(lightPalette());
    m_canvas = new LiquidGlassCanvas(this);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(makeHeader());
    m_picker = new ModePicker(ModePickerStyle::standard(), this);
    column->addWidget(m_picker);

    const PageTransitionStyle transition;
    m_pages = new PageArea(transition, this);
    m_notes = new NotesView(m_store, [this] { setSupportOpen(true); });
    m_clipboard = new ClipboardView(m_store);
    m_pages->addPage(m_notes, transition.notesOffset);
    m_pages->addPage(m_clipboard, transition.clipboardOffset);
    column->addWidget(m_pages, 1);

    m_settingsCard = new SettingsCard(m_store, m_settingsStyle, this);
    m_settingsShadow = new CardShadow(m_settingsCard, m_settingsStyle.glass.radius, m_settingsStyle.glass.shadow);
    m_settingsCard->hide();
    m_support = new SupportOverlay(SupportCardStyle::standard(), this, supportPicturePath);
    m_support->hide();

    connect(m_picker, &ModePicker::segmentPressed, this, &RootView::switchTo);
    new RootKeyHandler(*this);
    connect(m_clipboard->keyHandler(), &ClipboardKeyHandler::dismissRequested, this, &RootView::dismissRequested);
    connect(m_clipboard->keyHandler(), &ClipboardKeyHandler::entryCopied, this, &RootView::entryCopied);
    connect(m_notes->keyHandler(), &NotesKeyHandler::dismissRequested, this, &RootView::dismissRequested);
    connect(&m_store, &AppStore::modeChanged, this, &RootView::onModeChanged);
    connect(&m_store, &AppStore::isPinnedChanged, this, &RootView::refreshPin);
    connect(m_pin, &IconTile::clicked, this, [this] { m_store.setIsPinned(!m_store.isPinned()); });
    connect(m_settings, &IconTile::clicked, this, [this] { setSettingsOpen(!isSettingsOpen()); });
    connect(m_support, &SupportOverlay::dismissed, this, [this] { setSupportOpen(false); });

    m_picker->setMode(m_shownMode, false);
    m_pages->setCurrentIndex(pageIndex(m_shownMode), false);
    refreshPin();
    if (m_shownMode == ContentMode::notes)
        m_notes->appear();
}

QWidget *RootView::makeHeader()
{
    const RootHeaderStyle style = RootHeaderStyle::standard();
    auto *header = new QWidget(this);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(style.padding);
    row->setSpacing(style.spacing);
    auto *title = new QLabel(style.title, header);
    title->setFont(style.titleFont);
    QPalette palette = title->palette();
    palette.setColor(QPalette::WindowText, style.titleColor);
    title->setPalette(palette);
    row->addWidget(title);
    row->addStretch(1);
    m_pin = new IconTile(style.pin, header);
    m_settings = new IconTile(style.settings, header);
    row->addWidget(m_pin);
    row->addWidget(m_settings);
    return header;
}

QPalette RootView::lightPalette()
{
    const QColor accent = Palette::accent();
    // Every role starts light (derived from the backdrop), not from the desktop's palette.
    QPalette palette(Palette::kOpaquePopoverBackdrop, Palette::kOpaqueBackdrop);
    palette.setColor(QPalette::Window, Palette::kOpaqueBackdrop);
    palette.setColor(QPalette::WindowText, Palette::kPrimaryText);
    palette.setColor(QPalette::Base, Palette::white(1.0));
    palette.setColor(QPalette::AlternateBase, Palette::kOpaquePopoverBackdrop);
    palette.setColor(QPalette::Text, Palette::kPrimaryText);
    palette.setColor(QPalette::PlaceholderText, Palette::kPlaceholderText);
    palette.setColor(QPalette::Button, Palette::kOpaquePopoverBackdrop);
    palette.setColor(QPalette::ButtonText, Palette::kPrimaryText);
    palette.setColor(QPalette::ToolTipBase, Palette::white(1.0));
    palette.setColor(QPalette::ToolTipText, Palette::kPrimaryText);
    palette.setColor(QPalette::Mid, Palette::kRule);
    palette.setColor(QPalette::Highlight, accent);
    palette.setColor(QPalette::HighlightedText, Palette::white(1.0));
    palette.setColor(QPalette::Link, accent);
    return palette;
}

bool RootView::isSettingsOpen() const
{
    return m_settingsCard->isVisibleTo(this);
}
bool RootView::isSupportOpen() const
{
    return m_support->isVisibleTo(this);
}

void RootView::setSettingsOpen(bool open)
{
    m_settingsCard->setVisible(open);
    m_settings->setActive(open);
    if (open) {
        placeOverlays();
        m_settingsCard->raise();
        m_support->raise(); // the support card stays above the settings card
    }
}

void RootView::setSupportOpen(bool open)
{
    m_support->setVisible(open);
    if (open) {
        m_support->setGeometry(rect());
        m_support->raise();
    }
}

void RootView::switchTo(ContentMode mode)
{
    m_store.setMode(mode);
    m_store.setQuery(QString());
}

// What is typed next replaces an earlier search. An open note takes the keyboard instead.
void RootView::focusSearch()
{
    if (m_shownMode == ContentMode::notes && m_notes->isShowingDetail()) {
        m_notes->focusContent();
        return;
    }
    SearchField *field =
        m_shownMode == ContentMode::notes ? m_notes->listPage()->searchField() : m_clipboard->searchField();
    field->lineEdit()->setFocus(Qt::OtherFocusReason);
    field->lineEdit()->selectAll();
}

void RootView::onModeChanged()
{
    const ContentMode mode = m_store.mode();
    if (mode == m_shownMode)
        return;
    if (m_shownMode == ContentMode::notes)
        m_notes->leave();
    m_shownMode = mode;
    m_picker->setMode(mode, true);
    m_pages->setCurrentIndex(pageIndex(mode), true);
    if (mode == ContentMode::notes)
        m_notes->appear();
    // The keyboard goes along to the page now shown.
    focusSearch();
}

void RootView::refreshPin()
{
    m_pin->setActive(m_store.isPinned());
}

void RootView::placeOverlays()
{
    m_canvas->setGeometry(rect());
    m_canvas->lower();
    m_settingsCard->adjustSize();
    const QSize card(m_settingsStyle.width, m_settingsCard->sizeHint().height());
    m_settingsCard->setGeometry(width() - m_settingsStyle.trailing - card.width(), m_settingsStyle.top, card.width(),
                                card.height());
    m_support->setGeometry(rect());
}

void RootView::resizeEvent(QResizeEvent *)
{
    placeOverlays();
}
