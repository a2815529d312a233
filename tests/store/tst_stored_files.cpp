#include "fake_store_clock.h"
#include "test_files.h"
#include "test_main.h"

#include "store/atomic_file.h"
#include "store/clip_json.h"
#include "store/history_file.h"
#include "store/persistence_queue.h"
#include "store/preferences_file.h"
#include "store/store_paths.h"

#include <QDateTime>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <unistd.h>

using TestFiles::modeOf;
using TestFiles::readFile;
using TestFiles::writeFile;

namespace {

QList<ClipItem> history(const QStringList &texts)
{
    QList<ClipItem> clips;
    for (const QString &text : texts)
        clips << ClipItem::make(ClipKind::text, text, text);
    return clips;
}

QStringList contents(const std::optional<QList<ClipItem>> &clips)
{
    QStringList list;
    for (const ClipItem &clip : clips.value_or(QList<ClipItem>()))
        list << clip.content;
    return list;
}

QStringList rejectedCopies(const QString &path)
{
    const QFileInfo info(path);
    return info.dir().entryList({info.fileName() + QStringLiteral(".rejected-*")}, QDir::Files, QDir::Name);
}

} // namespace

// The history and preferences files, the worker that writes them, and the folder rules.
class TestStoredFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeStoreClock m_clock;
    PersistenceQueue m_queue;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QStringList stored() const { return contents(ClipJson::decodeClips(readFile(path("history.json")))); }

private slots:
    void initTestCase() { ::umask(022); }
    void init()
    {
        for (const QString &name :
             QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
            QFile::remove(path(name));
    }

    // Three changes 0.05 s apart: one write, 0.18 s after the third, holding all three.
    void debounceCoalescesABurst()
    {
        HistoryFile file(path("history.json"), m_queue, m_clock);
        QSignalSpy saved(&file, &HistoryFile::saved);
        file.save(history({"one"}));
        m_clock.advance(50);
        file.save(history({"two", "one"}));
        m_clock.advance(50);
        file.save(history({"three", "two", "one"}));
        m_clock.advance(HistoryFile::kSaveDelayMs - 1);
        m_queue.drain();
        QVERIFY(file.isSavePending());
        QVERIFY(!QFileInfo::exists(path("history.json")));
        m_clock.advance(1);
        QVERIFY(!file.isSavePending());
        m_queue.drain();
        QCOMPARE(stored(), (QStringList{"three", "two", "one"}));
        QVERIFY(saved.wait(5000)); // announced back on the main thread
        m_clock.advance(10 * HistoryFile::kSaveDelayMs);
        m_queue.drain();
        QCoreApplication::processEvents();
        QCOMPARE(saved.count(), 1);
    }

    void flushAndDestructionWriteAtOnce()
    {
        auto file = std::make_unique<HistoryFile>(path("history.json"), m_queue, m_clock);
        file->save(history({"flushed"}));
        file->flush();
        QVERIFY(!file->isSavePending());
        QCOMPARE(stored(), QStringList{"flushed"});
        file->save(history({"last words"}));
        file.reset();
        QCOMPARE(stored(), QStringList{"last words"});
    }

    // A second name for the old file shows the old bytes: the file was replaced, not rewritten.
    void writesAreAtomicAndPrivate()
    {
        HistoryFile file(path("history.json"), m_queue, m_clock);
        file.save(history({"first"}));
        file.flush();
        const QByteArray first = readFile(path("history.json"));
        QCOMPARE(::link(QFile::encodeName(path("history.json")).constData(),
                        QFile::encodeName(path("old-link")).constData()),
                 0);
        file.save(history({"second", "first"}));
        file.flush();
        QCOMPARE(readFile(path("old-link")), first);
        QCOMPARE(stored().size(), 2);
        QCOMPARE(modeOf(path("history.json")), mode_t(0600));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{QStringLiteral("history.json"), QStringLiteral("old-link")}));
    }

    void atomicWriteModes()
    {
        writeFile(path("plain.txt"), "old");
        QCOMPARE(::chmod(QFile::encodeName(path("plain.txt")).constData(), 0640), 0);
        QVERIFY(AtomicFile::write(path("plain.txt"), "new", AtomicFile::Mode::OwnerOnly));
        QCOMPARE(readFile(path("plain.txt")), QByteArray("new"));
        QCOMPARE(modeOf(path("plain.txt")), mode_t(0640)); // an existing file keeps its mode
        QVERIFY(AtomicFile::write(path("fresh.txt"), "x"));
        QCOMPARE(modeOf(path("fresh.txt")), mode_t(0644));
        QString error;
        QVERIFY(!AtomicFile::write(path("no/such/dir/f"), "x", AtomicFile::Mode::Default, &error));
        QVERIFY(!error.isEmpty());
    }

    void unreadableFilesLoadNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("folder") << "folder";
        QTest::newRow("fifo") << "fifo"; // reading it would block for ever
        QTest::newRow("dangling link") << "link";
        QTest::newRow("empty") << "empty";
        QTest::newRow("one bad element") << "bad";
    }
    void unreadableFilesLoadNothing()
    {
        QFETCH(QString, kind);
        const QString file = path("history.json");
        if (kind == "folder")
            QVERIFY(QDir().mkpath(file));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        else if (kind == "link")
            QVERIFY(QFile::link(path("nowhere"), file));
        else if (kind == "empty")
            writeFile(file, {});
        else if (kind == "bad")
            writeFile(file, R"([{"id":"not-a-uuid","kind":"text"}])");
        HistoryFile history(file, m_queue, m_clock);
        QVERIFY(!history.load());
        QVERIFY(!PreferencesFile(file).load());
        if (kind == "folder")
            QDir(file).removeRecursively();
    }

    // A file that could not be read is kept beside its replacement, once, with the time it
    // was moved: a second save must not move the good file.
    void rejectedFileKeptAside_data()
    {
        QTest::addColumn<bool>("isHistory");
        QTest::newRow("history") << true;
        QTest::newRow("preferences") << false;
    }
    void rejectedFileKeptAside()
    {
        QFETCH(bool, isHistory);
        const QString file = path(isHistory ? "history.json" : "preferences.json");
        const QByteArray bad = isHistory ? R"([{"id":"x"}])" : R"({"ignoreSensitive":false})";
        writeFile(file, bad);
        HistoryFile historyFile(file, m_queue, m_clock);
        PreferencesFile preferencesFile(file);
        QVERIFY(isHistory ? !historyFile.load() : !preferencesFile.load());
        QCOMPARE(readFile(file), bad); // left alone until the first save
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        for (int round = 0; round < 2; ++round) {
            if (isHistory) {
                historyFile.save(history({"new"}));
                historyFile.flush();
            } else {
                QVERIFY(preferencesFile.save(Preferences{QStringLiteral("/notes/"), round == 0}));
            }
        }
        const QStringList copies = rejectedCopies(file);
        QCOMPARE(copies.size(), 1);
        const qint64 seconds = copies.first().section(QLatin1Char('-'), -1).toLongLong();
        QVERIFY(seconds >= before && seconds <= QDateTime::currentSecsSinceEpoch());
        QCOMPARE(readFile(path(copies.first())), bad);
        if (isHistory)
            QCOMPARE(stored(), QStringList{"new"});
        else
            QCOMPARE(preferencesFile.load(), std::optional(Preferences{QStringLiteral("/notes"), false}));
    }

    // Earlier rejections in the same second are not overwritten either.
    void rejectedNameCollision()
    {
        const QString file = path("preferences.json");
        writeFile(file, "broken");
        PreferencesFile preferences(file);
        QVERIFY(!preferences.load());
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        for (qint64 s = now; s <= now + 2; ++s)
            writeFile(file + QStringLiteral(".rejected-") + QString::number(s), "earlier");
        QVERIFY(preferences.save(Preferences{QStringLiteral("/n"), true}));
        const QStringList copies = rejectedCopies(file);
        QCOMPARE(copies.size(), 4);
        QCOMPARE(std::count_if(copies.cbegin(), copies.cend(),
                               [&](const QString &c) { return readFile(path(c)) == "broken"; }),
                 1);
        QCOMPARE(modeOf(file), mode_t(0600));
    }

    void privateFolders_data()
    {
        QTest::addColumn<int>("existingMode"); // 0: no folder yet
        QTest::newRow("new, parents too") << 0;
        QTest::newRow("existing 0755") << 0755;
        QTest::newRow("existing 0700") << 0700;
    }
    void privateFolders()
    {
        QFETCH(int, existingMode);
        const QString folder = path("parent/private");
        if (existingMode) {
            QVERIFY(QDir().mkpath(folder));
            QCOMPARE(::chmod(QFile::encodeName(folder).constData(), mode_t(existingMode)), 0);
            writeFile(folder + QStringLiteral("/kept.txt"), "kept");
        }
        QVERIFY(StorePaths::createPrivateFolder(folder));
        QCOMPARE(modeOf(folder), mode_t(0700));
        QCOMPARE(modeOf(path("parent")), mode_t(0755));
        if (existingMode)
            QCOMPARE(readFile(folder + QStringLiteral("/kept.txt")), QByteArray("kept"));
        QDir(path("parent")).removeRecursively();
    }
};

QUILLO_TEST_GUILESS_MAIN(TestStoredFiles)
#include "tst_stored_files.moc"
