// The notes page: the list and its cards, the note shown and edited, saves that fail, files
// other programs change, and how the page is drawn (pixel probes where the look is the
// requirement).
#include "notes_page_fixture.h"
#include "test_main.h"

#include "views/notes/new_note_button.h"
#include "views/notes/note_card.h"
#include "views/notes/note_card_list.h"
#include "views/notes/note_detail_page.h"
#include "views/notes/note_editor.h"
#include "views/notes/note_list_page.h"
#include "views/notes/notes_view.h"
#include "views/notes/selectable_note_view.h"
#include "views/style/fonts.h"
#include "views/widgets/elided_label.h"
#include "views/widgets/icon_tile.h"
#include "views/widgets/label_button.h"
#include "views/widgets/search_field.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <cstdio>

namespace {

// The first row from the top of `image` (within `columns`) holding a pixel darker than
// `threshold`; -1 when none.
int firstInkRow(const QImage &image, int threshold, const QRect &columns)
{
    for (int y = columns.top(); y <= columns.bottom(); ++y)
        for (int x = columns.left(); x <= columns.right(); ++x)
            if (qGray(image.pixel(x, y)) < threshold)
                return y;
    return -1;
}

QColor darkest(const QImage &image)
{
    QColor result = Qt::white;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < qGray(result.rgb()))
                result = image.pixelColor(x, y);
    return result;
}

} // namespace

using Breakage = NotesPageFixture::Breakage;

class TestNotesView : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<NotesPageFixture> m_fx;
    std::unique_ptr<NotesView> m_view;

    AppStore &store() { return *m_fx->store; }
    NoteListPage *list() { return m_view->listPage(); }
    NoteDetailPage *detail() { return m_view->detailPage(); }

    void showView()
    {
        m_view = std::make_unique<NotesView>(store(), [] {});
        m_view->resize(440, 640);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        m_view->appear();
        QTRY_VERIFY(!store().isListingNotes()); // the folder is listed in the background
    }

    NoteCard *cardNamed(const QString &name)
    {
        for (NoteCard *card : list()->cardList()->cards())
            if (card->note().title() == name)
                return card;
        return nullptr;
    }

    void openCard(const QString &name)
    {
        NoteCard *card = cardNamed(name);
        QVERIFY2(card, qPrintable(name));
        QTest::mouseClick(card, Qt::LeftButton, {}, card->rect().center());
        QVERIFY(m_view->isShowingDetail());
    }

    void typeInEditor(const QString &text)
    {
        QPlainTextEdit *edit = detail()->editor()->textEdit();
        edit->moveCursor(QTextCursor::End);
        QTest::keyClicks(edit, text);
    }

    // Writes in place, as editors that do not replace files do: only a watch on the file itself sees it.
    static void overwrite(const QString &file, const QString &text)
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(text.toUtf8());
    }

    // Writes a new file and renames it over `file`, as most editors and sync tools save.
    static void replaceByRename(const QString &file, const QString &text)
    {
        const QString temporary = QFileInfo(file).absolutePath() + QStringLiteral("/.replacement.tmp");
        overwrite(temporary, text);
        QCOMPARE(::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(file).constData()), 0);
    }

    bool followPending() const
    {
        const QList<FakeStoreClock::Timer *> &timers = m_fx->clock.timers();
        return std::any_of(timers.cbegin(), timers.cend(), [](const FakeStoreClock::Timer *t) { return t->active; });
    }

    // Another program's change arms the store's follow timer; a second of the fake clock lets it report.
    void letWatcherReport()
    {
        QTRY_VERIFY_WITH_TIMEOUT(followPending(), 3000);
        m_fx->clock.advance(1000);
        QTRY_VERIFY(!store().isListingNotes()); // the folder is listed in the background
    }

    QStringList cardTitles()
    {
        QStringList names;
        for (NoteCard *card : list()->cardList()->cards())
            names << card->note().title();
        return names;
    }

    void expectFlags(bool detailOpen, bool editing)
    {
        QCOMPARE(store().isNoteDetailOpen(), detailOpen);
        QCOMPARE(store().isEditingNote(), editing);
        QCOMPARE(m_view->isShowingDetail(), detailOpen);
        QCOMPARE(m_view->isEditing(), editing);
    }

private slots:
    void init() { m_fx = std::make_unique<NotesPageFixture>(); }

    void cleanup()
    {
        m_view.reset();
        m_fx->repair();
        m_fx.reset();
    }

    void appearance_data()
    {
        QTest::addColumn<bool>("pendingExists");
        QTest::addColumn<bool>("setPending");
        QTest::newRow("plain") << false << false;
        QTest::newRow("pending note") << true << true;
        QTest::newRow("pending note not in the folder") << false << true;
    }

    // Each appearance clears the query, reloads the folder and opens a note made from a clip.
    void appearance()
    {
        QFETCH(bool, pendingExists);
        QFETCH(bool, setPending);
        m_fx->writeNote(QStringLiteral("a.md"), QStringLiteral("# A\n"), 100);
        m_fx->writeNote(QStringLiteral("late.md"), QStringLiteral("# Late\n"), 10);
        store().reloadNotes(); // as a note made from a clip leaves the list
        store().setQuery(QStringLiteral("typed on the clipboard page"));
        m_fx->writeNote(QStringLiteral("hidden.md"), QStringLiteral("# Hidden\n"), 20); // while the page was away
        const QUrl pending =
            QUrl::fromLocalFile(m_fx->notePath(pendingExists ? QStringLiteral("late.md") : QStringLiteral("gone.md")));
        if (setPending)
            store().setPendingNoteOpenURL(pending);
        showView();

        QCOMPARE(store().query(), QString());
        QCOMPARE(list()->searchField()->text(), QString());
        QCOMPARE(store().notes().size(), 3);
        QVERIFY(pendingExists || cardNamed(QStringLiteral("hidden.md"))); // the list, when shown
        expectFlags(pendingExists, false);
        if (pendingExists) {
            QCOMPARE(store().selectedNote()->title(), QStringLiteral("late.md"));
            QVERIFY(!store().pendingNoteOpenURL());
            QCOMPARE(detail()->fileNameText(), QStringLiteral("late.md"));
        } else {
            QCOMPARE(store().pendingNoteOpenURL().has_value(), setPending);
        }
    }

    void listHeaderAndEmptyStates_data()
    {
        QTest::addColumn<int>("noteCount");
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("cards");
        QTest::addColumn<QString>("emptyTitle");
        QTest::addColumn<QString>("emptySubtitle");
        const QString none = QStringLiteral("还没有笔记");
        const QString noneHint = QStringLiteral("点击“新建”创建第一个 Markdown 文件");
        const QString noMatch = QStringLiteral("没有匹配的笔记");
        const QString noMatchHint = QStringLiteral("换个关键词试试");
        QTest::newRow("three notes") << 3 << QString() << 3 << QString() << QString();
        QTest::newRow("query matching one counts all") << 3 << QStringLiteral("beta") << 1 << QString() << QString();
        QTest::newRow("empty folder") << 0 << QString() << 0 << none << noneHint;
        QTest::newRow("no match") << 3 << QStringLiteral("zzz") << 0 << noMatch << noMatchHint;
        QTest::newRow("spaces over an empty folder") << 0 << QStringLiteral("  ") << 0 << noMatch << noMatchHint;
    }

    void listHeaderAndEmptyStates()
    {
        QFETCH(int, noteCount);
        QFETCH(QString, query);
        QFETCH(int, cards);
        QFETCH(QString, emptyTitle);
        QFETCH(QString, emptySubtitle);
        const QStringList names{QStringLiteral("alpha"), QStringLiteral("beta"), QStringLiteral("gamma")};
        for (int i = 0; i < noteCount; ++i)
            m_fx->writeNote(names[i] + QStringLiteral(".md"), QStringLiteral("# ") + names[i] + QLatin1Char('\n'),
                            i * 10);
        showView();
        QTest::keyClicks(list()->searchField()->lineEdit(), query);

        QCOMPARE(store().query(), query);
        QCOMPARE(list()->countText(), QString::number(noteCount) + QStringLiteral(" 个 Markdown 文件"));
        QCOMPARE(list()->cardList()->cards().size(), cards);
        QCOMPARE(list()->isShowingEmptyState(), cards == 0);
        if (cards == 0) {
            QCOMPARE(list()->emptyTitleText(), emptyTitle);
            QCOMPARE(list()->emptySubtitleText(), emptySubtitle);
        }
    }

    void dateLabel_data()
    {
        QTest::addColumn<QDateTime>("modified");
        QTest::addColumn<QString>("label");
        const QDate today(2026, 3, 20);
        QTest::newRow("today, early") << QDateTime(today, QTime(0, 0, 1)) << QStringLiteral("今天");
        QTest::newRow("yesterday") << QDateTime(today.addDays(-1), QTime(12, 0)) << QStringLiteral("昨天");
        QTest::newRow("another year, no year shown")
            << QDateTime(QDate(2019, 11, 25), QTime(9, 0)) << QStringLiteral("11月25日");
        QTest::newRow("tomorrow is a date") << QDateTime(today.addDays(1), QTime(9, 0)) << QStringLiteral("3月21日");
        QTest::newRow("unknown") << QDateTime() << QString();
    }

    void dateLabel()
    {
        QFETCH(QDateTime, modified);
        QFETCH(QString, label);
        QCOMPARE(NoteCard::dateLabel(modified, QDate(2026, 3, 20)), label);
    }

    void cardShowsTheFileAsItReadsNow()
    {
        const QString file =
            m_fx->writeNote(QStringLiteral("plan.md"), QStringLiteral("# Plan\n\n- **one**\n---\ntwo\n"));
        showView();
        NoteCard *card = cardNamed(QStringLiteral("plan.md"));
        QVERIFY(card);
        QCOMPARE(card->summary().title, QStringLiteral("Plan"));
        QCOMPARE(card->summary().preview, QStringLiteral("one  ·  two"));
        QCOMPARE(card->dateLabel(), QStringLiteral("今天"));
        const int reads = card->fileReads();
        card->grab();
        card->grab();
        QCOMPARE(card->fileReads(), reads); // an unchanged file is not read again

        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write("# Renamed\n\nchanged on disk, longer than before\n");
        out.close();
        QCOMPARE(card->summary().title, QStringLiteral("Renamed"));
        QCOMPARE(card->fileReads(), reads + 1);
    }

    void cardNeverOpensWhatIsNotARegularFile()
    {
        QDir().mkdir(m_fx->notePath(QStringLiteral("folder.md")));
        NoteFile note;
        note.url = QUrl::fromLocalFile(m_fx->notePath(QStringLiteral("folder.md")));
        NoteCard card(note, &m_fx->pasteboard, NoteCardStyle::standard());
        card.resize(card.sizeHint());
        card.grab();
        QCOMPARE(card.fileReads(), 0);
        QCOMPARE(card.summary().title, QStringLiteral("folder"));
        QCOMPARE(card.summary().preview, QStringLiteral("空白笔记"));
    }

    // A note that is not UTF-8 must not replace the clipboard with nothing, nor confirm a copy.
    void copyingAnUnreadableNoteLeavesTheClipboard()
    {
        const QString file = m_fx->notePath(QStringLiteral("gbk.md"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("\xC4\xE3\xBA\xC3");
        out.close();
        m_fx->pasteboard.writeText(QStringLiteral("before"));
        showView();
        NoteCard *card = cardNamed(QStringLiteral("gbk.md"));
        QVERIFY(card);
        card->copy();
        QVERIFY(!card->isCopied());
        openCard(QStringLiteral("gbk.md"));
        QTest::mouseClick(detail()->copyButton(), Qt::LeftButton);
        QVERIFY(!detail()->isCopied());
        QCOMPARE(detail()->statusText(), QStringLiteral("复制失败：文件不是有效的 UTF-8 文本"));
        QCOMPARE(m_fx->pasteboard.content().text, QStringLiteral("before"));
    }

    // The card's copy takes the file as it is on disk now, and does not open the note.
    void cardCopyReadsTheFileNow()
    {
        m_fx->writeNote(QStringLiteral("a.md"), QStringLiteral("# A\nlisted text\n"));
        showView();
        NoteCard *card = cardNamed(QStringLiteral("a.md"));
        QVERIFY(card);
        QTest::mouseMove(card, card->rect().center());
        QTRY_VERIFY(card->copyButton()->isVisible());
        m_fx->writeNote(QStringLiteral("a.md"), QStringLiteral("# A\nnewer text\n"));
        QSignalSpy opened(card, &NoteCard::opened);
        QTest::mouseClick(card->copyButton(), Qt::LeftButton);
        QCOMPARE(opened.count(), 0);
        QCOMPARE(m_fx->pasteboard.content().text, QStringLiteral("# A\nnewer text\n"));
        QVERIFY(card->isCopied());
    }

    // A large folder builds cards only for the rows in view.
    void listBuildsVisibleCardsOnly()
    {
        for (int i = 0; i < 300; ++i)
            m_fx->writeNote(QStringLiteral("n%1.md").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("x"), i);
        showView();
        NoteCardList *cards = list()->cardList();
        QVERIFY(cards->cards().size() < 12);
        QCOMPARE(cards->cards().first()->note().title(), QStringLiteral("n000.md"));
        cards->verticalScrollBar()->setValue(cards->verticalScrollBar()->maximum());
        QVERIFY(cards->cards().size() < 12);
        QCOMPARE(cards->cards().last()->note().title(), QStringLiteral("n299.md"));
        for (NoteCard *card : cards->cards())
            QVERIFY(card->geometry().intersects(
                QRect(0, cards->verticalScrollBar()->value() - 200, 440, cards->viewport()->height() + 400)));
    }

    // Edit from the header: the copy takes the unsaved draft; a failed save keeps the editor,
    // the text and the failure; pressed again once saving works, it saves and shows the note.
    void editFromTheDetailHeader()
    {
        const QString file = m_fx->writeNote(QStringLiteral("a.md"), QStringLiteral("# A\nbody\n"));
        m_fx->writeNote(QStringLiteral("b.md"), QStringLiteral("# B\n"), 10);
        showView();
        openCard(QStringLiteral("a.md"));
        QTest::mouseClick(detail()->editButton(), Qt::LeftButton);
        expectFlags(true, true);
        typeInEditor(QStringLiteral("more"));
        QTest::mouseClick(detail()->copyButton(), Qt::LeftButton);
        QCOMPARE(m_fx->pasteboard.content().text, QStringLiteral("# A\nbody\nmore"));

        m_fx->breakSaves(Breakage::diskFull, file);
        QTest::mouseClick(detail()->editButton(), Qt::LeftButton);
        expectFlags(true, true);
        QCOMPARE(detail()->editor()->text(), QStringLiteral("# A\nbody\nmore"));
        QVERIFY2(detail()->statusText().startsWith(QStringLiteral("保存失败：")), qPrintable(detail()->statusText()));

        m_fx->repair();
        QTest::mouseClick(detail()->editButton(), Qt::LeftButton);
        expectFlags(true, false);
        QCOMPARE(NotesPageFixture::read(file), QStringLiteral("# A\nbody\nmore"));
        QCOMPARE(detail()->statusText(), QStringLiteral("已保存到文件"));
        QCOMPARE(detail()->noteView()->toPlainText(), QStringLiteral("A\nbody\nmore"));
        QCOMPARE(store().notes().first().title(), QStringLiteral("a.md")); // saved: newest
    }

    void renderingAnUnchangedNoteKeepsSelection()
    {
        m_fx->writeNote(QStringLiteral("a.md"), QStringLiteral("# Title\nfirst line\nsecond line\n"));
        showView();
        openCard(QStringLiteral("a.md"));
        SelectableNoteView *view = detail()->noteView();
        const int renders = view->renderCount();
        QTextCursor cursor(view->document());
        cursor.setPosition(7);
        cursor.setPosition(12, QTextCursor::KeepAnchor);
        view->setTextCursor(cursor);
        store().setNoteText(store().noteText()); // a change notification with the same text
        QCOMPARE(view->renderCount(), renders);
        QCOMPARE(view->textCursor().selectedText(), cursor.selectedText());

        store().setNoteText(QStringLiteral("# Title\nfirst line changed\n"));
        QCOMPARE(view->renderCount(), renders + 1);
        QCOMPARE(view->textCursor().selectionStart(), 7);
        QCOMPARE(view->textCursor().selectionEnd(), 12);
    }

    void newButton_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("written") << true;
        QTest::newRow("folder gone") << false;
    }

    void newButton()
    {
        QFETCH(bool, writable);
        m_fx->writeNote(QStringLiteral("old.md"), QStringLiteral("# Old\n"));
        showView();
        if (!writable)
            m_fx->breakSaves(Breakage::folderGone, QString());
        QTest::mouseClick(list()->newButton(), Qt::LeftButton);
        if (writable) {
            expectFlags(true, true);
            QCOMPARE(store().selectedNote()->title(), QStringLiteral("新笔记.md"));
            QCOMPARE(detail()->statusText(), QStringLiteral("正在编辑"));
            QCOMPARE(detail()->editor()->text(), QStringLiteral("# 新笔记\n\n开始记录……\n"));
        } else {
            // The editor would otherwise open on old.md, and a save would overwrite it.
            expectFlags(false, false);
            QVERIFY(store().statusText().startsWith(QStringLiteral("生成失败：")));
        }
    }

    void backWhileEditing_data()
    {
        QTest::addColumn<Breakage>("breakage");
        QTest::newRow("saved") << Breakage::none;
        QTest::newRow("disk full") << Breakage::diskFull;
        QTest::newRow("notes folder gone") << Breakage::folderGone;
        QTest::newRow("read-only file") << Breakage::readOnlyFile;
    }

    // Back saves first, then reloads; a failed save keeps the editor and the text, a second back
    // gives up unless more was typed.
    void backWhileEditing()
    {
        QFETCH(Breakage, breakage);
        if (!NotesPageFixture::canBreak(breakage))
            QSKIP("root writes read-only files");
        const QString file = m_fx->writeNote(QStringLiteral("a.md"), QStringLiteral("# A\n"));
        showView();
        openCard(QStringLiteral("a.md"));
        QTest::mouseClick(detail()->editButton(), Qt::LeftButton);
        typeInEditor(QStringLiteral("typed"));
        m_fx->breakSaves(breakage, file);
        m_fx->writeNote(QStringLiteral("new.md"), QStringLiteral("# New\n"), 1);

        QTest::mouseClick(detail()->backButton(), Qt::LeftButton);
        if (breakage == Breakage::none) {
            expectFlags(false, false);
            QCOMPARE(NotesPageFixture::read(file), QStringLiteral("# A\ntyped"));
            QTRY_VERIFY(cardNamed(QStringLiteral("new.md"))); // back reloads
            return;
        }
        expectFlags(true, true);
        QCOMPARE(store().noteText(), QStringLiteral("# A\ntyped"));
        QCOMPARE(detail()->editor()->text(), QStringLiteral("# A\ntyped"));
        QVERIFY2(detail()->statusText().startsWith(QStringLiteral("保存失败：")), qPrintable(detail()->statusText()));

        if (breakage == Breakage::diskFull) { // typing more makes the next back save again
            m_fx->repair();
            typeInEditor(QStringLiteral("2"));
            QCOMPARE(detail()->statusText(), QStringLiteral("正在编辑"));
        }
        QTest::mouseClick(detail()->backButton(), Qt::LeftButton);
        expectFlags(false, false);
        if (breakage == Breakage::diskFull)
            QCOMPARE(NotesPageFixture::read(file), QStringLiteral("# A\ntyped2"));
    }

    // A note too large to read whole shows its beginning, read-only; leaving keeps the file as it was.
    void oversizedNoteIsReadOnly()
    {
        const QString line = QStringLiteral("0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcde\n");
        const QString text = QStringLiteral("# Big\n") + line.repeated(NoteFile::kMaxReadBytes / line.size() + 1);
        const QString file = m_fx->writeNote(QStringLiteral("big.md"), text);
        m_fx->pasteboard.writeText(QStringLiteral("before"));
        showView();
        cardNamed(QStringLiteral("big.md"))->copy();
        QCOMPARE(m_fx->pasteboard.content().text, QStringLiteral("before"));
        openCard(QStringLiteral("big.md"));
        QCOMPARE(detail()->statusText(), QStringLiteral("笔记过大，只显示前 4 MB（只读）"));
        QTest::mouseClick(detail()->editButton(), Qt::LeftButton);
        expectFlags(true, false);
        m_view->leave();
        QCOMPARE(NotesPageFixture::read(file), text);
    }

    // Leaving the page, or the editor, with the text as read writes nothing: the note keeps its
    // bytes and date, and one deleted meanwhile by another program stays deleted.
    void leavingUnchangedWritesNothing_data()
    {
        QTest::addColumn<bool>("deletedElsewhere");
        QTest::newRow("note kept") << false;
        QTest::newRow("note deleted elsewhere") << true;
    }
    void leavingUnchangedWritesNothing()
    {
        QFETCH(bool, deletedElsewhere);
        const QString file = m_fx->writeNote(QStringLiteral("a.md"), QStringLiteral("# A\nbody\n"), 3600);
        const QDateTime modified = QFileInfo(file).lastModified();
        showView();
        openCard(QStringLiteral("a.md"));
        QTest::mouseClick(detail()->editButton(), Qt::LeftButton);
        if (deletedElsewhere)
            QVERIFY(QFile::remove(file));
        m_view->leave();
        QVERIFY(!m_view->hasKeptDraft());
        QCOMPARE(QFileInfo::exists(file), !deletedElsewhere);
        if (deletedElsewhere)
            return;
        QCOMPARE(QFileInfo(file).lastModified(), modified);
        QCOMPARE(NotesPageFixture::read(file), QStringLiteral("# A\nbody\n"));
        m_view->appear();
        openCard(QStringLiteral("a.md"));
        QTest::mouseClick(detail()->editButton(), Qt::LeftButton);
        QTest::mouseClick(detail()->backButton(), Qt::LeftButton);
        QCOMPARE(QFileInfo(file).lastModified(), modified);
    }

    void leavingWhileEditing_data() { backWhileEditing_data(); }

    // Leaving the page saves; when that fails the text comes back in the editor, even if
    // the store selected and reloaded other notes meanwhile.
    void leavingWhileEditing()
    {
        QFETCH(Breakage, breakage);
        if (!NotesPageFixture::canBreak(breakage))
            QSKIP("root writes read-only files");
        const QString file = m_fx->writeNote(QStringLiteral("a.md"), QStringLiteral("# A\n"));
        m_fx->writeNote(QStringLiteral("b.md"), QStringLiteral("# B\n"), 120);
        showView();
        openCard(QStringLiteral("a.md"));
        QTest::mouseClick(detail()->editButton(), Qt::LeftButton);
        typeInEditor(QStringLiteral("typed"));
        m_fx->breakSaves(breakage, file);

        m_view->leave();
        expectFlags(false, false); // the panel may collapse again
        QCOMPARE(m_view->hasKeptDraft(), breakage != Breakage::none);
        if (breakage == Breakage::none)
            QCOMPARE(NotesPageFixture::read(file), QStringLiteral("# A\ntyped"));

        m_fx->repair();
        store().reloadNotes(); // what a note made from a clip does to the selection
        m_view->appear();
        if (breakage == Breakage::none) {
            expectFlags(false, false);
            return;
        }
        expectFlags(true, true);
        QCOMPARE(store().noteText(), QStringLiteral("# A\ntyped"));
        QCOMPARE(store().selectedNote()->url, QUrl::fromLocalFile(file));
        QCOMPARE(detail()->editor()->text(), QStringLiteral("# A\ntyped"));
        QVERIFY(detail()->statusText().startsWith(QStringLiteral("保存失败：")));
    }

    // Notes another program adds, changes, renames or deletes show; the selection stays on its file.
    void listFollowsOtherPrograms()
    {
        m_fx->writeNote(QStringLiteral("keep.md"), QStringLiteral("# Keep\n"), 100);
        m_fx->writeNote(QStringLiteral("gone.md"), QStringLiteral("# Gone\n"), 200);
        m_fx->writeNote(QStringLiteral("old name.md"), QStringLiteral("# Old\n"), 300);
        m_fx->writeNote(QStringLiteral("stay.md"), QStringLiteral("# Stay\n"), 400);
        showView();
        store().selectNote(store().notes().at(3));
        QCOMPARE(cardTitles(), (QStringList{"keep.md", "gone.md", "old name.md", "stay.md"}));

        m_fx->writeNote(QStringLiteral("added.md"), QStringLiteral("# Added\n"), 10);
        QVERIFY(QFile::remove(m_fx->notePath(QStringLiteral("gone.md"))));
        QVERIFY(QFile::rename(m_fx->notePath(QStringLiteral("old name.md")),
                              m_fx->notePath(QStringLiteral("new name.md"))));
        overwrite(m_fx->notePath(QStringLiteral("keep.md")), QStringLiteral("# Kept, changed\n"));
        letWatcherReport();
        QCOMPARE(cardTitles(), (QStringList{"keep.md", "added.md", "new name.md", "stay.md"}));
        QCOMPARE(cardNamed(QStringLiteral("keep.md"))->summary().title, QStringLiteral("Kept, changed"));
        QCOMPARE(store().selectedNote()->title(), QStringLiteral("stay.md"));
    }

    // The open note shows its file as another program leaves it: written in place, replaced
    // by a rename, written in place again (the watch moved to the new file); deleted, the page
    // returns to the list and says why.
    void openNoteFollowsItsFile()
    {
        const QString file = m_fx->writeNote(QStringLiteral("a.md"), QStringLiteral("# A\nfirst\n"));
        showView();
        openCard(QStringLiteral("a.md"));
        SelectableNoteView *view = detail()->noteView();
        QCOMPARE(view->toPlainText(), QStringLiteral("A\nfirst"));
        overwrite(file, QStringLiteral("# A\nsecond\n"));
        letWatcherReport();
        QCOMPARE(view->toPlainText(), QStringLiteral("A\nsecond"));
        replaceByRename(file, QStringLiteral("# A\nthird\n"));
        letWatcherReport();
        QCOMPARE(view->toPlainText(), QStringLiteral("A\nthird"));
        overwrite(file, QStringLiteral("# A\nfourth\n"));
        letWatcherReport();
        QCOMPARE(view->toPlainText(), QStringLiteral("A\nfourth"));
        expectFlags(true, false);

        QVERIFY(QFile::remove(file));
        letWatcherReport();
        expectFlags(false, false);
        QCOMPARE(list()->noticeText(), QStringLiteral("笔记文件已被删除：a.md"));
        QVERIFY(cardTitles().isEmpty());
    }

    // A long note is shown in slices; re-read after a change on disk, it keeps its scroll position.
    void longNoteIsWrittenInSlices()
    {
        QStringList lines;
        for (int i = 0; i < 3000; ++i)
            lines << QStringLiteral("line %1").arg(i);
        const QString file = m_fx->writeNote(QStringLiteral("long.md"), QStringLiteral("# Long\n") + lines.join(u'\n'));
        showView();
        openCard(QStringLiteral("long.md"));
        SelectableNoteView *view = detail()->noteView();
        QVERIFY(!view->isComplete());
        QTRY_VERIFY(view->isComplete());
        QCOMPARE(view->toPlainText(), QStringLiteral("Long\n") + lines.join(u'\n'));

        view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() / 2);
        const int scroll = view->verticalScrollBar()->value();
        QVERIFY(scroll > 0);
        lines[0] = QStringLiteral("changed");
        overwrite(file, QStringLiteral("# Long\n") + lines.join(u'\n'));
        letWatcherReport();
        QCOMPARE(view->verticalScrollBar()->value(), scroll);
        QTRY_VERIFY(view->isComplete());
        QVERIFY(view->toPlainText().startsWith(QStringLiteral("Long\nchanged\nline 1\n")));
    }

    // Another program's change leaves the editor alone; the save then keeps both versions.
    void editingKeepsTheTextWhenTheFileChangesElsewhere()
    {
        const QString base = QStringLiteral("a note whose name is longer than the status bar has room for");
        const QString file = m_fx->writeNote(base + QStringLiteral(".md"), QStringLiteral("# A\n"));
        showView();
        openCard(base + QStringLiteral(".md"));
        QTest::mouseClick(detail()->editButton(), Qt::LeftButton);
        typeInEditor(QStringLiteral("mine"));
        overwrite(file, QStringLiteral("# A\ntheirs\n"));
        letWatcherReport();
        QCOMPARE(detail()->editor()->text(), QStringLiteral("# A\nmine"));

        QTest::mouseClick(detail()->editButton(), Qt::LeftButton);
        expectFlags(true, false);
        QCOMPARE(NotesPageFixture::read(file), QStringLiteral("# A\ntheirs\n"));
        const QString name = store().selectedNote()->title();
        QVERIFY2(name.startsWith(base + QStringLiteral(" (冲突 ")), qPrintable(name));
        QCOMPARE(NotesPageFixture::read(m_fx->notePath(name)), QStringLiteral("# A\nmine"));
        QCOMPARE(detail()->statusText(), QStringLiteral("已另存为：") + name);
        QCOMPARE(detail()->fileNameText(), name);
        // The long status is elided: it never widens the page (and with it the panel).
        QTest::qWait(20); // the layouts take the new text
        QCOMPARE(m_view->width(), 440);
    }

    // Nothing is watched or re-read while the page is hidden; showing it again reloads.
    void nothingIsFollowedWhileHidden()
    {
        m_fx->writeNote(QStringLiteral("a.md"), QStringLiteral("# A\n"));
        showView();
        m_view->leave();
        m_fx->writeNote(QStringLiteral("b.md"), QStringLiteral("# B\n"));
        QTest::qWait(100);
        QVERIFY(!followPending());
        QCOMPARE(store().notes().size(), 1);
        m_view->appear();
        QTRY_COMPARE(store().notes().size(), 2);
    }

    // Each card is as tall as its preview needs, at least 104, its text at the top.
    void cardsAreSizedToTheirPreview()
    {
        m_fx->writeNote(QStringLiteral("short.md"), QStringLiteral("# Short\n\none line\n"), 10);
        m_fx->writeNote(
            QStringLiteral("long.md"),
            QStringLiteral("# Long\n\n") + QStringLiteral("a sentence that wraps across the card. ").repeated(8), 20);
        showView();
        QTRY_VERIFY(store().isNotesSearchComplete()); // the notes are read for their cards
        NoteCardList *cards = list()->cardList();
        const NoteCardStyle style = NoteCardStyle::standard();
        const QRect shortRow = cards->rowRect(0);
        const QRect longRow = cards->rowRect(1);
        QCOMPARE(shortRow.height(), style.minHeight);
        QCOMPARE(longRow.height(), style.cardHeight(style.previewMaxLines));

        // The title's ink starts right under the top padding, not lower down.
        NoteCard *card = cards->cards().first();
        const QImage image = card->grab().toImage();
        const QRect text = card->rect().marginsRemoved(style.shadowMargin).marginsRemoved(style.padding);
        const int ink = firstInkRow(image, 128, text);
        QVERIFY2(ink >= text.top() && ink < text.top() + QFontMetrics(style.titleFont).height() / 2,
                 qPrintable(QString::number(ink - text.top())));
    }

    // The editor uses the system's fixed font for Latin text, the SC font behind it for Chinese.
    void editorIsMonospaced()
    {
        const QString fixed = QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
        m_fx->writeNote(QStringLiteral("a.md"), QStringLiteral("# A\n"));
        showView();
        m_view->openNote(m_fx->store->notes().first());

        const QFont editor = detail()->editor()->textEdit()->font();
        QCOMPARE(QFontInfo(editor).family(), fixed);
        const QFontMetricsF metrics(editor);
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("iiii")), metrics.horizontalAdvance(QStringLiteral("WWWW")));
        QVERIFY(editor.families().contains(QString::fromLatin1(Fonts::kChineseFamily)));
    }

    // Back from the editor the rendered note takes the focus; it shows no caret.
    void renderedNoteDrawsNoCaret()
    {
        m_fx->writeNote(QStringLiteral("a.md"), QStringLiteral("# A\nbody\n"));
        showView();
        m_view->openNote(m_fx->store->notes().first());
        SelectableNoteView *view = detail()->noteView();
        const QImage unfocused = view->grab().toImage();
        m_view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_view.get()));
        view->setFocus();
        QTRY_VERIFY(view->hasFocus());
        QCOMPARE(view->grab().toImage(), unfocused);
    }

    void footerShowsTheFolderNameWhole_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"Quillo", "iCloud Drive / Quillo", "工作笔记"})
            QTest::newRow(name) << QString::fromUtf8(name);
    }

    // At its own size hint the folder button draws its name whole, as it does with room to spare.
    void footerShowsTheFolderNameWhole()
    {
        QFETCH(QString, name);
        const LabelButtonStyle style = NoteListStyle::standard().folderButton;
        LabelButton button(style, name);
        button.resize(button.sizeHint());
        const QImage fitted = button.grab().toImage();
        button.resize(button.sizeHint() + QSize(40, 0));
        QCOMPARE(button.grab().toImage().copy(QRect(QPoint(0, 0), fitted.size())), fitted);
    }

    // A file name too long for the header keeps its start and its extension.
    void detailFileNameElidedInTheMiddle()
    {
        const QString name = QStringLiteral("a rather long file name for a note about many things and more besides.md");
        m_fx->writeNote(name, QStringLiteral("# A\n"));
        showView();
        m_view->openNote(m_fx->store->notes().first());
        const ElidedLabel *label = nullptr;
        for (const ElidedLabel *child : detail()->findChildren<ElidedLabel *>())
            if (child->text() == name)
                label = child;
        QVERIFY(label);
        const QString shown = label->shownText();
        QVERIFY2(shown.contains(QChar(0x2026)) && shown.startsWith(QStringLiteral("a ")) && shown.endsWith(".md"),
                 qPrintable(shown));
    }

    // The search field casts a soft shadow; the empty state's title is in the ordinary text colour.
    void searchShadowAndEmptyTitle()
    {
        showView();
        QVERIFY(list()->isShowingEmptyState());
        const QImage image = m_view->grab().toImage();
        const QRect field = list()->searchField()->geometry().translated(list()->mapTo(m_view.get(), QPoint(0, 0)));
        const int x = field.center().x();
        const QColor under = image.pixelColor(x, field.bottom() + 3);
        const QColor clear = image.pixelColor(x, field.bottom() + 40);
        QVERIFY2(qGray(under.rgb()) < qGray(clear.rgb()), qPrintable(under.name() + clear.name()));

        QLabel *title = nullptr;
        for (QLabel *label : list()->findChildren<QLabel *>())
            if (label->text() == list()->emptyTitleText())
                title = label;
        QVERIFY(title);
        // The text colour is black at 0.85 (grey 38 on white); the clipboard page's is 92.
        const QColor ink = darkest(title->grab().toImage());
        QVERIFY2(qGray(ink.rgb()) < 60, qPrintable(ink.name()));
    }
};

QUILLO_TEST_WIDGETS_MAIN(TestNotesView)
#include "tst_notes_view.moc"
