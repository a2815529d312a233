#include "graphemes.h"

#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <memory>

namespace {

// Walks the cluster boundaries of a QString without copying it.
class BoundaryWalk
{
public:
    explicit BoundaryWalk(const QString &text)
        : m_text(text)
    {
        UErrorCode status = U_ZERO_ERROR;
        m_utext = utext_openUChars(nullptr, reinterpret_cast<const UChar *>(text.utf16()), text.size(), &status);
        m_iterator.reset(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        if (U_SUCCESS(status) && m_iterator)
            m_iterator->setText(m_utext, status);
        if (U_FAILURE(status))
            m_iterator.reset();
    }
    ~BoundaryWalk() { utext_close(m_utext); }
    BoundaryWalk(const BoundaryWalk &) = delete;
    BoundaryWalk &operator=(const BoundaryWalk &) = delete;

    // The boundary after the current one; -1 at the end. Without ICU (it failed to load its
    // data), every code point is a cluster.
    qsizetype next()
    {
        const qsizetype previous = m_position;
        do
            m_position = step();
        while (m_position >= 0 && m_position <= previous);
        return m_position;
    }

    qsizetype atOrBefore(qsizetype position)
    {
        if (position >= m_text.size())
            return m_text.size();
        if (position <= 0)
            return 0;
        // Inside a surrogate pair the pair's start is the candidate (ICU would align the
        // offset that way and then look before it).
        position = safe(position);
        if (!m_iterator || m_iterator->isBoundary(int32_t(position)))
            return position;
        const int32_t found = m_iterator->preceding(int32_t(position));
        return found == icu::BreakIterator::DONE ? 0 : safe(found);
    }

private:
    qsizetype step()
    {
        if (m_iterator) {
            const int32_t position = m_iterator->next();
            return position == icu::BreakIterator::DONE ? -1 : safe(position);
        }
        if (m_position < 0 || m_position >= m_text.size())
            return -1;
        return m_position + (m_text.at(m_position).isHighSurrogate() && m_position + 1 < m_text.size() ? 2 : 1);
    }

    // A boundary between the halves of a surrogate pair moves back before the pair.
    qsizetype safe(qsizetype position) const
    {
        if (position > 0 && position < m_text.size() && m_text.at(position).isLowSurrogate()
            && m_text.at(position - 1).isHighSurrogate())
            return position - 1;
        return position;
    }

    const QString &m_text;
    UText *m_utext = nullptr;
    std::unique_ptr<icu::BreakIterator> m_iterator;
    qsizetype m_position = 0;
};

qsizetype utf8Length(QStringView text)
{
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            bytes += 4;
            ++i;
        } else {
            bytes += u < 0x80 ? 1 : u < 0x800 ? 2 : 3;
        }
    }
    return bytes;
}

} // namespace

namespace Graphemes {

QString left(const QString &text, int count)
{
    if (count <= 0)
        return {};
    BoundaryWalk walk(text);
    int seen = 0;
    for (qsizetype position = walk.next(); position >= 0; position = walk.next()) {
        if (++seen == count)
            return text.left(position);
    }
    return text;
}

int count(const QString &text)
{
    BoundaryWalk walk(text);
    int seen = 0;
    qsizetype last = 0;
    for (qsizetype position = walk.next(); position >= 0; position = walk.next()) {
        if (position > last)
            ++seen;
        last = position;
    }
    return seen;
}

QString leftUtf8Bytes(const QString &text, int maxBytes)
{
    if (utf8Length(text) <= maxBytes)
        return text;
    BoundaryWalk walk(text);
    qsizetype lastFit = 0;
    qsizetype bytes = 0;
    for (qsizetype position = walk.next(); position >= 0; position = walk.next()) {
        bytes += utf8Length(QStringView(text).mid(lastFit, position - lastFit));
        if (bytes > maxBytes)
            break;
        lastFit = position;
    }
    return text.left(lastFit);
}

qsizetype boundaryAtOrBefore(const QString &text, qsizetype position)
{
    return BoundaryWalk(text).atOrBefore(position);
}

} // namespace Graphemes
