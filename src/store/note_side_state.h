#pragma once

#include "note_file.h"

#include <QList>
#include <QString>

// Private state of the notes side of AppStore.
struct NoteSideState
{
    // Search index: for each entry of `indexedNotes`, its title, one space and its content,
    // lower-cased once instead of on every keystroke. It belongs to the store's `notes` while
    // both lists share one buffer: the store only ever replaces that list whole, and holding
    // `indexedNotes` keeps the old buffer alive, so a new list never reuses its address.
    QList<NoteFile> indexedNotes;
    QList<QString> searchTexts;

    bool indexes(const QList<NoteFile> &notes) const
    {
        return indexedNotes.size() == notes.size() && indexedNotes.constData() == notes.constData();
    }
};
