#include "test_files.h"
#include "test_main.h"

#include "app_store_test_access.h"
#include "fake_pasteboard.h"
#include "store/atomic_file.h"
#include "store/clip_json.h"
#include "store/persistence_queue.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QThread>

#include <atomic>
#include <sys/stat.h>
#include <unistd.h>

using TestFiles::modeOf;
using TestFiles::readFile;
using TestFiles::writeFile;

namespace {

QString supportDir()
{
    return QDir::homePath() + QStringLiteral("/.local/share/Quillo");
}

QStringList rejectedCopies(const QString &name)
{
    return QDir(supportDir()).entryList({name + QStringLiteral(".rejected-*")}, QDir::Files, QDir::Name);
}

void addAndSave(AppStore &store, const QString &text)
{
    QList<ClipItem> clips = store.clips();
    clips.prepend(ClipItem::make(ClipKind::text, text, text));
    store.setClips(clips);
    AppStoreTestAccess::saveClips(store);
}

std::optional<QList<ClipItem>> storedHistory(const AppStore &store)
{
    return ClipJson::decodeClips(readFile(store.historyFilePath()));
}

} // namespace

class TestPersistence : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void debounceCoalescesABurst();
    void flushWritesAtOnce();
    void destructionWritesPendingSave();
    void newFilesAreOwnerOnly();
    void existingFileModeKept();
    void replacementIsAtomic();
    void rejectedFileKeptAside_data();
    void rejectedFileKeptAside();
    void rejectedNameCollision();
    void setIgnoreSensitiveWritesAtOnce();
    void queueIsSerialAndOrdered();

private:
    std::unique_ptr<AppStore> makeStore();
    FakePasteboard m_pasteboard;
};

std::unique_ptr<AppStore> TestPersistence::makeStore()
{
    AppStore::Options options;
    options.pasteboard = &m_pasteboard;
    options.startMonitoring = false;
    return std::make_unique<AppStore>(options);
}

void TestPersistence::initTestCase()
{
    ::umask(022);
}

void TestPersistence::init()
{
    QDir(QDir::homePath() + QStringLiteral("/.local")).removeRecursively();
}

void TestPersistence::debounceCoalescesABurst()
{
    const auto store = makeStore();
    QSignalSpy saved(store.get(), &AppStore::historySaved);
    QElapsedTimer sinceThird;
    qint64 writtenAfterMs = -1;
    connect(store.get(), &AppStore::historySaved, this, [&] {
        if (writtenAfterMs < 0)
            writtenAfterMs = sinceThird.elapsed();
    });
    addAndSave(*store, QStringLiteral("one"));
    QTest::qWait(50);
    addAndSave(*store, QStringLiteral("two"));
    QTest::qWait(50);
    addAndSave(*store, QStringLiteral("three"));
    sinceThird.start();
    QCOMPARE(saved.count(), 0);
    QVERIFY(!QFileInfo::exists(store->historyFilePath()));
    QTRY_COMPARE_WITH_TIMEOUT(saved.count(), 1, 5000);
    QVERIFY2(writtenAfterMs >= AppStore::kSaveDelayMs, qPrintable(QString::number(writtenAfterMs)));
    const auto history = storedHistory(*store);
    QVERIFY(history.has_value());
    QCOMPARE(*history, store->clips());
    QCOMPARE(history->size(), 3);
    QCOMPARE(history->first().content, QStringLiteral("three"));
    // Nothing else is queued behind it.
    QTest::qWait(AppStore::kSaveDelayMs + 50);
    QCOMPARE(saved.count(), 1);
}

void TestPersistence::flushWritesAtOnce()
{
    const auto store = makeStore();
    addAndSave(*store, QStringLiteral("pending"));
    QVERIFY(AppStoreTestAccess::isSavePending(*store));
    store->flush();
    QVERIFY(!AppStoreTestAccess::isSavePending(*store));
    const auto history = storedHistory(*store);
    QVERIFY(history.has_value());
    QCOMPARE(*history, store->clips());
    // A flush with nothing pending writes nothing.
    QSignalSpy saved(store.get(), &AppStore::historySaved);
    store->flush();
    QTest::qWait(20);
    QCOMPARE(saved.count(), 1); // only the queued notice of the first write
}

void TestPersistence::destructionWritesPendingSave()
{
    QList<ClipItem> expected;
    {
        const auto store = makeStore();
        addAndSave(*store, QStringLiteral("last words"));
        expected = store->clips();
    }
    QCOMPARE(ClipJson::decodeClips(readFile(supportDir() + QStringLiteral("/clipboard-history.json"))),
             std::optional(expected));
}

void TestPersistence::newFilesAreOwnerOnly()
{
    const auto store = makeStore();
    addAndSave(*store, QStringLiteral("secret"));
    store->flush();
    store->setIgnoreSensitive(false);
    QCOMPARE(modeOf(supportDir()), mode_t(0700));
    QCOMPARE(modeOf(store->historyFilePath()), mode_t(0600));
    QCOMPARE(modeOf(store->preferencesFilePath()), mode_t(0600));
}

void TestPersistence::existingFileModeKept()
{
    const QString path = QDir::homePath() + QStringLiteral("/plain.txt");
    writeFile(path, "old");
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    QVERIFY(AtomicFile::write(path, "new", AtomicFile::Mode::OwnerOnly));
    QCOMPARE(readFile(path), QByteArray("new"));
    QCOMPARE(modeOf(path), mode_t(0640));
    const QString fresh = QDir::homePath() + QStringLiteral("/fresh.txt");
    QVERIFY(AtomicFile::write(fresh, "x"));
    QCOMPARE(modeOf(fresh), mode_t(0644));
    QString error;
    QVERIFY(!AtomicFile::write(QDir::homePath() + QStringLiteral("/no/such/dir/f"), "x", AtomicFile::Mode::Default,
                               &error));
    QVERIFY(!error.isEmpty());
}

void TestPersistence::replacementIsAtomic()
{
    const auto store = makeStore();
    addAndSave(*store, QStringLiteral("first"));
    store->flush();
    const QString path = store->historyFilePath();
    const QByteArray first = readFile(path);
    // A second name for the old file: an in-place rewrite would change what it shows.
    const QString oldLink = supportDir() + QStringLiteral("/old-link");
    QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(oldLink).constData()), 0);
    addAndSave(*store, QStringLiteral("second"));
    store->flush();
    QCOMPARE(readFile(oldLink), first);
    QCOMPARE(storedHistory(*store)->size(), 2);
    QCOMPARE(QDir(supportDir()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             (QStringList{QStringLiteral("clipboard-history.json"), QStringLiteral("old-link")}));
}

void TestPersistence::rejectedFileKeptAside_data()
{
    QTest::addColumn<bool>("history");
    QTest::newRow("clipboard-history.json") << true;
    QTest::newRow("preferences.json") << false;
}

void TestPersistence::rejectedFileKeptAside()
{
    QFETCH(bool, history);
    const QString name = history ? QStringLiteral("clipboard-history.json") : QStringLiteral("preferences.json");
    const QByteArray bad =
        history ? QByteArray(R"([{"id":"not-a-uuid","kind":"text"}])") : QByteArray(R"({"ignoreSensitive":false})");
    writeFile(supportDir() + QLatin1Char('/') + name, bad);
    const auto store = makeStore();
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    for (int round = 0; round < 2; ++round) { // the second save must not move the good file
        if (history) {
            addAndSave(*store, QStringLiteral("new"));
            store->flush();
        } else {
            store->setIgnoreSensitive(round == 0);
        }
    }
    const qint64 after = QDateTime::currentSecsSinceEpoch();
    const QStringList copies = rejectedCopies(name);
    QCOMPARE(copies.size(), 1);
    const qint64 seconds = copies.first().section(QLatin1Char('-'), -1).toLongLong();
    QVERIFY(seconds >= before && seconds <= after);
    QCOMPARE(readFile(supportDir() + QLatin1Char('/') + copies.first()), bad);
    if (history)
        QCOMPARE(storedHistory(*store)->size(), 2);
    else
        QCOMPARE(ClipJson::decodePreferences(readFile(store->preferencesFilePath())),
                 std::optional(Preferences{store->noteDirectory(), false}));
}

void TestPersistence::rejectedNameCollision()
{
    // An earlier rejection in the same second must not be overwritten either.
    const QString path = supportDir() + QStringLiteral("/preferences.json");
    writeFile(path, "broken");
    const auto store = makeStore();
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    for (qint64 s = now; s <= now + 2; ++s)
        writeFile(path + QStringLiteral(".rejected-") + QString::number(s), "earlier");
    store->setIgnoreSensitive(false);
    const QStringList copies = rejectedCopies(QStringLiteral("preferences.json"));
    QCOMPARE(copies.size(), 4);
    int broken = 0;
    for (const QString &copy : copies)
        broken += readFile(supportDir() + QLatin1Char('/') + copy) == "broken";
    QCOMPARE(broken, 1);
}

void TestPersistence::setIgnoreSensitiveWritesAtOnce()
{
    const auto store = makeStore();
    QSignalSpy changed(store.get(), &AppStore::ignoreSensitiveChanged);
    QSignalSpy anyChange(store.get(), &AppStore::changed);
    store->setIgnoreSensitive(false);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(anyChange.count(), 1);
    QCOMPARE(readFile(store->preferencesFilePath()),
             R"({"noteDirectory":")"
                 + QString(store->noteDirectory()).replace(QLatin1String("/"), QLatin1String("\\/")).toUtf8()
                 + R"(","ignoreSensitive":false})");
    // Read back by the next run.
    store->flush();
    const auto next = makeStore();
    QVERIFY(!next->ignoreSensitive());
}

void TestPersistence::queueIsSerialAndOrdered()
{
    PersistenceQueue queue;
    std::atomic<int> running{0};
    std::atomic<int> overlaps{0};
    QList<int> order; // touched only by the worker until drain() returns
    QString threadName;
    for (int i = 0; i < 200; ++i) {
        queue.post([&, i] {
            if (running.fetch_add(1) != 0)
                ++overlaps;
            if (i == 0)
                threadName = QThread::currentThread()->objectName();
            order.append(i);
            running.fetch_sub(1);
        });
    }
    queue.drain();
    QCOMPARE(overlaps.load(), 0);
    QCOMPARE(order.size(), 200);
    for (int i = 0; i < 200; ++i)
        QCOMPARE(order.at(i), i);
    QCOMPARE(threadName, QStringLiteral("com.quillo.persistence"));
}

QUILLO_TEST_GUILESS_MAIN(TestPersistence)
#include "tst_persistence.moc"
