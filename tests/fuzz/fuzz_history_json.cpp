// The history file's decoder: whatever it accepts writes back to bytes that decode to the same
// entries, and writing those again gives the same bytes.
#include "fuzz_check.h"

#include "store/clip_json.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<QList<ClipItem>> clips = ClipJson::decodeClips(fuzzBytes(data, size));
    if (!clips)
        return 0;
    const QByteArray encoded = ClipJson::encodeClips(*clips);
    const std::optional<QList<ClipItem>> again = ClipJson::decodeClips(encoded);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->size() == clips->size());
    for (qsizetype i = 0; i < clips->size(); ++i) {
        const ClipItem &a = clips->at(i);
        const ClipItem &b = again->at(i);
        // NaN never equals itself; the encoder writes non-finite times as 0.
        FUZZ_CHECK(a.id == b.id && a.kind == b.kind && a.title == b.title && a.content == b.content
                   && a.source == b.source && a.isPinned == b.isPinned && a.imagePath == b.imagePath);
        FUZZ_CHECK(a.createdAt == b.createdAt || !std::isfinite(a.createdAt));
    }
    FUZZ_CHECK(ClipJson::encodeClips(*again) == encoded);
    return 0;
}
