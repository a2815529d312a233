#include "classification.h"

#include "text/graphemes.h"
#include "text/icu_regex.h"

#include <QUrl>
#include <array>

namespace {

constexpr int kTitleGraphemes = 64;

// ICU syntax: \b \s \S \d are Unicode-aware, (?i) folds case (ß matches SS, K matches the
// Kelvin sign). Order matters only for speed: the first match ends the search.
const std::array<IcuRegex, 8> &sensitivePatterns()
{
    static const std::array<IcuRegex, 8> patterns{
        IcuRegex(QStringLiteral(
            "(?i)(password|passwd|passcode|密码|口令|secret|api[ _-]?key|access[ _-]?token|refresh[ _-]?token)"
            "\\s*[:：=]\\s*\\S+")),
        IcuRegex(
            QStringLiteral("(?i)(验证码|verification[ _-]?code|one[ _-]?time[ _-]?code|otp)\\s*[:：=]?\\s*\\d{4,8}")),
        IcuRegex(QStringLiteral("(?i)[?&](token|access_token|key|secret|password)=[^&\\s]+")),
        IcuRegex(QStringLiteral("(?i)\\bsk-[a-z0-9_-]{16,}\\b")),
        IcuRegex(QStringLiteral("\\bAKIA[A-Z0-9]{16}\\b")),
        IcuRegex(QStringLiteral("(?i)\\bgh[pousr]_[a-z0-9]{20,}\\b")),
        IcuRegex(QStringLiteral("\\bxox[baprs]-[A-Za-z0-9-]{16,}\\b")),
        IcuRegex(QStringLiteral("\\beyJ[A-Za-z0-9_-]+\\.[A-Za-z0-9_-]+\\.[A-Za-z0-9_-]+\\b")),
    };
    return patterns;
}

// Which patterns can match at all, from characters each one cannot match without. Only
// characters that have no case variants are tested (":", "=", "-", "_", digits...), or
// literals of case-sensitive patterns, so the answer never depends on case folding. A
// megabyte of prose then skips most of the engine's work, which runs on the main thread.
std::array<bool, 8> patternsThatCanMatch(const QString &text)
{
    bool colonOrEquals = false, equals = false, queryStart = false, hyphen = false, underscore = false;
    bool dot = false, digitPossible = false;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case ':':
        case 0xFF1A: colonOrEquals = true; break;
        case '=': colonOrEquals = equals = true; break;
        case '?':
        case '&': queryStart = true; break;
        case '-': hyphen = true; break;
        case '_': underscore = true; break;
        case '.': dot = true; break;
        default:
            // \d is any Unicode decimal digit; outside ASCII, assume one may be there.
            if ((c.unicode() >= '0' && c.unicode() <= '9') || c.unicode() >= 0x80)
                digitPossible = true;
        }
    }
    return {colonOrEquals,
            digitPossible,
            equals && queryStart,
            hyphen,
            text.contains(QLatin1String("AKIA")),
            underscore,
            hyphen && text.contains(QLatin1String("xox")),
            dot && text.contains(QLatin1String("eyJ"))};
}

// Plain substrings, case-sensitive; several end in a space on purpose.
constexpr std::array<const char *, 8> kCodeMarkers{"const ", "let ", "func ", "npm ", "git ", "=>", "</", "import "};

bool isPrintableAsciiWithoutSpace(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7F)
            return false;
    }
    return true;
}

// QUrl lower-cases the scheme and tolerates non-ASCII, so the scheme is checked as written
// and the character set before parsing: "HTTPS://x" and "https://例子.cn" are not links.
bool isStrictWebLink(const QString &text)
{
    if (text.isEmpty() || !isPrintableAsciiWithoutSpace(text))
        return false;
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return false;
    const QStringView scheme = QStringView(text).left(colon);
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return false;
    return QUrl(text, QUrl::StrictMode).isValid();
}

bool isLineSeparator(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x000A && u <= 0x000D) || u == 0x0085 || u == 0x2028 || u == 0x2029;
}

} // namespace

namespace Classification {

bool looksSensitive(const QString &text)
{
    if (text.isEmpty())
        return false;
    const std::array<bool, 8> possible = patternsThatCanMatch(text);
    for (size_t i = 0; i < sensitivePatterns().size(); ++i) {
        if (!possible[i])
            continue;
        const std::optional<bool> found = sensitivePatterns()[i].search(text);
        if (!found || *found)
            return true;
    }
    return false;
}

ClipKind classify(const QString &text)
{
    if (isStrictWebLink(text))
        return ClipKind::link;
    for (const char *marker : kCodeMarkers) {
        if (text.contains(QLatin1String(marker)))
            return ClipKind::code;
    }
    return ClipKind::text;
}

QString textTitle(const QString &trimmedText)
{
    qsizetype end = 0;
    while (end < trimmedText.size() && !isLineSeparator(trimmedText.at(end)))
        ++end;
    const QString firstLine = trimmedText.left(end);

    // The grapheme finder allocates per code unit of its input, and a first line can be
    // megabytes long. A cut that leaves at least one whole code point (two UTF-16 units) of
    // the window after it is final: a cluster boundary depends on what precedes it and on
    // the one code point that follows.
    for (qsizetype window = 1024; window < firstLine.size(); window *= 4) {
        const QString title = Graphemes::left(firstLine.left(window), kTitleGraphemes);
        if (title.size() <= window - 2)
            return title;
    }
    return Graphemes::left(firstLine, kTitleGraphemes);
}

QString trimmedClipText(const QString &text)
{
    // QChar::isSpace is exactly this set: Zs, Zl, Zp, U+0009..U+000D and U+0085.
    return text.trimmed();
}

} // namespace Classification
