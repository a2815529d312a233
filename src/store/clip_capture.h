#pragma once

#include "clip_item.h"
#include "pasteboard.h"

#include <QStringList>
#include <optional>

// What one clipboard generation becomes in the history: nothing, a picture to store, an
// entry, or a text to analyse. The reads are made in a fixed order and a step that decides
// ends them, so later formats are never read (each read can cost a round trip to the owning
// program): secret markers (with the filter on), picture, URL list, text. Reading is cheap;
// the text's analysis (secret patterns, kind, title) is textEntry(), which can take a while
// on megabytes and may run on any thread.
namespace ClipCapture {

struct Capture
{
    std::optional<Pasteboard::RawImage> picture; // stored first, recorded once written
    std::optional<ClipItem> entry;
    std::optional<QString> text; // for textEntry()
};

// `ignoreSensitive`: skip content marked as secret by its formats, and URLs that look like
// passwords, one-time codes or tokens (texts are judged by textEntry()).
Capture read(const Pasteboard &pasteboard, bool ignoreSensitive);

// The entry for a copied text: nothing when it is blank, too large, or (with the filter on)
// looks like a secret.
std::optional<ClipItem> textEntry(const QString &text, bool ignoreSensitive);

// True when one of the formats marks the content as not to be kept (transient, concealed,
// generated, a password manager's own).
bool hasSecretMarker(const QStringList &types);

// True when the bytes start like a picture Qt can decode (its header gives a size): the
// cheap test of "is there a picture", without decoding the pixels.
bool isDecodablePicture(const Pasteboard::RawImage &picture);

} // namespace ClipCapture
