#pragma once

#include "fake_folder_chooser.h"
#include "fake_pasteboard.h"
#include "fake_store_clock.h"
#include "store/app_store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

// A store that watches nothing by itself: an in-memory clipboard that is read only when a test
// asks, a clock that moves only when a test advances it, a folder chooser that answers what the
// test says, and a fresh temporary notes folder. The support folder is the test's own HOME
// (see TestEnvironment).
struct QuietStore
{
    QTemporaryDir notesDir;
    FakePasteboard pasteboard;
    FakeFolderChooser chooser;
    FakeStoreClock clock;
    std::unique_ptr<AppStore> store;

    // ownNotesFolder false: the store keeps the notes folder its start-up chose.
    explicit QuietStore(bool ownNotesFolder = true)
    {
        AppStore::Options options;
        options.pasteboard = &pasteboard;
        options.folderChooser = &chooser;
        options.clock = &clock;
        options.startMonitoring = false;
        store = std::make_unique<AppStore>(options);
        if (!ownNotesFolder)
            return;
        store->setNoteDirectory(notesDir.path());
        store->reloadNotes(false);
    }

    QString notesFolder() const { return notesDir.path(); }
    QString notePath(const QString &name) const { return notesDir.filePath(name); }
};
