#include "quiet_store.h"
#include "test_files.h"
#include "test_main.h"

#include "store/clip_json.h"
#include "store/history_file.h"

#include <QRegularExpression>
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

    // Where the notes are and whether the filter is on, from what start-up finds on disk. Start-up
    // creates the folder it picks and writes no file of its own.
    void startUp_data()
    {
        QTest::addColumn<QString>("found");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("filter");
        const QString gone = home() + QStringLiteral("/elsewhere/我的笔记");
        const QString cloud = cloudParent() + QStringLiteral("/Quillo");
        QTest::newRow("first run") << "nothing" << documentsQuillo() << true;
        QTest::newRow("cloud drive present") << "cloud" << cloud << true;
        QTest::newRow("cloud drive's parent only") << "cloud parent" << documentsQuillo() << true;
        // A stored folder that no longer exists is made again; its trailing slash is dropped.
        QTest::newRow("stored preferences win") << "preferences" << gone << false;
        QTest::newRow("unreadable preferences") << "~/notes" << documentsQuillo() << true;
        QTest::newRow("relative folder") << "notes" << documentsQuillo() << true;
    }
    void startUp()
    {
        QFETCH(QString, found);
        QFETCH(QString, folder);
        if (found == "cloud" || found == "preferences") // stored preferences win over the cloud drive
            QVERIFY(QDir().mkpath(cloudParent()));
        if (found == "cloud parent")
            QVERIFY(QDir().mkpath(home() + QStringLiteral("/Library/Mobile Documents")));
        QByteArray preferences;
        if (found == "preferences")
            preferences = preferencesWithFilterOff(home() + QStringLiteral("/elsewhere/我的笔记/"));
        else if (found.contains("notes"))
            preferences = preferencesWithFilterOff(found);
        if (!preferences.isEmpty())
            writeFile(supportDir() + QStringLiteral("/preferences.json"), preferences);
        const QString workingDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(home())); // a relative folder would land here
        QuietStore f(false);
        QVERIFY(QDir::setCurrent(workingDir));
        QCOMPARE(f.store->noteDirectory(), folder);
        QTEST(f.store->ignoreSensitive(), "filter");
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(QFileInfo::exists(documentsQuillo()), folder == documentsQuillo());
        QVERIFY(!QFileInfo::exists(home() + QStringLiteral("/notes"))
                && !QFileInfo::exists(home() + QStringLiteral("/~")));
        QCOMPARE(modeOf(supportDir()), mode_t(0700));
        QCOMPARE(modeOf(folder), mode_t(0755)); // the notes folder is the user's
        QCOMPARE(f.store->selectedNote()->title(), QStringLiteral("欢迎使用Quillo.md"));
        QCOMPARE(f.store->statusText(), QStringLiteral("已打开"));
        f.store->flush();
        QCOMPARE(readFile(f.store->preferencesFilePath()), preferences);
        QVERIFY(!QFileInfo::exists(f.store->historyFilePath()));
    }

    // A file with more entries than the limit (edited by hand, or grown by another program):
    // the pinned entries and the newest others are kept, in the file's order, the original is
    // kept aside at the first write, and a repeated id gets a fresh one.
    void storedHistoryLoadedWithinTheLimit()
    {
        QList<ClipItem> stored;
        QList<ClipItem> expected;
        int unpinnedKept = 0;
        for (int i = 0; i < 150; ++i) {
            stored << textClip(QString::number(i));
            stored.last().isPinned = i % 7 == 0;
            stored.last().createdAt = 1000.0 - i;
            if (stored.last().isPinned || unpinnedKept++ < 100 - 22)
                expected << stored.last();
        }
        stored[5].id = stored[1].id;
        const QByteArray original = ClipJson::encodeClips(stored);
        writeFile(supportDir() + QStringLiteral("/clipboard-history.json"), original);
        QuietStore f;
        QCOMPARE(f.store->clips().size(), 100);
        for (int i = 0; i < 100; ++i) {
            QCOMPARE(f.store->clips()[i].content, expected[i].content);
            QCOMPARE(f.store->clips()[i].isPinned, expected[i].isPinned);
        }
        QVERIFY(f.store->clips()[4].id != f.store->clips()[1].id);
        f.store->deleteClip(f.store->clips()[1]);
        QCOMPARE(f.store->clips()[4].content, QStringLiteral("5")); // the duplicate stays
        f.store->flush();
        QCOMPARE(ClipJson::decodeClips(readFile(f.store->historyFilePath())), std::optional(f.store->clips()));
        const QStringList aside = QDir(supportDir()).entryList({QStringLiteral("clipboard-history.json.untrimmed-*")});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readFile(supportDir() + QLatin1Char('/') + aside.first()), original);
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

    // Copies enter the history in the order they were made, whatever finishes first: a picture
    // is written on one worker, a long text filtered on another, a short text at once.
    void capturesRecordedInTheirOrder()
    {
        FakePasteboard pasteboard;
        AppStore store(AppStore::Options{&pasteboard, nullptr, nullptr, true});
        QImage picture(300, 200, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        const QString longText = QStringLiteral("a long line of words, ").repeated(4000);
        pasteboard.offerImage(picture);
        QCoreApplication::processEvents();
        pasteboard.offerText(longText);
        QCoreApplication::processEvents();
        pasteboard.offerText(QStringLiteral("short"));
        QCoreApplication::processEvents();
        QTRY_COMPARE(store.clips().size(), 3);
        QCOMPARE(store.clips()[0].content, QStringLiteral("short"));
        QCOMPARE(store.clips()[1].content, longText.trimmed());
        QCOMPARE(store.clips()[2].kind, ClipKind::image);
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
        QCOMPARE(polling(), announces ? 0 : 900);
        store.setPanelVisible(false);
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
        QCOMPARE(f.chooser.acceptLabel, QStringLiteral("选择"));
        QCOMPARE(f.chooser.startFolder, f.notesFolder());
        // The folder is used for this run either way.
        QCOMPARE(f.store->noteDirectory(), chosen.path());
        QCOMPARE(f.store->notes().size(), 1); // the welcome note
        if (preferencesWritable) {
            QCOMPARE(f.store->statusText(), QStringLiteral("存储位置已更新"));
            QCOMPARE(ClipJson::decodePreferences(readFile(preferences))->noteDirectory, chosen.path());
        } else {
            // The reason too is in Chinese, not the system's English error text.
            QVERIFY2(
                QRegularExpression(QStringLiteral("^保存失败：\\p{Han}+$")).match(f.store->statusText()).hasMatch(),
                qPrintable(f.store->statusText()));
            QCOMPARE(f.store->saveFailure(), f.store->statusText());
            QVERIFY(QDir().rmdir(preferences));
        }
    }

    // An edit of the old folder is saved before the folder changes; when it cannot be saved, or
    // the chooser is cancelled, nothing changes.
    void chooserAndTheEditInProgress_data()
    {
        QTest::addColumn<QByteArray>("note");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<bool>("moved");
        QTest::newRow("edit saved first") << QByteArray("alpha") << true << true;
        QTest::newRow("cancelled") << QByteArray("\xC4\xE3\xBA\xC3") << false << false;
        QTest::newRow("edit cannot be saved") << QByteArray("\xC4\xE3\xBA\xC3") << true << false;
    }
    void chooserAndTheEditInProgress()
    {
        QFETCH(QByteArray, note);
        QFETCH(bool, answered);
        QFETCH(bool, moved);
        QuietStore f;
        TestFiles::writeFile(f.notePath(QStringLiteral("a.md")), note);
        f.store->reloadNotes(false);
        f.store->setIsEditingNote(true);
        f.store->setNoteText(QStringLiteral("typed"));
        f.store->setStatusText(QStringLiteral("before"));
        QTemporaryDir chosen;
        if (answered)
            f.chooser.answer = chosen.path();
        f.store->chooseNoteDirectory();
        QCOMPARE(f.chooser.calls, 1);
        QCOMPARE(readFile(f.notePath(QStringLiteral("a.md"))), moved ? QByteArray("typed") : note);
        QCOMPARE(f.store->noteDirectory(), moved ? chosen.path() : f.notesFolder());
        QCOMPARE(QFileInfo::exists(f.store->preferencesFilePath()), moved);
        if (moved)
            return;
        QCOMPARE(f.store->noteText(), QStringLiteral("typed"));
        QVERIFY(f.store->isEditingNote());
        QCOMPARE(f.store->statusText().startsWith(QStringLiteral("保存失败：")), answered);
        QVERIFY(QDir(chosen.path()).isEmpty());
    }
};

QUILLO_TEST_GUILESS_MAIN(TestAppStore)
#include "tst_app_store.moc"
