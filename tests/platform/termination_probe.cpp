// A stand-in for the application used by tst_termination: the store, the signal watcher
// wired to quit, and the flush on aboutToQuit, as the real entry code wires them. It makes
// one history change, prints "ready <id>" and waits to be told to end.
#include "../store/app_store_test_access.h"
#include "fake_pasteboard.h"
#include "platform/unix_signal_watcher.h"
#include "store/app_store.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    FakePasteboard pasteboard;
    AppStore::Options options;
    options.pasteboard = &pasteboard;
    options.startMonitoring = false;
    AppStore store(options);

    UnixSignalWatcher watcher;
    if (!watcher.watchTerminationSignals())
        return 2;
    QObject::connect(&watcher, &UnixSignalWatcher::terminationRequested, &app, [] { QCoreApplication::quit(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &store, &AppStore::flush);

    QTimer::singleShot(0, &store, [&store] {
        // One history change through the store's debounced save.
        const ClipItem item = ClipItem::make(ClipKind::text, QStringLiteral("probe"), QStringLiteral("probe"));
        store.setClips({item});
        AppStoreTestAccess::saveClips(store);
        std::printf("ready %s\n", qPrintable(item.id.toString(QUuid::WithoutBraces).toUpper()));
        std::fflush(stdout);
    });
    return app.exec();
}
