#include "json_array_reader.h"

#include <utility>

namespace {

constexpr qint64 kBlockBytes = 64 * 1024;

bool isJsonSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The scanner's position in the grammar  [ ws ( object ( ws , ws object )* )? ws ] ws
class Scanner
{
public:
    explicit Scanner(const std::function<bool(const QByteArray &)> &element)
        : m_element(element)
    {
    }

    // False as soon as the bytes cannot belong to such a document.
    bool feed(const char *data, qint64 size)
    {
        for (qint64 i = 0; i < size; ++i) {
            if (m_state == State::inElement) {
                const qint64 end = scanElement(data + i, size - i);
                m_current.append(data + i, end);
                i += end - 1;
                if (m_depth == 0 && !finishElement())
                    return false;
            } else if (!step(data[i])) {
                return false;
            }
        }
        return true;
    }

    bool finished() const { return m_state == State::afterArray; }

private:
    enum class State
    {
        start,
        beforeFirst, // after "[": an element or "]"
        beforeNext,  // after ",": an element
        inElement,
        afterElement, // "," or "]"
        afterArray,
    };

    bool step(char c)
    {
        const bool first = std::exchange(m_atStart, false);
        if (first && static_cast<unsigned char>(c) == 0xEF) {
            m_bomBytes = 1;
            return true;
        }
        if (m_bomBytes > 0 && m_bomBytes < 3) {
            const unsigned char expected = m_bomBytes == 1 ? 0xBB : 0xBF;
            ++m_bomBytes;
            return static_cast<unsigned char>(c) == expected;
        }
        if (isJsonSpace(c))
            return true;
        switch (m_state) {
        case State::start: m_state = State::beforeFirst; return c == '[';
        case State::beforeFirst:
            if (c == ']') {
                m_state = State::afterArray;
                return true;
            }
            [[fallthrough]];
        case State::beforeNext:
            if (c != '{')
                return false;
            m_state = State::inElement;
            m_current = QByteArray(1, c);
            m_depth = 1;
            return true;
        case State::afterElement:
            m_state = c == ',' ? State::beforeNext : State::afterArray;
            return c == ',' || c == ']';
        case State::inElement:
        case State::afterArray: return false;
        }
        return false;
    }

    // How many of the bytes belong to the element; stops right after its closing brace.
    qint64 scanElement(const char *data, qint64 size)
    {
        for (qint64 i = 0; i < size; ++i) {
            const char c = data[i];
            if (m_inString) {
                if (m_escaped)
                    m_escaped = false;
                else if (c == '\\')
                    m_escaped = true;
                else if (c == '"')
                    m_inString = false;
            } else if (c == '"') {
                m_inString = true;
            } else if (c == '{' || c == '[') {
                ++m_depth;
            } else if ((c == '}' || c == ']') && --m_depth == 0) {
                return i + 1;
            }
        }
        return size;
    }

    bool finishElement()
    {
        m_state = State::afterElement;
        const bool accepted = m_element(m_current);
        m_current.clear();
        return accepted;
    }

    const std::function<bool(const QByteArray &)> &m_element;
    State m_state = State::start;
    QByteArray m_current;
    qint64 m_depth = 0;
    bool m_inString = false;
    bool m_escaped = false;
    bool m_atStart = true;
    int m_bomBytes = 0;
};

} // namespace

namespace JsonArrayReader {

bool read(QIODevice &device, const std::function<bool(const QByteArray &element)> &element)
{
    Scanner scanner(element);
    QByteArray block(kBlockBytes, Qt::Uninitialized);
    for (;;) {
        const qint64 got = device.read(block.data(), kBlockBytes);
        if (got < 0)
            return false;
        if (got == 0)
            return scanner.finished();
        if (!scanner.feed(block.constData(), got))
            return false;
    }
}

} // namespace JsonArrayReader
