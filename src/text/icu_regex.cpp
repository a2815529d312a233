#include "icu_regex.h"

#include <unicode/regex.h>
#include <unicode/unistr.h>

namespace {
// A read-only alias of the QString's UTF-16 buffer: no copy, even for megabytes of text.
icu::UnicodeString alias(const QString &text)
{
    return icu::UnicodeString(false, reinterpret_cast<const char16_t *>(text.utf16()),
                              static_cast<int32_t>(text.size()));
}

QString toQString(const icu::UnicodeString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
}

// Bounds pathological backtracking; in units of about 1 ms of work per step.
constexpr int32_t kTimeLimit = 5000;
} // namespace

IcuRegex::IcuRegex(const QString &pattern)
{
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    std::unique_ptr<icu::RegexPattern> compiled(icu::RegexPattern::compile(alias(pattern), 0, parseError, status));
    if (U_SUCCESS(status))
        m_pattern = std::move(compiled);
}

IcuRegex::~IcuRegex() = default;
IcuRegex::IcuRegex(IcuRegex &&) noexcept = default;
IcuRegex &IcuRegex::operator=(IcuRegex &&) noexcept = default;

std::optional<bool> IcuRegex::search(const QString &text) const
{
    if (!m_pattern)
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString input = alias(text);
    std::unique_ptr<icu::RegexMatcher> matcher(m_pattern->matcher(input, status));
    if (U_FAILURE(status))
        return std::nullopt;
    matcher->setTimeLimit(kTimeLimit, status);
    const bool found = matcher->find(status);
    if (U_FAILURE(status))
        return std::nullopt;
    return found;
}

QString IcuRegex::replaceAll(const QString &text, const QString &replacement) const
{
    return replace(text, replacement, true);
}

QString IcuRegex::replaceFirst(const QString &text, const QString &replacement) const
{
    return replace(text, replacement, false);
}

QString IcuRegex::replace(const QString &text, const QString &replacement, bool all) const
{
    if (!m_pattern)
        return text;
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString input = alias(text);
    std::unique_ptr<icu::RegexMatcher> matcher(m_pattern->matcher(input, status));
    if (U_FAILURE(status))
        return text;
    matcher->setTimeLimit(kTimeLimit, status);
    const icu::UnicodeString result =
        all ? matcher->replaceAll(alias(replacement), status) : matcher->replaceFirst(alias(replacement), status);
    return U_SUCCESS(status) ? toQString(result) : text;
}
