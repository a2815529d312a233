#include "note_document_builder.h"

#include "note_document_writer.h"

#include <algorithm>
#include <limits>

namespace NoteDocumentBuilder {

void fill(QTextDocument &document, const NoteDocumentInput &input)
{
    NoteDocumentWriter writer(document, input);
    while (!writer.writeMore(std::numeric_limits<qsizetype>::max())) {
    }
}

std::optional<std::pair<int, int>> restoredSelection(int start, int end, int newLength)
{
    if (start < 0 || start > newLength)
        return std::nullopt;
    return std::make_pair(start, std::clamp(end, start, newLength));
}

} // namespace NoteDocumentBuilder
