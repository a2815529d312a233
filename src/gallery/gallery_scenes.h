#pragma once

#include <QString>

class AppStore;

// Each function renders one component in its states into OUTDIR as PNG files and returns the
// number of files written.
namespace GalleryScenes {
int renderStyle(const QString &outDir);
int renderEdgeTab(const QString &outDir);
int renderSearchField(const QString &outDir);
int renderRows(AppStore &store, const QString &outDir);
int renderPage(AppStore &store, const QString &outDir);
} // namespace GalleryScenes
