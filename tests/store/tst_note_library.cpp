#include "note_test_fixture.h"
#include "store/clip_json.h"
#include "store/note_file.h"
#include "test_main.h"

#include <QSignalSpy>

#include <sys/stat.h>

namespace {

const QByteArray kWelcomeBytes =
    QStringLiteral(
        "# 欢迎使用Quillo\n\n把常用文字放在手边，随时复制。\n\n- 支持 Markdown 文件\n- 可选择 iCloud Drive 文件夹\n")
        .toUtf8();
const QString kWelcomeName = QStringLiteral("欢迎使用Quillo.md");

} // namespace

class TestNoteLibrary : public QObject
{
    Q_OBJECT

private slots:
    void startUpWritesWelcomeIntoDefaultFolder();
    void welcomeNote_data();
    void welcomeNote();
    void listsOnlyVisibleMarkdownFiles();
    void readsNoteText_data();
    void readsNoteText();
    void sortsNewestFirstKeepingListingOrderOnTies();
    void selectionAcrossReloads();
    void folderLabel_data();
    void folderLabel();
    void cancelledChooserChangesNothing();
    void chosenFolderBecomesLibrary();
    void chosenFolderWhenPreferencesCannotBeSaved();
    void chooserSavesUnsavedEditFirst();
    void chooserKeepsEditThatCannotBeSaved();
};

void TestNoteLibrary::startUpWritesWelcomeIntoDefaultFolder()
{
    FakePasteboard pasteboard;
    AppStore::Options options;
    options.pasteboard = &pasteboard;
    options.startMonitoring = false;
    AppStore store(options);
    const QString expectedFolder = QDir::homePath() + QStringLiteral("/Documents/Quillo");
    QCOMPARE(store.noteDirectory(), expectedFolder);
    QCOMPARE(NoteStoreFixture::read(expectedFolder + QLatin1Char('/') + kWelcomeName), kWelcomeBytes);
    QCOMPARE(store.notes().size(), 1);
    QVERIFY(store.selectedNote());
    QCOMPARE(store.selectedNote()->title(), kWelcomeName);
    QCOMPARE(store.noteText(), QString::fromUtf8(kWelcomeBytes));
    QCOMPARE(store.statusText(), QStringLiteral("已打开"));
    QCOMPARE(AppStore::folderLabel(store.noteDirectory()), QStringLiteral("Quillo"));
}

void TestNoteLibrary::welcomeNote_data()
{
    QTest::addColumn<QString>("existing"); // "" none, "dir:NAME" a folder, else a file name
    QTest::addColumn<bool>("flag");
    QTest::addColumn<QStringList>("listed");

    QTest::newRow("empty folder with flag") << QString() << true << QStringList{kWelcomeName};
    QTest::newRow("empty folder without flag") << QString() << false << QStringList{};
    QTest::newRow("folder with a note") << QStringLiteral("a.md") << true << QStringList{QStringLiteral("a.md")};
    QTest::newRow("only a text file") << QStringLiteral("d.txt") << true << QStringList{kWelcomeName};
    // A folder already using the welcome note's name cannot take the note: nothing is listed.
    QTest::newRow("name taken by a folder") << QStringLiteral("dir:") + kWelcomeName << true << QStringList{};
}

void TestNoteLibrary::welcomeNote()
{
    QFETCH(QString, existing);
    QFETCH(bool, flag);
    QFETCH(QStringList, listed);
    NoteStoreFixture f;
    if (existing.startsWith(QLatin1String("dir:")))
        QVERIFY(QDir().mkpath(f.path(existing.mid(4))));
    else if (!existing.isEmpty())
        f.write(f.path(existing), "x");

    f.store->reloadNotes(flag);
    QCOMPARE(f.noteNames(), listed);
    if (listed == QStringList{kWelcomeName}) {
        QCOMPARE(f.read(f.path(kWelcomeName)), kWelcomeBytes);
        QCOMPARE(f.selectedName(), kWelcomeName);
        QCOMPARE(f.store->statusText(), QStringLiteral("已打开"));
    } else if (listed.isEmpty()) {
        QVERIFY(!f.store->selectedNote());
        QCOMPARE(f.store->noteText(), QString());
        if (existing.isEmpty())
            QVERIFY(!QFileInfo::exists(f.path(kWelcomeName)));
    }
}

void TestNoteLibrary::listsOnlyVisibleMarkdownFiles()
{
    NoteStoreFixture f;
    for (const char *name : {"a.MD", "b.Md", "c.markdown", "d.txt", ".hidden.md", "plain.md"})
        f.write(f.path(QString::fromUtf8(name)), "text");
    QVERIFY(QDir().mkpath(f.path(QStringLiteral("sub"))));
    f.write(f.path(QStringLiteral("sub/e.md")), "nested");
    QVERIFY(QDir().mkpath(f.path(QStringLiteral("y.md"))));
    QCOMPARE(::mkfifo(QFile::encodeName(f.path(QStringLiteral("x.md"))).constData(), 0600), 0);
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), f.path(QStringLiteral("zero.md"))));
    QVERIFY(QFile::link(f.path(QStringLiteral("gone.txt")), f.path(QStringLiteral("dangling.md"))));
    QTemporaryDir outside;
    f.write(outside.filePath(QStringLiteral("real.txt")), "linked text");
    QVERIFY(QFile::link(outside.filePath(QStringLiteral("real.txt")), f.path(QStringLiteral("linked.md"))));

    f.store->reloadNotes(true); // must neither hang on the FIFO nor read /dev/zero
    QStringList names = f.noteNames();
    names.sort();
    QCOMPARE(names, (QStringList{"a.MD", "b.Md", "linked.md", "plain.md"}));
    for (const NoteFile &note : f.store->notes()) {
        if (note.title() == QLatin1String("linked.md"))
            QCOMPARE(note.content, QStringLiteral("linked text"));
    }
}

void TestNoteLibrary::readsNoteText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("hasBom");
    QTest::addColumn<QString>("content");

    QTest::newRow("utf-8") << QStringLiteral("# 标题\n正文").toUtf8() << true << false
                           << QStringLiteral("# 标题\n正文");
    QTest::newRow("empty") << QByteArray() << true << false << QString();
    QTest::newRow("bom") << QByteArray("\xEF\xBB\xBFhello") << true << true << QStringLiteral("hello");
    QTest::newRow("gbk") << QByteArray("\xC4\xE3\xBA\xC3") << false << false << QString();
    QTest::newRow("cut multi-byte end") << QByteArray("ok\xE4\xB8") << false << false << QString();
    QTest::newRow("overlong slash") << QByteArray("a\xC0\xAF") << false << false << QString();
}

void TestNoteLibrary::readsNoteText()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("n.md"));
    NoteStoreFixture::write(path, bytes);
    const NoteFile note = NoteFile::read(QUrl::fromLocalFile(path));
    QTEST(note.readable, "readable");
    QTEST(note.hasBom, "hasBom");
    QTEST(note.content, "content");
    QVERIFY(note.modifiedAt.isValid());
}

void TestNoteLibrary::sortsNewestFirstKeepingListingOrderOnTies()
{
    NoteStoreFixture f;
    f.writeNote(QStringLiteral("old.md"), "o", 1'000'000);
    f.writeNote(QStringLiteral("tie-b.md"), "b", 2'000'000);
    f.writeNote(QStringLiteral("tie-a.md"), "a", 2'000'000);
    f.writeNote(QStringLiteral("tie-c.md"), "c", 2'000'000);
    f.writeNote(QStringLiteral("new.md"), "n", 3'000'000);
    for (int round = 0; round < 3; ++round) {
        f.store->reloadNotes(false);
        QCOMPARE(f.noteNames(), (QStringList{"new.md", "tie-a.md", "tie-b.md", "tie-c.md", "old.md"}));
    }
    QCOMPARE(f.selectedName(), QStringLiteral("new.md"));
}

void TestNoteLibrary::selectionAcrossReloads()
{
    NoteStoreFixture f;
    f.writeNote(QStringLiteral("a.md"), "alpha", 1'000'000);
    f.writeNote(QStringLiteral("b.md"), "beta", 2'000'000);
    f.store->reloadNotes(false);
    f.store->selectNote(f.store->notes().at(1));
    QCOMPARE(f.selectedName(), QStringLiteral("a.md"));

    // Kept, and re-read from disk.
    f.writeNote(QStringLiteral("a.md"), "alpha changed", 1'000'000);
    f.store->setIsEditingNote(true);
    f.store->setStatusText(QStringLiteral("x"));
    f.store->reloadNotes(false);
    QCOMPARE(f.selectedName(), QStringLiteral("a.md"));
    QCOMPARE(f.store->noteText(), QStringLiteral("alpha changed"));
    QCOMPARE(f.store->selectedNote()->content, QStringLiteral("alpha changed"));
    QVERIFY(!f.store->isEditingNote());
    QCOMPARE(f.store->statusText(), QStringLiteral("已打开"));

    // Deleted: the newest remaining note.
    QVERIFY(QFile::remove(f.path(QStringLiteral("a.md"))));
    f.store->reloadNotes(false);
    QCOMPARE(f.selectedName(), QStringLiteral("b.md"));
    QCOMPARE(f.store->noteText(), QStringLiteral("beta"));

    // Nothing left: no selection, status untouched.
    QVERIFY(QFile::remove(f.path(QStringLiteral("b.md"))));
    f.store->setStatusText(QStringLiteral("kept"));
    f.store->reloadNotes(false);
    QVERIFY(f.store->notes().isEmpty());
    QVERIFY(!f.store->selectedNote());
    QCOMPARE(f.store->noteText(), QString());
    QCOMPARE(f.store->statusText(), QStringLiteral("kept"));
}

void TestNoteLibrary::folderLabel_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("label");
    QTest::newRow("cloud default") << "/home/u/Library/Mobile Documents/com~apple~CloudDocs/Quillo"
                                   << "iCloud Drive / Quillo";
    QTest::newRow("any cloud folder") << "/home/u/Library/Mobile Documents/com~apple~CloudDocs/Work"
                                      << "iCloud Drive / Quillo";
    QTest::newRow("case matters") << "/home/u/mobile documents/Work"
                                  << "Work";
    QTest::newRow("documents") << "/home/u/Documents/Quillo"
                               << "Quillo";
    QTest::newRow("trailing slash") << "/data/笔记/"
                                    << "笔记";
    QTest::newRow("root") << "/"
                          << "/";
}

void TestNoteLibrary::folderLabel()
{
    QFETCH(QString, path);
    QTEST(AppStore::folderLabel(path), "label");
}

void TestNoteLibrary::cancelledChooserChangesNothing()
{
    NoteStoreFixture f;
    f.writeNote(QStringLiteral("a.md"), "alpha", 1'000'000);
    f.store->reloadNotes(false);
    f.store->setStatusText(QStringLiteral("before"));
    QSignalSpy changes(f.store.get(), &AppStore::changed);
    f.chooser.answer = std::nullopt;
    f.store->chooseNoteDirectory();
    QCOMPARE(f.chooser.calls, 1);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(f.store->noteDirectory(), f.folder());
    QCOMPARE(f.store->statusText(), QStringLiteral("before"));
    QVERIFY(!QFileInfo::exists(f.store->preferencesFilePath()));
}

void TestNoteLibrary::chosenFolderBecomesLibrary()
{
    NoteStoreFixture f;
    QTemporaryDir chosen;
    f.chooser.answer = chosen.path() + QLatin1Char('/');
    f.store->chooseNoteDirectory();
    QCOMPARE(f.chooser.title, QStringLiteral("选择 Markdown 笔记文件夹"));
    QCOMPARE(f.chooser.acceptLabel, QStringLiteral("选择"));
    QCOMPARE(f.chooser.startFolder, f.folder());
    QCOMPARE(f.store->noteDirectory(), chosen.path());
    QCOMPARE(f.noteNames(), QStringList{kWelcomeName});
    QCOMPARE(f.store->statusText(), QStringLiteral("存储位置已更新"));
    const auto preferences = ClipJson::decodePreferences(NoteStoreFixture::read(f.store->preferencesFilePath()));
    QVERIFY(preferences);
    QCOMPARE(preferences->noteDirectory, chosen.path());
}

void TestNoteLibrary::chosenFolderWhenPreferencesCannotBeSaved()
{
    NoteStoreFixture f;
    const QString preferencesPath = f.store->preferencesFilePath();
    QFile::remove(preferencesPath);
    QVERIFY(QDir().mkpath(preferencesPath)); // a folder in the file's place
    QTemporaryDir chosen;
    f.chooser.answer = chosen.path();
    f.store->chooseNoteDirectory();
    QCOMPARE(f.store->noteDirectory(), chosen.path());
    QVERIFY2(f.store->statusText().startsWith(QStringLiteral("保存失败：")), qPrintable(f.store->statusText()));
    QVERIFY(f.store->statusText().size() > QStringLiteral("保存失败：").size());
    QVERIFY(QDir().rmdir(preferencesPath));
}

void TestNoteLibrary::chooserSavesUnsavedEditFirst()
{
    NoteStoreFixture f;
    f.writeNote(QStringLiteral("a.md"), "alpha", 1'000'000);
    f.store->reloadNotes(false);
    f.store->setIsEditingNote(true);
    f.store->setNoteText(QStringLiteral("edited"));
    QTemporaryDir chosen;
    f.chooser.answer = chosen.path();
    f.store->chooseNoteDirectory();
    QCOMPARE(f.read(f.path(QStringLiteral("a.md"))), QByteArray("edited"));
    QCOMPARE(f.store->noteDirectory(), chosen.path());
}

void TestNoteLibrary::chooserKeepsEditThatCannotBeSaved()
{
    NoteStoreFixture f;
    f.writeNote(QStringLiteral("gbk.md"), "\xC4\xE3\xBA\xC3", 1'000'000);
    f.store->reloadNotes(false);
    f.store->setIsEditingNote(true);
    f.store->setNoteText(QStringLiteral("typed over unreadable text"));
    QTemporaryDir chosen;
    f.chooser.answer = chosen.path();
    f.store->chooseNoteDirectory();
    QCOMPARE(f.store->noteDirectory(), f.folder());
    QCOMPARE(f.store->noteText(), QStringLiteral("typed over unreadable text"));
    QVERIFY(f.store->isEditingNote());
    QVERIFY(f.store->statusText().startsWith(QStringLiteral("保存失败：")));
    QCOMPARE(f.read(f.path(QStringLiteral("gbk.md"))), QByteArray("\xC4\xE3\xBA\xC3"));
    QVERIFY(!QFileInfo::exists(chosen.filePath(kWelcomeName)));
}

QUILLO_TEST_GUILESS_MAIN(TestNoteLibrary)
#include "tst_note_library.moc"
