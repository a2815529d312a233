#include "platform/x11_clipboard_watcher.h"

#include "platform/qt_clipboard_pasteboard.h"
#include "platform/x11_selection_reader.h"
#include "store/clip_capture.h"
#include "store/log_categories.h"

#include <QImageReader>
#include <QSet>
#include <QStringDecoder>

namespace {

using Clock = X11SelectionReader::Clock;

const QString kUriListTarget = QStringLiteral("text/uri-list");
const QString kGnomeFilesTarget = QStringLiteral("x-special/gnome-copied-files");

bool isDecodableImageType(const QString &type)
{
    static const QSet<QString> types = [] {
        QSet<QString> result;
        for (const QByteArray &mime : QImageReader::supportedMimeTypes())
            result.insert(QString::fromLatin1(mime));
        return result;
    }();
    return type.startsWith(QLatin1String("image/")) && types.contains(type);
}

// The text formats worth reading, best first; "TEXT" lets the owner choose the encoding.
QStringList textTargets(const QStringList &offered)
{
    QStringList targets;
    for (const char *name : {"UTF8_STRING", "text/plain;charset=utf-8", "text/plain", "STRING", "TEXT"}) {
        if (offered.contains(QLatin1String(name)))
            targets << QLatin1String(name);
    }
    // A program that does not list its formats may still answer the usual one.
    if (offered.isEmpty())
        targets << QStringLiteral("UTF8_STRING");
    return targets;
}

} // namespace

X11ClipboardWatcher::X11ClipboardWatcher(Deliver deliver, QObject *parent)
    : QThread(parent)
    , m_reader(std::make_unique<X11SelectionReader>())
    , m_deliver(std::move(deliver))
{
    setObjectName(QStringLiteral("com.quillo.clipboard"));
}

X11ClipboardWatcher::~X11ClipboardWatcher()
{
    m_reader->stop();
    wait();
}

bool X11ClipboardWatcher::isValid() const
{
    return m_reader->isValid();
}

void X11ClipboardWatcher::run()
{
    for (;;) {
        if (!m_pending) {
            const std::optional<X11SelectionReader::OwnerChange> owner = m_reader->ownerChange(std::nullopt);
            if (!owner)
                return; // stopped
            m_pending = Change{owner->owner, owner->time, std::nullopt};
        }
        const Change change = *std::exchange(m_pending, std::nullopt);
        const quint32 owner = change.owner;
        if (owner != m_unanswering)
            m_unanswering = 0; // another owner: everyone gets asked again
        if (owner == XCB_NONE || owner == m_unanswering || owner == m_ownWindow)
            continue;
        m_interrupted = m_timedOut = false;
        read(change);
        if (m_timedOut) {
            m_unanswering = owner;
            qCWarning(lcClipboard,
                      "the clipboard's owner (X11 window 0x%x) did not answer within %d ms; it is not "
                      "asked again until another program copies",
                      owner, kReadTimeoutMs);
        }
        if (m_interrupted) {
            const std::optional<X11SelectionReader::OwnerChange> next = m_reader->ownerChange(Clock::now());
            if (!next)
                continue;
            m_pending = Change{next->owner, next->time, std::nullopt};
            if (next->owner == owner)
                m_pending->deadline = m_readDeadline; // re-taking the clipboard does not buy time
        }
    }
}

std::optional<QByteArray> X11ClipboardWatcher::convert(const Change &change, const QString &target, qint64 maxBytes,
                                                       quint32 *type)
{
    if (m_interrupted || m_timedOut)
        return std::nullopt;
    m_readDeadline =
        m_firstRead && change.deadline ? *change.deadline : Clock::now() + std::chrono::milliseconds(kReadTimeoutMs);
    m_firstRead = false;
    if (m_readDeadline <= Clock::now()) {
        m_timedOut = true; // the owner used up its time before taking the clipboard again
        return std::nullopt;
    }
    QByteArray data;
    xcb_atom_t valueType = XCB_NONE;
    const X11SelectionReader::Outcome outcome = m_reader->convert(
        {change.owner, change.time}, m_reader->atom(target.toLatin1()), m_readDeadline, maxBytes, &data, &valueType);
    if (type)
        *type = valueType;
    m_timedOut = outcome == X11SelectionReader::Outcome::timedOut;
    m_interrupted =
        outcome == X11SelectionReader::Outcome::interrupted || outcome == X11SelectionReader::Outcome::stopped;
    if (outcome != X11SelectionReader::Outcome::data)
        return std::nullopt;
    return data;
}

void X11ClipboardWatcher::read(const Change &change)
{
    Content content;
    content.owner = change.owner;
    m_firstRead = true;
    if (const std::optional<QByteArray> targets = convert(change, QStringLiteral("TARGETS"), kMaxDataBytes)) {
        for (const xcb_atom_t atom : X11SelectionReader::atomsOf(*targets))
            content.types << m_reader->atomName(atom);
    }
    // Our own copy, known only once its owner answered: nothing to read.
    if (m_interrupted || m_timedOut || change.owner == m_ownWindow)
        return;
    for (const QString &type : std::as_const(content.types)) {
        if (!isDecodableImageType(type))
            continue;
        // Only the first picture format: each read can take as long again.
        if (std::optional<QByteArray> bytes = convert(change, type, kMaxDataBytes)) {
            const Pasteboard::RawImage picture{*bytes, type};
            if (ClipCapture::isDecodablePicture(picture)) {
                content.image = picture;
                m_deliver(content);
                return;
            }
        }
        break;
    }
    const bool uriList = content.types.contains(kUriListTarget);
    if (uriList || content.types.contains(kGnomeFilesTarget)) {
        if (const std::optional<QByteArray> bytes =
                convert(change, uriList ? kUriListTarget : kGnomeFilesTarget, kMaxDataBytes)) {
            content.urls = uriList ? QtClipboardPasteboard::parseUriList(*bytes)
                                   : QtClipboardPasteboard::parseGnomeCopiedFiles(*bytes);
            if (content.urls && !content.urls->isEmpty()) {
                m_deliver(content);
                return;
            }
        }
    }
    readText(change, content);
    if (!m_interrupted && !m_timedOut)
        m_deliver(content);
}

void X11ClipboardWatcher::readText(const Change &change, Content &content)
{
    for (const QString &target : textTargets(content.types)) {
        quint32 type = XCB_NONE;
        const std::optional<QByteArray> bytes = convert(change, target, kMaxTextBytes, &type);
        if (m_interrupted || m_timedOut)
            return;
        if (!bytes)
            continue;
        if (type == XCB_ATOM_STRING) {
            content.text = QString::fromLatin1(*bytes);
        } else {
            QStringDecoder decoder(QStringDecoder::Utf8); // bad bytes become U+FFFD
            content.text = decoder.decode(*bytes);
        }
        return;
    }
}
