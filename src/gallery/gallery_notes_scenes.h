#pragma once

#include <QString>

class AppStore;

// The notes page and the root view in their states, as PNG files in OUTDIR. Each returns the
// number of files written.
namespace GalleryNotesScenes {
// The notes list, a rendered note with every kind of line, the editor.
int renderNotesPage(AppStore &store, const QString &outDir);
// The whole panel content, with the settings card and with the support card open.
int renderRootView(AppStore &store, const QString &outDir);
} // namespace GalleryNotesScenes
