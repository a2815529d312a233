// The notes page as it is drawn: card heights, the editor's font, the rendered note's caret,
// elided labels, the search field's shadow and the empty state's colours. Pixel probes where
// the look is the requirement.
#include "notes_page_fixture.h"
#include "test_main.h"

#include "markdown/note_document_builder.h"
#include "views/notes/note_card.h"
#include "views/notes/note_card_list.h"
#include "views/notes/note_detail_page.h"
#include "views/notes/note_editor.h"
#include "views/notes/note_list_page.h"
#include "views/notes/notes_view.h"
#include "views/notes/selectable_note_view.h"
#include "views/style/fonts.h"
#include "views/widgets/elided_label.h"
#include "views/widgets/label_button.h"
#include "views/widgets/search_field.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

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

class TestNotesLook : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<NotesPageFixture> m_fx;
    std::unique_ptr<NotesView> m_view;

    NoteListPage *list() { return m_view->listPage(); }
    NoteDetailPage *detail() { return m_view->detailPage(); }

    void showView()
    {
        m_view = std::make_unique<NotesView>(*m_fx->store, [] {});
        m_view->resize(440, 640);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        m_view->appear();
        // The folder is listed, and the notes read for their cards, in the background.
        QTRY_VERIFY(!m_fx->store->isListingNotes() && m_fx->store->isNotesSearchComplete());
    }

private slots:
    void init() { m_fx = std::make_unique<NotesPageFixture>(); }
    void cleanup()
    {
        m_view.reset();
        m_fx.reset();
    }

    // Each card is as tall as its preview needs, at least 104, its text at the top.
    void cardsAreSizedToTheirPreview()
    {
        m_fx->writeNote(QStringLiteral("short.md"), QStringLiteral("# Short\n\none line\n"), 10);
        m_fx->writeNote(
            QStringLiteral("long.md"),
            QStringLiteral("# Long\n\n") + QStringLiteral("a sentence that wraps across the card. ").repeated(8), 20);
        showView();
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

    // The editor and the rendered note's code lines use the system's fixed font for Latin
    // text; the SC font only stands behind it for Chinese.
    void editorAndCodeLinesAreMonospaced()
    {
        const QString fixed = QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
        m_fx->writeNote(QStringLiteral("a.md"), QStringLiteral("# A\n\n    code line\n"));
        showView();
        m_view->openNote(m_fx->store->notes().first());

        NoteDocumentStyle documentStyle;
        documentStyle.codeFamilies = Fonts::mono(12.5).families();
        QTextDocument document;
        NoteDocumentBuilder::fill(document, {QStringLiteral("A"), QStringLiteral("    code line"), documentStyle});
        const QFont code = document.lastBlock().begin().fragment().charFormat().font();
        const QFont editor = detail()->editor()->textEdit()->font();
        for (const QFont &font : {editor, code}) {
            QCOMPARE(QFontInfo(font).family(), fixed);
            const QFontMetricsF metrics(font);
            QCOMPARE(metrics.horizontalAdvance(QStringLiteral("iiii")),
                     metrics.horizontalAdvance(QStringLiteral("WWWW")));
            QVERIFY(font.families().contains(QString::fromLatin1(Fonts::kChineseFamily)));
        }
        QCOMPARE(detail()->noteView()->toPlainText(), QStringLiteral("A\ncode line"));
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

    // At the width it asks for, the folder button draws exactly what it draws with room to
    // spare: nothing is elided.
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

    // The notes page's search field casts the same soft shadow as the clipboard page's; the
    // empty state's title is in the ordinary text colour.
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

QUILLO_TEST_WIDGETS_MAIN(TestNotesLook)
#include "tst_notes_look.moc"
