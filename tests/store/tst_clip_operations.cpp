#include "app_store_test_access.h"
#include "fake_pasteboard.h"
#include "store/app_store.h"
#include "test_main.h"

#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <memory>

namespace {

// "t:A@10*" is a text entry "A" created at 10 s, pinned; l = link, c = code, i = image.
ClipItem entry(const QString &description)
{
    const QChar kindLetter = description.at(0);
    const ClipKind kind = kindLetter == 'l'   ? ClipKind::link
                          : kindLetter == 'c' ? ClipKind::code
                          : kindLetter == 'i' ? ClipKind::image
                                              : ClipKind::text;
    const qsizetype at = description.indexOf('@');
    const QString content = description.mid(2, at - 2);
    ClipItem item = ClipItem::make(kind, content, content);
    QString time = description.mid(at + 1);
    item.isPinned = time.endsWith('*');
    if (item.isPinned)
        time.chop(1);
    item.createdAt = time.toDouble();
    return item;
}

ClipItem picture(const QString &path, double createdAt, bool pinned = false)
{
    ClipItem item = ClipItem::make(ClipKind::image, QStringLiteral("复制的图片"), QStringLiteral("图片"),
                                   ClipItem::sourceClipboard(), path);
    item.createdAt = createdAt;
    item.isPinned = pinned;
    return item;
}

QStringList contents(const QList<ClipItem> &clips)
{
    QStringList list;
    for (const ClipItem &clip : clips)
        list << clip.content;
    return list;
}

QStringList titles(const QList<ClipItem> &clips)
{
    QStringList list;
    for (const ClipItem &clip : clips)
        list << clip.title;
    return list;
}

QString writePng(const QString &path, const QColor &color)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(color);
    if (!image.save(path, "PNG"))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

} // namespace

class TestClipOperations : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakePasteboard> m_pasteboard;
    std::unique_ptr<AppStore> m_store;

    AppStore &store() { return *m_store; }
    QString images() const { return m_store->imagesDirectory(); }
    QString image(const QString &name) const { return images() + '/' + name; }
    void add(const ClipItem &item) { AppStoreTestAccess::addClip(*m_store, item); }

private slots:
    void init()
    {
        m_pasteboard = std::make_unique<FakePasteboard>();
        m_store = std::make_unique<AppStore>(AppStore::Options{m_pasteboard.get(), nullptr, false});
        m_store->setClips({});
        QDir(images()).removeRecursively();
        QDir(m_store->supportDirectory() + "/outside").removeRecursively();
        QDir().mkpath(images());
    }
    void cleanup()
    {
        m_store.reset();
        m_pasteboard.reset();
    }

    // --- addClip: duplicates ------------------------------------------------------------

    void addClipDuplicates_data()
    {
        QTest::addColumn<QStringList>("initial");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("A then A") << QStringList{"t:A@10"} << "t:A@20" << QStringList{"A"};
        QTest::newRow("A, B, A") << QStringList{"t:B@20", "t:A@10"} << "t:A@30" << QStringList{"A", "B", "A"};
        QTest::newRow("same content, other kind") << QStringList{"t:x@10"} << "l:x@20" << QStringList{"x", "x"};
        QTest::newRow("two equal links") << QStringList{"l:x@10"} << "l:x@20" << QStringList{"x"};
        QTest::newRow("pinned first: repeat of the newest is dropped")
            << QStringList{"t:P@5*", "t:B@20", "t:C@10"} << "t:B@30" << QStringList{"P", "B", "C"};
        QTest::newRow("pinned first: repeat of the pinned one is kept")
            << QStringList{"t:P@5*", "t:B@20", "t:C@10"} << "t:P@30" << QStringList{"P", "P", "B", "C"};
        QTest::newRow("tie on time: earliest position counts")
            << QStringList{"t:X@10", "t:Y@10"} << "t:X@20" << QStringList{"X", "Y"};
        QTest::newRow("tie on time: later position does not")
            << QStringList{"t:X@10", "t:Y@10"} << "t:Y@20" << QStringList{"Y", "X", "Y"};
        QTest::newRow("empty history") << QStringList{} << "c:let a@1" << QStringList{"let a"};
    }
    void addClipDuplicates()
    {
        QFETCH(QStringList, initial);
        QFETCH(QString, added);
        QFETCH(QStringList, expected);
        QList<ClipItem> clips;
        for (const QString &description : initial)
            clips << entry(description);
        store().setClips(clips);
        QSignalSpy changes(&store(), &AppStore::clipsChanged);

        add(entry(added));

        QCOMPARE(contents(store().clips()), expected);
        const bool inserted = expected.size() > initial.size();
        QCOMPARE(changes.count(), inserted ? 1 : 0);
        QCOMPARE(AppStoreTestAccess::isSavePending(store()), inserted);
    }

    // --- addClip: the history limit -----------------------------------------------------

    void addClipTrims_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<QList<int>>("pinnedPositions");
        QTest::addColumn<QStringList>("head");
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<int>("size");
        QTest::newRow("100 unpinned") << 100 << QList<int>{} << QStringList{"new", "u0"} << QStringList{"u99"} << 100;
        QTest::newRow("3 pinned, 97 unpinned")
            << 100 << QList<int>{10, 50, 90} << QStringList{"u10", "u50", "u90", "new", "u0"} << QStringList{"u99"}
            << 100;
        QList<int> all;
        for (int i = 0; i < 101; ++i)
            all << i;
        QTest::newRow("101 pinned") << 101 << all << QStringList{"u0"} << QStringList{"new"} << 101;
        QTest::newRow("99 entries: no trim") << 99 << QList<int>{5} << QStringList{"new", "u0"} << QStringList{} << 100;
    }
    void addClipTrims()
    {
        QFETCH(int, total);
        QFETCH(QList<int>, pinnedPositions);
        QFETCH(QStringList, head);
        QFETCH(QStringList, dropped);
        QFETCH(int, size);
        QList<ClipItem> clips;
        for (int i = 0; i < total; ++i) {
            clips << entry(QStringLiteral("t:u%1@%2").arg(i).arg(1000 - i));
            clips.last().isPinned = pinnedPositions.contains(i);
        }
        store().setClips(clips);

        add(entry("t:new@2000"));

        const QStringList result = contents(store().clips());
        QCOMPARE(result.size(), size);
        QCOMPARE(result.mid(0, head.size()), head);
        for (const QString &gone : dropped)
            QVERIFY2(!result.contains(gone), qPrintable(gone));
        for (int position : pinnedPositions)
            QVERIFY(result.contains(QStringLiteral("u%1").arg(position)));
        QVERIFY(AppStoreTestAccess::isSavePending(store()));
    }

    // --- addClip: pictures ----------------------------------------------------------------

    void addClipComparesPictures_data()
    {
        QTest::addColumn<QColor>("second");
        QTest::addColumn<bool>("textBetween");
        QTest::addColumn<int>("entries");
        QTest::newRow("two different pictures") << QColor(Qt::blue) << false << 2;
        QTest::newRow("same picture twice") << QColor(Qt::red) << false << 1;
        QTest::newRow("same picture after a text") << QColor(Qt::red) << true << 3;
    }
    void addClipComparesPictures()
    {
        QFETCH(QColor, second);
        QFETCH(bool, textBetween);
        QFETCH(int, entries);
        const QString first = writePng(image("FIRST.png"), Qt::red);
        const QString next = writePng(image("NEXT.png"), second);
        add(picture(first, 10));
        if (textBetween)
            add(entry("t:between@11"));
        add(picture(next, 12));

        QCOMPARE(store().clips().size(), entries);
        QVERIFY(QFile::exists(first));
        // A picture that never became an entry leaves no file behind.
        const bool nextListed = store().clips().first().imagePath == next;
        QCOMPARE(QFile::exists(next), nextListed);
    }

    void duplicatePictureFilesOutsideImagesStay()
    {
        const QString first = writePng(image("FIRST.png"), Qt::red);
        const QString outside = writePng(store().supportDirectory() + "/outside/SAME.png", Qt::red);
        add(picture(first, 10));
        add(picture(outside, 11));
        // Not a stored picture: no digest is taken, so it is not a repeat, and it stays.
        QCOMPARE(store().clips().size(), 2);
        QVERIFY(QFile::exists(outside));
    }

    void pictureWithMissingFileIsNoRepeat()
    {
        add(picture(image("GONE.png"), 10));
        const QString next = writePng(image("NEXT.png"), Qt::red);
        add(picture(next, 11));
        QCOMPARE(store().clips().size(), 2);
    }

    void trimDeletesOrphanPictures_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("sharedWithPinned");
        QTest::addColumn<bool>("remains");
        QTest::newRow("stored picture") << "images" << false << false;
        QTest::newRow("stored picture still named by a pinned entry") << "images" << true << true;
        QTest::newRow("file outside the images folder") << "outside" << false << true;
    }
    void trimDeletesOrphanPictures()
    {
        QFETCH(QString, where);
        QFETCH(bool, sharedWithPinned);
        QFETCH(bool, remains);
        const QString path =
            writePng(where == "images" ? image("OLD.png") : store().supportDirectory() + "/outside/OLD.png", Qt::green);
        QList<ClipItem> clips;
        if (sharedWithPinned)
            clips << picture(path, 1, true);
        while (clips.size() < 99)
            clips << entry(QStringLiteral("t:u%1@%2").arg(clips.size()).arg(500 - clips.size()));
        clips << picture(path, 2);
        store().setClips(clips);

        add(entry("t:new@1000"));

        QCOMPARE(store().clips().size(), 100);
        QCOMPARE(store().clips().last().kind, ClipKind::text);
        QCOMPARE(QFile::exists(path), remains);
    }

    // --- copy -----------------------------------------------------------------------------

    void copyWritesTextAndMarksEntry()
    {
        const ClipItem item = entry("t:hello world@10");
        store().setClips({item});
        store().copy(item);

        QCOMPARE(m_pasteboard->writes().size(), 1);
        QCOMPARE(m_pasteboard->writes().first().text, QString("hello world"));
        QCOMPARE(AppStoreTestAccess::lastChangeCount(store()), m_pasteboard->changeCount());
        QCOMPARE(store().copiedID(), std::optional<QUuid>(item.id));
        QCOMPARE(store().clips(), QList<ClipItem>{item});
        QVERIFY(!AppStoreTestAccess::isSavePending(store()));
        QTRY_COMPARE_WITH_TIMEOUT(store().copiedID(), std::nullopt, 3000);
    }

    void laterCopyKeepsItsMark()
    {
        const ClipItem x = entry("t:x@10");
        const ClipItem y = entry("t:y@11");
        QSignalSpy marks(&store(), &AppStore::copiedIDChanged);
        store().copy(x);
        QTest::qWait(500);
        store().copy(y);
        QElapsedTimer sinceY;
        sinceY.start();
        QTRY_COMPARE_WITH_TIMEOUT(store().copiedID(), std::nullopt, 3000);
        // x's reset, due about 0.9 s after y's copy, must have left y's mark alone.
        QVERIFY2(sinceY.elapsed() >= 1300, qPrintable(QString::number(sinceY.elapsed())));
        QCOMPARE(marks.count(), 3);
    }

    void copyPutsStoredPictureBack()
    {
        const ClipItem item = picture(writePng(image("PIC.png"), Qt::magenta), 10);
        store().copy(item);
        QCOMPARE(m_pasteboard->writes().size(), 1);
        const QImage written = m_pasteboard->writes().first().image;
        QCOMPARE(written.size(), QSize(4, 3));
        QCOMPARE(written.pixelColor(0, 0), QColor(Qt::magenta));
        QCOMPARE(store().copiedID(), std::optional<QUuid>(item.id));
    }

    void copyOfUnloadablePictureChangesNothing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing file") << "images/MISSING.png";
        QTest::newRow("not a picture") << "images/NOTPNG.png";
        QTest::newRow("picture outside the images folder") << "outside/PIC.png";
        QTest::newRow("no path at all") << "";
    }
    void copyOfUnloadablePictureChangesNothing()
    {
        QFETCH(QString, path);
        writePng(store().supportDirectory() + "/outside/PIC.png", Qt::red);
        QFile junk(image("NOTPNG.png"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a picture");
        junk.close();
        const QString absolute = path.isEmpty()               ? QString()
                                 : path.startsWith("images/") ? image(path.mid(7))
                                                              : store().supportDirectory() + '/' + path;
        ClipItem item = picture(absolute, 10);
        if (path.isEmpty())
            item.imagePath.reset();
        const qint64 countBefore = m_pasteboard->changeCount();
        const qint64 lastBefore = AppStoreTestAccess::lastChangeCount(store());

        store().copy(item);

        QVERIFY(m_pasteboard->writes().isEmpty());
        QCOMPARE(m_pasteboard->changeCount(), countBefore);
        QCOMPARE(AppStoreTestAccess::lastChangeCount(store()), lastBefore);
        QCOMPARE(store().copiedID(), std::nullopt);
    }

    // --- togglePin --------------------------------------------------------------------------

    void togglePinFlipsInPlace()
    {
        const QList<ClipItem> clips{entry("t:a@3"), entry("t:b@2"), entry("t:c@1")};
        store().setClips(clips);
        store().togglePin(clips[2]);
        QCOMPARE(contents(store().clips()), (QStringList{"a", "b", "c"}));
        QVERIFY(store().clips()[2].isPinned);
        QVERIFY(AppStoreTestAccess::isSavePending(store()));
        QCOMPARE(contents(store().filteredClips()), (QStringList{"c", "a", "b"}));
        store().togglePin(clips[2]);
        QVERIFY(!store().clips()[2].isPinned);
    }

    void togglePinOfUnknownEntryDoesNothing()
    {
        store().setClips({entry("t:a@3")});
        QSignalSpy changes(&store(), &AppStore::clipsChanged);
        store().togglePin(entry("t:a@3"));
        QCOMPARE(changes.count(), 0);
        QVERIFY(!AppStoreTestAccess::isSavePending(store()));
    }

    // --- delete and clear -------------------------------------------------------------------

    void deleteRemovesOnlyStoredPictures_data()
    {
        QTest::addColumn<QString>("victim");
        QTest::addColumn<QStringList>("deletedFiles");
        QTest::newRow("unpinned stored picture") << "A" << QStringList{"A.png"};
        QTest::newRow("pinned stored picture") << "B" << QStringList{"B.png"};
        QTest::newRow("file outside") << "O" << QStringList{};
        QTest::newRow("link to a file outside") << "L" << QStringList{};
        QTest::newRow("dot-dot out of the folder") << "D" << QStringList{};
        QTest::newRow("file in a subfolder") << "S" << QStringList{};
        QTest::newRow("file another entry names") << "H1" << QStringList{};
        QTest::newRow("link to a file another entry names") << "K" << QStringList{};
        QTest::newRow("text entry") << "T" << QStringList{};
        QTest::newRow("entry no longer listed") << "Z" << QStringList{"Z.png"};
    }
    void deleteRemovesOnlyStoredPictures()
    {
        QFETCH(QString, victim);
        QFETCH(QStringList, deletedFiles);
        const QMap<QString, ClipItem> fixture = makeDeletionFixture();
        const QStringList before = fixtureFiles();

        store().deleteClip(fixture[victim]);

        QVERIFY(std::none_of(store().clips().cbegin(), store().clips().cend(),
                             [&](const ClipItem &c) { return c.id == fixture[victim].id; }));
        QCOMPARE(store().clips().size(), victim == "Z" ? fixture.size() - 1 : fixture.size() - 2);
        QVERIFY(AppStoreTestAccess::isSavePending(store()));
        for (const QString &file : before)
            QVERIFY2(QFileInfo::exists(file) != deletedFiles.contains(QFileInfo(file).fileName()), qPrintable(file));
    }

    void clearUnpinnedKeepsPinnedAndForeignFiles()
    {
        const QMap<QString, ClipItem> fixture = makeDeletionFixture();
        const QStringList before = fixtureFiles();

        store().clearUnpinned();

        QCOMPARE(titles(store().clips()), (QStringList{"B", "H2"}));
        QVERIFY(AppStoreTestAccess::isSavePending(store()));
        for (const QString &file : before)
            QVERIFY2(QFileInfo::exists(file) != (QFileInfo(file).fileName() == "A.png"), qPrintable(file));
    }

    // --- filteredClips ------------------------------------------------------------------------

    void filteredClipsQuery_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty: pinned first, newest first, ties stable")
            << "" << QStringList{"pinned old", "foo bar", "tie first", "tie second", "Café", "school", "file.txt"};
        QTest::newRow("white space only")
            << " \n " << QStringList{"pinned old", "foo bar", "tie first", "tie second", "Café", "school", "file.txt"};
        QTest::newRow("trimmed and lower-cased") << "  FOO " << QStringList{"foo bar"};
        QTest::newRow("source label") << "finder" << QStringList{"file.txt"};
        QTest::newRow("across the title-content join") << "bar hello" << QStringList{"foo bar"};
        QTest::newRow("decomposed query, precomposed entry") << QStringLiteral("cafe\u0301") << QStringList{"Café"};
        QTest::newRow("precomposed query, decomposed entry") << QStringLiteral("\u00C9COLE") << QStringList{"school"};
        QTest::newRow("Chinese source label") << QStringLiteral("浏览器") << QStringList{"pinned old"};
        QTest::newRow("no match") << "zzz" << QStringList{};
    }
    void filteredClipsQuery()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, expected);
        QList<ClipItem> clips;
        auto make = [&](const QString &title, const QString &content, const QString &source, double at, bool pin) {
            ClipItem item = ClipItem::make(ClipKind::text, title, content, source);
            item.createdAt = at;
            item.isPinned = pin;
            clips << item;
        };
        make("school", QStringLiteral("E\u0301COLE"), ClipItem::sourceClipboard(), 20, false);
        make("tie first", "t1", ClipItem::sourceClipboard(), 30, false);
        make("foo bar", "hello", ClipItem::sourceClipboard(), 40, false);
        make("tie second", "t2", ClipItem::sourceClipboard(), 30, false);
        make("pinned old", "https://x.io", ClipItem::sourceBrowser(), 1, true);
        make("file.txt", "/home/u/file.txt", ClipItem::sourceFinder(), 5, false);
        make("Café", QStringLiteral("Caf\u00E9 au lait"), ClipItem::sourceClipboard(), 25, false);
        store().setClips(clips);
        store().setQuery(query);
        QCOMPARE(titles(store().filteredClips()), expected);
    }

    void filteredClipsFollowsEveryChange()
    {
        store().setClips({entry("t:alpha@1"), entry("t:beta@2")});
        store().setQuery("alpha");
        QCOMPARE(contents(store().filteredClips()), QStringList{"alpha"});

        store().setClips({entry("t:gamma@1"), entry("t:alphabet@2")}); // same size, new content
        QCOMPARE(contents(store().filteredClips()), QStringList{"alphabet"});

        add(entry("t:alpha again@3"));
        QCOMPARE(contents(store().filteredClips()), (QStringList{"alpha again", "alphabet"}));

        store().togglePin(store().clips()[1]); // gamma
        store().setQuery("");
        QCOMPARE(contents(store().filteredClips()), (QStringList{"gamma", "alpha again", "alphabet"}));

        store().deleteClip(store().clips().first());
        QCOMPARE(contents(store().filteredClips()), (QStringList{"gamma", "alphabet"}));

        QList<ClipItem> edited = store().clips(); // same ids, one text changed
        edited[0].content = "delta";
        store().setClips(edited);
        store().setQuery("delta");
        QCOMPARE(contents(store().filteredClips()), QStringList{"delta"});
    }

private:
    // Entries named by their titles, with pictures in and around the images folder:
    // A unpinned and B pinned stored pictures; O outside; L a link in the folder to a file
    // outside; D "<images>/../victim.png"; S in a subfolder; H1 unpinned and H2 pinned
    // sharing one picture; K a link in the folder to H's picture; T text; Z not listed.
    QMap<QString, ClipItem> makeDeletionFixture()
    {
        const QString outside = store().supportDirectory() + "/outside";
        writePng(image("A.png"), Qt::red);
        writePng(image("B.png"), Qt::green);
        writePng(outside + "/O.png", Qt::blue);
        writePng(outside + "/T.png", Qt::cyan);
        QFile::link(outside + "/T.png", image("L.png"));
        writePng(store().supportDirectory() + "/victim.png", Qt::yellow);
        writePng(image("sub/S.png"), Qt::gray);
        writePng(image("H.png"), Qt::black);
        QFile::link(image("H.png"), image("K.png"));
        writePng(image("Z.png"), Qt::white);

        QMap<QString, ClipItem> fixture;
        auto named = [&](const QString &title, const QString &path, bool pinned) {
            ClipItem item = picture(path, 100 - fixture.size(), pinned);
            item.title = title;
            fixture.insert(title, item);
        };
        named("A", image("A.png"), false);
        named("B", image("B.png"), true);
        named("O", outside + "/O.png", false);
        named("L", image("L.png"), false);
        named("D", images() + "/../victim.png", false);
        named("S", image("sub/S.png"), false);
        named("H1", image("H.png"), false);
        named("H2", image("H.png"), true);
        named("K", image("K.png"), false);
        fixture.insert("T", entry("t:T@1"));
        fixture["T"].title = "T";
        QList<ClipItem> clips;
        for (const ClipItem &item : std::as_const(fixture))
            clips << item;
        std::sort(clips.begin(), clips.end(), [](const ClipItem &a, const ClipItem &b) { return a.title < b.title; });
        named("Z", image("Z.png"), false);
        store().setClips(clips);
        return fixture;
    }

    QStringList fixtureFiles() const
    {
        const QString outside = m_store->supportDirectory() + "/outside";
        return {image("A.png"),     image("B.png"), outside + "/O.png",
                outside + "/T.png", image("L.png"), m_store->supportDirectory() + "/victim.png",
                image("sub/S.png"), image("H.png"), image("K.png"),
                image("Z.png")};
    }
};

QUILLO_TEST_GUILESS_MAIN(TestClipOperations)
#include "tst_clip_operations.moc"
