// Temporary definitions until the clipboard and notes sides land.
#include "app_store.h"

void AppStore::startMonitoring(double intervalSeconds) { m_monitoringInterval = intervalSeconds; }
void AppStore::setPanelVisible(bool) {}
void AppStore::copy(const ClipItem &) {}
void AppStore::togglePin(const ClipItem &) {}
void AppStore::deleteClip(const ClipItem &) {}
void AppStore::clearUnpinned() {}
QList<ClipItem> AppStore::filteredClips() const { return m_clips; }
void AppStore::checkPasteboard() {}
void AppStore::scheduleImmediateCheck() {}
bool AppStore::queueClipboardImage(const Pasteboard::RawImage &) { return false; }
void AppStore::addClip(const ClipItem &) {}
QList<NoteFile> AppStore::filteredNotes() const { return m_notes; }
void AppStore::reloadNotes(bool) {}
void AppStore::chooseNoteDirectory() {}
void AppStore::selectNote(const NoteFile &) {}
bool AppStore::saveNote() { return false; }
bool AppStore::createNote() { return false; }
bool AppStore::createNote(const ClipItem &) { return false; }
QUrl AppStore::uniqueNoteURL(const QString &) const { return {}; }
QString AppStore::noteTitle(const ClipItem &) const { return {}; }
