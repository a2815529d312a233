#include "test_main.h"
#include "views/clipboard/action_tile_button.h"
#include "views/clipboard/clip_row.h"
#include "views/clipboard/clipboard_image_cache.h"
#include "views/hover/clipboard_hover_state.h"
#include "views_fixture.h"

#include <QAction>
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

class TestClipRow : public QObject
{
    Q_OBJECT

    std::unique_ptr<ViewsFixture> m_f;
    ClipItem m_a;
    ClipItem m_b;

private slots:
    void init()
    {
        m_f = std::make_unique<ViewsFixture>();
        m_a = ViewsFixture::clip(ClipKind::text, QStringLiteral("第一条"), 300);
        m_b = ViewsFixture::clip(ClipKind::text, QStringLiteral("第二条"), 200, true);
        m_f->store->setClips({m_a, m_b});
        ClipboardImageCache::shared().clear();
    }

    void cleanup() { m_f.reset(); }

    // The buttons fade in (and the pin mark out) rather than appear at once.
    void hoverSwapsPinMarkForButtons()
    {
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

QUILLO_TEST_WIDGETS_MAIN(TestClipRow)
#include "tst_clip_row.moc"
