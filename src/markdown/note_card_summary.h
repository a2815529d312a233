#pragma once

#include <QString>

// The title and preview shown on a note's card in the list.
struct NoteCardSummary
{
    // A card shows a title and three lines of preview: the first 32 KiB of a note are more
    // than enough, whatever the size of the file.
    static constexpr qint64 kReadBytes = 32 * 1024;
    // Preview text beyond what three lines can show is not cleaned.
    static constexpr qsizetype kMaxPreviewLength = 400;

    QString title;   // may be empty
    QString preview; // never empty: "空白笔记" when the note has nothing after its title

    // fileName is the note's file name with its extension ("Plan.md").
    static NoteCardSummary fromText(const QString &text, const QString &fileName);
    // Reads the first kReadBytes of the file afresh; an unreadable file counts as empty.
    static NoteCardSummary fromFile(const QString &path);

    bool operator==(const NoteCardSummary &other) const = default;
};
