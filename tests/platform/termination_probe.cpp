// A stand-in for the application used by tst_termination: the store, the signal watcher
// wired to quit, and the flush on aboutToQuit, as the real entry code wires them. It makes
// one history change, prints "ready <id>" and waits to be told to end. Its clock never moves,
// so the change's debounced save can only reach the disk through the flush on quit.
#include "fake_pasteboard.h"
#include "fake_store_clock.h"
#include "platform/unix_signal_watcher.h"
#include "store/app_store.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    FakePasteboard pasteboard;
    FakeStoreClock clock;
    AppStore::Options options;
    options.pasteboard = &pasteboard;
    options.clock = &clock;
    options.startMonitoring = false;
    AppStore store(options);

    UnixSignalWatcher watcher;
    if (!watcher.watchTerminationSignals())
        return 2;
    QObject::connect(&watcher, &UnixSignalWatcher::terminationRequested, &app, [] { QCoreApplication::quit(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &store, &AppStore::flush);

    QTimer::singleShot(0, &store, [&store] {
        const ClipItem item = ClipItem::make(ClipKind::text, QStringLiteral("probe"), QStringLiteral("probe"));
        store.setClips({item});
        store.togglePin(item); // an edit: saved after the debounce, which never comes here
        std::printf("ready %s\n", qPrintable(item.id.toString(QUuid::WithoutBraces).toUpper()));
        std::fflush(stdout);
    });
    return app.exec();
}
