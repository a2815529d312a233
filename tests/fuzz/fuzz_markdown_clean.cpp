// Markdown cleaning as the rows and note cards show it: any line comes out as whole characters.
#include "fuzz_check.h"

#include "markdown/markdown_presentation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString cleaned = MarkdownPresentation::clean(fuzzText(data, size));
    FUZZ_CHECK(QStringView(cleaned).isValidUtf16());
    FUZZ_CHECK(cleaned == cleaned.trimmed());
    return 0;
}
