#pragma once

#include "quiet_store.h"
#include "store/store_paths.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

// The quiet store over a fresh notes folder, with helpers to shape that folder.
struct NotesPageFixture : QuietStore
{
    NotesPageFixture()
    {
        // Only the fixture's folder holds notes; the default one start-up filled goes.
        QDir(StorePaths::localDefaultNoteDirectory()).removeRecursively();
    }

    // Writes a note dated `secondsAgo` in the past, so tests control the list order.
    QString writeNote(const QString &name, const QString &text, int secondsAgo = 60) const
    {
        const QString file = notePath(name);
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

    // Ways to make the next save of `file` fail. The read-only one does not work for root;
    // a full disk (a file size limit of a few bytes) leaves the note as it was, even for root.
    enum class Breakage
    {
        none,
        diskFull,
        folderGone,
        readOnlyFile
    };

    static bool canBreak(Breakage breakage) { return breakage != Breakage::readOnlyFile || ::geteuid() != 0; }

    void breakSaves(Breakage breakage, const QString &file) const
    {
        switch (breakage) {
        case Breakage::none: break;
        case Breakage::diskFull: {
            std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the test
            const rlimit limit{4, RLIM_INFINITY};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            break;
        }
        case Breakage::folderGone: QDir(notesFolder()).removeRecursively(); break;
        case Breakage::readOnlyFile:
            QFile::setPermissions(notesFolder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            QFile::setPermissions(file, QFileDevice::ReadOwner);
            break;
        }
    }

    void repair() const
    {
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        QDir().mkpath(notesFolder());
        QFile::setPermissions(notesFolder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
};

Q_DECLARE_METATYPE(NotesPageFixture::Breakage)
