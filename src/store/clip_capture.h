#pragma once

#include "clip_item.h"
#include "pasteboard.h"

#include <optional>

// What one clipboard generation becomes in the history: nothing, a picture to store, or an
// entry. The reads are made in a fixed order and a step that decides ends them, so later
// formats are never read (each read can cost a round trip to the owning program):
// secret markers (with the filter on), picture, URL list, text.
namespace ClipCapture {

struct Capture
{
    std::optional<Pasteboard::RawImage> picture; // stored first, recorded once written
    std::optional<ClipItem> entry;
};

// `ignoreSensitive`: skip content marked as secret by its formats, and text or URLs that look
// like passwords, one-time codes or tokens.
Capture read(const Pasteboard &pasteboard, bool ignoreSensitive);

} // namespace ClipCapture
