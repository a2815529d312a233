#pragma once

#include "fake_pasteboard.h"
#include "store/app_store.h"
#include "store/folder_chooser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <unistd.h>

class FixtureFolderChooser : public FolderChooser
{
public:
    std::optional<QString> answer;
    int calls = 0;
    std::optional<QString> chooseFolder(const QString &, const QString &, const QString &) override
    {
        ++calls;
        return answer;
    }
};

// A store over a fresh notes folder and an in-memory clipboard, without polling.
struct NotesPageFixture
{
    QTemporaryDir dir;
    FakePasteboard pasteboard;
    FixtureFolderChooser chooser;
    std::unique_ptr<AppStore> store;

    NotesPageFixture()
    {
        AppStore::Options options;
        options.pasteboard = &pasteboard;
        options.folderChooser = &chooser;
        options.startMonitoring = false;
        store = std::make_unique<AppStore>(options);
        QDir(store->noteDirectory()).removeRecursively();
        store->setNoteDirectory(folder());
        store->reloadNotes(false);
    }

    QString folder() const { return dir.path(); }
    QString path(const QString &name) const { return dir.filePath(name); }

    // Writes a note dated `secondsAgo` in the past, so tests control the list order.
    QString writeNote(const QString &name, const QString &text, int secondsAgo = 60) const
    {
        const QString file = path(name);
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {};
        out.write(text.toUtf8());
        out.close();
        out.open(QIODevice::ReadWrite);
        out.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime);
        return file;
    }

    static QString read(const QString &file)
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()) : QString();
    }

    // Ways to make the next save of `file` fail. The read-only one does not work for root.
    enum class Breakage
    {
        none,
        folderInPlace,
        folderGone,
        readOnlyFile
    };

    static bool canBreak(Breakage breakage) { return breakage != Breakage::readOnlyFile || ::geteuid() != 0; }

    void breakSaves(Breakage breakage, const QString &file) const
    {
        switch (breakage) {
        case Breakage::none: break;
        case Breakage::folderInPlace:
            QFile::remove(file);
            QDir().mkdir(file);
            break;
        case Breakage::folderGone: QDir(folder()).removeRecursively(); break;
        case Breakage::readOnlyFile:
            QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            QFile::setPermissions(file, QFileDevice::ReadOwner);
            break;
        }
    }

    void repair() const
    {
        QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
};

Q_DECLARE_METATYPE(NotesPageFixture::Breakage)
