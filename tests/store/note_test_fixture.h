#pragma once

#include "fake_pasteboard.h"
#include "store/app_store.h"
#include "store/folder_chooser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

// Answers the folder chooser like a user would, and remembers how it was asked.
class FakeFolderChooser : public FolderChooser
{
public:
    std::optional<QString> answer;
    int calls = 0;
    QString title;
    QString acceptLabel;
    QString startFolder;

    std::optional<QString> chooseFolder(const QString &t, const QString &accept, const QString &start) override
    {
        ++calls;
        title = t;
        acceptLabel = accept;
        startFolder = start;
        return answer;
    }
};

// A store whose notes folder is a fresh temporary folder, and helpers to shape that folder.
struct NoteStoreFixture
{
    QTemporaryDir dir;
    FakePasteboard pasteboard;
    FakeFolderChooser chooser;
    std::unique_ptr<AppStore> store;

    NoteStoreFixture()
    {
        AppStore::Options options;
        options.pasteboard = &pasteboard;
        options.folderChooser = &chooser;
        options.startMonitoring = false;
        store = std::make_unique<AppStore>(options);
        store->setNoteDirectory(folder());
        store->reloadNotes(false);
    }

    QString folder() const { return dir.path(); }
    QString path(const QString &name) const { return dir.filePath(name); }

    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Sets the modification time to whole Unix seconds.
    static void setModified(const QString &path, qint64 unixSeconds)
    {
        const struct timespec times[2] = {{time_t(unixSeconds), 0}, {time_t(unixSeconds), 0}};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
    }
    void writeNote(const QString &name, const QByteArray &bytes, qint64 unixSeconds)
    {
        write(path(name), bytes);
        setModified(path(name), unixSeconds);
    }

    QStringList noteNames() const
    {
        QStringList names;
        for (const NoteFile &note : store->notes())
            names << note.title();
        return names;
    }
    static QStringList titles(const QList<NoteFile> &notes)
    {
        QStringList names;
        for (const NoteFile &note : notes)
            names << note.title();
        return names;
    }
    QString selectedName() const { return store->selectedNote() ? store->selectedNote()->title() : QString(); }
};
