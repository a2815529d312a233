#include "app_store_test_access.h"
#include "note_test_fixture.h"
#include "store/reference_time.h"
#include "test_main.h"

#include <QImage>

namespace {

const QString kNewNoteBody = QStringLiteral("# 新笔记\n\n开始记录……\n");

ClipItem clip(ClipKind kind, const QString &title, const QString &content)
{
    ClipItem item = ClipItem::make(kind, title, content);
    return item;
}

// A path that can never be created: its parent is a regular file.
QString impossibleFolder(const NoteStoreFixture &f)
{
    NoteStoreFixture::write(f.path(QStringLiteral("blocker")), "file");
    return f.path(QStringLiteral("blocker/notes"));
}

QString fileNameOf(const QUrl &url)
{
    return url.fileName();
}

} // namespace

class TestNoteEditing : public QObject
{
    Q_OBJECT

private slots:
    void newNotesTakeCounterNames();
    void newNoteFailureIsReported();
    void saveWritesEditAndReloads();
    void saveFailureKeepsEdit_data();
    void saveFailureKeepsEdit();
    void saveKeepsByteOrderMark();
    void noteFromClip_data();
    void noteFromClip();
    void noteTitle_data();
    void noteTitle();
    void unsafeFileNames_data();
    void unsafeFileNames();
    void danglingLinkNameIsTaken();
    void noteFromClipSavesUnsavedEditFirst();
    void noteFromClipChangesNothingWhenEditCannotBeSaved();
    void noteFromClipWriteFailure();
    void pictureAttachments();
    void pictureFailures_data();
    void pictureFailures();
    void search_data();
    void search();
    void searchFollowsReloads();
};

void TestNoteEditing::newNotesTakeCounterNames()
{
    NoteStoreFixture f;
    QVERIFY(f.store->createNote());
    QCOMPARE(f.selectedName(), QStringLiteral("新笔记.md"));
    QCOMPARE(f.store->statusText(), QStringLiteral("已打开"));
    QCOMPARE(f.read(f.path(QStringLiteral("新笔记.md"))), kNewNoteBody.toUtf8());
    QVERIFY(f.store->createNote());
    QCOMPARE(f.selectedName(), QStringLiteral("新笔记 2.md"));
    QVERIFY(f.store->createNote());
    QCOMPARE(f.selectedName(), QStringLiteral("新笔记 3.md"));
    QVERIFY(QFile::remove(f.path(QStringLiteral("新笔记 2.md"))));
    QVERIFY(f.store->createNote());
    QCOMPARE(f.selectedName(), QStringLiteral("新笔记 2.md"));
    QCOMPARE(f.store->noteText(), kNewNoteBody);
}

void TestNoteEditing::newNoteFailureIsReported()
{
    NoteStoreFixture f;
    f.store->setNoteDirectory(impossibleFolder(f));
    QVERIFY(!f.store->createNote());
    QVERIFY2(f.store->statusText().startsWith(QStringLiteral("生成失败：")), qPrintable(f.store->statusText()));
    QVERIFY(f.store->notes().isEmpty());
}

void TestNoteEditing::saveWritesEditAndReloads()
{
    NoteStoreFixture f;
    f.writeNote(QStringLiteral("a.md"), "alpha", 1'000'000);
    f.writeNote(QStringLiteral("b.md"), "beta", 2'000'000);
    f.store->reloadNotes(false);
    f.store->selectNote(f.store->notes().at(1));
    f.store->setIsEditingNote(true);
    f.store->setNoteText(QStringLiteral("alpha, edited\n"));
    QVERIFY(f.store->saveNote());
    QCOMPARE(f.read(f.path(QStringLiteral("a.md"))), QByteArray("alpha, edited\n"));
    QCOMPARE(f.store->noteText(), QStringLiteral("alpha, edited\n"));
    QCOMPARE(f.store->statusText(), QStringLiteral("已保存到文件"));
    QVERIFY(!f.store->isEditingNote());
    QCOMPARE(f.noteNames().first(), QStringLiteral("a.md"));
    QCOMPARE(f.store->selectedNote()->content, QStringLiteral("alpha, edited\n"));

    f.store->setSelectedNote(std::nullopt);
    QVERIFY(!f.store->saveNote());
}

void TestNoteEditing::saveFailureKeepsEdit_data()
{
    QTest::addColumn<QString>("breakage");
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<bool>("descriptionGiven"); // the exact UTF-8 refusal text
    QTest::newRow("folder gone") << QStringLiteral("folder") << QByteArray("alpha") << false;
    QTest::newRow("not utf-8") << QString() << QByteArray("\xC4\xE3\xBA\xC3") << true;
    QTest::newRow("link target gone") << QStringLiteral("link") << QByteArray("alpha") << false;
    QTest::newRow("replaced by a folder") << QStringLiteral("dir") << QByteArray("alpha") << false;
}

void TestNoteEditing::saveFailureKeepsEdit()
{
    QFETCH(QString, breakage);
    QFETCH(QByteArray, original);
    QFETCH(bool, descriptionGiven);
    NoteStoreFixture f;
    QTemporaryDir outside;
    const QString note = f.path(QStringLiteral("a.md"));
    const QString target = outside.filePath(QStringLiteral("target.md"));
    if (breakage == QLatin1String("link")) {
        f.write(target, original);
        QVERIFY(QFile::link(target, note));
    } else {
        f.write(note, original);
    }
    f.store->reloadNotes(false);
    QCOMPARE(f.selectedName(), QStringLiteral("a.md"));

    if (breakage == QLatin1String("folder")) {
        QVERIFY(QDir(f.folder()).removeRecursively());
        f.write(f.folder(), "now a file");
    } else if (breakage == QLatin1String("link")) {
        QVERIFY(QFile::remove(target));
    } else if (breakage == QLatin1String("dir")) {
        QVERIFY(QFile::remove(note));
        QVERIFY(QDir().mkpath(note));
    }
    f.store->setIsEditingNote(true);
    f.store->setNoteText(QStringLiteral("my edit"));
    f.store->setStatusText(QString());
    QVERIFY(!f.store->saveNote());
    const QString status = f.store->statusText();
    QVERIFY2(status.startsWith(QStringLiteral("保存失败：")) && status.size() > 5, qPrintable(status));
    if (descriptionGiven)
        QCOMPARE(status, QStringLiteral("保存失败：文件不是有效的 UTF-8 文本"));
    QCOMPARE(f.store->noteText(), QStringLiteral("my edit"));
    QVERIFY(f.store->isEditingNote());
    if (breakage.isEmpty())
        QCOMPARE(f.read(note), original);
    QVERIFY(!QFileInfo::exists(target));
    if (breakage == QLatin1String("folder"))
        QFile::remove(f.folder());
}

void TestNoteEditing::saveKeepsByteOrderMark()
{
    NoteStoreFixture f;
    f.writeNote(QStringLiteral("bom.md"), "\xEF\xBB\xBFold", 1'000'000);
    f.store->reloadNotes(false);
    QCOMPARE(f.store->noteText(), QStringLiteral("old"));
    f.store->setNoteText(QStringLiteral("新"));
    QVERIFY(f.store->saveNote());
    QCOMPARE(f.read(f.path(QStringLiteral("bom.md"))), QByteArray("\xEF\xBB\xBF") + QStringLiteral("新").toUtf8());
}

void TestNoteEditing::noteFromClip_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("body");

    QTest::newRow("text, heading after blank lines") << int(ClipKind::text) << "t"
                                                     << "\n  \n## Meeting notes\nbody"
                                                     << "Meeting notes.md"
                                                     << "# Meeting notes\n\n\n  \n## Meeting notes\nbody\n";
    QTest::newRow("text with path characters") << int(ClipKind::text) << "t"
                                               << "a/b:c?"
                                               << "a-b-c-.md"
                                               << "# a/b:c?\n\na/b:c?\n";
    QTest::newRow("link") << int(ClipKind::link) << "Qt"
                          << "https://qt.io"
                          << "Qt.md"
                          << "# Qt\n\n[https://qt.io](https://qt.io)\n";
    QTest::newRow("link without title") << int(ClipKind::link) << ""
                                        << "https://a.b"
                                        << "收藏链接.md"
                                        << "# 收藏链接\n\n[https://a.b](https://a.b)\n";
    QTest::newRow("code") << int(ClipKind::code) << "c"
                          << "int x;"
                          << "int x;.md"
                          << "# int x;\n\n```\nint x;\n```\n";
    QTest::newRow("code with a fence inside") << int(ClipKind::code) << "c"
                                              << "a ``` b"
                                              << "a ``` b.md"
                                              << "# a ``` b\n\n````\na ``` b\n````\n";
    QTest::newRow("file") << int(ClipKind::file) << "报告 (1).pdf"
                          << "/home/u/报告 (1).pdf"
                          << "报告 (1).pdf.md"
                          << "# 报告 (1).pdf\n\n[报告 (1).pdf](file:///home/u/%E6%8A%A5%E5%91%8A%20%281%29.pdf)\n";
}

void TestNoteEditing::noteFromClip()
{
    QFETCH(int, kind);
    QFETCH(QString, title);
    QFETCH(QString, content);
    QFETCH(QString, fileName);
    NoteStoreFixture f;
    QVERIFY(f.store->createNote(clip(ClipKind(kind), title, content)));
    QCOMPARE(f.selectedName(), fileName);
    QTEST(QString::fromUtf8(f.read(f.path(fileName))), "body");
    QCOMPARE(f.store->statusText(), QStringLiteral("已生成笔记"));
    QCOMPARE(f.store->pendingNoteOpenURL(), std::optional<QUrl>(QUrl::fromLocalFile(f.path(fileName))));
}

void TestNoteEditing::noteTitle_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("expected");

    const QString fifty = QString(50, QLatin1Char('x'));
    QTest::newRow("heading marker") << int(ClipKind::text) << ""
                                    << "### 标题"
                                    << "标题";
    QTest::newRow("seven hashes keep one") << int(ClipKind::text) << ""
                                           << "####### x"
                                           << "# x";
    QTest::newRow("marker after spaces stays") << int(ClipKind::text) << ""
                                               << "  # x"
                                               << "# x";
    QTest::newRow("tabs folded") << int(ClipKind::text) << ""
                                 << "a\t\tb"
                                 << "a b";
    QTest::newRow("blank lines skipped") << int(ClipKind::text) << ""
                                         << " \t\r\n\nsecond"
                                         << "second";
    QTest::newRow("all blank uses title") << int(ClipKind::code) << "标题"
                                          << "  \n\t\n"
                                          << "标题";
    QTest::newRow("only a marker") << int(ClipKind::text) << ""
                                   << "#"
                                   << "剪贴板笔记";
    QTest::newRow("36 characters") << int(ClipKind::text) << "" << fifty << fifty.left(36);
    QTest::newRow("graphemes, not code units")
        << int(ClipKind::text) << "" << QString(40, QChar(0x00E9)).replace(QChar(0x00E9), QStringLiteral("e\u0301"))
        << QString(36, QChar(0x00E9)).replace(QChar(0x00E9), QStringLiteral("e\u0301"));
    QTest::newRow("image") << int(ClipKind::image) << "x"
                           << ""
                           << "剪贴板图片";
    QTest::newRow("file") << int(ClipKind::file) << "a.txt"
                          << "/a.txt"
                          << "a.txt";
}

void TestNoteEditing::noteTitle()
{
    QFETCH(int, kind);
    QFETCH(QString, title);
    QFETCH(QString, content);
    NoteStoreFixture f;
    QTEST(AppStoreTestAccess::noteTitle(*f.store, clip(ClipKind(kind), title, content)), "expected");
}

void TestNoteEditing::unsafeFileNames_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("nul") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << "a-b.md";
    QTest::newRow("controls and delete") << QStringLiteral("x\x01y\x7Fz\x1F") << "x-y-z-.md";
    QTest::newRow("leading dots") << "..profile"
                                  << "profile.md";
    QTest::newRow("dots and spaces") << " . . x"
                                     << "x.md";
    QTest::newRow("only dots") << "..."
                               << "剪贴板笔记.md";
    QTest::newRow("empty") << ""
                           << "剪贴板笔记.md";
    QTest::newRow("reserved characters") << "a*b|c\"d<e>f%g\\h"
                                         << "a-b-c-d-e-f-g-h.md";
}

void TestNoteEditing::unsafeFileNames()
{
    QFETCH(QString, title);
    NoteStoreFixture f;
    const QUrl url = AppStoreTestAccess::uniqueNoteURL(*f.store, title);
    QTEST(fileNameOf(url), "fileName");
    QCOMPARE(QFileInfo(url.toLocalFile()).absolutePath(), f.folder());
}

void TestNoteEditing::danglingLinkNameIsTaken()
{
    NoteStoreFixture f;
    QTemporaryDir outside;
    const QString target = outside.filePath(QStringLiteral("escaped.md"));
    QVERIFY(QFile::link(target, f.path(QStringLiteral("Meeting.md"))));
    QVERIFY(f.store->createNote(clip(ClipKind::text, QString(), QStringLiteral("Meeting"))));
    QCOMPARE(f.selectedName(), QStringLiteral("Meeting 2.md"));
    QVERIFY(!QFileInfo::exists(target));
}

void TestNoteEditing::noteFromClipSavesUnsavedEditFirst()
{
    NoteStoreFixture f;
    f.writeNote(QStringLiteral("a.md"), "alpha", 1'000'000);
    f.store->reloadNotes(false);
    f.store->setIsEditingNote(true);
    f.store->setNoteText(QStringLiteral("unsaved"));
    QVERIFY(f.store->createNote(clip(ClipKind::text, QString(), QStringLiteral("new"))));
    QCOMPARE(f.read(f.path(QStringLiteral("a.md"))), QByteArray("unsaved"));
    QCOMPARE(f.selectedName(), QStringLiteral("new.md"));
}

void TestNoteEditing::noteFromClipChangesNothingWhenEditCannotBeSaved()
{
    NoteStoreFixture f;
    f.writeNote(QStringLiteral("gbk.md"), "\xC4\xE3", 1'000'000);
    f.store->reloadNotes(false);
    f.store->setIsEditingNote(true);
    f.store->setNoteText(QStringLiteral("typed"));
    QVERIFY(!f.store->createNote(clip(ClipKind::text, QString(), QStringLiteral("new"))));
    QVERIFY(!f.store->createNote());
    QVERIFY(f.store->statusText().startsWith(QStringLiteral("保存失败：")));
    QCOMPARE(f.store->noteText(), QStringLiteral("typed"));
    QVERIFY(f.store->isEditingNote());
    QCOMPARE(f.noteNames(), QStringList{QStringLiteral("gbk.md")});
    QVERIFY(!f.store->pendingNoteOpenURL());
}

void TestNoteEditing::noteFromClipWriteFailure()
{
    NoteStoreFixture f;
    f.store->setNoteDirectory(impossibleFolder(f));
    QVERIFY(!f.store->createNote(clip(ClipKind::text, QString(), QStringLiteral("x"))));
    QVERIFY(f.store->statusText().startsWith(QStringLiteral("生成失败：")));
    QVERIFY(!f.store->pendingNoteOpenURL());
}

namespace {

QString storePicture(const AppStore &store, const QString &name, Qt::GlobalColor color)
{
    QDir().mkpath(store.imagesDirectory());
    const QString path = store.imagesDirectory() + QLatin1Char('/') + name;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(color);
    image.save(path, "PNG");
    return path;
}

ClipItem pictureClip(const QString &path, qint64 unixSeconds)
{
    ClipItem item =
        ClipItem::make(ClipKind::image, QStringLiteral("图片"), QString(), ClipItem::sourceClipboard(), path);
    item.createdAt = ReferenceTime::fromUnixSeconds(double(unixSeconds) + 0.75);
    return item;
}

} // namespace

void TestNoteEditing::pictureAttachments()
{
    NoteStoreFixture f;
    const QString red = storePicture(*f.store, QStringLiteral("red.png"), Qt::red);
    const QString blue = storePicture(*f.store, QStringLiteral("blue.png"), Qt::blue);
    const QString attachments = f.path(QStringLiteral("附件/"));

    QVERIFY(f.store->createNote(pictureClip(red, 1'700'000'000)));
    QCOMPARE(f.selectedName(), QStringLiteral("剪贴板图片.md"));
    QCOMPARE(f.store->noteText(), QStringLiteral("# 剪贴板图片\n\n![剪贴板图片](附件/剪贴板图片-1700000000.png)\n"));
    QCOMPARE(f.read(attachments + QStringLiteral("剪贴板图片-1700000000.png")), f.read(red));

    // The same picture again in that second: the file is reused.
    QVERIFY(f.store->createNote(pictureClip(red, 1'700'000'000)));
    QCOMPARE(f.selectedName(), QStringLiteral("剪贴板图片 2.md"));
    QVERIFY(f.store->noteText().contains(QStringLiteral("(附件/剪贴板图片-1700000000.png)")));
    QVERIFY(!QFileInfo::exists(attachments + QStringLiteral("剪贴板图片-1700000000-2.png")));

    // Another picture from that second never replaces it.
    QVERIFY(f.store->createNote(pictureClip(blue, 1'700'000'000)));
    QVERIFY(f.store->noteText().contains(QStringLiteral("(附件/剪贴板图片-1700000000-2.png)")));
    QCOMPARE(f.read(attachments + QStringLiteral("剪贴板图片-1700000000.png")), f.read(red));
    QCOMPARE(f.read(attachments + QStringLiteral("剪贴板图片-1700000000-2.png")), f.read(blue));
    QVERIFY(QFileInfo::exists(red)); // copied, not moved
}

void TestNoteEditing::pictureFailures_data()
{
    QTest::addColumn<QString>("picture"); // "none", "outside", "deleted", "blocked"
    QTest::addColumn<QString>("status");
    QTest::newRow("no picture path") << "none"
                                     << "图片文件不可用";
    QTest::newRow("not a stored picture") << "outside"
                                          << "图片文件不可用";
    QTest::newRow("stored picture deleted") << "deleted"
                                            << "图片文件不可用";
    QTest::newRow("attachment folder blocked") << "blocked"
                                               << "图片保存失败：";
}

void TestNoteEditing::pictureFailures()
{
    QFETCH(QString, picture);
    QFETCH(QString, status);
    NoteStoreFixture f;
    QString path = storePicture(*f.store, QStringLiteral("p.png"), Qt::green);
    QTemporaryDir outside;
    if (picture == QLatin1String("outside")) {
        path = outside.filePath(QStringLiteral("p.png"));
        QVERIFY(QFile::copy(storePicture(*f.store, QStringLiteral("q.png"), Qt::green), path));
        QVERIFY(QFile::link(path, f.store->imagesDirectory() + QStringLiteral("/link.png")));
        path = f.store->imagesDirectory() + QStringLiteral("/link.png");
    } else if (picture == QLatin1String("deleted")) {
        QVERIFY(QFile::remove(path));
    } else if (picture == QLatin1String("blocked")) {
        f.write(f.path(QStringLiteral("附件")), "a file in the folder's place");
    }
    ClipItem item = pictureClip(path, 1'700'000'000);
    if (picture == QLatin1String("none"))
        item.imagePath.reset();
    QVERIFY(!f.store->createNote(item));
    QVERIFY2(f.store->statusText().startsWith(status), qPrintable(f.store->statusText()));
    QVERIFY(f.store->notes().isEmpty());
    QVERIFY(!QFileInfo::exists(f.path(QStringLiteral("剪贴板图片.md"))));
}

void TestNoteEditing::search_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("empty") << "" << QStringList{"new.md", "Alpha.md", "beta.md"};
    QTest::newRow("blank") << " \n" << QStringList{"new.md", "Alpha.md", "beta.md"};
    QTest::newRow("extension, any case") << "MD" << QStringList{"new.md", "Alpha.md", "beta.md"};
    QTest::newRow("name ignores case") << " alpha " << QStringList{"Alpha.md"};
    QTest::newRow("content") << "GAMMA" << QStringList{"beta.md"};
    QTest::newRow("across name and content") << ".md gam" << QStringList{"beta.md"};
    QTest::newRow("chinese") << "笔记" << QStringList{"new.md"};
    QTest::newRow("nothing") << "zzz" << QStringList{};
}

void TestNoteEditing::search()
{
    QFETCH(QString, query);
    NoteStoreFixture f;
    f.writeNote(QStringLiteral("beta.md"), "gamma delta", 1'000'000);
    f.writeNote(QStringLiteral("Alpha.md"), "one", 2'000'000);
    f.writeNote(QStringLiteral("new.md"), QStringLiteral("中文笔记").toUtf8(), 3'000'000);
    f.store->reloadNotes(false);
    f.store->setQuery(query);
    QTEST(NoteStoreFixture::titles(f.store->filteredNotes()), "found");
}

void TestNoteEditing::searchFollowsReloads()
{
    NoteStoreFixture f;
    f.writeNote(QStringLiteral("a.md"), "old words", 1'000'000);
    f.store->reloadNotes(false);
    f.store->setQuery(QStringLiteral("fresh"));
    QVERIFY(f.store->filteredNotes().isEmpty());
    f.writeNote(QStringLiteral("a.md"), "fresh words", 1'000'000);
    f.store->reloadNotes(false);
    QCOMPARE(NoteStoreFixture::titles(f.store->filteredNotes()), QStringList{QStringLiteral("a.md")});
    f.store->setNotes({});
    QVERIFY(f.store->filteredNotes().isEmpty());
}

QUILLO_TEST_GUILESS_MAIN(TestNoteEditing)
#include "tst_note_editing.moc"
