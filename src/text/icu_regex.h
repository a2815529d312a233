#pragma once

#include <QString>
#include <memory>
#include <optional>

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class RegexPattern;
U_NAMESPACE_END

// A regular expression with ICU's syntax and Unicode semantics (look-behind, inline flags,
// Unicode \b \s \d). Qt's own engine (PCRE2) differs from ICU on Unicode corners, so the
// patterns of the filter and of the Markdown cleaner run here. Immutable after construction
// and safe to share between threads.
class IcuRegex
{
public:
    explicit IcuRegex(const QString &pattern);
    ~IcuRegex();
    IcuRegex(IcuRegex &&) noexcept;
    IcuRegex &operator=(IcuRegex &&) noexcept;

    bool isValid() const { return m_pattern != nullptr; }

    // Whether the pattern matches anywhere in text. Nothing when matching failed (an
    // invalid pattern, or the engine stopped at a time or stack limit).
    std::optional<bool> search(const QString &text) const;
    bool contains(const QString &text) const { return search(text).value_or(false); }

    // Replaces every match; "$1" in replacement stands for the first capture group.
    // On any engine failure the text is returned unchanged.
    QString replaceAll(const QString &text, const QString &replacement) const;
    // Replaces the first match only.
    QString replaceFirst(const QString &text, const QString &replacement) const;

private:
    QString replace(const QString &text, const QString &replacement, bool all) const;

    std::unique_ptr<icu::RegexPattern> m_pattern;
};
