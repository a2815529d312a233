#include "notes_page_fixture.h"
#include "test_main.h"
#include "views/widgets/card_shadow.h"

#include "store/clip_item.h"
#include "views/clipboard/clip_list_view.h"
#include "views/clipboard/clip_row.h"
#include "views/clipboard/clipboard_view.h"
#include "views/notes/note_detail_page.h"
#include "views/notes/note_editor.h"
#include "views/notes/note_list_page.h"
#include "views/notes/notes_view.h"
#include "views/root/mode_picker.h"
#include "views/root/page_area.h"
#include "views/root/root_view.h"
#include "views/root/settings_card.h"
#include "views/root/settings_row.h"
#include "views/root/support_card.h"
#include "views/root/support_overlay.h"
#include "views/widgets/icon_tile.h"
#include "views/widgets/label_button.h"
#include "views/widgets/search_field.h"
#include "views/widgets/styled_button.h"
#include "views/widgets/toggle_switch.h"

#include <QAbstractButton>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolTip>

class TestRootView : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<NotesPageFixture> m_fx;
    std::unique_ptr<RootView> m_root;

    AppStore &store() { return *m_fx->store; }

    void showRoot(const QString &picture = QString())
    {
        m_root = std::make_unique<RootView>(store(), picture);
        m_root->resize(440, 760);
        m_root->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_root.get()));
    }

    void pressSegment(ContentMode mode)
    {
        QAbstractButton *segment = m_root->modePicker()->segment(mode);
        QTest::mouseClick(segment, Qt::LeftButton, {}, segment->rect().center());
    }

    void expectPage(ContentMode mode)
    {
        QTRY_VERIFY(!m_root->pageArea()->isTransitioning());
        QWidget *notes = m_root->notesView();
        QWidget *clipboard = m_root->clipboardView();
        QCOMPARE(notes->isVisible(), mode == ContentMode::notes);
        QCOMPARE(clipboard->isVisible(), mode == ContentMode::clipboard);
        QTRY_COMPARE(m_root->modePicker()->pillPosition(), mode == ContentMode::notes ? 0.0 : 1.0);
    }

    static QColor pixel(QWidget *widget, QPoint at) { return widget->grab().toImage().pixelColor(at); }

private slots:
    void init() { m_fx = std::make_unique<NotesPageFixture>(); }
    void cleanup()
    {
        m_root.reset();
        m_fx->repair();
        m_fx.reset();
    }

    void settingsTileOpensAndClosesTheCard()
    {
        showRoot();
        IconTile *settings = m_root->settingsTile();
        QVERIFY(!m_root->isSettingsOpen());
        // A closed card casts no shadow (it once stayed behind, blurred, over the header).
        const auto shadows = m_root->findChildren<CardShadow *>(Qt::FindDirectChildrenOnly);
        QVERIFY(!shadows.isEmpty());
        for (CardShadow *shadow : shadows)
            QVERIFY(!shadow->isVisible());
        QTest::mouseClick(settings, Qt::LeftButton);
        QVERIFY(m_root->isSettingsOpen());
        QVERIFY(settings->isActive());
        // Clicking elsewhere does not close it.
        QTest::mouseClick(m_root.get(), Qt::LeftButton, {}, QPoint(30, 700));
        QVERIFY(m_root->isSettingsOpen());
        QVERIFY(shadows.first()->isVisible());
        QTest::mouseClick(settings, Qt::LeftButton);
        QVERIFY(!m_root->isSettingsOpen());
        QVERIFY(!shadows.first()->isVisible());
    }

    void modePicker_data()
    {
        QTest::addColumn<ContentMode>("start");
        QTest::addColumn<ContentMode>("pressed");
        QTest::newRow("to notes") << ContentMode::clipboard << ContentMode::notes;
        QTest::newRow("to clipboard") << ContentMode::notes << ContentMode::clipboard;
        QTest::newRow("selected segment still clears") << ContentMode::clipboard << ContentMode::clipboard;
    }

    void modePicker()
    {
        QFETCH(ContentMode, start);
        QFETCH(ContentMode, pressed);
        store().setMode(start);
        showRoot();
        expectPage(start);
        store().setQuery(QStringLiteral("something"));
        pressSegment(pressed);
        QCOMPARE(store().mode(), pressed);
        QCOMPARE(store().query(), QString());
        expectPage(pressed);
    }

    // A mode change made elsewhere (a clip's note action) moves the pill and the page too,
    // and the note made from the clip opens at once.
    void pendingNoteFromAClipOpens()
    {
        m_fx->writeNote(QStringLiteral("old.md"), QStringLiteral("# Old\n"));
        store().setMode(ContentMode::clipboard);
        showRoot();
        ClipItem clip = ClipItem::make(ClipKind::text, QStringLiteral("Meeting"), QStringLiteral("Meeting\nbody"));
        QVERIFY(store().createNote(clip));
        store().setMode(ContentMode::notes);
        store().setQuery(QString());
        expectPage(ContentMode::notes);
        QVERIFY(m_root->notesView()->isShowingDetail());
        QCOMPARE(store().selectedNote()->title(), QStringLiteral("Meeting.md"));
        QVERIFY(store().isNoteDetailOpen());
    }

    void leavingTheNotesPageWhileEditing_data()
    {
        QTest::addColumn<bool>("breakSave");
        QTest::newRow("saved") << false;
        QTest::newRow("save fails") << true;
    }

    void leavingTheNotesPageWhileEditing()
    {
        QFETCH(bool, breakSave);
        const QString file = m_fx->writeNote(QStringLiteral("a.md"), QStringLiteral("# A\n"));
        store().setMode(ContentMode::notes);
        showRoot();
        QTRY_VERIFY(!store().isListingNotes());
        NotesView *notes = m_root->notesView();
        notes->openNote(store().notes().first());
        notes->toggleEdit();
        QPlainTextEdit *edit = notes->detailPage()->editor()->textEdit();
        edit->moveCursor(QTextCursor::End);
        QTest::keyClicks(edit, QStringLiteral("typed"));
        if (breakSave)
            m_fx->breakSaves(NotesPageFixture::Breakage::diskFull, file);

        pressSegment(ContentMode::clipboard);
        QVERIFY(!store().isEditingNote());
        QVERIFY(!store().isNoteDetailOpen());
        if (!breakSave)
            QCOMPARE(NotesPageFixture::read(file), QStringLiteral("# A\ntyped"));

        pressSegment(ContentMode::notes);
        expectPage(ContentMode::notes);
        QCOMPARE(notes->isEditing(), breakSave);
        QCOMPARE(store().isEditingNote(), breakSave);
        if (breakSave)
            QCOMPARE(notes->detailPage()->editor()->text(), QStringLiteral("# A\ntyped"));
    }

    void sensitiveSwitchWritesPreferences()
    {
        const bool initially = store().ignoreSensitive();
        showRoot();
        m_root->setSettingsOpen(true);
        ToggleSwitch *toggle = m_root->settingsCard()->sensitiveSwitch();
        QCOMPARE(toggle->isChecked(), initially);
        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(store().ignoreSensitive(), !initially);
        QFile file(store().preferencesFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject json = QJsonDocument::fromJson(file.readAll()).object();
        QCOMPARE(json.value(QStringLiteral("ignoreSensitive")).toBool(initially), !initially);
        QCOMPARE(json.value(QStringLiteral("noteDirectory")).toString(), store().noteDirectory());
    }

    void abbreviatedPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("shown");
        QTest::newRow("under home") << "/root/notes"
                                    << "/root"
                                    << "~/notes";
        QTest::newRow("home itself") << "/root"
                                     << "/root"
                                     << "~";
        QTest::newRow("home with a trailing slash") << "/home/ann/Documents/Quillo"
                                                    << "/home/ann/"
                                                    << "~/Documents/Quillo";
        QTest::newRow("home inside the path") << "/srv/root/notes"
                                              << "/root"
                                              << "/srv/root/notes";
        QTest::newRow("home as a name prefix") << "/rootless/notes"
                                               << "/root"
                                               << "/rootless/notes";
        QTest::newRow("root home") << "/notes"
                                   << "/"
                                   << "/notes";
    }

    void abbreviatedPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, home);
        QFETCH(QString, shown);
        QCOMPARE(SettingsCard::abbreviatedPath(path, home), shown);
    }

    void folderRowFollowsTheChosenFolder()
    {
        showRoot();
        m_root->setSettingsOpen(true);
        SettingsCard *card = m_root->settingsCard();
        const QString other = m_fx->path(QStringLiteral("other"));
        QDir().mkpath(other);
        m_fx->chooser.answer = other;
        QTest::mouseClick(card->folderRow(), Qt::LeftButton);
        QCOMPARE(m_fx->chooser.calls, 1);
        QCOMPARE(card->folderRow()->detail(), SettingsCard::abbreviatedPath(other, QDir::homePath()));
    }

    void supportCardOpensFromTheNotesFooter()
    {
        store().setMode(ContentMode::notes);
        showRoot();
        m_root->setSettingsOpen(true);
        QVERIFY(!m_root->isSupportOpen());
        LabelButton *support = m_root->notesView()->listPage()->supportButton();
        QTest::mouseClick(support, Qt::LeftButton, {}, support->rect().center());
        QVERIFY(m_root->isSupportOpen());
        SupportOverlay *overlay = m_root->supportOverlay();
        QCOMPARE(overlay->geometry(), m_root->rect());

        // Clicks on the card stay there; a click on the backdrop (not a press alone, nor a
        // press that ends on the card) closes only the support card.
        QTest::mouseClick(overlay->card(), Qt::LeftButton, {}, QPoint(20, overlay->card()->height() - 4));
        QVERIFY(m_root->isSupportOpen());
        QTest::mousePress(overlay, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(m_root->isSupportOpen());
        QTest::mouseRelease(overlay, Qt::LeftButton, {}, overlay->card()->geometry().center());
        QVERIFY(m_root->isSupportOpen());
        QTest::mousePress(overlay, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(overlay, Qt::LeftButton, {}, QPoint(6, 8));
        QVERIFY(!m_root->isSupportOpen());
        QVERIFY(m_root->isSettingsOpen());
    }

    // A missing picture leaves the card without one; its links still open.
    void supportCardWithoutItsPicture()
    {
        SupportCard card(SupportCardStyle::standard(), nullptr, m_fx->path(QStringLiteral("missing.jpg")));
        QVERIFY(!card.picture());
        QList<QUrl> opened;
        card.setUrlOpener([&opened](const QUrl &url) { opened << url; });
        card.resize(card.sizeHint());
        QTest::mouseClick(card.mailButton(), Qt::LeftButton);
        QCOMPARE(opened.size(), 1);
    }

    // The panel keeps its light look under a dark desktop theme, and so do its menus and
    // tooltips, which are windows of their own: the row's menu, a text field's.
    void lightLookOnADarkDesktop()
    {
        const QPalette desktop = QApplication::palette();
        QPalette dark = desktop;
        dark.setColor(QPalette::Window, Qt::black);
        dark.setColor(QPalette::Base, Qt::black);
        dark.setColor(QPalette::WindowText, Qt::white);
        QApplication::setPalette(dark);
        QToolTip::setPalette(dark);
        store().setClips({ClipItem::make(ClipKind::text, QStringLiteral("a"), QStringLiteral("a"))});
        showRoot();
        QList<QColor> light{pixel(m_root.get(), QPoint(220, 740)), QToolTip::palette().color(QPalette::ToolTipBase)};
        const std::unique_ptr<QMenu> rowMenu(m_root->clipboardView()->list()->rows().first()->createContextMenu());
        const std::unique_ptr<QMenu> fieldMenu(
            m_root->clipboardView()->searchField()->lineEdit()->createStandardContextMenu());
        for (QMenu *menu : {rowMenu.get(), fieldMenu.get()}) {
            menu->popup(m_root->mapToGlobal(QPoint(20, 20)));
            light << menu->palette().color(QPalette::Window);
            menu->hide();
        }
        QApplication::setPalette(desktop);
        for (const QColor &colour : std::as_const(light))
            QVERIFY2(colour.lightness() > 180, qPrintable(colour.name()));
    }
};

QUILLO_TEST_WIDGETS_MAIN(TestRootView)
#include "tst_root_view.moc"
