#include "gallery_notes_scenes.h"
#include "gallery_pasteboard.h"
#include "gallery_scenes.h"
#include "store/app_store.h"
#include "views/style/fixed_compositor_status.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillo-gallery OUTDIR\n");
        return 2;
    }
    // The store keeps its files under HOME and the XDG folders: point them at a scratch folder
    // so rendering never reads or writes the user's own history and notes.
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    qputenv("HOME", scratch.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (scratch.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (scratch.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DOCUMENTS_DIR", (scratch.path() + QStringLiteral("/Documents")).toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QString outDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    GalleryPasteboard pasteboard;
    AppStore::Options options;
    options.pasteboard = &pasteboard;
    options.startMonitoring = false;
    AppStore store(options);

    FixedCompositorStatus compositor(false);
    CompositorStatus::install(&compositor);
    int written = 0;
    for (bool composited : {true, false}) {
        compositor.setComposited(composited);
        const QString dir = outDir + (composited ? QStringLiteral("/translucent") : QStringLiteral("/opaque"));
        QDir().mkpath(dir);
        written += GalleryScenes::renderStyle(dir);
        written += GalleryScenes::renderEdgeTab(dir);
    }
    compositor.setComposited(false);
    written += GalleryScenes::renderSearchField(outDir);
    written += GalleryScenes::renderRows(store, outDir);
    written += GalleryScenes::renderPage(store, outDir);
    written += GalleryNotesScenes::renderNotesPage(store, outDir);
    written += GalleryNotesScenes::renderRootView(store, outDir);
    std::printf("%d images written to %s\n", written, argv[1]);
    return written > 0 ? 0 : 1;
}
