#include "test_files.h"
#include "test_main.h"

#include "app_store_test_access.h"
#include "fake_pasteboard.h"
#include "store/clip_json.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>
#include <sys/types.h>

using TestFiles::modeOf;
using TestFiles::readFile;
using TestFiles::writeFile;

namespace {

QString home()
{
    return QDir::homePath();
}
QString supportDir()
{
    return home() + QStringLiteral("/.local/share/Quillo");
}
QString documentsQuillo()
{
    return home() + QStringLiteral("/Documents/Quillo");
}
QString cloudParent()
{
    return home() + QStringLiteral("/Library/Mobile Documents/com~apple~CloudDocs");
}

} // namespace

class TestAppStoreStartup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void firstRunDefaults();
    void cloudVersusDocuments_data();
    void cloudVersusDocuments();
    void storedPreferencesApplied();
    void rejectedPreferencesGiveDefaults_data();
    void rejectedPreferencesGiveDefaults();
    void storedHistoryLoadedUnchanged();
    void rejectedHistoryLeftOnDisk();
    void unusualHistoryFilesGiveEmptyHistory_data();
    void unusualHistoryFilesGiveEmptyHistory();
    void supportFolderIsPrivate_data();
    void supportFolderIsPrivate();

private:
    std::unique_ptr<AppStore> makeStore();
    FakePasteboard m_pasteboard;
};

std::unique_ptr<AppStore> TestAppStoreStartup::makeStore()
{
    AppStore::Options options;
    options.pasteboard = &m_pasteboard;
    options.startMonitoring = false;
    return std::make_unique<AppStore>(options);
}

void TestAppStoreStartup::initTestCase()
{
    ::umask(022);
    QVERIFY(home().startsWith(QDir::tempPath())); // never the real user's folders
}

void TestAppStoreStartup::init()
{
    for (const QString &path : {home() + QStringLiteral("/.local"), home() + QStringLiteral("/Documents"),
                                home() + QStringLiteral("/Library"), home() + QStringLiteral("/elsewhere")})
        QDir(path).removeRecursively();
}

void TestAppStoreStartup::firstRunDefaults()
{
    m_pasteboard.offerText(QStringLiteral("already there"));
    m_pasteboard.offerText(QStringLiteral("still there"));
    const auto store = makeStore();
    QVERIFY(QFileInfo(supportDir()).isDir());
    QCOMPARE(store->supportDirectory(), supportDir());
    QCOMPARE(store->historyFilePath(), supportDir() + QStringLiteral("/clipboard-history.json"));
    QCOMPARE(store->preferencesFilePath(), supportDir() + QStringLiteral("/preferences.json"));
    QCOMPARE(store->imagesDirectory(), supportDir() + QStringLiteral("/ClipboardImages"));
    QCOMPARE(store->mode(), ContentMode::clipboard);
    QVERIFY(store->clips().isEmpty());
    QVERIFY(store->ignoreSensitive());
    QVERIFY(store->query().isEmpty());
    QVERIFY(!store->copiedID()); // the selection and statusText belong to the notes load
    QVERIFY(!store->isPinned() && !store->isEditingNote() && !store->isNoteDetailOpen());
    QVERIFY(!store->pendingNoteOpenURL());
    QCOMPARE(AppStoreTestAccess::lastChangeCount(*store), m_pasteboard.changeCount());
    QCOMPARE(store->noteDirectory(), documentsQuillo());
    QVERIFY(QFileInfo(documentsQuillo()).isDir());
    store->flush();
    QVERIFY(!QFileInfo::exists(store->preferencesFilePath()));
    QVERIFY(!QFileInfo::exists(store->historyFilePath()));
}

void TestAppStoreStartup::cloudVersusDocuments_data()
{
    QTest::addColumn<bool>("cloudExists");
    QTest::newRow("cloud drive present") << true;
    QTest::newRow("no cloud drive") << false;
}

void TestAppStoreStartup::cloudVersusDocuments()
{
    QFETCH(bool, cloudExists);
    if (cloudExists)
        QVERIFY(QDir().mkpath(cloudParent()));
    else
        QVERIFY(QDir().mkpath(home() + QStringLiteral("/Library/Mobile Documents"))); // parent's parent only
    const QString expected = cloudExists ? cloudParent() + QStringLiteral("/Quillo") : documentsQuillo();
    QCOMPARE(AppStore::cloudDefaultNoteDirectory(), cloudParent() + QStringLiteral("/Quillo"));
    QCOMPARE(AppStore::localDefaultNoteDirectory(), documentsQuillo());
    const auto store = makeStore();
    QCOMPARE(store->noteDirectory(), expected);
    QVERIFY(QFileInfo(expected).isDir());
    QCOMPARE(QFileInfo::exists(documentsQuillo()), !cloudExists);
}

void TestAppStoreStartup::storedPreferencesApplied()
{
    // A stored folder that no longer exists is created again and used; the trailing slash
    // and escaped slashes are read as a plain path.
    const QString gone = home() + QStringLiteral("/elsewhere/我的笔记");
    QVERIFY(QDir().mkpath(cloudParent())); // ignored: stored preferences win
    writeFile(supportDir() + QStringLiteral("/preferences.json"),
              R"({"noteDirectory":")"
                  + QString(gone + QLatin1Char('/')).replace(QLatin1String("/"), QLatin1String("\\/")).toUtf8()
                  + R"(","ignoreSensitive":false})");
    const QByteArray before = readFile(supportDir() + QStringLiteral("/preferences.json"));
    const auto store = makeStore();
    QCOMPARE(store->noteDirectory(), gone);
    QVERIFY(!store->ignoreSensitive());
    QVERIFY(QFileInfo(gone).isDir());
    QVERIFY(!QFileInfo::exists(cloudParent() + QStringLiteral("/Quillo")));
    QCOMPARE(readFile(store->preferencesFilePath()), before); // nothing written at start-up
    QVERIFY(!AppStoreTestAccess::preferencesRejected(*store));
}

void TestAppStoreStartup::rejectedPreferencesGiveDefaults_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("only the switch") << QByteArray(R"({"ignoreSensitive":false})");
    QTest::newRow("tilde path") << QByteArray(R"({"noteDirectory":"~\/notes","ignoreSensitive":false})");
    QTest::newRow("relative path") << QByteArray(R"({"noteDirectory":"notes","ignoreSensitive":false})");
    QTest::newRow("empty path") << QByteArray(R"({"noteDirectory":"","ignoreSensitive":false})");
    QTest::newRow("not json") << QByteArray("\x00\x01garbage", 9);
}

void TestAppStoreStartup::rejectedPreferencesGiveDefaults()
{
    QFETCH(QByteArray, json);
    writeFile(supportDir() + QStringLiteral("/preferences.json"), json);
    const QString workingDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(home()));
    const auto store = makeStore();
    QVERIFY(QDir::setCurrent(workingDir));
    QVERIFY(store->ignoreSensitive());
    QCOMPARE(store->noteDirectory(), documentsQuillo());
    QVERIFY(!QFileInfo::exists(home() + QStringLiteral("/~")));
    QVERIFY(!QFileInfo::exists(home() + QStringLiteral("/notes")));
    QVERIFY(AppStoreTestAccess::preferencesRejected(*store));
    QCOMPARE(readFile(store->preferencesFilePath()), json); // left alone until the next save
}

void TestAppStoreStartup::storedHistoryLoadedUnchanged()
{
    QList<ClipItem> stored;
    for (int i = 0; i < 150; ++i) { // more than the limit: start-up does not trim
        ClipItem item = ClipItem::make(ClipKind::text, QString::number(i), QString::number(i));
        item.isPinned = i % 7 == 0;
        item.createdAt = 1000.0 - i;
        stored.append(item);
    }
    stored[3].kind = ClipKind::image;
    stored[3].imagePath = supportDir() + QStringLiteral("/ClipboardImages/missing.png");
    writeFile(supportDir() + QStringLiteral("/clipboard-history.json"), ClipJson::encodeClips(stored));
    const auto store = makeStore();
    QCOMPARE(store->clips(), stored);
    QVERIFY(!AppStoreTestAccess::historyRejected(*store));
}

void TestAppStoreStartup::rejectedHistoryLeftOnDisk()
{
    const ClipItem good = ClipItem::make(ClipKind::text, QStringLiteral("t"), QStringLiteral("c"));
    QByteArray json = ClipJson::encodeClips({good, good});
    json.replace(json.lastIndexOf("\"text\""), 6, "\"note\"");
    writeFile(supportDir() + QStringLiteral("/clipboard-history.json"), json);
    const auto store = makeStore();
    QVERIFY(store->clips().isEmpty());
    QVERIFY(AppStoreTestAccess::historyRejected(*store));
    store->flush();
    QCOMPARE(readFile(store->historyFilePath()), json);
}

void TestAppStoreStartup::unusualHistoryFilesGiveEmptyHistory_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder") << QStringLiteral("folder");
    QTest::newRow("fifo") << QStringLiteral("fifo"); // reading it would block for ever
    QTest::newRow("dangling link") << QStringLiteral("link");
    QTest::newRow("empty") << QStringLiteral("empty");
}

void TestAppStoreStartup::unusualHistoryFilesGiveEmptyHistory()
{
    QFETCH(QString, kind);
    QVERIFY(QDir().mkpath(supportDir()));
    const QString path = supportDir() + QStringLiteral("/clipboard-history.json");
    const QByteArray native = QFile::encodeName(path);
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(native.constData(), 0600), 0);
    else if (kind == QLatin1String("link"))
        QVERIFY(QFile::link(home() + QStringLiteral("/nowhere"), path));
    else
        writeFile(path, {});
    const auto store = makeStore();
    QVERIFY(store->clips().isEmpty());
}

void TestAppStoreStartup::supportFolderIsPrivate_data()
{
    QTest::addColumn<int>("existingMode"); // 0: no folder yet
    QTest::newRow("new") << 0;
    QTest::newRow("existing 0755") << 0755;
    QTest::newRow("existing 0777") << 0777;
    QTest::newRow("existing 0700") << 0700;
}

void TestAppStoreStartup::supportFolderIsPrivate()
{
    QFETCH(int, existingMode);
    if (existingMode) {
        QVERIFY(QDir().mkpath(supportDir()));
        QCOMPARE(::chmod(QFile::encodeName(supportDir()).constData(), mode_t(existingMode)), 0);
        writeFile(supportDir() + QStringLiteral("/other.txt"), "kept");
    }
    const auto store = makeStore();
    QCOMPARE(modeOf(supportDir()), mode_t(0700));
    if (existingMode)
        QCOMPARE(readFile(supportDir() + QStringLiteral("/other.txt")), QByteArray("kept"));
    // The notes folder is the user's: its usual mode stays.
    QCOMPARE(modeOf(documentsQuillo()), mode_t(0755));
}

QUILLO_TEST_GUILESS_MAIN(TestAppStoreStartup)
#include "tst_app_store_startup.moc"
