// Test helper: another program that owns the clipboard with several formats at once, as a
// password manager does. Usage: clipboard_offer FORMAT VALUE [FORMAT VALUE ...]
// A VALUE starting with '@' names a file whose bytes are offered. Prints "ready" once it
// owns the clipboard and serves it until killed.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.size() % 2 != 0) {
        fprintf(stderr, "usage: clipboard_offer FORMAT VALUE [FORMAT VALUE ...]\n");
        return 2;
    }
    auto *data = new QMimeData;
    for (qsizetype i = 0; i < args.size(); i += 2) {
        QByteArray value = args[i + 1].toUtf8();
        if (value.startsWith('@')) {
            QFile file(QString::fromUtf8(value.mid(1)));
            if (!file.open(QIODevice::ReadOnly))
                return 3;
            value = file.readAll();
        }
        data->setData(args[i], value);
    }
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
    printf("ready\n");
    fflush(stdout);
    return app.exec();
}
