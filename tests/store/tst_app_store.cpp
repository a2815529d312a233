#include "quiet_store.h"
#include "test_files.h"
#include "test_main.h"

#include "store/clip_json.h"
#include "store/history_file.h"

#include <QSignalSpy>

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
// The preferences file as the store writes it: slashes escaped, the switch off.
QByteArray preferencesWithFilterOff(QString folder)
{
    folder.replace(QLatin1String("/"), QLatin1String("\\/"));
    return "{\"noteDirectory\":\"" + folder.toUtf8() + "\",\"ignoreSensitive\":false}";
}

ClipItem textClip(const QString &text)
{
    return ClipItem::make(ClipKind::text, text, text);
}

} // namespace

// The store as a whole: start-up, the operations that join its parts, the published fields.
class TestAppStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ::umask(022);
        QVERIFY(home().startsWith(QDir::tempPath())); // never the real user's folders
    }
    void init()
    {
        for (const char *name : {"/.local", "/Documents", "/Library", "/elsewhere"})
            QDir(home() + QLatin1String(name)).removeRecursively();
    }

    void firstRunDefaults()
    {
        QuietStore f(false);
        AppStore &store = *f.store;
        QCOMPARE(store.supportDirectory(), supportDir());
        QCOMPARE(modeOf(supportDir()), mode_t(0700));
        QCOMPARE(store.historyFilePath(), supportDir() + QStringLiteral("/clipboard-history.json"));
        QCOMPARE(store.preferencesFilePath(), supportDir() + QStringLiteral("/preferences.json"));
        QCOMPARE(store.imagesDirectory(), supportDir() + QStringLiteral("/ClipboardImages"));
        QCOMPARE(store.mode(), ContentMode::clipboard);
        QVERIFY(store.clips().isEmpty());
        QVERIFY(store.ignoreSensitive());
        QVERIFY(store.query().isEmpty() && !store.copiedID() && !store.pendingNoteOpenURL());
        QVERIFY(!store.isPinned() && !store.isEditingNote() && !store.isNoteDetailOpen());
        // The notes folder is the user's: its usual mode, and the welcome note selected.
        QCOMPARE(store.noteDirectory(), documentsQuillo());
        QCOMPARE(modeOf(documentsQuillo()), mode_t(0755));
        QCOMPARE(store.notes().size(), 1);
        QCOMPARE(store.selectedNote()->title(), QStringLiteral("欢迎使用Quillo.md"));
        QCOMPARE(store.noteText(), QString::fromUtf8(readFile(store.selectedNote()->path())));
        QCOMPARE(store.statusText(), QStringLiteral("已打开"));
        QCOMPARE(AppStore::folderLabel(store.noteDirectory()), QStringLiteral("Quillo"));
        store.flush();
        QVERIFY(!QFileInfo::exists(store.preferencesFilePath()));
        QVERIFY(!QFileInfo::exists(store.historyFilePath()));
    }

    void defaultNoteFolder_data()
    {
        QTest::addColumn<bool>("cloudExists");
        QTest::newRow("cloud drive present") << true;
        QTest::newRow("no cloud drive") << false;
    }
    void defaultNoteFolder()
    {
        QFETCH(bool, cloudExists);
        // Without the cloud drive, only its parent's parent exists.
        QVERIFY(QDir().mkpath(cloudExists ? cloudParent() : home() + QStringLiteral("/Library/Mobile Documents")));
        QuietStore f(false);
        const QString expected = cloudExists ? cloudParent() + QStringLiteral("/Quillo") : documentsQuillo();
        QCOMPARE(f.store->noteDirectory(), expected);
        QVERIFY(QFileInfo(expected).isDir());
        QCOMPARE(QFileInfo::exists(documentsQuillo()), !cloudExists);
    }

    // A stored folder that no longer exists is created again and used; a trailing slash and
    // escaped slashes are read as a plain path. Nothing is written at start-up.
    void storedPreferencesApplied()
    {
        const QString gone = home() + QStringLiteral("/elsewhere/我的笔记");
        QVERIFY(QDir().mkpath(cloudParent())); // ignored: stored preferences win
        const QByteArray json = preferencesWithFilterOff(gone + QLatin1Char('/'));
        writeFile(supportDir() + QStringLiteral("/preferences.json"), json);
        QuietStore f(false);
        QCOMPARE(f.store->noteDirectory(), gone);
        QVERIFY(!f.store->ignoreSensitive());
        QVERIFY(QFileInfo(gone).isDir());
        QCOMPARE(readFile(f.store->preferencesFilePath()), json);
    }

    void rejectedPreferencesGiveDefaults_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("only the switch") << QByteArray(R"({"ignoreSensitive":false})");
        QTest::newRow("tilde path") << QByteArray(R"({"noteDirectory":"~\/notes","ignoreSensitive":false})");
        QTest::newRow("relative path") << QByteArray(R"({"noteDirectory":"notes","ignoreSensitive":false})");
        QTest::newRow("not json") << QByteArray("\x00\x01garbage", 9);
    }
    void rejectedPreferencesGiveDefaults()
    {
        QFETCH(QByteArray, json);
        writeFile(supportDir() + QStringLiteral("/preferences.json"), json);
        const QString workingDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(home()));
        QuietStore f(false);
        QVERIFY(QDir::setCurrent(workingDir));
        QVERIFY(f.store->ignoreSensitive());
        QCOMPARE(f.store->noteDirectory(), documentsQuillo());
        QVERIFY(!QFileInfo::exists(home() + QStringLiteral("/~"))
                && !QFileInfo::exists(home() + QStringLiteral("/notes")));
        QCOMPARE(readFile(f.store->preferencesFilePath()), json); // left alone until the next save
    }

    // More entries than the limit: start-up does not trim, and writes nothing.
    void storedHistoryLoadedUnchanged()
    {
        QList<ClipItem> stored;
        for (int i = 0; i < 150; ++i) {
            stored << textClip(QString::number(i));
            stored.last().isPinned = i % 7 == 0;
            stored.last().createdAt = 1000.0 - i;
        }
        stored[3].kind = ClipKind::image;
        stored[3].imagePath = supportDir() + QStringLiteral("/ClipboardImages/missing.png");
        writeFile(supportDir() + QStringLiteral("/clipboard-history.json"), ClipJson::encodeClips(stored));
        QuietStore f;
        QCOMPARE(f.store->clips(), stored);
        f.store->flush();
        QCOMPARE(ClipJson::decodeClips(readFile(f.store->historyFilePath())), std::optional(stored));
    }

    // From a copy in another program to the history file, as the real clipboard drives it.
    void captureToHistoryFile()
    {
        FakePasteboard pasteboard;
        FakeStoreClock clock;
        AppStore store(AppStore::Options{&pasteboard, nullptr, &clock, true});
        QSignalSpy saved(&store, &AppStore::historySaved);
        pasteboard.offerText(QStringLiteral("password: hunter2"));
        QCoreApplication::processEvents();
        QVERIFY(store.clips().isEmpty()); // the filter is on by default
        store.setIgnoreSensitiveField(false);
        pasteboard.offerText(QStringLiteral("  password: hunter2\n"));
        QCoreApplication::processEvents();
        QCOMPARE(store.clips().size(), 1);
        QCOMPARE(store.clips().first().content, QStringLiteral("password: hunter2"));

        QImage red(8, 6, QImage::Format_RGB32);
        red.fill(Qt::red);
        pasteboard.offerImage(red);
        QCoreApplication::processEvents();
        QTRY_COMPARE(store.clips().size(), 2); // once its file is written
        QCOMPARE(QImage(*store.clips().first().imagePath).size(), QSize(8, 6));

        QVERIFY(!QFileInfo::exists(store.historyFilePath()));
        clock.advance(HistoryFile::kSaveDelayMs);
        QVERIFY(saved.wait(5000));
        QCOMPARE(ClipJson::decodeClips(readFile(store.historyFilePath())), std::optional(store.clips()));
    }

    // Polling only where the clipboard cannot announce changes, at the rate of the panel.
    void pollingFollowsThePanel_data()
    {
        QTest::addColumn<bool>("announces");
        QTest::newRow("announced changes: no timer") << true;
        QTest::newRow("silent clipboard: polled") << false;
    }
    void pollingFollowsThePanel()
    {
        QFETCH(bool, announces);
        FakePasteboard pasteboard;
        pasteboard.announces = announces;
        FakeStoreClock clock;
        AppStore store(AppStore::Options{&pasteboard, nullptr, &clock, true});
        const auto polling = [&clock]() -> int {
            for (const FakeStoreClock::Timer *timer : clock.timers())
                if (timer->active)
                    return timer->interval;
            return 0;
        };
        QCOMPARE(store.monitoringInterval(), 0.9);
        QCOMPARE(polling(), announces ? 0 : 900);
        store.setPanelVisible(false);
        QCOMPARE(store.monitoringInterval(), 1.8);
        QCOMPARE(polling(), announces ? 0 : 1800);
        store.setPanelVisible(true);
        QCOMPARE(polling(), announces ? 0 : 900);
    }

    // A copy goes to the clipboard, is not recorded again, and marks its row for 1.4 s after
    // the latest copy: an earlier copy's end does not clear a later one's mark.
    void copyWritesAndMarks()
    {
        FakePasteboard pasteboard;
        FakeStoreClock clock;
        AppStore store(AppStore::Options{&pasteboard, nullptr, &clock, true});
        const ClipItem x = textClip(QStringLiteral("x"));
        const ClipItem y = textClip(QStringLiteral("y"));
        store.setClips({x, y});
        QSignalSpy marks(&store, &AppStore::copiedIDChanged);
        store.copy(x);
        QCOMPARE(pasteboard.writes().size(), 1);
        QCOMPARE(pasteboard.writes().first().text, QStringLiteral("x"));
        QCOMPARE(store.copiedID(), std::optional(x.id));
        clock.advance(500);
        store.copy(y);
        QCoreApplication::processEvents();
        QCOMPARE(store.clips(), (QList<ClipItem>{x, y})); // our own writes are not captured
        clock.advance(AppStore::kCopiedMarkMs - 1);
        QCOMPARE(store.copiedID(), std::optional(y.id));
        clock.advance(1);
        QCOMPARE(store.copiedID(), std::nullopt);
        QCOMPARE(marks.count(), 3);
        store.flush();
        QVERIFY(!QFileInfo::exists(store.historyFilePath())); // copying changes no entry
    }

    // A picture entry copies its stored picture; without one, nothing happens at all: the
    // placeholder text would look like success and replace what the user had.
    void copyOfPictures_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("copied");
        QTest::newRow("stored picture") << "ClipboardImages/PIC.png" << true;
        QTest::newRow("missing file") << "ClipboardImages/MISSING.png" << false;
        QTest::newRow("picture outside the images folder") << "PIC.png" << false;
    }
    void copyOfPictures()
    {
        QFETCH(QString, file);
        QFETCH(bool, copied);
        QuietStore f;
        QImage magenta(4, 3, QImage::Format_RGB32);
        magenta.fill(Qt::magenta);
        QDir().mkpath(f.store->imagesDirectory());
        magenta.save(supportDir() + QStringLiteral("/ClipboardImages/PIC.png"), "PNG");
        magenta.save(supportDir() + QStringLiteral("/PIC.png"), "PNG");
        const ClipItem item = ClipItem::make(ClipKind::image, QStringLiteral("复制的图片"), QStringLiteral("图片"),
                                             ClipItem::sourceClipboard(), supportDir() + QLatin1Char('/') + file);
        const qint64 generation = f.pasteboard.changeCount();
        f.store->copy(item);
        QCOMPARE(f.pasteboard.changeCount(), generation + (copied ? 1 : 0));
        QCOMPARE(f.store->copiedID(), copied ? std::optional(item.id) : std::nullopt);
        if (copied)
            QCOMPARE(f.pasteboard.writes().first().image.pixelColor(0, 0), QColor(Qt::magenta));
    }

    // Pin, delete and clear change the history and save it, once, after the debounce.
    void editsAreSaved()
    {
        QuietStore f;
        const QList<ClipItem> clips{textClip(QStringLiteral("a")), textClip(QStringLiteral("b")),
                                    textClip(QStringLiteral("c"))};
        f.store->setClips(clips);
        QSignalSpy changes(f.store.get(), &AppStore::clipsChanged);
        f.store->togglePin(textClip(QStringLiteral("a"))); // unknown id: nothing
        QCOMPARE(changes.count(), 0);
        f.store->togglePin(clips[0]);
        f.store->deleteClip(clips[1]);
        QCOMPARE(changes.count(), 2);
        QVERIFY(!QFileInfo::exists(f.store->historyFilePath()));
        f.clock.advance(HistoryFile::kSaveDelayMs);
        f.store->flush();
        QCOMPARE(ClipJson::decodeClips(readFile(f.store->historyFilePath()))->size(), 2);
        f.store->clearUnpinned();
        QCOMPARE(f.store->clips().size(), 1);
        f.store->flush();
        QCOMPARE(ClipJson::decodeClips(readFile(f.store->historyFilePath())), std::optional(f.store->clips()));
    }

    void setIgnoreSensitiveWritesAtOnce()
    {
        auto f = std::make_unique<QuietStore>(false);
        QSignalSpy changed(f->store.get(), &AppStore::ignoreSensitiveChanged);
        f->store->setIgnoreSensitive(false);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(readFile(f->store->preferencesFilePath()), preferencesWithFilterOff(documentsQuillo()));
        QCOMPARE(modeOf(f->store->preferencesFilePath()), mode_t(0600));
        f = std::make_unique<QuietStore>(false); // the next run reads it
        QVERIFY(!f->store->ignoreSensitive());
    }

    void chosenFolderBecomesTheLibrary_data()
    {
        QTest::addColumn<bool>("preferencesWritable");
        QTest::newRow("saved for the next run") << true;
        QTest::newRow("preferences cannot be saved") << false;
    }
    void chosenFolderBecomesTheLibrary()
    {
        QFETCH(bool, preferencesWritable);
        QuietStore f;
        const QString preferences = f.store->preferencesFilePath();
        if (!preferencesWritable)
            QVERIFY(QDir().mkpath(preferences)); // a folder in the file's place
        QTemporaryDir chosen;
        f.chooser.answer = chosen.path() + QLatin1Char('/');
        f.store->chooseNoteDirectory();
        QCOMPARE(f.chooser.title, QStringLiteral("选择 Markdown 笔记文件夹"));
        QCOMPARE(f.chooser.acceptLabel, QStringLiteral("选择"));
        QCOMPARE(f.chooser.startFolder, f.notesFolder());
        // The folder is used for this run either way.
        QCOMPARE(f.store->noteDirectory(), chosen.path());
        QCOMPARE(f.store->notes().size(), 1); // the welcome note
        if (preferencesWritable) {
            QCOMPARE(f.store->statusText(), QStringLiteral("存储位置已更新"));
            QCOMPARE(ClipJson::decodePreferences(readFile(preferences))->noteDirectory, chosen.path());
        } else {
            QVERIFY2(f.store->statusText().startsWith(QStringLiteral("保存失败：")), qPrintable(f.store->statusText()));
            QVERIFY(f.store->statusText().size() > 5);
            QVERIFY(QDir().rmdir(preferences));
        }
    }

    // Cancelled, or an edit of the old folder that cannot be saved: nothing changes.
    void chooserChangesNothing_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("cancelled") << true;
        QTest::newRow("edit cannot be saved") << false;
    }
    void chooserChangesNothing()
    {
        QFETCH(bool, cancelled);
        QuietStore f;
        TestFiles::writeFile(f.notePath(QStringLiteral("gbk.md")), "\xC4\xE3\xBA\xC3");
        f.store->reloadNotes(false);
        f.store->setIsEditingNote(true);
        f.store->setNoteText(QStringLiteral("typed over unreadable text"));
        f.store->setStatusText(QStringLiteral("before"));
        QTemporaryDir chosen;
        if (!cancelled)
            f.chooser.answer = chosen.path();
        f.store->chooseNoteDirectory();
        QCOMPARE(f.chooser.calls, 1);
        QCOMPARE(f.store->noteDirectory(), f.notesFolder());
        QCOMPARE(f.store->noteText(), QStringLiteral("typed over unreadable text"));
        QVERIFY(f.store->isEditingNote());
        QCOMPARE(f.store->statusText().startsWith(QStringLiteral("保存失败：")), !cancelled);
        QCOMPARE(readFile(f.notePath(QStringLiteral("gbk.md"))), QByteArray("\xC4\xE3\xBA\xC3"));
        QVERIFY(QDir(chosen.path()).isEmpty());
        QVERIFY(!QFileInfo::exists(f.store->preferencesFilePath()));
    }

    void chooserSavesTheEditFirst()
    {
        QuietStore f;
        TestFiles::writeFile(f.notePath(QStringLiteral("a.md")), "alpha");
        f.store->reloadNotes(false);
        f.store->setIsEditingNote(true);
        f.store->setNoteText(QStringLiteral("edited"));
        QTemporaryDir chosen;
        f.chooser.answer = chosen.path();
        f.store->chooseNoteDirectory();
        QCOMPARE(readFile(f.notePath(QStringLiteral("a.md"))), QByteArray("edited"));
        QCOMPARE(f.store->noteDirectory(), chosen.path());
    }

    // Each setter stores the value, then announces the field and `changed`, in that order.
    void publishedFieldsAnnounceThemselves()
    {
        QuietStore f;
        AppStore &s = *f.store;
        using Check = std::function<bool()>;
        const QList<std::tuple<const char *, std::function<void()>, Check>> fields{
            {SIGNAL(modeChanged()), [&] { s.setMode(ContentMode::notes); },
             [&] { return s.mode() == ContentMode::notes; }},
            {SIGNAL(clipsChanged()), [&] { s.setClips({textClip("c")}); }, [&] { return s.clips().size() == 1; }},
            {SIGNAL(notesChanged()), [&] { s.setNotes({NoteFile{}}); }, [&] { return s.notes().size() == 1; }},
            {SIGNAL(selectedNoteChanged()), [&] { s.setSelectedNote(NoteFile{}); },
             [&] { return bool(s.selectedNote()); }},
            {SIGNAL(noteTextChanged()), [&] { s.setNoteText("t"); }, [&] { return s.noteText() == "t"; }},
            {SIGNAL(queryChanged()), [&] { s.setQuery("q"); }, [&] { return s.query() == "q"; }},
            {SIGNAL(copiedIDChanged()), [&] { s.setCopiedID(QUuid()); }, [&] { return bool(s.copiedID()); }},
            {SIGNAL(isPinnedChanged()), [&] { s.setIsPinned(true); }, [&] { return s.isPinned(); }},
            {SIGNAL(isEditingNoteChanged()), [&] { s.setIsEditingNote(true); }, [&] { return s.isEditingNote(); }},
            {SIGNAL(isNoteDetailOpenChanged()), [&] { s.setIsNoteDetailOpen(true); },
             [&] { return s.isNoteDetailOpen(); }},
            {SIGNAL(ignoreSensitiveChanged()), [&] { s.setIgnoreSensitiveField(false); },
             [&] { return !s.ignoreSensitive(); }},
            {SIGNAL(noteDirectoryChanged()), [&] { s.setNoteDirectory("/n"); },
             [&] { return s.noteDirectory() == "/n"; }},
            {SIGNAL(statusTextChanged()), [&] { s.setStatusText("s"); }, [&] { return s.statusText() == "s"; }},
        };
        for (const auto &[signal, set, check] : fields) {
            QSignalSpy field(&s, signal);
            QSignalSpy any(&s, &AppStore::changed);
            bool valueBeforeSignals = false;
            const auto observer = connect(&s, &AppStore::changed, this,
                                          [&, check = check] { valueBeforeSignals = check() && field.count() == 1; });
            set();
            disconnect(observer);
            QVERIFY2(valueBeforeSignals && field.count() == 1 && any.count() == 1, signal);
        }
        QVERIFY(!QFileInfo::exists(s.preferencesFilePath())); // no other side effect
    }
};

QUILLO_TEST_GUILESS_MAIN(TestAppStore)
#include "tst_app_store.moc"
