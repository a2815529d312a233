// Copied text: the secret filter, the kind and the title. A title is the start of the text,
// at most 64 user-perceived characters, never half a character.
#include "fuzz_check.h"

#include "store/classification.h"
#include "store/clip_capture.h"
#include "text/graphemes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    const QString trimmed = Classification::trimmedClipText(text);
    const QString title = Classification::textTitle(trimmed);
    FUZZ_CHECK(trimmed.startsWith(title));
    FUZZ_CHECK(QStringView(title).isValidUtf16());
    FUZZ_CHECK(Graphemes::count(title) <= 64);
    FUZZ_CHECK(!title.contains(QLatin1Char('\n')) && !title.contains(QLatin1Char('\r')));
    const ClipKind kind = Classification::classify(trimmed);
    FUZZ_CHECK(kind == ClipKind::text || kind == ClipKind::link || kind == ClipKind::code);
    const bool sensitive = Classification::looksSensitive(trimmed);
    const std::optional<ClipItem> entry = ClipCapture::textEntry(text, true);
    FUZZ_CHECK(!entry || (!sensitive && entry->content == trimmed && entry->title == title));
    return 0;
}
