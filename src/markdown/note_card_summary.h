#pragma once

#include <QString>

// The title and preview shown on a note's card in the list.
struct NoteCardSummary
{
    QString title;   // may be empty
    QString preview; // never empty: "空白笔记" when the note has nothing after its title

    // fileName is the note's file name with its extension ("Plan.md").
    static NoteCardSummary fromText(const QString &text, const QString &fileName);
    // Reads the file afresh (NoteTextReader); an unreadable file counts as empty.
    static NoteCardSummary fromFile(const QString &path);

    bool operator==(const NoteCardSummary &other) const = default;
};
