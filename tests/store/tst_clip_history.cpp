#include "test_main.h"

#include "store/clip_history.h"
#include "store/clip_pictures.h"
#include "store/persistence_queue.h"

#include <QColor>
#include <QMap>
#include <QTemporaryDir>
#include <numeric>

namespace {

// "t:A@10*" is a text entry "A" created at 10 s, pinned; l = link, c = code.
ClipItem entry(const QString &description)
{
    const QChar letter = description.at(0);
    const ClipKind kind = letter == 'l' ? ClipKind::link : letter == 'c' ? ClipKind::code : ClipKind::text;
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

QList<ClipItem> entries(const QStringList &descriptions)
{
    QList<ClipItem> clips;
    for (const QString &description : descriptions)
        clips << entry(description);
    return clips;
}

ClipItem picture(const QString &path, double createdAt, bool pinned = false)
{
    ClipItem item = ClipItem::make(ClipKind::image, QStringLiteral("复制的图片"), QStringLiteral("图片"),
                                   ClipItem::sourceClipboard(), path);
    item.createdAt = createdAt;
    item.isPinned = pinned;
    return item;
}

QStringList contents(const QList<ClipItem> &clips, QString ClipItem::*field = &ClipItem::content)
{
    QStringList list;
    for (const ClipItem &clip : clips)
        list << clip.*field;
    return list;
}

QStringList titles(const QList<ClipItem> &clips)
{
    return contents(clips, &ClipItem::title);
}

} // namespace

// The history's operations on real picture files in a temporary folder.
class TestClipHistory : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    PersistenceQueue m_queue;
    std::unique_ptr<ClipPictures> m_pictures;
    std::unique_ptr<ClipHistory> m_history;

    QString images() const { return m_dir.filePath(QStringLiteral("images")); }
    QString image(const QString &name) const { return images() + '/' + name; }
    QString outside(const QString &name) const { return m_dir.filePath(QStringLiteral("outside/") + name); }
    static QString writePng(const QString &path, const QColor &color)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QImage png(4, 3, QImage::Format_ARGB32);
        png.fill(color);
        png.save(path, "PNG");
        return path;
    }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(images());
        m_pictures = std::make_unique<ClipPictures>(images(), m_queue);
        m_history = std::make_unique<ClipHistory>(*m_pictures);
    }

    void addDropsARepeatOfTheNewest_data()
    {
        QTest::addColumn<QStringList>("initial");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("A then A") << QStringList{"t:A@10"} << "t:A@20" << QStringList{"A"};
        QTest::newRow("A, B, A") << QStringList{"t:B@20", "t:A@10"} << "t:A@30" << QStringList{"A", "B", "A"};
        QTest::newRow("same content, other kind") << QStringList{"t:x@10"} << "l:x@20" << QStringList{"x", "x"};
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
    void addDropsARepeatOfTheNewest()
    {
        QFETCH(QStringList, initial);
        QFETCH(QString, added);
        QFETCH(QStringList, expected);
        m_history->setClips(entries(initial));
        QCOMPARE(m_history->add(entry(added)), expected.size() > initial.size());
        QCOMPARE(contents(m_history->clips()), expected);
    }

    void addKeepsTheLimit_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<QList<int>>("pinnedPositions");
        QTest::addColumn<QStringList>("head");
        QTest::addColumn<int>("size");
        QTest::newRow("100 unpinned") << 100 << QList<int>{} << QStringList{"new", "u0"} << 100;
        QTest::newRow("3 pinned, 97 unpinned")
            << 100 << QList<int>{10, 50, 90} << QStringList{"u10", "u50", "u90", "new", "u0"} << 100;
        QList<int> all(101);
        std::iota(all.begin(), all.end(), 0);
        QTest::newRow("101 pinned") << 101 << all << QStringList{"u0"} << 101;
        QTest::newRow("99 entries: no trim") << 99 << QList<int>{5} << QStringList{"new", "u0"} << 100;
    }
    void addKeepsTheLimit()
    {
        QFETCH(int, total);
        QFETCH(QList<int>, pinnedPositions);
        QFETCH(QStringList, head);
        QFETCH(int, size);
        QList<ClipItem> clips;
        for (int i = 0; i < total; ++i) {
            clips << entry(QStringLiteral("t:u%1@%2").arg(i).arg(1000 - i));
            clips.last().isPinned = pinnedPositions.contains(i);
        }
        m_history->setClips(clips);
        m_history->add(entry("t:new@2000"));
        const QStringList result = contents(m_history->clips());
        QCOMPARE(result.size(), size);
        QCOMPARE(result.mid(0, head.size()), head);
        for (int position : pinnedPositions)
            QVERIFY(result.contains(QStringLiteral("u%1").arg(position)));
        // Only the oldest unpinned entry goes, and only when there is no room.
        QCOMPARE(result.contains(QStringLiteral("u%1").arg(total - 1)),
                 total < ClipHistory::kLimit || pinnedPositions.contains(total - 1));
    }

    // Pictures all read "图片": a repeat is the same picture, by file or by bytes. A repeat's
    // own file goes, unless it is not a stored picture.
    void addComparesPictures_data()
    {
        QTest::addColumn<QString>("second"); // where the second picture's file is
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("textBetween");
        QTest::addColumn<int>("entries");
        QTest::newRow("different pictures") << "images" << QColor(Qt::blue) << false << 2;
        QTest::newRow("same picture twice") << "images" << QColor(Qt::red) << false << 1;
        QTest::newRow("same picture after a text") << "images" << QColor(Qt::red) << true << 3;
        QTest::newRow("same bytes outside the folder") << "outside" << QColor(Qt::red) << false << 2;
        QTest::newRow("first file missing") << "images" << QColor(Qt::red) << false << 2;
    }
    void addComparesPictures()
    {
        QFETCH(QString, second);
        QFETCH(QColor, colour);
        QFETCH(bool, textBetween);
        QFETCH(int, entries);
        const QString first = image("FIRST.png");
        const bool firstMissing = QString(QTest::currentDataTag()) == "first file missing";
        if (!firstMissing)
            writePng(first, Qt::red);
        const QString next = writePng(second == "images" ? image("NEXT.png") : outside("NEXT.png"), colour);
        m_history->add(picture(first, 10));
        if (textBetween)
            m_history->add(entry("t:between@11"));
        m_history->add(picture(next, 12));
        QCOMPARE(m_history->clips().size(), entries);
        QCOMPARE(QFile::exists(first), !firstMissing);
        QCOMPARE(QFile::exists(next), m_history->clips().first().imagePath == next || second == "outside");
    }

    void trimDeletesOrphanPictures_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("sharedWithPinned");
        QTest::addColumn<bool>("remains");
        QTest::newRow("stored picture") << true << false << false;
        QTest::newRow("stored picture still named by a pinned entry") << true << true << true;
        QTest::newRow("file outside the images folder") << false << false << true;
    }
    void trimDeletesOrphanPictures()
    {
        QFETCH(bool, stored);
        QFETCH(bool, sharedWithPinned);
        const QString path = writePng(stored ? image("OLD.png") : outside("OLD.png"), Qt::green);
        QList<ClipItem> clips;
        if (sharedWithPinned)
            clips << picture(path, 1, true);
        while (clips.size() < ClipHistory::kLimit - 1)
            clips << entry(QStringLiteral("t:u%1@%2").arg(clips.size()).arg(500 - clips.size()));
        clips << picture(path, 2);
        m_history->setClips(clips);
        m_history->add(entry("t:new@1000"));
        QCOMPARE(m_history->clips().last().kind, ClipKind::text);
        QTEST(QFile::exists(path), "remains");
    }

    void togglePinFlipsInPlace()
    {
        const QList<ClipItem> clips = entries({"t:a@3", "t:b@2", "t:c@1"});
        m_history->setClips(clips);
        QVERIFY(m_history->togglePin(clips[2].id));
        QCOMPARE(contents(m_history->clips()), (QStringList{"a", "b", "c"}));
        QVERIFY(m_history->clips()[2].isPinned);
        QVERIFY(m_history->togglePin(clips[2].id));
        QVERIFY(!m_history->clips()[2].isPinned);
        QVERIFY(!m_history->togglePin(entry("t:a@3").id)); // same text, other entry
    }

    void removeDeletesOnlyStoredPictures_data()
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
    void removeDeletesOnlyStoredPictures()
    {
        QFETCH(QString, victim);
        QFETCH(QStringList, deletedFiles);
        const QMap<QString, ClipItem> fixture = makeDeletionFixture();
        const QStringList before = fixtureFiles();
        m_history->remove(fixture[victim]);
        QCOMPARE(m_history->clips().size(), victim == "Z" ? fixture.size() - 1 : fixture.size() - 2);
        QVERIFY(!titles(m_history->clips()).contains(victim));
        for (const QString &file : before)
            QVERIFY2(QFileInfo::exists(file) != deletedFiles.contains(QFileInfo(file).fileName()), qPrintable(file));
    }

    void clearUnpinnedKeepsPinnedAndForeignFiles()
    {
        makeDeletionFixture();
        const QStringList before = fixtureFiles();
        m_history->clearUnpinned();
        QCOMPARE(titles(m_history->clips()), (QStringList{"B", "H2"}));
        for (const QString &file : before)
            QVERIFY2(QFileInfo::exists(file) != (QFileInfo(file).fileName() == "A.png"), qPrintable(file));
    }

    void filteredQuery_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("expected");
        const QStringList all{"pinned old", "foo bar", "tie first", "tie second", "Café", "school", "file.txt"};
        QTest::newRow("empty: pinned first, newest first, ties stable") << "" << all;
        QTest::newRow("white space only") << " \n " << all;
        QTest::newRow("trimmed and lower-cased") << "  FOO " << QStringList{"foo bar"};
        QTest::newRow("source label") << "finder" << QStringList{"file.txt"};
        QTest::newRow("across the title-content join") << "bar hello" << QStringList{"foo bar"};
        QTest::newRow("decomposed query, precomposed entry") << QStringLiteral("cafe\u0301") << QStringList{"Café"};
        QTest::newRow("precomposed query, decomposed entry") << QStringLiteral("\u00C9COLE") << QStringList{"school"};
        QTest::newRow("Chinese source label") << QStringLiteral("浏览器") << QStringList{"pinned old"};
        QTest::newRow("no match") << "zzz" << QStringList{};
    }
    void filteredQuery()
    {
        QFETCH(QString, query);
        QList<ClipItem> clips;
        auto make = [&](const QString &title, const QString &content, const QString &source, double at, bool pin) {
            clips << ClipItem::make(ClipKind::text, title, content, source);
            clips.last().createdAt = at;
            clips.last().isPinned = pin;
        };
        make("school", QStringLiteral("E\u0301COLE"), ClipItem::sourceClipboard(), 20, false);
        make("tie first", "t1", ClipItem::sourceClipboard(), 30, false);
        make("foo bar", "hello", ClipItem::sourceClipboard(), 40, false);
        make("tie second", "t2", ClipItem::sourceClipboard(), 30, false);
        make("pinned old", "https://x.io", ClipItem::sourceBrowser(), 1, true);
        make("file.txt", "/home/u/file.txt", ClipItem::sourceFinder(), 5, false);
        make("Café", QStringLiteral("Caf\u00E9 au lait"), ClipItem::sourceClipboard(), 25, false);
        m_history->setClips(clips);
        QTEST(titles(m_history->filtered(query)), "expected");
    }

    // The index is cached: every kind of change must still show.
    void filteredFollowsEveryChange()
    {
        m_history->setClips(entries({"t:alpha@1", "t:beta@2"}));
        QCOMPARE(contents(m_history->filtered("alpha")), QStringList{"alpha"});
        m_history->setClips(entries({"t:gamma@1", "t:alphabet@2"})); // same size, new content
        QCOMPARE(contents(m_history->filtered("alpha")), QStringList{"alphabet"});
        m_history->add(entry("t:alpha again@3"));
        QCOMPARE(contents(m_history->filtered("alpha")), (QStringList{"alpha again", "alphabet"}));
        m_history->togglePin(m_history->clips()[1].id); // gamma
        QCOMPARE(contents(m_history->filtered("")), (QStringList{"gamma", "alpha again", "alphabet"}));
        m_history->remove(m_history->clips().first());
        QCOMPARE(contents(m_history->filtered("")), (QStringList{"gamma", "alphabet"}));
        QList<ClipItem> edited = m_history->clips(); // same ids, one text changed
        edited[0].content = "delta";
        m_history->setClips(edited);
        QCOMPARE(contents(m_history->filtered("delta")), QStringList{"delta"});
    }

private:
    // Entries named by their titles, with pictures in and around the images folder:
    // A unpinned and B pinned stored pictures; O outside; L a link in the folder to a file
    // outside; D "<images>/../victim.png"; S in a subfolder; H1 unpinned and H2 pinned
    // sharing one picture; K a link in the folder to H's picture; T text; Z not listed.
    QMap<QString, ClipItem> makeDeletionFixture()
    {
        writePng(image("A.png"), Qt::red);
        writePng(image("B.png"), Qt::green);
        writePng(outside("O.png"), Qt::blue);
        writePng(outside("T.png"), Qt::cyan);
        QFile::link(outside("T.png"), image("L.png"));
        writePng(m_dir.filePath("victim.png"), Qt::yellow);
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
        named("O", outside("O.png"), false);
        named("L", image("L.png"), false);
        named("D", images() + "/../victim.png", false);
        named("S", image("sub/S.png"), false);
        named("H1", image("H.png"), false);
        named("H2", image("H.png"), true);
        named("K", image("K.png"), false);
        fixture.insert("T", entry("t:T@1"));
        fixture["T"].title = "T";
        QList<ClipItem> clips = fixture.values(); // sorted by title
        named("Z", image("Z.png"), false);
        m_history->setClips(clips);
        return fixture;
    }

    QStringList fixtureFiles() const
    {
        return {image("A.png"),     image("B.png"), outside("O.png"),
                outside("T.png"),   image("L.png"), m_dir.filePath("victim.png"),
                image("sub/S.png"), image("H.png"), image("K.png"),
                image("Z.png")};
    }
};

QUILLO_TEST_GUILESS_MAIN(TestClipHistory)
#include "tst_clip_history.moc"
