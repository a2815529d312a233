// The clipboard page and its rows over an in-memory clipboard.
#include "test_main.h"
#include "views/clipboard/action_tile_button.h"
#include "views/clipboard/clip_list_view.h"
#include "views/clipboard/clip_row.h"
#include "views/clipboard/clipboard_empty_state.h"
#include "views/clipboard/clipboard_footer.h"
#include "views/clipboard/clipboard_image_cache.h"
#include "views/clipboard/clipboard_view.h"
#include "views/hover/clipboard_hover_notifier.h"
#include "views/hover/clipboard_hover_state.h"
#include "views/widgets/icon_button.h"
#include "views/widgets/search_field.h"
#include "views_fixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryFile>
#include <QTest>

namespace {

ClipItem storedClip(const AppStore &store, const QUuid &id)
{
    for (const ClipItem &clip : store.clips())
        if (clip.id == id)
            return clip;
    return {};
}

QAction *menuAction(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

class TestClipboardView : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<ViewsFixture> m_f;
    std::unique_ptr<ClipboardView> m_view;
    ClipItem m_a;
    ClipItem m_b;

    // Two entries for the row tests, the second pinned.
    void setRowClips()
    {
        m_a = ViewsFixture::clip(ClipKind::text, QStringLiteral("第一条"), 300);
        m_b = ViewsFixture::clip(ClipKind::text, QStringLiteral("第二条"), 200, true);
        m_f->store->setClips({m_a, m_b});
    }

    ClipboardView *makeView(int width = 440, int height = 600)
    {
        m_view = std::make_unique<ClipboardView>(*m_f->store);
        m_view->resize(width, height);
        m_view->show();
        return m_view.get();
    }

private slots:
    void init()
    {
        m_f = std::make_unique<ViewsFixture>();
        ClipboardImageCache::shared().clear();
    }

    void cleanup()
    {
        m_view.reset();
        m_f.reset();
    }

    void emptyStates_data()
    {
        QTest::addColumn<bool>("history");
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("empty");
        QTest::addColumn<QString>("title");
        QTest::newRow("no history, no query") << false << "" << true << "复制内容后会出现在这里";
        QTest::newRow("no history, query") << false << "abc" << true << "没有匹配的内容";
        QTest::newRow("history, no match") << true << "zzz" << true << "没有匹配的内容";
        QTest::newRow("history, match") << true << "苹果" << false << "";
    }

    void emptyStates()
    {
        QFETCH(bool, history);
        QFETCH(QString, query);
        QFETCH(bool, empty);
        QFETCH(QString, title);
        if (history)
            m_f->store->setClips({ViewsFixture::clip(ClipKind::text, QStringLiteral("苹果"))});
        ClipboardView *view = makeView();
        m_f->store->setQuery(query);
        QCOMPARE(view->showsEmptyState(), empty);
        if (!empty)
            return;
        QCOMPARE(view->emptyState()->title(), title);
        QCOMPARE(view->emptyState()->subtitle(), query.isEmpty() ? QStringLiteral("支持文字、链接、代码、图片和文件")
                                                                 : QStringLiteral("换个关键词试试"));
    }

    void clearKeepsPinned()
    {
        const ClipItem pinned = ViewsFixture::clip(ClipKind::text, QStringLiteral("留下"), 100, true);
        m_f->store->setClips({ViewsFixture::clip(ClipKind::text, QStringLiteral("走")), pinned});
        ClipboardView *view = makeView();
        QCOMPARE(view->list()->rows().size(), 2);
        QTest::mouseClick(view->footer()->clearButton(), Qt::LeftButton);
        QCOMPARE(view->list()->rows().size(), 1);
        QCOMPARE(view->list()->rows().first()->item().id, pinned.id);
        const int created = view->list()->rowsCreated();
        QTest::mouseClick(view->footer()->clearButton(), Qt::LeftButton); // only pinned left
        QCOMPARE(view->list()->rows().size(), 1);
        QCOMPARE(view->list()->rowsCreated(), created);
    }

    void hoverClears_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("pointer over no row") << "no id";
        QTest::newRow("id as a string") << "string";
        QTest::newRow("clear notification") << "clear";
        QTest::newRow("pointer enters the search field") << "search field";
        QTest::newRow("pointer enters the footer") << "footer";
    }

    void hoverClears()
    {
        QFETCH(QString, how);
        const ClipItem item = ViewsFixture::clip(ClipKind::text, QStringLiteral("行"));
        m_f->store->setClips({item});
        ClipboardView *view = makeView();
        auto &notifier = ClipboardHoverNotifier::instance();
        notifier.postPointerMoved(item.id);
        QCOMPARE(view->hoverState().itemID(), std::optional<QUuid>(item.id));
        QVERIFY(view->list()->rows().first()->isHovered());
        if (how == QLatin1String("no id")) {
            notifier.postPointerMoved(std::nullopt);
        } else if (how == QLatin1String("string")) {
            emit notifier.pointerMoved(QVariantMap{{QStringLiteral("itemID"), item.id.toString()}});
        } else if (how == QLatin1String("clear")) {
            notifier.postClearClipboardHover();
        } else {
            QWidget *region =
                how == QLatin1String("footer") ? static_cast<QWidget *>(view->footer()) : view->searchField();
            QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), region->mapToGlobal(QPointF(5, 5)));
            QApplication::sendEvent(region, &enter);
        }
        QVERIFY(!view->hoverState().itemID());
        QVERIFY(!view->list()->rows().first()->isHovered());
    }

    void rowsReusedUnlessListChanges()
    {
        ClipItem a = ViewsFixture::clip(ClipKind::text, QStringLiteral("甲"), 100);
        const ClipItem b = ViewsFixture::clip(ClipKind::text, QStringLiteral("乙"), 200);
        m_f->store->setClips({a, b});
        ClipboardView *view = makeView();
        QCOMPARE(view->list()->rowsCreated(), 2);
        ClipRow *rowA = view->list()->row(a.id);
        // Notifications that do not change the list rebuild nothing.
        m_f->store->setStatusText(QStringLiteral("x"));
        m_f->store->setClips(m_f->store->clips());
        m_f->store->setQuery(QString());
        QCOMPARE(view->list()->rowsCreated(), 2);
        // A changed entry updates its row in place.
        m_f->store->togglePin(a);
        QCOMPARE(view->list()->row(a.id), rowA);
        QVERIFY(rowA->item().isPinned);
        QCOMPARE(view->list()->rowsCreated(), 2);
        // A new entry gets one new row; pinned first, then newest first.
        const ClipItem c = ViewsFixture::clip(ClipKind::text, QStringLiteral("丙"), 10);
        m_f->store->setClips(m_f->store->clips() + QList<ClipItem>{c});
        QCOMPARE(view->list()->rowsCreated(), 3);
        QCOMPARE(view->list()->rows().at(0)->item().id, a.id);
        QCOMPARE(view->list()->rows().at(1)->item().id, c.id);
    }

    // A long history (many pinned entries) makes rows only around what is in view.
    void rowsOnlyNearTheView()
    {
        QList<ClipItem> clips;
        for (int i = 0; i < 300; ++i)
            clips << ViewsFixture::clip(ClipKind::text, QStringLiteral("第%1条").arg(i), 100 + i, true);
        m_f->store->setClips(clips);
        ClipboardView *view = makeView(440, 600);
        ClipListView *list = view->list();
        QVERIFY2(list->rowsCreated() < 40, qPrintable(QString::number(list->rowsCreated())));
        QCOMPARE(list->items().size(), 300);
        QVERIFY(list->height() > 300 * list->itemGeometry(0).height());
        QVERIFY(list->rowAt(0) && !list->rowAt(299));
        list->scrollToIndex(299);
        QVERIFY(list->rowAt(299));
        QCOMPARE(list->rowAt(299)->geometry(), list->itemGeometry(299));
        QCOMPARE(list->rowAt(299)->item().content, QStringLiteral("第299条"));
        QVERIFY(!list->rowAt(0));
        QVERIFY(list->rows().size() < 40);
    }

    void hoverRepaintsOnlyTwoRows()
    {
        QList<ClipItem> clips;
        for (int i = 0; i < 5; ++i)
            clips << ViewsFixture::clip(ClipKind::text, QStringLiteral("第%1行").arg(i), 100 + i);
        m_f->store->setClips(clips);
        ClipboardView *view = makeView(440, 700);
        QVERIFY(QTest::qWaitForWindowExposed(view));
        const QList<ClipRow *> rows = view->list()->rows();
        auto &notifier = ClipboardHoverNotifier::instance();
        notifier.postPointerMoved(rows[1]->item().id);
        QTRY_VERIFY_WITH_TIMEOUT(rows[1]->paintCount() > 0, 2000);
        QTest::qWait(50);
        QList<int> before;
        for (ClipRow *row : rows)
            before << row->paintCount();
        notifier.postPointerMoved(rows[3]->item().id);
        notifier.postPointerMoved(rows[3]->item().id); // repeats change nothing
        QTRY_VERIFY_WITH_TIMEOUT(rows[3]->paintCount() > before[3], 2000);
        QTest::qWait(50);
        for (int i = 0; i < rows.size(); ++i) {
            const bool involved = i == 1 || i == 3;
            QCOMPARE(rows[i]->paintCount() > before[i], involved);
        }
    }

    void copiedMarkLastsWhileCopiedIDNamesEntry()
    {
        const ClipItem item = ViewsFixture::clip(ClipKind::text, QStringLiteral("复制我"));
        m_f->store->setClips({item});
        ClipboardView *view = makeView();
        ClipRow *row = view->list()->rows().first();
        ClipboardHoverNotifier::instance().postPointerMoved(item.id);
        QTest::mouseClick(row->copyButton(), Qt::LeftButton);
        QCOMPARE(m_f->pasteboard.writes().constLast().text, item.content);
        QCOMPARE(row->copyButton()->symbol(), QStringLiteral("checkmark"));
        QCOMPARE(row->copyButton()->toolTip(), QStringLiteral("已复制"));
        // The store clears the mark 1.4 s later; the row follows.
        QTRY_COMPARE_WITH_TIMEOUT(row->copyButton()->symbol(), QStringLiteral("doc.on.doc"), 3000);
        QCOMPARE(row->copyButton()->toolTip(), QStringLiteral("复制"));
    }

    void labelsArePlainText()
    {
        ClipboardView *view = makeView();
        for (QLabel *label : view->findChildren<QLabel *>())
            if (!label->text().isEmpty())
                QCOMPARE(label->textFormat(), Qt::PlainText);
    }

    // The buttons fade in (and the pin mark out) rather than appear at once.
    void hoverSwapsPinMarkForButtons()
    {
        setRowClips();
        ClipboardHoverState hover;
        ClipRow row(*m_f->store, m_b, hover);
        row.resize(404, 74);
        row.show();
        QVERIFY(row.showsPinMark());
        QVERIFY(!row.copyButton()->isVisible());
        const QRect tile(row.copyButton()->mapTo(&row, QPoint(0, 0)), row.copyButton()->size());
        hover.update(m_b.id);
        QVERIFY(row.isHovered());
        QVERIFY(!row.showsPinMark());
        QVERIFY(row.noteButton()->isVisible() && row.pinButton()->isVisible() && row.copyButton()->isVisible());
        const QImage started = row.grab(tile).toImage();
        QTest::qWait(row.style().actionsFadeMs + 100);
        const QImage faded = row.grab(tile).toImage();
        QVERIFY2(started != faded, "the buttons appeared at full strength at once");
        hover.update(m_a.id); // another row
        QVERIFY(row.showsPinMark());
        QTRY_VERIFY(!row.copyButton()->isVisible()); // once faded out
    }

    void menuActsOnItsEntry()
    {
        setRowClips();
        ClipboardHoverState hover;
        ClipRow row(*m_f->store, m_a, hover);
        std::unique_ptr<QMenu> menu(row.createContextMenu());
        menuAction(menu.get(), QStringLiteral("复制"))->trigger();
        QCOMPARE(m_f->store->copiedID(), std::optional<QUuid>(m_a.id));
        menuAction(menu.get(), QStringLiteral("收藏"))->trigger();
        QVERIFY(storedClip(*m_f->store, m_a.id).isPinned);
        std::unique_ptr<QMenu> pinnedMenu(ClipRow(*m_f->store, m_b, hover).createContextMenu());
        menuAction(pinnedMenu.get(), QStringLiteral("取消收藏"))->trigger();
        QVERIFY(!storedClip(*m_f->store, m_b.id).isPinned);
        menuAction(menu.get(), QStringLiteral("删除"))->trigger();
        QCOMPARE(m_f->store->clips().size(), 1);
        QCOMPARE(m_f->store->clips().first().id, m_b.id);
    }

    void noteActionSwitchesOnlyOnSuccess_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("note written") << true;
        QTest::newRow("folder unusable") << false;
    }

    void noteActionSwitchesOnlyOnSuccess()
    {
        setRowClips();
        QFETCH(bool, writable);
        QTemporaryFile blocker; // a plain file where a folder would have to be
        QVERIFY(blocker.open());
        if (!writable)
            m_f->store->setNoteDirectory(blocker.fileName() + QStringLiteral("/notes"));
        m_f->store->setQuery(QStringLiteral("第"));
        ClipboardHoverState hover;
        ClipRow row(*m_f->store, m_a, hover);
        QTest::mouseClick(row.noteButton(), Qt::LeftButton);
        QCOMPARE(m_f->store->mode(), writable ? ContentMode::notes : ContentMode::clipboard);
        QCOMPARE(m_f->store->query(), writable ? QString() : QStringLiteral("第"));
    }

    void thumbnailOrKindTile_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<bool>("thumbnail");
        QTest::newRow("stored picture") << true << true;
        QTest::newRow("missing file") << false << false;
    }

    void thumbnailOrKindTile()
    {
        QFETCH(bool, fileExists);
        QFETCH(bool, thumbnail);
        QString path = m_f->store->imagesDirectory() + QStringLiteral("/gone.png");
        if (fileExists)
            path = m_f->storedPicture(QStringLiteral("shown"));
        ClipItem item = ClipItem::make(ClipKind::image, QString(), QString(), ClipItem::sourceClipboard(), path);
        ClipboardHoverState hover;
        ClipRow row(*m_f->store, item, hover);
        row.resize(404, 74);
        QVERIFY(!row.showsThumbnail()); // nothing is decoded before the row is painted
        row.grab();
        QCOMPARE(row.showsThumbnail(), thumbnail);
        QCOMPARE(ClipboardImageCache::shared().count(), thumbnail ? 1 : 0);
        QCOMPARE(row.previewText(), QStringLiteral("图片"));
    }

    void markupShownLiterally()
    {
        const QString html = QStringLiteral("<img src=\"file:///etc/x.png\"><b>粗</b>");
        ClipItem item = ViewsFixture::clip(ClipKind::text, html);
        ClipboardHoverState hover;
        ClipRow row(*m_f->store, item, hover);
        row.resize(404, 74);
        QVERIFY(row.previewLines().join(QString()).contains(QStringLiteral("<b>粗</b>")));
    }

    void hoveredCardIsBrighter()
    {
        setRowClips();
        ClipboardHoverState hover;
        ClipRow row(*m_f->store, m_a, hover);
        row.resize(404, 74);
        const QPoint probe(30, 4); // inside the card, away from texts and tile
        const QColor rest = row.grab().toImage().pixelColor(probe);
        hover.update(m_a.id);
        const QColor hovered = row.grab().toImage().pixelColor(probe);
        QVERIFY2(hovered.lightness() > rest.lightness(), "hovered fill must be lighter");
    }
};

QUILLO_TEST_WIDGETS_MAIN(TestClipboardView)
#include "tst_clipboard_view.moc"
