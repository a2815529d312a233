#pragma once

#include "clip_history.h"
#include "clip_item.h"
#include "content_mode.h"
#include "note_file.h"
#include "note_library.h"
#include "pasteboard.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QUuid>
#include <memory>
#include <optional>

class CaptureQueue;
class ClipPictures;
class FolderChooser;
class HistoryFile;
class PasteboardMonitor;
class PersistenceQueue;
class PreferencesFile;
class StoreClock;
class StoreTimer;

// The single model object the views read and write. Every published field has a getter and a
// setter that stores the value, then emits the field's own signal and `changed()` (observers
// read the new value), and has no other side effect. The store owns the parts that do the
// work: the clipboard history and its file, the monitor, the pictures, the note library.
// Everything runs on the main thread; the history file and pictures are written on one serial
// worker thread, "com.quillo.persistence".
class AppStore : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        Pasteboard *pasteboard = nullptr;       // required, not owned
        FolderChooser *folderChooser = nullptr; // optional, not owned
        StoreClock *clock = nullptr;            // optional, not owned: QTimers by default
        bool startMonitoring = true;            // off: the clipboard is only read when asked
    };

    static constexpr int kCopiedMarkMs = 1400;

    explicit AppStore(const Options &options, QObject *parent = nullptr);
    ~AppStore() override; // writes a pending history save

    // --- published fields -------------------------------------------------------------
    ContentMode mode() const { return m_mode; }
    void setMode(ContentMode mode);
    const QList<ClipItem> &clips() const { return m_clipHistory->clips(); }
    void setClips(const QList<ClipItem> &clips);
    const QList<NoteFile> &notes() const { return m_notes->notes(); }
    void setNotes(const QList<NoteFile> &notes) { m_notes->setNotes(notes); }
    const std::optional<NoteFile> &selectedNote() const { return m_notes->selectedNote(); }
    void setSelectedNote(const std::optional<NoteFile> &note) { m_notes->setSelectedNote(note); }
    const QString &noteText() const { return m_notes->noteText(); }
    void setNoteText(const QString &text) { m_notes->setNoteText(text); }
    const QString &query() const { return m_query; }
    void setQuery(const QString &query);
    std::optional<QUuid> copiedID() const { return m_copiedID; }
    void setCopiedID(std::optional<QUuid> id);
    bool isPinned() const { return m_isPinned; }
    void setIsPinned(bool pinned);
    bool isEditingNote() const { return m_notes->isEditingNote(); }
    void setIsEditingNote(bool editing) { m_notes->setIsEditingNote(editing); }
    bool isNoteDetailOpen() const { return m_isNoteDetailOpen; }
    void setIsNoteDetailOpen(bool open);
    bool ignoreSensitive() const { return m_ignoreSensitive; }
    void setIgnoreSensitiveField(bool ignore);                            // plain field write; see setIgnoreSensitive
    const QString &noteDirectory() const { return m_notes->directory(); } // absolute path
    void setNoteDirectory(const QString &path) { m_notes->setDirectory(path); }
    const QString &statusText() const { return m_notes->statusText(); }
    void setStatusText(const QString &text) { m_notes->setStatusText(text); }
    // Why the history, a picture or the settings could not be saved, for the clipboard page's
    // footer ("保存失败：磁盘空间不足"); empty while saves succeed. A failed write is tried
    // again at the next change.
    QString saveFailure() const;

    // The clipboard the store watches. The notes page copies through it directly, so the
    // monitor records those copies like any other.
    Pasteboard *pasteboard() const { return m_pasteboard; }
    // Not published.
    std::optional<QUrl> pendingNoteOpenURL() const { return m_notes->pendingNoteOpenURL(); }
    void setPendingNoteOpenURL(std::optional<QUrl> url) { m_notes->setPendingNoteOpenURL(std::move(url)); }

    // --- derived lists ------------------------------------------------------------------
    QList<ClipItem> filteredClips() const { return m_clipHistory->filtered(m_query); }
    QList<NoteFile> filteredNotes() const { return m_notes->filtered(m_query); }

    // --- clipboard ---------------------------------------------------------------------
    // The panel came out (true) or collapsed (false): the poll rate, where polling is needed.
    void setPanelVisible(bool visible);
    double monitoringInterval() const;
    void copy(const ClipItem &item);
    void togglePin(const ClipItem &item);
    void deleteClip(const ClipItem &item);
    void clearUnpinned();

    // --- settings and notes --------------------------------------------------------------
    // Sets the field and writes "preferences.json" at once.
    void setIgnoreSensitive(bool ignore);
    void reloadNotes(bool createWelcomeIfNeeded = false) { m_notes->reload(createWelcomeIfNeeded); }
    void chooseNoteDirectory();
    void selectNote(const NoteFile &note) { m_notes->select(note); }
    bool saveNote() { return m_notes->save(); }     // true when the file was written
    bool createNote() { return m_notes->create(); } // true when a new file was written
    bool createNote(const ClipItem &item) { return m_notes->create(item); }
    static QString folderLabel(const QString &path);

    // --- files ---------------------------------------------------------------------------
    QString supportDirectory() const { return m_supportDirectory; }
    QString imagesDirectory() const;
    QString historyFilePath() const;
    QString preferencesFilePath() const;
    // Writes a pending history save at once and waits until the worker has written everything
    // queued so far. Called on orderly quit.
    void flush();

signals:
    void changed(); // any published field
    void modeChanged();
    void clipsChanged();
    void notesChanged();
    void selectedNoteChanged();
    void noteTextChanged();
    void queryChanged();
    void copiedIDChanged();
    void isPinnedChanged();
    void isEditingNoteChanged();
    void isNoteDetailOpenChanged();
    void ignoreSensitiveChanged();
    void noteDirectoryChanged();
    void statusTextChanged();
    void saveFailureChanged();
    // A history file write finished on the worker.
    void historySaved();

private:
    template <typename T, typename Signal> void publish(T &field, const T &value, Signal signal)
    {
        field = value;
        emit(this->*signal)();
        emit changed();
    }
    void relayNoteSignals();
    void loadPreferences();
    bool savePreferences(QString *errorText = nullptr);
    void connectCaptures();
    void addCaptured(const ClipItem &entry);
    void setPreferencesFailure(const QString &failure);
    void clipsEdited(); // announces the history's change and saves it

    ContentMode m_mode = ContentMode::clipboard;
    QString m_query;
    std::optional<QUuid> m_copiedID;
    bool m_isPinned = false;
    bool m_isNoteDetailOpen = false;
    bool m_ignoreSensitive = true;
    QString m_preferencesFailure;
    QString m_folderFailure; // the support folder could not be written at start-up

    QPointer<Pasteboard> m_pasteboard;
    FolderChooser *m_folderChooser = nullptr;
    std::unique_ptr<StoreClock> m_ownClock;
    StoreClock *m_clock = nullptr;
    QString m_supportDirectory;

    // The parts, in the order they are made; the queue outlives everything that posts to it.
    std::unique_ptr<PersistenceQueue> m_queue;
    std::unique_ptr<PreferencesFile> m_preferencesFile;
    std::unique_ptr<HistoryFile> m_historyFile;
    std::unique_ptr<ClipPictures> m_pictures;
    std::unique_ptr<ClipHistory> m_clipHistory;
    std::unique_ptr<NoteLibrary> m_notes;
    std::unique_ptr<CaptureQueue> m_captures;
    std::unique_ptr<PasteboardMonitor> m_monitor;
    std::unique_ptr<StoreTimer> m_copiedMarkTimer;
};
