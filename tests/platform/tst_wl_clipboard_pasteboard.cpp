#include "platform/wl_clipboard_pasteboard.h"

#include "test_main.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>

// The Wayland pasteboard against stand-ins for wl-paste and wl-copy (shell scripts on PATH)
// that serve a clipboard kept in files: the formats in "types", each format's bytes in a
// file named after it, and one line in "events" per change, reported as `wl-paste --watch`
// does, after a first report of the content found at its start, if any.
// The real tools run in the Wayland session tests.
namespace {

const char kFakeWlPaste[] = R"sh(#!/bin/sh
dir=$(dirname "$0")/clipboard
case "$1" in
--watch) [ -s "$dir/types" ] && echo; exec tail -n 0 -s 0.05 -F "$dir/events" ;;
--list-types) cat "$dir/types" ;;
--no-newline) cat "$dir/data/$(printf %s "$3" | tr '/;=' '___')" ;;
esac
)sh";

// Copies like the real one: the content replaces the clipboard, and the watcher hears of it.
const char kFakeWlCopy[] = R"sh(#!/bin/sh
dir=$(dirname "$0")/clipboard
cat > "$dir/data/$(printf %s "$2" | tr '/;=' '___')"
printf '%s\n' "$2" > "$dir/types"
echo >> "$dir/events"
)sh";

} // namespace

class TestWlClipboardPasteboard : public QObject
{
    Q_OBJECT

    QString clipboard() const { return m_dir.path() + QStringLiteral("/clipboard"); }

    QTemporaryDir m_dir;

    void offer(const QMap<QString, QByteArray> &formats)
    {
        for (auto it = formats.cbegin(); it != formats.cend(); ++it) {
            QFile data(clipboard() + QStringLiteral("/data/")
                       + QString(it.key()).replace(QRegularExpression("[/;=]"), "_"));
            QVERIFY(data.open(QIODevice::WriteOnly));
            data.write(it.value());
        }
        QFile types(clipboard() + QStringLiteral("/types"));
        QVERIFY(types.open(QIODevice::WriteOnly));
        types.write(QStringList(formats.keys()).join(QLatin1Char('\n')).toUtf8() + '\n');
        types.close();
        QFile events(clipboard() + QStringLiteral("/events"));
        QVERIFY(events.open(QIODevice::Append));
        events.write("\n");
    }

private slots:
    void initTestCase()
    {
        for (const auto &[name, script] : {std::pair{"wl-paste", kFakeWlPaste}, std::pair{"wl-copy", kFakeWlCopy}}) {
            QFile file(m_dir.path() + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(script);
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", m_dir.path().toUtf8() + ':' + qgetenv("PATH"));
    }

    void init()
    {
        QDir(clipboard()).removeRecursively();
        QVERIFY(QDir().mkpath(clipboard() + QStringLiteral("/data")));
        QFile events(clipboard() + QStringLiteral("/events"));
        QVERIFY(events.open(QIODevice::WriteOnly));
    }

    void readsEveryFormatTheStoreMayAskFor_data()
    {
        QTest::addColumn<QStringList>("formats");
        QTest::addColumn<bool>("hasImage");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("text");
        QTest::newRow("text") << QStringList{"text/plain;charset=utf-8", "TEXT"} << false << ""
                              << "naïve café";
        QTest::newRow("picture beside text") << QStringList{"image/png", "UTF8_STRING"} << true << ""
                                             << "naïve café";
        QTest::newRow("files from a file manager")
            << QStringList{"x-special/gnome-copied-files", "text/plain"} << false << "file:///tmp/a%20b.txt"
            << "naïve café";
        QTest::newRow("nothing readable") << QStringList{"application/x-unknown"} << false << ""
                                          << "";
    }

    void readsEveryFormatTheStoreMayAskFor()
    {
        QFETCH(QStringList, formats);
        QMap<QString, QByteArray> offered;
        for (const QString &format : formats) {
            offered[format] = format.startsWith(QLatin1String("image/")) ? QByteArray("\x89PNG\r\n\x1a\nstand-in")
                              : format == QLatin1String("x-special/gnome-copied-files")
                                  ? QByteArray("copy\nfile:///tmp/a%20b.txt")
                                  : QStringLiteral("naïve café").toUtf8();
        }
        WlClipboardPasteboard pasteboard;
        QSignalSpy changed(&pasteboard, &Pasteboard::changed);
        QTest::qWait(400); // the watcher is listening, past the time of its first report
        offer(offered);
        QTRY_COMPARE(changed.count(), 1);
        QCOMPARE(pasteboard.changeCount(), 1);
        QCOMPARE(pasteboard.types(), QStringList(offered.keys()));
        QFETCH(bool, hasImage);
        QCOMPARE(pasteboard.image().has_value(), hasImage);
        if (hasImage)
            QCOMPARE(pasteboard.image()->mimeType, QStringLiteral("image/png"));
        QFETCH(QString, url);
        QCOMPARE(pasteboard.urls() ? QString::fromUtf8(pasteboard.urls()->value(0).toEncoded()) : QString(), url);
        QFETCH(QString, text);
        QCOMPARE(pasteboard.text().value_or(QString()), text);
    }

    // As on X11: what the clipboard held when Quillo started is not a copy made while it ran.
    void contentFoundAtStartIsNoChange()
    {
        offer({{QStringLiteral("text/plain"), QByteArray("from before")}});
        WlClipboardPasteboard pasteboard;
        QTRY_COMPARE(pasteboard.text(), QStringLiteral("from before"));
        QCOMPARE(pasteboard.changeCount(), 0);
        offer({{QStringLiteral("text/plain"), QByteArray("new")}});
        QTRY_COMPARE(pasteboard.changeCount(), 1);
        QCOMPARE(pasteboard.text(), QStringLiteral("new"));
    }

    void ownWriteCountsOnce_data()
    {
        QTest::addColumn<bool>("picture");
        QTest::newRow("text") << false;
        QTest::newRow("picture") << true;
    }

    // Our own copy is one change, counted when it is made; the watcher's report of it is not a
    // second one, while the next copy by another program is.
    void ownWriteCountsOnce()
    {
        QFETCH(bool, picture);
        WlClipboardPasteboard pasteboard;
        QSignalSpy changed(&pasteboard, &Pasteboard::changed);
        QTest::qWait(400);
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::red);
        if (picture)
            pasteboard.writeImage(image);
        else
            pasteboard.writeText(QStringLiteral("copied back"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(pasteboard.changeCount(), 1);
        QCOMPARE(pasteboard.text().has_value(), !picture);
        QCOMPARE(pasteboard.image().has_value(), picture);
        QTRY_VERIFY(QFile(clipboard() + QStringLiteral("/events")).size() > 0);
        QTest::qWait(300);
        QCOMPARE(pasteboard.changeCount(), 1);
        const QString written = picture ? "/data/image_png" : "/data/text_plain_charset_utf-8";
        QFile data(clipboard() + written);
        QVERIFY(data.open(QIODevice::ReadOnly));
        if (picture)
            QCOMPARE(QImage::fromData(data.readAll()).pixel(0, 0), image.pixel(0, 0));
        else
            QCOMPARE(data.readAll(), QByteArray("copied back"));

        offer({{QStringLiteral("text/plain"), QByteArray("someone else")}});
        QTRY_COMPARE(pasteboard.changeCount(), 2);
        QCOMPARE(pasteboard.text(), QStringLiteral("someone else"));
    }

    void textFormat_data()
    {
        QTest::addColumn<QStringList>("types");
        QTest::addColumn<QString>("expected");
        QTest::newRow("UTF-8 first") << QStringList{"TEXT", "text/plain", "text/plain;charset=utf-8"}
                                     << "text/plain;charset=utf-8";
        QTest::newRow("X11 names from XWayland") << QStringList{"STRING", "UTF8_STRING"} << "UTF8_STRING";
        QTest::newRow("another charset") << QStringList{"text/html", "text/plain;charset=iso-8859-1"}
                                         << "text/plain;charset=iso-8859-1";
        QTest::newRow("no text") << QStringList{"image/png", "text/html"} << "";
    }

    void textFormat()
    {
        QFETCH(QStringList, types);
        QTEST(WlClipboardPasteboard::textFormat(types), "expected");
    }
};

QUILLO_TEST_WIDGETS_MAIN(TestWlClipboardPasteboard)
#include "tst_wl_clipboard_pasteboard.moc"
