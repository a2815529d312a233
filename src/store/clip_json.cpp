#include "clip_json.h"

#include "json_array_reader.h"

#include <QBuffer>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

void appendString(QByteArray &out, const QString &text)
{
    out.append('"');
    const QByteArray utf8 = text.toUtf8();
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out.append("\\\""); break;
        case '\\': out.append("\\\\"); break;
        case '/': out.append("\\/"); break;
        case '\b': out.append("\\b"); break;
        case '\f': out.append("\\f"); break;
        case '\n': out.append("\\n"); break;
        case '\r': out.append("\\r"); break;
        case '\t': out.append("\\t"); break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out.append(buffer);
            } else {
                out.append(ch);
            }
        }
    }
    out.append('"');
}

// The shortest decimal form that reads back as the same double.
void appendNumber(QByteArray &out, double value)
{
    if (!std::isfinite(value)) {
        out.append('0');
        return;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, static_cast<qsizetype>(result.ptr - buffer));
}

void appendKey(QByteArray &out, const char *key)
{
    out.append('"');
    out.append(key);
    out.append("\":");
}

// JSON lets a string carry "\udc00" alone; such a string has no UTF-8 form and would be
// written back as "?", so the document is malformed.
bool isWellFormedString(const QJsonValue &value)
{
    return value.isString() && QStringView(value.toString()).isValidUtf16();
}

std::optional<ClipItem> decodeClip(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const QJsonValue id = object.value(QLatin1String("id"));
    const QJsonValue kind = object.value(QLatin1String("kind"));
    const QJsonValue title = object.value(QLatin1String("title"));
    const QJsonValue content = object.value(QLatin1String("content"));
    const QJsonValue source = object.value(QLatin1String("source"));
    const QJsonValue createdAt = object.value(QLatin1String("createdAt"));
    const QJsonValue isPinned = object.value(QLatin1String("isPinned"));
    const QJsonValue imagePath = object.value(QLatin1String("imagePath"));
    for (const QJsonValue &text : {id, kind, title, content, source}) {
        if (!isWellFormedString(text))
            return std::nullopt;
    }
    if (!createdAt.isDouble() || !isPinned.isBool())
        return std::nullopt;
    if (!ClipJson::isCanonicalUuid(id.toString()))
        return std::nullopt;
    const std::optional<ClipKind> parsedKind = ClipKinds::fromRawValue(kind.toString());
    if (!parsedKind)
        return std::nullopt;
    if (!imagePath.isUndefined() && !imagePath.isNull() && !isWellFormedString(imagePath))
        return std::nullopt;

    ClipItem item;
    item.id = QUuid::fromString(id.toString());
    item.kind = *parsedKind;
    item.title = title.toString();
    item.content = content.toString();
    item.source = source.toString();
    item.createdAt = createdAt.toDouble();
    item.isPinned = isPinned.toBool();
    if (imagePath.isString())
        item.imagePath = imagePath.toString();
    return item;
}

std::optional<QJsonDocument> parse(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;
    return document;
}

} // namespace

namespace ClipJson {

bool isCanonicalUuid(const QString &text)
{
    if (text.size() != 36)
        return false;
    for (int i = 0; i < 36; ++i) {
        const QChar c = text.at(i);
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (c != QLatin1Char('-'))
                return false;
        } else if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                     || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
                     || (c >= QLatin1Char('A') && c <= QLatin1Char('F')))) {
            return false;
        }
    }
    return true;
}

QByteArray encodeClip(const ClipItem &item)
{
    QByteArray out;
    out.reserve(128 + item.title.size() + item.content.size() * 2);
    out.append('{');
    appendKey(out, "id");
    appendString(out, item.id.toString(QUuid::WithoutBraces).toUpper());
    out.append(',');
    appendKey(out, "kind");
    appendString(out, ClipKinds::rawValue(item.kind));
    out.append(',');
    appendKey(out, "title");
    appendString(out, item.title);
    out.append(',');
    appendKey(out, "content");
    appendString(out, item.content);
    out.append(',');
    appendKey(out, "source");
    appendString(out, item.source);
    out.append(',');
    appendKey(out, "createdAt");
    appendNumber(out, item.createdAt);
    out.append(',');
    appendKey(out, "isPinned");
    out.append(item.isPinned ? "true" : "false");
    if (item.imagePath) {
        out.append(',');
        appendKey(out, "imagePath");
        appendString(out, *item.imagePath);
    }
    out.append('}');
    return out;
}

QByteArray encodeClips(const QList<ClipItem> &clips)
{
    QByteArray out("[");
    for (qsizetype i = 0; i < clips.size(); ++i) {
        if (i > 0)
            out.append(',');
        out.append(encodeClip(clips.at(i)));
    }
    out.append(']');
    return out;
}

bool readClips(QIODevice &device, const std::function<void(ClipItem &&item)> &take)
{
    return JsonArrayReader::read(device, [&take](const QByteArray &element) {
        const std::optional<QJsonDocument> document = parse(element);
        if (!document || !document->isObject())
            return false;
        std::optional<ClipItem> item = decodeClip(document->object());
        if (!item)
            return false;
        take(std::move(*item));
        return true;
    });
}

std::optional<QList<ClipItem>> decodeClips(const QByteArray &json)
{
    QBuffer buffer;
    buffer.setData(json);
    buffer.open(QIODevice::ReadOnly);
    QList<ClipItem> clips;
    if (!readClips(buffer, [&clips](ClipItem &&item) { clips.append(std::move(item)); }))
        return std::nullopt;
    return clips;
}

QByteArray encodePreferences(const Preferences &preferences)
{
    QByteArray out("{");
    appendKey(out, "noteDirectory");
    appendString(out, preferences.noteDirectory);
    out.append(',');
    appendKey(out, "ignoreSensitive");
    out.append(preferences.ignoreSensitive ? "true" : "false");
    out.append('}');
    return out;
}

std::optional<Preferences> decodePreferences(const QByteArray &json)
{
    const std::optional<QJsonDocument> document = parse(json);
    if (!document || !document->isObject())
        return std::nullopt;
    const QJsonObject object = document->object();
    const QJsonValue directory = object.value(QLatin1String("noteDirectory"));
    const QJsonValue ignore = object.value(QLatin1String("ignoreSensitive"));
    if (!isWellFormedString(directory) || !ignore.isBool())
        return std::nullopt;
    const QString path = directory.toString();
    if (!path.startsWith(QLatin1Char('/')))
        return std::nullopt;
    return Preferences{path, ignore.toBool()};
}

} // namespace ClipJson
