#include "platform/wl_clipboard_pasteboard.h"

#include "platform/qt_clipboard_pasteboard.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QStringDecoder>

namespace {

const QString kUriListFormat = QStringLiteral("text/uri-list");
const QString kGnomeFilesFormat = QStringLiteral("x-special/gnome-copied-files");
const QString kPngFormat = QStringLiteral("image/png");
const QString kUtf8TextFormat = QStringLiteral("text/plain;charset=utf-8");
constexpr int kWatchRestartMs = 1000;
constexpr qint64 kBaselineWindowMs = 300;

bool decodable(const QString &type)
{
    static const QList<QByteArray> types = QImageReader::supportedMimeTypes();
    return type.startsWith(QLatin1String("image/")) && types.contains(type.toLatin1());
}

// Wayland text is UTF-8; bytes that are not come out as replacement characters.
QString decodeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    return decoder.decode(bytes);
}

} // namespace

WlClipboardPasteboard::WlClipboardPasteboard(QObject *parent)
    : Pasteboard(parent)
{
    connect(&m_watch, &QProcess::readyReadStandardOutput, this, &WlClipboardPasteboard::onWatchOutput);
    // A watcher that ends (the compositor restarted, the program was removed) is started
    // again a little later, so a broken setup does not spin.
    m_restartWatch.setSingleShot(true);
    m_restartWatch.setInterval(kWatchRestartMs);
    connect(&m_restartWatch, &QTimer::timeout, this, &WlClipboardPasteboard::startWatching);
    connect(&m_watch, &QProcess::finished, &m_restartWatch, qOverload<>(&QTimer::start));
    connect(&m_watch, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            m_restartWatch.start();
    });
    startWatching();
}

WlClipboardPasteboard::~WlClipboardPasteboard()
{
    m_watch.disconnect();
    m_watch.kill();
    m_watch.waitForFinished(1000);
}

void WlClipboardPasteboard::startWatching()
{
    m_sinceWatchStart.start();
    m_watch.setStandardInputFile(QProcess::nullDevice());
    m_watch.setStandardErrorFile(QProcess::nullDevice());
    // The command runs once per new content with the content on its input, which it
    // ignores: each line it prints is one change.
    m_watch.start(QStringLiteral("wl-paste"), {QStringLiteral("--watch"), QStringLiteral("echo")});
}

void WlClipboardPasteboard::onWatchOutput()
{
    const QByteArray output = m_watch.readAllStandardOutput();
    if (!output.contains('\n'))
        return;
    // The watcher first reports the content it finds at its start, if there is any, at once
    // (KWin and sway say nothing for an empty clipboard). That content is no copy made while
    // Quillo runs, as on X11.
    m_fetchingBaseline = !m_sawReport && m_sinceWatchStart.elapsed() < kBaselineWindowMs;
    m_sawReport = true;
    fetch();
}

void WlClipboardPasteboard::fetch()
{
    m_incoming = Content();
    m_reader.read({QStringLiteral("--list-types")}, [this](std::optional<QByteArray> listed) {
        if (listed)
            m_incoming.types = QString::fromUtf8(*listed).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        readImage();
    });
}

void WlClipboardPasteboard::readImage()
{
    for (const QString &type : std::as_const(m_incoming.types)) {
        if (!decodable(type))
            continue;
        // Only the first picture format, as on X11.
        m_reader.read({QStringLiteral("--no-newline"), QStringLiteral("--type"), type},
                      [this, type](std::optional<QByteArray> bytes) {
                          if (bytes && !bytes->isEmpty())
                              m_incoming.image = RawImage{*bytes, type};
                          readUrls();
                      });
        return;
    }
    readUrls();
}

void WlClipboardPasteboard::readUrls()
{
    const bool uriList = m_incoming.types.contains(kUriListFormat);
    if (!uriList && !m_incoming.types.contains(kGnomeFilesFormat)) {
        readText();
        return;
    }
    const QString type = uriList ? kUriListFormat : kGnomeFilesFormat;
    m_reader.read({QStringLiteral("--no-newline"), QStringLiteral("--type"), type},
                  [this, uriList](std::optional<QByteArray> bytes) {
                      if (bytes)
                          m_incoming.urls = uriList ? QtClipboardPasteboard::parseUriList(*bytes)
                                                    : QtClipboardPasteboard::parseGnomeCopiedFiles(*bytes);
                      readText();
                  });
}

void WlClipboardPasteboard::readText()
{
    const QString type = textFormat(m_incoming.types);
    if (type.isEmpty()) {
        publish();
        return;
    }
    m_reader.read({QStringLiteral("--no-newline"), QStringLiteral("--type"), type},
                  [this](std::optional<QByteArray> bytes) {
                      if (bytes)
                          m_incoming.text = decodeUtf8(*bytes);
                      publish();
                  });
}

QString WlClipboardPasteboard::textFormat(const QStringList &types)
{
    for (const QString &preferred : {kUtf8TextFormat, QStringLiteral("UTF8_STRING"), QStringLiteral("text/plain"),
                                     QStringLiteral("TEXT"), QStringLiteral("STRING")}) {
        if (types.contains(preferred))
            return preferred;
    }
    for (const QString &type : types) {
        if (type.startsWith(QLatin1String("text/plain;")))
            return type;
    }
    return {};
}

void WlClipboardPasteboard::publish()
{
    if (std::exchange(m_fetchingBaseline, false)) {
        if (!m_ownWrite)
            m_content = std::exchange(m_incoming, Content());
        return;
    }
    if (m_ownWrite) {
        const bool echo = m_ownWrite->image ? (m_incoming.image && m_incoming.image->bytes == m_ownWrite->image->bytes)
                                            : m_incoming.text == m_ownWrite->text;
        m_ownWrite.reset();
        if (echo)
            return;
    }
    m_content = std::move(m_incoming);
    m_incoming = Content();
    ++m_changeCount;
    emit changed();
}

void WlClipboardPasteboard::writeText(const QString &text)
{
    Content content;
    content.types = {kUtf8TextFormat};
    content.text = text;
    write(kUtf8TextFormat, text.toUtf8(), std::move(content));
}

void WlClipboardPasteboard::writeImage(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!QImageWriter(&buffer, "png").write(image))
        return;
    Content content;
    content.types = {kPngFormat};
    content.image = RawImage{png, kPngFormat};
    write(kPngFormat, png, std::move(content));
}

// wl-copy reads everything, then leaves a background copy of itself serving the content
// until something else is copied, so the process started here ends at once.
void WlClipboardPasteboard::write(const QString &type, const QByteArray &bytes, Content content)
{
    auto *copy = new QProcess(this);
    copy->setStandardOutputFile(QProcess::nullDevice());
    copy->setStandardErrorFile(QProcess::nullDevice());
    connect(copy, &QProcess::finished, copy, &QObject::deleteLater);
    connect(copy, &QProcess::errorOccurred, copy, [copy](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            copy->deleteLater();
    });
    copy->start(QStringLiteral("wl-copy"), {QStringLiteral("--type"), type});
    copy->write(bytes);
    copy->closeWriteChannel();

    // A fetch under way belongs to the content being replaced.
    m_reader.cancel();
    m_ownWrite = content;
    m_content = std::move(content);
    ++m_changeCount;
    emit changed();
}
