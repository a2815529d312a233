#include "note_paths.h"

#include "text/graphemes.h"

#include <QDir>
#include <QFileInfo>

namespace NotePaths {

namespace {

const QString kExtension = QStringLiteral(".md");

bool isReplacedCharacter(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x20 || u == 0x7F)
        return true;
    switch (u) {
    case u'/':
    case u':':
    case u'\\':
    case u'?':
    case u'%':
    case u'*':
    case u'|':
    case u'"':
    case u'<':
    case u'>': return true;
    default: return false;
    }
}

// Drops leading dots and white space until neither starts the name (". .x" would still be
// hidden after one pass).
QString withoutLeadingDots(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && (text.at(start) == QLatin1Char('.') || text.at(start).isSpace()))
        ++start;
    return text.mid(start);
}

QString candidatePath(const QString &folder, const QString &base, int counter)
{
    const QString name = counter <= 1 ? base : base + QLatin1Char(' ') + QString::number(counter);
    return folder + QLatin1Char('/') + name + kExtension;
}

} // namespace

bool entryExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink(); // exists() follows links; isSymLink() does not
}

bool isWritableNoteTarget(const QString &path, QString *errorText)
{
    const QFileInfo info(path);
    QString problem;
    if (info.isSymLink() && !info.exists())
        problem = QStringLiteral("链接指向的文件不存在");
    else if (info.exists() && info.isDir())
        problem = QStringLiteral("这是一个文件夹");
    else if (info.exists() && !info.isFile())
        problem = QStringLiteral("不是普通文件");
    if (problem.isEmpty())
        return true;
    if (errorText)
        *errorText = problem;
    return false;
}

QString safeBaseName(const QString &title, const QString &fallback)
{
    QString base = title;
    for (QChar &c : base) {
        if (isReplacedCharacter(c))
            c = QLatin1Char('-');
    }
    base = withoutLeadingDots(base).trimmed();
    const QString room = QStringLiteral(" ") + QString::number(kMaxCounter) + kExtension;
    const int maxBaseBytes = kMaxFileNameBytes - int(room.toUtf8().size());
    base = Graphemes::leftUtf8Bytes(base, maxBaseBytes).trimmed();
    return base.isEmpty() ? fallback : base;
}

QString conflictPath(const QString &notePath, const QDateTime &when)
{
    const QFileInfo note(notePath);
    QString name = note.fileName();
    if (name.endsWith(kExtension, Qt::CaseInsensitive))
        name.chop(kExtension.size());
    const QString suffix = QStringLiteral(" (冲突 ") + when.toString(QStringLiteral("yyyy-MM-dd HHmmss")) + u')';
    const QString room = suffix + QStringLiteral(" ") + QString::number(kMaxCounter) + kExtension;
    const int maxNameBytes = kMaxFileNameBytes - int(room.toUtf8().size());
    return uniqueNotePath(note.absolutePath(), Graphemes::leftUtf8Bytes(name, maxNameBytes) + suffix);
}

QString uniqueNotePath(const QString &folder, const QString &base)
{
    if (folder.isEmpty())
        return {}; // never "/<name>.md"
    for (int counter = 1; counter <= kMaxCounter; ++counter) {
        const QString path = candidatePath(folder, base, counter);
        if (!entryExists(path))
            return path;
    }
    return {};
}

} // namespace NotePaths
