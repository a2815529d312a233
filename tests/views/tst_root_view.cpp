// The whole panel: the header's tiles, the page picker, the settings and support cards, the
// look under a dark desktop, and the panel from the keyboard (row choice, page keys, focus).
// Keys go to the widget that has the keyboard, as they would on screen.
#include "notes_page_fixture.h"
#include "platform/autostart_entry.h"
#include "test_files.h"
#include "test_main.h"

#include "store/clip_item.h"
#include "store/reference_time.h"
#include "views/clipboard/clip_list_view.h"
#include "views/clipboard/clip_row.h"
#include "views/clipboard/clipboard_key_handler.h"
#include "views/clipboard/clipboard_view.h"
#include "views/hover/clipboard_hover_state.h"
#include "views/notes/note_card.h"
#include "views/notes/note_card_list.h"
#include "views/notes/note_detail_page.h"
#include "views/notes/note_editor.h"
#include "views/notes/note_list_page.h"
#include "views/notes/notes_key_handler.h"
#include "views/notes/notes_view.h"
#include "views/notes/selectable_note_view.h"
#include "views/root/mode_picker.h"
#include "views/root/page_area.h"
#include "views/root/root_view.h"
#include "views/root/settings_card.h"
#include "views/root/settings_row.h"
#include "views/root/support_card.h"
#include "views/root/support_overlay.h"
#include "views/widgets/card_shadow.h"
#include "views/widgets/icon_tile.h"
#include "views/widgets/label_button.h"
#include "views/widgets/search_field.h"
#include "views/widgets/styled_button.h"
#include "views/widgets/toggle_switch.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

namespace {

// The history as listed with nothing pinned: newest first.
const QStringList kContents{"alpha", "beta", "gamma", "delta"};

ClipItem entry(const QString &content, int ageSeconds)
{
    ClipItem item = ClipItem::make(ClipKind::text, content, content);
    item.createdAt = ReferenceTime::now() - ageSeconds;
    return item;
}

} // namespace

class TestRootView : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<NotesPageFixture> m_fx;
    std::unique_ptr<RootView> m_root;
    QTemporaryDir m_config;
    std::unique_ptr<AutostartEntry> m_entry;
    std::unique_ptr<SettingsCard> m_card;

    QString entryPath() const { return m_entry->filePath(); }
    QString program() const { return QCoreApplication::applicationFilePath(); }

    void showCard()
    {
        m_card = std::make_unique<SettingsCard>(*m_fx->store, SettingsCardStyle::standard());
        m_card->setLoginStartup(m_entry.get());
        m_card->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_card.get()));
    }
    void reopenCard()
    {
        m_card->hide();
        m_card->show();
    }
    ToggleSwitch *loginSwitch() const { return m_card->loginSwitch(); }
    void clickLogin() { QTest::mouseClick(loginSwitch(), Qt::LeftButton); }
    QString loginNoteText() const { return m_card->loginNote()->isVisible() ? m_card->loginNote()->text() : QString(); }

    AppStore &store() { return *m_fx->store; }
    ClipboardView *clipboard() const { return m_root->clipboardView(); }
    NotesView *notes() const { return m_root->notesView(); }

    void showRoot(int height = 760)
    {
        m_root = std::make_unique<RootView>(store(), QString());
        m_root->resize(440, height);
        m_root->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_root.get()));
        m_root->focusSearch();
    }

    void setHistory(const QStringList &contents)
    {
        QList<ClipItem> clips;
        for (qsizetype i = 0; i < contents.size(); ++i)
            clips << entry(contents[i], int(10 * (i + 1)));
        store().setClips(clips);
    }

    std::optional<ClipItem> listed(const QString &content)
    {
        for (const ClipItem &item : store().clips())
            if (item.content == content)
                return item;
        return std::nullopt;
    }

    QStringList listedContents()
    {
        QStringList contents;
        for (const ClipItem &item : store().filteredClips())
            contents << item.content;
        return contents;
    }

    // One step of a script: a key ("Down", "Ctrl+P"), typing ("type:abc"), or what the
    // pointer or another part of the panel does ("pointer:beta", "delete:beta").
    void step(const QString &step)
    {
        const QString argument = step.section(QLatin1Char(':'), 1);
        if (step.startsWith(QLatin1String("pointer:"))) {
            clipboard()->hoverState().update(listed(argument)->id);
        } else if (step.startsWith(QLatin1String("delete:"))) {
            store().deleteClip(*listed(argument));
        } else {
            QWidget *target = m_root->focusWidget();
            QVERIFY2(target, qPrintable(step));
            if (step.startsWith(QLatin1String("type:"))) {
                QTest::keyClicks(target, argument);
            } else {
                const QKeyCombination key = QKeySequence::fromString(step)[0];
                QTest::keyClick(target, key.key(), key.keyboardModifiers());
            }
        }
        QTRY_VERIFY(!m_root->pageArea()->isTransitioning());
    }

    void run(const QStringList &steps)
    {
        for (const QString &each : steps) {
            step(each);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // The rows that look chosen, by content.
    QStringList chosenRows() const
    {
        QStringList chosen;
        for (const ClipRow *row : clipboard()->list()->rows())
            if (row->isSelected())
                chosen << row->item().content;
        return chosen;
    }

    void pressSegment(ContentMode mode)
    {
        QAbstractButton *segment = m_root->modePicker()->segment(mode);
        QTest::mouseClick(segment, Qt::LeftButton, {}, segment->rect().center());
    }

    void expectPage(ContentMode mode)
    {
        QTRY_VERIFY(!m_root->pageArea()->isTransitioning());
        QCOMPARE(notes()->isVisible(), mode == ContentMode::notes);
        QCOMPARE(clipboard()->isVisible(), mode == ContentMode::clipboard);
        QTRY_COMPARE(m_root->modePicker()->pillPosition(), mode == ContentMode::notes ? 0.0 : 1.0);
    }

    static QColor pixel(QWidget *widget, QPoint at) { return widget->grab().toImage().pixelColor(at); }

private slots:
    void init()
    {
        m_fx = std::make_unique<NotesPageFixture>();
        QDir(m_config.path()).removeRecursively();
        m_entry = std::make_unique<AutostartEntry>(program(), m_config.path());
    }
    void cleanup()
    {
        m_card.reset();
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
        QTest::addColumn<QStringList>("pathHomeShown");
        QTest::newRow("under home") << QStringList{"/root/notes", "/root", "~/notes"};
        QTest::newRow("home itself") << QStringList{"/root", "/root", "~"};
        QTest::newRow("home with a trailing slash")
            << QStringList{"/home/ann/Documents/Quillo", "/home/ann/", "~/Documents/Quillo"};
        QTest::newRow("home inside the path") << QStringList{"/srv/root/notes", "/root", "/srv/root/notes"};
        QTest::newRow("home as a name prefix") << QStringList{"/rootless/notes", "/root", "/rootless/notes"};
        QTest::newRow("root home") << QStringList{"/notes", "/", "/notes"};
    }

    void abbreviatedPath()
    {
        QFETCH(QStringList, pathHomeShown);
        QCOMPARE(SettingsCard::abbreviatedPath(pathHomeShown[0], pathHomeShown[1]), pathHomeShown[2]);
    }

    void folderRowFollowsTheChosenFolder()
    {
        showRoot();
        m_root->setSettingsOpen(true);
        SettingsCard *card = m_root->settingsCard();
        const QString other = m_fx->notePath(QStringLiteral("other"));
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
        SupportCard card(SupportCardStyle::standard(), nullptr, m_fx->notePath(QStringLiteral("missing.jpg")));
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

    // The "登录时启动" row over a real autostart entry in a temporary folder.
    void onWritesTheEntryAndOffRemovesOnlyIt()
    {
        showCard();
        QVERIFY(!loginSwitch()->isChecked()); // nothing is turned on by itself
        QVERIFY(!QFileInfo::exists(entryPath()));
        clickLogin();
        QVERIFY(loginSwitch()->isChecked());
        QCOMPARE(m_entry->startedProgram(), program());
        QCOMPARE(loginNoteText(), QString());

        const QString other = QFileInfo(entryPath()).absolutePath() + QStringLiteral("/other.desktop");
        TestFiles::writeFile(other, "[Desktop Entry]\n");
        clickLogin();
        QVERIFY(!loginSwitch()->isChecked());
        QVERIFY(!QFileInfo::exists(entryPath()));
        QVERIFY(QFileInfo::exists(other));
    }

    void anotherProgramsEntryShowsOnAndIsReplacedOnlyByOffThenOn()
    {
        const QByteArray foreign = "[Desktop Entry]\nType=Application\nName=Quillo\nExec=/opt/old/quillo\n";
        TestFiles::writeFile(entryPath(), foreign);
        showCard();
        QVERIFY(loginSwitch()->isChecked());
        QCOMPARE(loginNoteText(), QStringLiteral("登录时启动的是 /opt/old/quillo"));
        QCOMPARE(TestFiles::readFile(entryPath()), foreign);

        clickLogin();
        QVERIFY(!QFileInfo::exists(entryPath()));
        clickLogin();
        QVERIFY(loginSwitch()->isChecked());
        QCOMPARE(m_entry->startedProgram(), program());
        QCOMPARE(loginNoteText(), QString());
    }

    // As root no folder is read-only: a file where the autostart folder belongs does the same.
    void failedWriteShowsTheReasonAndLeavesTheSwitchOff()
    {
        const QString folder = QFileInfo(entryPath()).absolutePath();
        TestFiles::writeFile(folder, "in the way");
        showCard();
        const int height = m_card->height();
        clickLogin();
        QVERIFY(!loginSwitch()->isChecked());
        QCOMPARE(loginNoteText(), QStringLiteral("无法开启登录时启动：自启动文件夹的位置上已有一个同名文件"));
        QVERIFY(m_card->height() > height); // the card grows to show it
        QCOMPARE(TestFiles::readFile(folder), QByteArray("in the way"));

        reopenCard(); // the message is about the last attempt only
        QCOMPARE(loginNoteText(), QString());
    }

    void changesMadeElsewhereShowWhenTheCardOpens()
    {
        showCard();
        QVERIFY(!loginSwitch()->isChecked());
        QCOMPARE(AutostartEntry(program(), m_config.path()).setEnabled(true), QString());
        reopenCard();
        QVERIFY(loginSwitch()->isChecked());
        QVERIFY(QFile::remove(entryPath()));
        reopenCard();
        QVERIFY(!loginSwitch()->isChecked());
    }

    void clipboardKeys_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("chosen");    // the chosen row afterwards, "" for none
        QTest::addColumn<QString>("copied");    // what Enter put on the clipboard, "" for nothing
        QTest::addColumn<QStringList>("after"); // the list afterwards
        QTest::addColumn<int>("dismissals");

        const QStringList all = kContents;
        QTest::newRow("Down past the last row stays there")
            << QStringList{"Down", "Down", "Down", "Down", "Down", "Down"} << "delta"
            << "" << all << 0;
        QTest::newRow("Up from the first row goes back to the field") << QStringList{"Down", "Up"} << ""
                                                                      << "" << all << 0;
        QTest::newRow("a new search drops the choice") << QStringList{"Down", "Down", "type:a"} << ""
                                                       << "" << all << 0;
        QTest::newRow("an entry deleted elsewhere drops the choice")
            << QStringList{"Down", "Down", "delete:beta"} << ""
            << "" << QStringList{"alpha", "gamma", "delta"} << 0;
        QTest::newRow("Shift+Delete chooses the row that takes the place")
            << QStringList{"Down", "Down", "Shift+Delete"} << "gamma"
            << "" << QStringList{"alpha", "gamma", "delta"} << 0;
        QTest::newRow("Shift+Delete on the last row chooses the new last")
            << QStringList{"Down", "Down", "Down", "Down", "Shift+Delete"} << "gamma"
            << "" << QStringList{"alpha", "beta", "gamma"} << 0;
        QTest::newRow("Shift+Delete with no row chosen deletes nothing") << QStringList{"Shift+Delete"} << ""
                                                                         << "" << all << 0;
        QTest::newRow("Enter with nothing chosen copies the first row") << QStringList{"Return"} << ""
                                                                        << "alpha" << all << 0;
        QTest::newRow("Enter copies the chosen row") << QStringList{"Down", "Down", "Return"} << "beta"
                                                     << "beta" << all << 0;
        QTest::newRow("Enter with no match copies nothing") << QStringList{"type:zz", "Return"} << ""
                                                            << "" << QStringList{} << 0;
        QTest::newRow("Ctrl+P pins the chosen row, which stays chosen")
            << QStringList{"Down", "Down", "Down", "Ctrl+P"} << "gamma"
            << "" << QStringList{"gamma", "alpha", "beta", "delta"} << 0;
        QTest::newRow("Escape empties the search first") << QStringList{"type:be", "Escape"} << ""
                                                         << "" << all << 0;
        QTest::newRow("Escape with nothing to empty asks to go away") << QStringList{"Down", "Escape"} << "alpha"
                                                                      << "" << all << 1;
        QTest::newRow("the pointer takes over from the keyboard") << QStringList{"Down", "pointer:gamma"} << ""
                                                                  << "" << all << 0;
    }

    void clipboardKeys()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, chosen);
        QFETCH(QString, copied);
        QFETCH(QStringList, after);
        setHistory(kContents);
        showRoot();
        QSignalSpy dismissals(m_root.get(), &RootView::dismissRequested);
        QSignalSpy copies(m_root.get(), &RootView::entryCopied);

        run(steps);

        const std::optional<QUuid> id = clipboard()->keyHandler()->selectedID();
        QCOMPARE(id ? listed(chosen)->id : QUuid(), chosen.isEmpty() ? QUuid() : listed(chosen)->id);
        QCOMPARE(chosenRows(), chosen.isEmpty() ? QStringList() : QStringList{chosen});
        const QList<FakePasteboard::Write> &writes = m_fx->pasteboard.writes();
        QCOMPARE(writes.isEmpty() ? QString() : writes.constLast().text, copied);
        QCOMPARE(copies.count(), copied.isEmpty() ? 0 : 1);
        QCOMPARE(listedContents(), after);
        QTEST(int(dismissals.count()), "dismissals");
    }

    void chosenRowIsScrolledIntoView()
    {
        // Long enough that the list makes rows for only part of it: the chosen row, dropped when
        // scrolled far away, looks chosen again when it is made again.
        constexpr int kCount = 80;
        QStringList contents;
        for (int i = 0; i < kCount; ++i)
            contents << QStringLiteral("entry %1").arg(i);
        setHistory(contents);
        showRoot(560);
        QScrollArea *scroll = clipboard()->scrollArea();
        for (int i = 0; i < kCount; ++i)
            step(QStringLiteral("Down"));
        const QUuid chosen = *clipboard()->keyHandler()->selectedID();
        const ClipRow *row = clipboard()->list()->row(chosen);
        const QString last = QStringLiteral("entry %1").arg(kCount - 1);
        QCOMPARE(row->item().content, last);
        const QRect inViewport(row->mapTo(scroll->viewport(), QPoint(0, 0)), row->size());
        QVERIFY2(scroll->viewport()->rect().contains(inViewport), qPrintable(QString::number(inViewport.top())));
        scroll->verticalScrollBar()->setValue(0);
        QVERIFY(!clipboard()->list()->row(chosen));
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        QCOMPARE(chosenRows(), QStringList{last});
        for (int i = 1; i < kCount; ++i)
            step(QStringLiteral("Up"));
        QCOMPARE(scroll->verticalScrollBar()->value(), 0);
        QCOMPARE(chosenRows(), QStringList{QStringLiteral("entry 0")});
    }

    void notesAndPageKeys_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("page");  // clipboard, list, note or editor: where the keyboard is too
        QTest::addColumn<QString>("note");  // the note shown or chosen, "" for none
        QTest::addColumn<QString>("aFile"); // what a.md holds afterwards
        QTest::addColumn<int>("noteCount");
        QTest::addColumn<int>("dismissals");

        const QString a = QStringLiteral("# A\n");
        QTest::newRow("Ctrl+1 shows the notes with the keyboard in their search") << QStringList{"Ctrl+1"} << "list"
                                                                                  << "" << a << 3 << 0;
        QTest::newRow("Ctrl+Tab switches pages") << QStringList{"Ctrl+Tab"} << "list"
                                                 << "" << a << 3 << 0;
        QTest::newRow("Down, Down, Enter opens the second card")
            << QStringList{"Ctrl+1", "Down", "Down", "Return"} << "note"
            << "b.md" << a << 3 << 0;
        QTest::newRow("Enter with nothing chosen opens the first card") << QStringList{"Ctrl+1", "Return"} << "note"
                                                                        << "a.md" << a << 3 << 0;
        QTest::newRow("Enter again edits") << QStringList{"Ctrl+1", "Return", "Return"} << "editor"
                                           << "a.md" << a << 3 << 0;
        QTest::newRow("Enter in the editor is a new line")
            << QStringList{"Ctrl+1", "Return", "Return", "Return", "Ctrl+S"} << "editor"
            << "a.md"
            << "\n" + a << 3 << 0;
        QTest::newRow("Ctrl+E in the editor saves and shows the note")
            << QStringList{"Ctrl+1", "Return", "Return", "type:x", "Ctrl+E"} << "note"
            << "a.md"
            << "x" + a << 3 << 0;
        QTest::newRow("Escape from the editor saves and goes back to the card")
            << QStringList{"Ctrl+1", "Down", "Return", "Return", "type:y", "Escape"} << "list"
            << "a.md"
            << "y" + a << 3 << 0;
        QTest::newRow("Alt+Left goes back") << QStringList{"Ctrl+1", "Down", "Down", "Return", "Alt+Left"} << "list"
                                            << "b.md" << a << 3 << 0;
        QTest::newRow("Ctrl+N in the editor saves first")
            << QStringList{"Ctrl+1", "Return", "Return", "type:z", "Ctrl+N"} << "editor"
            << ""
            << "z" + a << 4 << 0;
        QTest::newRow("Ctrl+2 from the editor saves")
            << QStringList{"Ctrl+1", "Return", "Return", "type:w", "Ctrl+2"} << "clipboard"
            << ""
            << "w" + a << 3 << 0;
        QTest::newRow("Escape on the list asks to go away") << QStringList{"Ctrl+1", "Escape"} << "list"
                                                            << "" << a << 3 << 1;
        QTest::newRow("Ctrl+N on a chosen clipboard row opens its note") << QStringList{"Down", "Ctrl+N"} << "note"
                                                                         << "" << a << 4 << 0;
    }

    void notesAndPageKeys()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, page);
        QFETCH(QString, note);
        const QString aFile = m_fx->writeNote(QStringLiteral("a.md"), QStringLiteral("# A\n"), 60);
        m_fx->writeNote(QStringLiteral("b.md"), QStringLiteral("# B\n"), 120);
        m_fx->writeNote(QStringLiteral("c.md"), QStringLiteral("# C\n"), 180);
        setHistory(kContents);
        showRoot();
        QSignalSpy dismissals(m_root.get(), &RootView::dismissRequested);

        run(steps);

        QWidget *keyboard = m_root->focusWidget();
        const bool notesShown = store().mode() == ContentMode::notes;
        QCOMPARE(notesShown, page != QLatin1String("clipboard"));
        QCOMPARE(notesShown && notes()->isShowingDetail(),
                 page == QLatin1String("note") || page == QLatin1String("editor"));
        QCOMPARE(notesShown && notes()->isEditing(), page == QLatin1String("editor"));
        // The panel stays out while a note is open or edited.
        QCOMPARE(store().isEditingNote(), page == QLatin1String("editor"));
        QCOMPARE(store().isNoteDetailOpen(), notesShown && notes()->isShowingDetail());
        QWidget *expected = clipboard()->searchField()->lineEdit();
        if (page == QLatin1String("list"))
            expected = notes()->listPage()->searchField()->lineEdit();
        else if (page == QLatin1String("note"))
            expected = notes()->detailPage()->noteView();
        else if (page == QLatin1String("editor"))
            expected = notes()->detailPage()->editor()->textEdit();
        QCOMPARE(keyboard, expected);
        if (!note.isEmpty()) {
            const bool detail = notes()->isShowingDetail();
            const QString shown = detail ? store().selectedNote()->title()
                                         : QUrl(notes()->keyHandler()->selectedUrl().value_or(QUrl())).fileName();
            QCOMPARE(shown, note);
            if (!detail)
                QVERIFY(notes()->listPage()->cardList()->cardFor(*notes()->keyHandler()->selectedUrl())->isSelected());
        }
        QTEST(NotesPageFixture::read(aFile), "aFile");
        QTEST(int(store().notes().size()), "noteCount");
        QTEST(int(dismissals.count()), "dismissals");
    }

    // A chosen row and a focused button carry the accent ring; every button the Tab key reaches
    // is named for screen readers.
    void focusIsVisible()
    {
        setHistory(kContents);
        showRoot();
        step(QStringLiteral("Down"));
        ClipRow *row = clipboard()->list()->rows().constFirst();
        const QColor accent = m_root->palette().color(QPalette::Highlight);
        const auto isAccent = [&accent](const QColor &seen) {
            return std::abs(seen.hue() - accent.hue()) < 12 && seen.saturation() > accent.saturation() / 2;
        };
        QVERIFY(isAccent(row->grab().toImage().pixelColor(row->width() / 2, 1)));
        QVERIFY(!isAccent(clipboard()->list()->rows().at(1)->grab().toImage().pixelColor(row->width() / 2, 1)));

        m_root->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_root.get()));
        IconTile *settings = m_root->settingsTile();
        settings->setFocus(Qt::TabFocusReason);
        QVERIFY(settings->hasFocus());
        QVERIFY(isAccent(settings->grab().toImage().pixelColor(settings->width() / 2, 1)));

        for (const QAbstractButton *button : m_root->findChildren<QAbstractButton *>()) {
            if (!(button->focusPolicy() & Qt::TabFocus))
                continue;
            QAccessibleInterface *accessible =
                QAccessible::queryAccessibleInterface(const_cast<QAbstractButton *>(button));
            QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(), button->metaObject()->className());
        }
    }
};

QUILLO_TEST_WIDGETS_MAIN(TestRootView)
#include "tst_root_view.moc"
