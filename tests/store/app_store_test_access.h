#pragma once

#include "store/app_store.h"

// Reaches AppStore's private operations from tests. AppStore names this class a friend;
// add forwarding functions here as tests need them (one line each, no logic).
class AppStoreTestAccess
{
public:
    static void saveClips(AppStore &store) { store.saveClips(); }
    static void writePendingClips(AppStore &store) { store.writePendingClips(); }
    static bool savePreferences(AppStore &store, QString *errorText = nullptr)
    {
        return store.savePreferences(errorText);
    }
    static void loadPreferences(AppStore &store) { store.loadPreferences(); }
    static void loadHistory(AppStore &store) { store.loadHistory(); }
    static void addClip(AppStore &store, const ClipItem &item) { store.addClip(item); }
    static void checkPasteboard(AppStore &store) { store.checkPasteboard(); }
    static void scheduleImmediateCheck(AppStore &store) { store.scheduleImmediateCheck(); }
    static bool queueClipboardImage(AppStore &store, const Pasteboard::RawImage &image)
    {
        return store.queueClipboardImage(image);
    }
    static QUrl uniqueNoteURL(const AppStore &store, const QString &title) { return store.uniqueNoteURL(title); }
    static QString noteTitle(const AppStore &store, const ClipItem &item) { return store.noteTitle(item); }

    static qint64 lastChangeCount(const AppStore &store) { return store.m_lastChangeCount; }
    static bool historyRejected(const AppStore &store) { return store.m_historyRejected; }
    static bool preferencesRejected(const AppStore &store) { return store.m_preferencesRejected; }
    static bool isSavePending(const AppStore &store) { return store.m_saveTimer->isActive(); }
    static QTimer *pollTimer(const AppStore &store) { return store.m_timer; }
};
