#include "platform/qt_clipboard_pasteboard.h"

#include "platform/x11_clipboard_watcher.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QSet>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>

namespace {

const QString kUriList = QStringLiteral("text/uri-list");

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

} // namespace

QtClipboardPasteboard::QtClipboardPasteboard(QObject *parent)
    : Pasteboard(parent)
    , m_clipboard(QGuiApplication::clipboard())
{
    if (qGuiApp && qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        QPointer<QtClipboardPasteboard> self(this);
        m_watcher = std::make_unique<X11ClipboardWatcher>([self](const X11ClipboardWatcher::Content &read) {
            // On the worker: hand the content to the GUI thread.
            QMetaObject::invokeMethod(
                self.data(),
                [self, read] {
                    // Someone else took the clipboard since (our own copy included).
                    const quint32 owner = self->selectionOwner();
                    if (owner != 0 && owner != read.owner)
                        return;
                    self->publish(Content{read.types, read.image, read.urls, read.text});
                },
                Qt::QueuedConnection);
        });
        if (m_watcher->isValid())
            m_watcher->start();
        else
            m_watcher.reset();
    }
    if (!m_watcher && m_clipboard)
        connect(m_clipboard, &QClipboard::changed, this, &QtClipboardPasteboard::onQtClipboardChanged);
}

QtClipboardPasteboard::~QtClipboardPasteboard() = default;

void QtClipboardPasteboard::publish(Content content)
{
    m_content = std::move(content);
    ++m_changeCount;
    emit changed();
}

// Without an X server: the platform's own clipboard, read as it announces changes.
void QtClipboardPasteboard::onQtClipboardChanged(QClipboard::Mode mode)
{
    if (mode != QClipboard::Clipboard || m_clipboard->ownsClipboard())
        return;
    const QMimeData *data = m_clipboard->mimeData(QClipboard::Clipboard);
    Content content;
    if (data) {
        content.types = data->formats();
        for (const QString &type : std::as_const(content.types)) {
            if (type.startsWith(QLatin1String("image/")) && decodableImageTypes().contains(type)) {
                content.image = RawImage{data->data(type), type};
                break;
            }
        }
        if (content.types.contains(kUriList))
            content.urls = parseUriList(data->data(kUriList));
        if (data->hasText())
            content.text = data->text();
    }
    publish(content);
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
    // A question to the X server, never to the owning program: it cannot block.
    xcb_get_selection_owner_reply_t *reply =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, m_clipboardAtom), nullptr);
    if (!reply)
        return 0;
    const quint32 owner = reply->owner;
    free(reply);
    return owner;
}

void QtClipboardPasteboard::writeText(const QString &text)
{
    if (!m_clipboard)
        return;
    m_clipboard->setText(text, QClipboard::Clipboard);
    Content content;
    content.types = {QStringLiteral("text/plain"), QStringLiteral("UTF8_STRING")};
    content.text = text;
    if (m_watcher)
        m_watcher->setOwnWindow(selectionOwner());
    publish(content);
}

void QtClipboardPasteboard::writeImage(const QImage &image)
{
    if (!m_clipboard)
        return;
    m_clipboard->setImage(image, QClipboard::Clipboard);
    if (m_watcher)
        m_watcher->setOwnWindow(selectionOwner());
    Content content;
    content.types = {QStringLiteral("image/png")};
    publish(content);
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
