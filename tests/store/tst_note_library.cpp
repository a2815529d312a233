#include "fake_store_clock.h"
#include "test_files.h"
#include "test_main.h"

#include "store/clip_note_text.h"
#include "store/note_folder.h"
#include "store/note_library.h"
#include "store/note_paths.h"
#include "store/reference_time.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <sys/stat.h>

using TestFiles::readFile;
using TestFiles::writeFile;

namespace {

const QString kWelcomeName = QStringLiteral("欢迎使用Quillo.md");
const QByteArray kWelcomeBytes = QStringLiteral("# 欢迎使用Quillo\n\n把常用文字放在手边，随时复制。\n\n"
                                                "- 支持 Markdown 文件\n- 可选择 iCloud Drive 文件夹\n")
                                     .toUtf8();

QStringList titles(const QList<NoteFile> &notes)
{
    QStringList names;
    for (const NoteFile &note : notes)
        names << note.title();
    return names;
}

ClipItem pictureClip(const QString &path, qint64 unixSeconds)
{
    ClipItem item =
        ClipItem::make(ClipKind::image, QStringLiteral("图片"), QString(), ClipItem::sourceClipboard(), path);
    item.createdAt = ReferenceTime::fromUnixSeconds(double(unixSeconds) + 0.75);
    return item;
}

} // namespace

// The notes folder, selection, editing and new notes, on real temporary folders.
class TestNoteLibrary : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    FakeStoreClock m_clock;
    std::unique_ptr<NoteLibrary> m_library;

    NoteLibrary &library() { return *m_library; }
    QString folder() const { return m_dir->filePath(QStringLiteral("notes")); }
    QString path(const QString &name) const { return folder() + QLatin1Char('/') + name; }
    QString images() const { return m_dir->filePath(QStringLiteral("images")); }
    QString selectedName() const { return m_library->selectedNote() ? m_library->selectedNote()->title() : QString(); }
    // Writes a note dated `unixSeconds` and lists the folder again.
    void writeNote(const QString &name, const QByteArray &bytes, qint64 unixSeconds = 1'000'000)
    {
        writeFile(path(name), bytes);
        const struct timespec times[2] = {{time_t(unixSeconds), 0}, {time_t(unixSeconds), 0}};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path(name)).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
        m_library->reload(false);
    }
    // The search reads the notes' texts on a worker thread.
    void waitForSearch() { QTRY_VERIFY(m_library->isSearchComplete()); }
    QStringList namesIn(const QString &pattern) const
    {
        return QDir(folder()).entryList({pattern}, QDir::Files, QDir::Name);
    }
    void editSelected(const QString &text)
    {
        m_library->setIsEditingNote(true);
        m_library->setNoteText(text);
    }
    QString storedPicture(const QString &name, Qt::GlobalColor color) const
    {
        QDir().mkpath(images());
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(color);
        image.save(images() + QLatin1Char('/') + name, "PNG");
        return images() + QLatin1Char('/') + name;
    }
    // A folder that can never be created: its parent is a regular file.
    QString impossibleFolder() const
    {
        writeFile(path(QStringLiteral("blocker")), "file");
        return path(QStringLiteral("blocker/notes"));
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_library = std::make_unique<NoteLibrary>(images(), m_clock);
        m_library->setDirectory(folder());
        m_library->reload(false);
    }

    void welcomeNote_data()
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
    void welcomeNote()
    {
        QFETCH(QString, existing);
        QFETCH(bool, flag);
        QFETCH(QStringList, listed);
        if (existing.startsWith(QLatin1String("dir:")))
            QVERIFY(QDir().mkpath(path(existing.mid(4))));
        else if (!existing.isEmpty())
            writeFile(path(existing), "x");
        library().reload(flag);
        QCOMPARE(titles(library().notes()), listed);
        QCOMPARE(selectedName(), listed.value(0));
        QCOMPARE(library().noteText(), listed.isEmpty() ? QString() : QString::fromUtf8(readFile(path(listed[0]))));
        if (listed == QStringList{kWelcomeName}) {
            QCOMPARE(readFile(path(kWelcomeName)), kWelcomeBytes);
            QCOMPARE(library().statusText(), QStringLiteral("已打开"));
        }
        if (existing.isEmpty() && !flag)
            QVERIFY(!QFileInfo::exists(path(kWelcomeName)));
    }

    void listsOnlyVisibleMarkdownFiles()
    {
        for (const char *name : {"a.MD", "b.Md", "c.markdown", "d.txt", ".hidden.md", "plain.md", "sub/e.md"})
            writeFile(path(QString::fromUtf8(name)), "text");
        QVERIFY(QDir().mkpath(path(QStringLiteral("y.md"))));
        QCOMPARE(::mkfifo(QFile::encodeName(path(QStringLiteral("x.md"))).constData(), 0600), 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path(QStringLiteral("zero.md"))));
        QVERIFY(QFile::link(path(QStringLiteral("gone.txt")), path(QStringLiteral("dangling.md"))));
        writeFile(m_dir->filePath(QStringLiteral("real.txt")), "linked text");
        QVERIFY(QFile::link(m_dir->filePath(QStringLiteral("real.txt")), path(QStringLiteral("linked.md"))));

        library().reload(true); // must neither hang on the FIFO nor read /dev/zero
        QStringList names = titles(library().notes());
        names.sort();
        QCOMPARE(names, (QStringList{"a.MD", "b.Md", "linked.md", "plain.md"}));
        waitForSearch();
        QCOMPARE(library().filtered(QStringLiteral("linked text")).size(), 1);
    }

    void readsNoteText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<bool>("hasBom");
        QTest::addColumn<QString>("content");
        QTest::addColumn<bool>("complete");
        QTest::newRow("utf-8") << QStringLiteral("# 标题\n正文").toUtf8() << true << false
                               << QStringLiteral("# 标题\n正文") << true;
        QTest::newRow("empty") << QByteArray() << true << false << QString() << true;
        QTest::newRow("bom") << QByteArray("\xEF\xBB\xBFhello") << true << true << QStringLiteral("hello") << true;
        QTest::newRow("gbk") << QByteArray("\xC4\xE3\xBA\xC3") << false << false << QString() << true;
        QTest::newRow("cut multi-byte end") << QByteArray("ok\xE4\xB8") << false << false << QString() << true;
        // Beyond the limit only the first part is read, ending before a character cut there.
        QTest::newRow("over the limit") << QByteArray("\xE4\xB8\x80").repeated(NoteFile::kMaxReadBytes / 3 + 1) << true
                                        << false << QString(NoteFile::kMaxReadBytes / 3, u'\u4E00') << false;
    }
    void readsNoteText()
    {
        QFETCH(QByteArray, bytes);
        writeFile(path(QStringLiteral("n.md")), bytes);
        const NoteFile note = NoteFile::read(QUrl::fromLocalFile(path(QStringLiteral("n.md"))));
        QTEST(note.readable, "readable");
        QTEST(note.hasBom, "hasBom");
        QTEST(note.content, "content");
        QTEST(note.complete, "complete");
        QVERIFY(note.modifiedAt.isValid());
    }

    void sortsNewestFirstKeepingNameOrderOnTies()
    {
        writeNote(QStringLiteral("old.md"), "o", 1'000'000);
        writeNote(QStringLiteral("tie-b.md"), "b", 2'000'000);
        writeNote(QStringLiteral("tie-a.md"), "a", 2'000'000);
        writeNote(QStringLiteral("tie-c.md"), "c", 2'000'000);
        writeNote(QStringLiteral("new.md"), "n", 3'000'000);
        QCOMPARE(titles(library().notes()), (QStringList{"new.md", "tie-a.md", "tie-b.md", "tie-c.md", "old.md"}));
    }

    void selectionAcrossReloads()
    {
        writeNote(QStringLiteral("a.md"), "alpha", 1'000'000);
        writeNote(QStringLiteral("b.md"), "beta", 2'000'000);
        library().select(library().notes().at(1));
        // Kept, and read again from disk.
        writeNote(QStringLiteral("a.md"), "alpha changed", 1'000'000);
        QCOMPARE(selectedName(), QStringLiteral("a.md"));
        QCOMPARE(library().noteText(), QStringLiteral("alpha changed"));
        // Deleted: the newest remaining note.
        QVERIFY(QFile::remove(path(QStringLiteral("a.md"))));
        library().reload(false);
        QCOMPARE(selectedName(), QStringLiteral("b.md"));
        QCOMPARE(library().noteText(), QStringLiteral("beta"));
        // Nothing left: no selection, status untouched.
        QVERIFY(QFile::remove(path(QStringLiteral("b.md"))));
        library().setStatusText(QStringLiteral("kept"));
        library().reload(false);
        QVERIFY(!library().selectedNote());
        QCOMPARE(library().noteText(), QString());
        QCOMPARE(library().statusText(), QStringLiteral("kept"));
    }

    void folderLabel_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("label");
        QTest::newRow("any cloud folder") << "/home/u/Library/Mobile Documents/com~apple~CloudDocs/Work"
                                          << "iCloud Drive / Quillo";
        QTest::newRow("case matters") << "/home/u/mobile documents/Work"
                                      << "Work";
        QTest::newRow("trailing slash") << "/data/笔记/"
                                        << "笔记";
        QTest::newRow("root") << "/"
                              << "/";
    }
    void folderLabel()
    {
        QFETCH(QString, path);
        QTEST(NoteFolder::label(path), "label");
    }

    void newNotesTakeCounterNames()
    {
        const QString body = QStringLiteral("# 新笔记\n\n开始记录……\n");
        QStringList created;
        for (int i = 0; i < 3; ++i) {
            QVERIFY(library().create());
            created << selectedName();
        }
        QCOMPARE(created, (QStringList{"新笔记.md", "新笔记 2.md", "新笔记 3.md"}));
        QCOMPARE(readFile(path(QStringLiteral("新笔记.md"))), body.toUtf8());
        QVERIFY(QFile::remove(path(QStringLiteral("新笔记 2.md"))));
        QVERIFY(library().create());
        QCOMPARE(selectedName(), QStringLiteral("新笔记 2.md"));
        QCOMPARE(library().noteText(), body);
        QCOMPARE(library().statusText(), QStringLiteral("已打开"));
        library().setDirectory(impossibleFolder());
        QVERIFY(!library().create());
        QVERIFY2(library().statusText().startsWith(QStringLiteral("生成失败：")), qPrintable(library().statusText()));
        QVERIFY(!library().create(ClipItem::make(ClipKind::text, QString(), QStringLiteral("x"))));
        QVERIFY(!library().pendingNoteOpenURL());
    }

    void saveWritesEditAndReloads()
    {
        writeNote(QStringLiteral("a.md"), "alpha", 1'000'000);
        writeNote(QStringLiteral("b.md"), "beta", 2'000'000);
        library().select(library().notes().at(1));
        editSelected(QStringLiteral("alpha, edited\n"));
        QVERIFY(library().save());
        QCOMPARE(readFile(path(QStringLiteral("a.md"))), QByteArray("alpha, edited\n"));
        QCOMPARE(library().statusText(), QStringLiteral("已保存到文件"));
        QVERIFY(!library().isEditingNote());
        QCOMPARE(titles(library().notes()).first(), QStringLiteral("a.md")); // now the newest
        QCOMPARE(library().selectedNote()->content, QStringLiteral("alpha, edited\n"));
        library().setSelectedNote(std::nullopt);
        QVERIFY(!library().save());
    }

    void saveFailureKeepsEdit_data()
    {
        QTest::addColumn<QString>("breakage");
        QTest::addColumn<QByteArray>("original");
        QTest::newRow("folder gone") << QStringLiteral("folder") << QByteArray("alpha");
        QTest::newRow("not utf-8") << QString() << QByteArray("\xC4\xE3\xBA\xC3");
        QTest::newRow("only partly read") << QString() << QByteArray(NoteFile::kMaxReadBytes + 1, 'x');
    }
    void saveFailureKeepsEdit()
    {
        QFETCH(QString, breakage);
        QFETCH(QByteArray, original);
        const QString note = path(QStringLiteral("a.md"));
        writeFile(note, original);
        library().reload(false);
        if (breakage == "folder") {
            QVERIFY(QDir(folder()).removeRecursively());
            writeFile(folder(), "now a file");
        }
        editSelected(QStringLiteral("my edit"));
        QVERIFY(!library().save());
        const QString status = library().statusText();
        QVERIFY2(status.startsWith(QStringLiteral("保存失败：")) && status.size() > 5, qPrintable(status));
        if (breakage.isEmpty())
            QCOMPARE(readFile(note), original);
        QCOMPARE(library().noteText(), QStringLiteral("my edit"));
        QVERIFY(library().isEditingNote());
    }

    // The file changed after it was read: nothing is written over it, the edit goes to a new
    // file beside it, and that file is the note from then on.
    void saveAfterOutsideChange_data()
    {
        QTest::addColumn<QString>("change");
        for (const char *change :
             {"rewritten", "same size and time", "deleted", "renamed over", "replaced by a folder", "link target gone"})
            QTest::newRow(change) << QString::fromLatin1(change);
    }
    void saveAfterOutsideChange()
    {
        QFETCH(QString, change);
        const QString note = path(QStringLiteral("a.md"));
        const QString target = m_dir->filePath(QStringLiteral("target.md"));
        writeFile(change == "link target gone" ? target : note, "alpha");
        if (change == "link target gone")
            QVERIFY(QFile::link(target, note));
        library().reload(false);
        editSelected(QStringLiteral("mine"));
        struct stat before = {};
        ::stat(QFile::encodeName(note).constData(), &before);
        if (change == "rewritten" || change == "same size and time") {
            writeFile(note, change == "rewritten" ? "theirs, longer" : "ALPHA");
            const struct timespec times[2] = {before.st_atim, before.st_mtim};
            if (change == "same size and time")
                QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(note).constData(), times, 0), 0);
        } else if (change == "renamed over") {
            writeFile(path(QStringLiteral(".a.md.tmp")), "theirs");
            QVERIFY(::rename(QFile::encodeName(path(QStringLiteral(".a.md.tmp"))).constData(),
                             QFile::encodeName(note).constData())
                    == 0);
        } else if (change == "link target gone") {
            QVERIFY(QFile::remove(target));
        } else {
            QVERIFY(QFile::remove(note));
            if (change == "replaced by a folder")
                QVERIFY(QDir().mkpath(note));
        }
        const QByteArray theirs = readFile(note);

        QVERIFY(library().save());
        const QStringList copies = namesIn(QStringLiteral("a (冲突 *).md"));
        QCOMPARE(copies.size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^a \\(冲突 \\d{4}-\\d\\d-\\d\\d \\d{6}\\)\\.md$"))
                     .match(copies[0])
                     .hasMatch(),
                 qPrintable(copies[0]));
        QCOMPARE(readFile(path(copies[0])), QByteArray("mine"));
        QCOMPARE(readFile(note), theirs);
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(library().statusText(), QStringLiteral("已另存为：") + copies[0]);
        QCOMPARE(selectedName(), copies[0]);
        QVERIFY(!library().isEditingNote());
        // From then on the new file is saved like any note.
        editSelected(QStringLiteral("mine, again"));
        QVERIFY(library().save());
        QCOMPARE(namesIn(QStringLiteral("a (冲突 *).md")), copies);
        QCOMPARE(readFile(path(copies[0])), QByteArray("mine, again"));
    }

    void saveKeepsByteOrderMark()
    {
        writeNote(QStringLiteral("bom.md"), "\xEF\xBB\xBFold");
        QCOMPARE(library().noteText(), QStringLiteral("old"));
        library().setNoteText(QStringLiteral("新"));
        QVERIFY(library().save());
        QCOMPARE(readFile(path(QStringLiteral("bom.md"))), QByteArray("\xEF\xBB\xBF") + QStringLiteral("新").toUtf8());
    }

    void noteFromClip_data()
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
        QTest::newRow("code with a fence inside") << int(ClipKind::code) << "c"
                                                  << "a ``` b"
                                                  << "a ``` b.md"
                                                  << "# a ``` b\n\n````\na ``` b\n````\n";
        QTest::newRow("file") << int(ClipKind::file) << "报告 (1).pdf"
                              << "/home/u/报告 (1).pdf"
                              << "报告 (1).pdf.md"
                              << "# 报告 (1).pdf\n\n[报告 (1).pdf](file:///home/u/%E6%8A%A5%E5%91%8A%20%281%29.pdf)\n";
    }
    void noteFromClip()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, content);
        QFETCH(QString, fileName);
        QVERIFY(library().create(ClipItem::make(ClipKind(kind), title, content)));
        QCOMPARE(selectedName(), fileName);
        QTEST(QString::fromUtf8(readFile(path(fileName))), "body");
        QCOMPARE(library().statusText(), QStringLiteral("已生成笔记"));
        QCOMPARE(library().pendingNoteOpenURL(), std::optional<QUrl>(QUrl::fromLocalFile(path(fileName))));
    }

    void noteTitle_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("expected");
        const QString fifty = QString(50, QLatin1Char('x'));
        const QString accented = QStringLiteral("e\u0301");
        QTest::newRow("marker after spaces stays") << int(ClipKind::text) << ""
                                                   << "  # x"
                                                   << "# x";
        QTest::newRow("every Unicode space is blank")
            << int(ClipKind::text) << "" << QStringLiteral("\u3000\u3000\n\u00A0\u2003\t\nreal") << "real";
        QTest::newRow("all blank uses title") << int(ClipKind::code) << "标题"
                                              << "  \n\t\n"
                                              << "标题";
        QTest::newRow("only a marker") << int(ClipKind::text) << ""
                                       << "#"
                                       << "剪贴板笔记";
        QTest::newRow("36 characters") << int(ClipKind::text) << "" << fifty << fifty.left(36);
        QTest::newRow("graphemes, not code units")
            << int(ClipKind::text) << "" << accented.repeated(40) << accented.repeated(36);
    }
    void noteTitle()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, content);
        QTEST(ClipNoteText::title(ClipItem::make(ClipKind(kind), title, content)), "expected");
    }

    void unsafeFileNames_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("base");
        QTest::newRow("nul") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << "a-b";
        QTest::newRow("controls and delete") << QStringLiteral("x\x01y\x7Fz\x1F") << "x-y-z-";
        QTest::newRow("leading dots") << "..profile"
                                      << "profile";
        QTest::newRow("dots and spaces") << " . . x"
                                         << "x";
        QTest::newRow("empty") << ""
                               << "fallback";
        QTest::newRow("reserved characters") << "a*b|c\"d<e>f%g\\h"
                                             << "a-b-c-d-e-f-g-h";
    }
    void unsafeFileNames()
    {
        QFETCH(QString, title);
        QTEST(NotePaths::safeBaseName(title, QStringLiteral("fallback")), "base");
    }

    // A dangling link's name is taken: writing through it would land outside the folder.
    void danglingLinkNameIsTaken()
    {
        const QString target = m_dir->filePath(QStringLiteral("escaped.md"));
        QVERIFY(QFile::link(target, path(QStringLiteral("Meeting.md"))));
        QVERIFY(library().create(ClipItem::make(ClipKind::text, QString(), QStringLiteral("Meeting"))));
        QCOMPARE(selectedName(), QStringLiteral("Meeting 2.md"));
        QVERIFY(!QFileInfo::exists(target));
    }

    // An edit in progress is saved before another note is made; if it cannot be, nothing is made.
    void newNotesSaveTheEditFirst_data()
    {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<bool>("saved");
        QTest::newRow("edit saved") << QByteArray("alpha") << true;
        QTest::newRow("edit cannot be saved") << QByteArray("\xC4\xE3") << false;
    }
    void newNotesSaveTheEditFirst()
    {
        QFETCH(QByteArray, original);
        QFETCH(bool, saved);
        writeNote(QStringLiteral("a.md"), original);
        editSelected(QStringLiteral("typed"));
        QCOMPARE(library().create(ClipItem::make(ClipKind::text, QString(), QStringLiteral("new"))), saved);
        QCOMPARE(readFile(path(QStringLiteral("a.md"))), saved ? QByteArray("typed") : original);
        if (saved) {
            QCOMPARE(selectedName(), QStringLiteral("new.md"));
            return;
        }
        QVERIFY(!library().create());
        QVERIFY(library().statusText().startsWith(QStringLiteral("保存失败：")));
        QCOMPARE(library().noteText(), QStringLiteral("typed"));
        QVERIFY(library().isEditingNote());
        QCOMPARE(titles(library().notes()), QStringList{QStringLiteral("a.md")});
        QVERIFY(!library().pendingNoteOpenURL());
    }

    void pictureAttachments()
    {
        const QString red = storedPicture(QStringLiteral("red.png"), Qt::red);
        const QString blue = storedPicture(QStringLiteral("blue.png"), Qt::blue);
        const QString attachments = path(QStringLiteral("附件/"));
        QVERIFY(library().create(pictureClip(red, 1'700'000'000)));
        QCOMPARE(selectedName(), QStringLiteral("剪贴板图片.md"));
        QCOMPARE(library().noteText(),
                 QStringLiteral("# 剪贴板图片\n\n![剪贴板图片](附件/剪贴板图片-1700000000.png)\n"));
        QCOMPARE(readFile(attachments + QStringLiteral("剪贴板图片-1700000000.png")), readFile(red));
        // The same picture again in that second: the file is reused.
        QVERIFY(library().create(pictureClip(red, 1'700'000'000)));
        QCOMPARE(selectedName(), QStringLiteral("剪贴板图片 2.md"));
        QVERIFY(library().noteText().contains(QStringLiteral("(附件/剪贴板图片-1700000000.png)")));
        // Another picture from that second never replaces it.
        QVERIFY(library().create(pictureClip(blue, 1'700'000'000)));
        QVERIFY(library().noteText().contains(QStringLiteral("(附件/剪贴板图片-1700000000-2.png)")));
        QCOMPARE(readFile(attachments + QStringLiteral("剪贴板图片-1700000000.png")), readFile(red));
        QCOMPARE(readFile(attachments + QStringLiteral("剪贴板图片-1700000000-2.png")), readFile(blue));
        QVERIFY(QFileInfo::exists(red)); // copied, not moved
    }

    void pictureFailures_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("status");
        QTest::newRow("no picture path") << "none"
                                         << "图片文件不可用";
        QTest::newRow("not a stored picture") << "outside"
                                              << "图片文件不可用";
        QTest::newRow("stored picture deleted") << "deleted"
                                                << "图片保存失败：图片文件不存在";
        QTest::newRow("attachment folder blocked") << "blocked"
                                                   << "图片保存失败：";
    }
    void pictureFailures()
    {
        QFETCH(QString, picture);
        QFETCH(QString, status);
        QString file = storedPicture(QStringLiteral("p.png"), Qt::green);
        if (picture == "outside") {
            QVERIFY(QFile::rename(file, m_dir->filePath(QStringLiteral("p.png"))));
            QVERIFY(QFile::link(m_dir->filePath(QStringLiteral("p.png")), file));
        } else if (picture == "deleted") {
            QVERIFY(QFile::remove(file));
        } else if (picture == "blocked") {
            writeFile(path(QStringLiteral("附件")), "a file in the folder's place");
        }
        ClipItem item = pictureClip(file, 1'700'000'000);
        if (picture == "none")
            item.imagePath.reset();
        QVERIFY(!library().create(item));
        QVERIFY2(library().statusText().startsWith(status), qPrintable(library().statusText()));
        QVERIFY(library().notes().isEmpty());
    }

    // Background listings asked for one after the other are all used: the later one, asked for
    // after another change, is not dropped because the earlier one changed the list.
    void backgroundListingsInTurn()
    {
        writeNote(QStringLiteral("a.md"), "a");
        writeFile(path(QStringLiteral("b.md")), "b");
        library().refresh();
        QThread::msleep(100); // the first listing is done, its result not yet taken
        writeFile(path(QStringLiteral("c.md")), "c");
        library().refresh();
        QTRY_VERIFY(!library().isListing());
        QStringList names = titles(library().notes());
        names.sort();
        QCOMPARE(names, (QStringList{"a.md", "b.md", "c.md"}));
    }

    void search_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("empty") << "" << QStringList{"new.md", "Alpha.md", "beta.md"};
        QTest::newRow("blank") << " \n" << QStringList{"new.md", "Alpha.md", "beta.md"};
        QTest::newRow("name ignores case") << " alpha " << QStringList{"Alpha.md"};
        QTest::newRow("content") << "GAMMA" << QStringList{"beta.md"};
        QTest::newRow("across name and content") << ".md gam" << QStringList{"beta.md"};
        // Canonically equivalent text matches: a composed query, a decomposed name and text.
        QTest::newRow("composed query, decomposed name") << QStringLiteral("CAF\u00C9") << QStringList{"Alpha.md"};
        QTest::newRow("decomposed query, composed text") << QStringLiteral("Cre\u0300me") << QStringList{"beta.md"};
        QTest::newRow("nothing") << "zzz" << QStringList{};
    }
    void search()
    {
        QFETCH(QString, query);
        writeNote(QStringLiteral("beta.md"), QStringLiteral("gamma delta crème").toUtf8(), 1'000'000);
        writeNote(QStringLiteral("Alpha.md"), "one", 2'000'000);
        writeNote(QStringLiteral("new.md"), QStringLiteral("中文笔记").toUtf8(), 3'000'000);
        QVERIFY(QFile::rename(path(QStringLiteral("Alpha.md")), path(QStringLiteral("Alpha cafe\u0301.md"))));
        library().reload(false);
        waitForSearch();
        QStringList found = titles(library().filtered(query));
        found.replaceInStrings(QStringLiteral("Alpha cafe\u0301.md"), QStringLiteral("Alpha.md"));
        QTEST(found, "found");
    }

    // The index is cached: a reload or a new list must show.
    void searchFollowsReloads()
    {
        writeNote(QStringLiteral("a.md"), "old words");
        waitForSearch();
        QVERIFY(library().filtered(QStringLiteral("fresh")).isEmpty());
        writeNote(QStringLiteral("a.md"), "fresh words", 1'000'001);
        waitForSearch();
        QCOMPARE(titles(library().filtered(QStringLiteral("fresh"))), QStringList{QStringLiteral("a.md")});
        library().setNotes({});
        QVERIFY(library().filtered(QStringLiteral("fresh")).isEmpty());
    }
};

QUILLO_TEST_GUILESS_MAIN(TestNoteLibrary)
#include "tst_note_library.moc"
