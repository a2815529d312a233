#pragma once

#include "clip_item.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// Private state of the clipboard side of AppStore.
struct ClipSideState
{
    // filteredClips' index, rebuilt only when `clips` changes. `indexedClips` shares the
    // list's data with AppStore::m_clips, so any write to m_clips detaches it and the data
    // pointers differ from then on: a cheap, reliable "changed since" test.
    QList<ClipItem> indexedClips;
    bool indexValid = false;
    QList<qsizetype> displayOrder; // positions in indexedClips: pinned first, newest first
    QList<QString> searchTexts;    // per position: title + " " + content + " " + source,
                                   // lower-cased and NFC-normalised

    // SHA-256 of a stored picture's PNG bytes, by its path. The capture path may fill it;
    // the duplicate test derives missing ones from the file.
    QHash<QString, QByteArray> pictureDigests;
};
