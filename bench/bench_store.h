#pragma once

#include "fake_pasteboard.h"
#include "store/app_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtGlobal>

#include <memory>

// A store in a private HOME with an in-memory clipboard, so a benchmark never touches the
// user's own support or notes folders. Creates the QCoreApplication if none exists yet.
struct BenchStore
{
    QTemporaryDir root;
    std::unique_ptr<QCoreApplication> app;
    std::unique_ptr<FakePasteboard> pasteboard;
    std::unique_ptr<AppStore> store;

    BenchStore()
    {
        const QString home = root.filePath(QStringLiteral("home"));
        QDir().mkpath(home);
        qputenv("HOME", home.toUtf8());
        qputenv("XDG_DATA_HOME", (home + QStringLiteral("/.local/share")).toUtf8());
        qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toUtf8());
        static int argc = 1;
        static char name[] = "quillo-bench";
        static char *argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            app = std::make_unique<QCoreApplication>(argc, argv);
        pasteboard = std::make_unique<FakePasteboard>();
        AppStore::Options options;
        options.pasteboard = pasteboard.get();
        options.startMonitoring = false;
        store = std::make_unique<AppStore>(options);
    }
};
