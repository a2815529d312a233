// The preferences file's decoder: whatever it accepts writes back to the same preferences.
#include "fuzz_check.h"

#include "store/clip_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<Preferences> preferences = ClipJson::decodePreferences(fuzzBytes(data, size));
    if (!preferences)
        return 0;
    const QByteArray encoded = ClipJson::encodePreferences(*preferences);
    const std::optional<Preferences> again = ClipJson::decodePreferences(encoded);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(*again == *preferences);
    FUZZ_CHECK(ClipJson::encodePreferences(*again) == encoded);
    return 0;
}
