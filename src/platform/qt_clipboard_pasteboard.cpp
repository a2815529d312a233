#include "platform/qt_clipboard_pasteboard.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QSet>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>

namespace {

const QString kUriList = QStringLiteral("text/uri-list");
const QString kGnomeCopiedFiles = QStringLiteral("x-special/gnome-copied-files");

// Picture formats the worker can decode. Qt also lists "application/x-qt-image" beside a
// real picture format; reading that one would decode the picture on the calling thread.
const QSet<QString> &decodableImageTypes()
{
    static const QSet<QString> types = [] {
        QSet<QString> result;
        for (const QByteArray &type : QImageReader::supportedMimeTypes())
            result.insert(QString::fromLatin1(type));
        return result;
    }();
    return types;
}

// Splits at CR, LF or CRLF; drops empty lines.
QList<QByteArray> nonEmptyLines(const QByteArray &data)
{
    QList<QByteArray> lines;
    for (const QByteArray &piece : data.split('\n')) {
        const QByteArray line = piece.endsWith('\r') ? piece.chopped(1) : piece;
        if (!line.trimmed().isEmpty())
            lines.append(line.trimmed());
    }
    return lines;
}

std::optional<QList<QUrl>> parseUrlLines(const QList<QByteArray> &lines)
{
    QList<QUrl> urls;
    for (const QByteArray &line : lines) {
        const QUrl url = QUrl::fromEncoded(line, QUrl::StrictMode);
        if (!url.isValid() || url.isRelative())
            return std::nullopt;
        urls.append(url);
    }
    if (urls.isEmpty())
        return std::nullopt;
    return urls;
}

// Qt's xcb platform emits QClipboard::changed for other programs' copies only when the X server
// has the XFixes extension: it then asks for XFixes selection events on CLIPBOARD (Qt also wants
// XFixes 2.0 or later, which every X server since 2004 offers). Without it, Qt only learns of
// changes to content it owned itself.
bool xserverAnnouncesSelectionChanges()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    static const char kName[] = "XFIXES";
    xcb_query_extension_reply_t *reply =
        xcb_query_extension_reply(connection, xcb_query_extension(connection, sizeof kName - 1, kName), nullptr);
    const bool present = reply && reply->present;
    free(reply);
    return present;
}

} // namespace

QtClipboardPasteboard::QtClipboardPasteboard(QObject *parent)
    : Pasteboard(parent)
    , m_clipboard(QGuiApplication::clipboard())
    , m_announcesChanges(xserverAnnouncesSelectionChanges())
{
    if (m_clipboard)
        connect(m_clipboard, &QClipboard::changed, this, &QtClipboardPasteboard::onClipboardChanged);
}

void QtClipboardPasteboard::onClipboardChanged(QClipboard::Mode mode)
{
    if (mode != QClipboard::Clipboard)
        return;
    ++m_changeCount;
    emit changed();
}

const QMimeData *QtClipboardPasteboard::mimeData() const
{
    return m_clipboard ? m_clipboard->mimeData(QClipboard::Clipboard) : nullptr;
}

QStringList QtClipboardPasteboard::types() const
{
    if (m_formats && m_formatsGeneration == m_changeCount)
        return *m_formats;
    const QMimeData *data = mimeData();
    m_formatsOwner = selectionOwner();
    m_ownerChanged = false;
    m_formats = data ? data->formats() : QStringList();
    m_formatsGeneration = m_changeCount;
    if (!sameOwnerAsFormats())
        m_formats = QStringList();
    return *m_formats;
}

QByteArray QtClipboardPasteboard::readFormat(const QString &format) const
{
    const QMimeData *data = mimeData();
    QByteArray bytes = data ? data->data(format) : QByteArray();
    return sameOwnerAsFormats() ? bytes : QByteArray();
}

quint32 QtClipboardPasteboard::selectionOwner() const
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return 0;
    if (m_clipboardAtom == 0) {
        static const char kName[] = "CLIPBOARD";
        xcb_intern_atom_reply_t *atom =
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr);
        if (!atom)
            return 0;
        m_clipboardAtom = atom->atom;
        free(atom);
    }
    xcb_get_selection_owner_reply_t *reply =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, m_clipboardAtom), nullptr);
    if (!reply)
        return 0;
    const quint32 owner = reply->owner;
    free(reply);
    return owner;
}

bool QtClipboardPasteboard::sameOwnerAsFormats() const
{
    // No owner any more is not another owner: programs such as `xclip -loops 1` exit right
    // after answering, and what they answered is theirs.
    const quint32 owner = selectionOwner();
    if (!m_ownerChanged && owner != 0 && owner != m_formatsOwner)
        m_ownerChanged = true;
    return !m_ownerChanged;
}

std::optional<Pasteboard::RawImage> QtClipboardPasteboard::image() const
{
    for (const QString &type : types()) {
        if (!type.startsWith(QLatin1String("image/")) || !decodableImageTypes().contains(type))
            continue;
        // Only the first picture format: each further read could block as long again.
        QByteArray bytes = readFormat(type);
        if (bytes.isEmpty())
            return std::nullopt;
        return RawImage{std::move(bytes), type};
    }
    return std::nullopt;
}

std::optional<QList<QUrl>> QtClipboardPasteboard::urls() const
{
    const QStringList offered = types();
    if (offered.contains(kUriList))
        return parseUriList(readFormat(kUriList));
    if (offered.contains(kGnomeCopiedFiles))
        return parseGnomeCopiedFiles(readFormat(kGnomeCopiedFiles));
    return std::nullopt;
}

std::optional<QString> QtClipboardPasteboard::text() const
{
    const QStringList offered = types();
    const bool hasText = std::any_of(offered.cbegin(), offered.cend(), [](const QString &type) {
        return type == QLatin1String("text/plain") || type.startsWith(QLatin1String("text/plain;"));
    });
    const QMimeData *data = mimeData();
    if (!hasText || !data)
        return std::nullopt;
    QString text = data->text();
    if (!sameOwnerAsFormats())
        return std::nullopt;
    return text;
}

void QtClipboardPasteboard::writeText(const QString &text)
{
    if (m_clipboard)
        m_clipboard->setText(text, QClipboard::Clipboard);
}

void QtClipboardPasteboard::writeImage(const QImage &image)
{
    if (m_clipboard)
        m_clipboard->setImage(image, QClipboard::Clipboard);
}

std::optional<QList<QUrl>> QtClipboardPasteboard::parseUriList(const QByteArray &data)
{
    QList<QByteArray> lines = nonEmptyLines(data);
    // RFC 2483: lines starting with '#' are comments.
    lines.removeIf([](const QByteArray &line) { return line.startsWith('#'); });
    return parseUrlLines(lines);
}

std::optional<QList<QUrl>> QtClipboardPasteboard::parseGnomeCopiedFiles(const QByteArray &data)
{
    QList<QByteArray> lines = nonEmptyLines(data);
    if (lines.isEmpty() || (lines.first() != "copy" && lines.first() != "cut"))
        return std::nullopt;
    lines.removeFirst();
    return parseUrlLines(lines);
}
