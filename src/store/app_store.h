#pragma once

#include "clip_item.h"
#include "content_mode.h"
#include "note_file.h"
#include "pasteboard.h"
#include "preferences.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <QUuid>
#include <memory>
#include <optional>

class FolderChooser;
class PersistenceQueue;
struct ClipSideState;
struct NoteSideState;

// The single model object. Every published field has a getter, a setter that stores the
// value and then emits the field's own signal and `changed()` (observers read the new value),
// and no other side effect. Everything runs on the main thread; file writes of the history
// and of pictures run on one serial worker thread, "com.quillo.persistence".
class AppStore : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        Pasteboard *pasteboard = nullptr;       // required, not owned
        FolderChooser *folderChooser = nullptr; // optional, not owned
        bool startMonitoring = true;            // start-up step 10 (tests may turn it off)
    };

    static constexpr int kHistoryLimit = 100;
    static constexpr int kSaveDelayMs = 180;
    static constexpr int kCopiedMarkMs = 1400;

    explicit AppStore(const Options &options, QObject *parent = nullptr);
    ~AppStore() override;

    // --- published fields -------------------------------------------------------------
    ContentMode mode() const { return m_mode; }
    void setMode(ContentMode mode);
    const QList<ClipItem> &clips() const { return m_clips; }
    void setClips(const QList<ClipItem> &clips);
    const QList<NoteFile> &notes() const { return m_notes; }
    void setNotes(const QList<NoteFile> &notes);
    const std::optional<NoteFile> &selectedNote() const { return m_selectedNote; }
    void setSelectedNote(const std::optional<NoteFile> &note);
    const QString &noteText() const { return m_noteText; }
    void setNoteText(const QString &text);
    const QString &query() const { return m_query; }
    void setQuery(const QString &query);
    std::optional<QUuid> copiedID() const { return m_copiedID; }
    void setCopiedID(std::optional<QUuid> id);
    bool isPinned() const { return m_isPinned; }
    void setIsPinned(bool pinned);
    bool isEditingNote() const { return m_isEditingNote; }
    void setIsEditingNote(bool editing);
    bool isNoteDetailOpen() const { return m_isNoteDetailOpen; }
    void setIsNoteDetailOpen(bool open);
    bool ignoreSensitive() const { return m_ignoreSensitive; }
    void setIgnoreSensitiveField(bool ignore);                       // plain field write; see setIgnoreSensitive
    const QString &noteDirectory() const { return m_noteDirectory; } // absolute path
    void setNoteDirectory(const QString &path);
    const QString &statusText() const { return m_statusText; }
    void setStatusText(const QString &text);

    // The clipboard the store watches. The notes page copies through it directly, so the
    // monitor records those copies like any other.
    Pasteboard *pasteboard() const { return m_pasteboard; }

    // Not published.
    std::optional<QUrl> pendingNoteOpenURL() const { return m_pendingNoteOpenURL; }
    void setPendingNoteOpenURL(std::optional<QUrl> url) { m_pendingNoteOpenURL = std::move(url); }

    // --- derived lists ------------------------------------------------------------------
    QList<ClipItem> filteredClips() const;
    QList<NoteFile> filteredNotes() const;

    // --- clipboard ---------------------------------------------------------------------
    void startMonitoring(double intervalSeconds = 0.9);
    void setPanelVisible(bool visible);
    double monitoringInterval() const { return m_monitoringInterval; }
    void copy(const ClipItem &item);
    void togglePin(const ClipItem &item);
    void deleteClip(const ClipItem &item); // the design's `delete`
    void clearUnpinned();

    // --- settings ------------------------------------------------------------------------
    void setIgnoreSensitive(bool ignore);

    // --- notes ---------------------------------------------------------------------------
    void reloadNotes(bool createWelcomeIfNeeded = false);
    void chooseNoteDirectory();
    void selectNote(const NoteFile &note);
    bool saveNote();   // true when the file was written
    bool createNote(); // true when a new file was written
    bool createNote(const ClipItem &item);
    // The notes page's short name of a notes folder: "iCloud Drive / Quillo" for any folder
    // inside iCloud Drive, otherwise the folder's own name.
    static QString folderLabel(const QString &path);

    // --- persistence ---------------------------------------------------------------------
    QString supportDirectory() const { return m_supportDirectory; }
    QString imagesDirectory() const;
    QString historyFilePath() const;
    QString preferencesFilePath() const;
    // Runs a pending history save at once and waits until the worker has written everything
    // queued so far. Called on orderly quit.
    void flush();

    // The candidate default note folders (start-up step 4).
    static QString cloudDefaultNoteDirectory();
    static QString localDefaultNoteDirectory();

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
    // A history file write finished on the worker (for tests and benchmarks).
    void historySaved();

private:
    friend class AppStoreTestAccess;

    // app_store.cpp: start-up and persistence
    void loadPreferences();
    void loadHistory();
    void saveClips();
    void writePendingClips();
    bool savePreferences(QString *errorText = nullptr);

    // app_store_monitor.cpp
    void checkPasteboard();
    void scheduleImmediateCheck();
    // app_store_images.cpp
    bool queueClipboardImage(const Pasteboard::RawImage &image);
    // app_store_clips.cpp
    void addClip(const ClipItem &item);
    // app_store_notes.cpp / app_store_note_editing.cpp
    QUrl uniqueNoteURL(const QString &title) const;
    QString noteTitle(const ClipItem &item) const;
    // Saves the selected note first when the editor holds a change; false when that failed.
    bool saveEditedNote();
    bool copyPictureToAttachments(const ClipItem &item, QString *fileName);

    // published
    ContentMode m_mode = ContentMode::clipboard;
    QList<ClipItem> m_clips;
    QList<NoteFile> m_notes;
    std::optional<NoteFile> m_selectedNote;
    QString m_noteText;
    QString m_query;
    std::optional<QUuid> m_copiedID;
    bool m_isPinned = false;
    bool m_isEditingNote = false;
    bool m_isNoteDetailOpen = false;
    bool m_ignoreSensitive = true;
    QString m_noteDirectory;
    QString m_statusText;

    // private
    std::optional<QUrl> m_pendingNoteOpenURL;
    QPointer<Pasteboard> m_pasteboard;
    FolderChooser *m_folderChooser = nullptr;
    qint64 m_lastChangeCount = 0;
    QTimer *m_timer = nullptr;
    double m_monitoringInterval = 0;
    QTimer *m_saveTimer = nullptr; // the 0.18 s debounce of saveClips
    std::optional<QList<ClipItem>> m_pendingClipSnapshot;
    PersistenceQueue *m_persistenceQueue = nullptr;
    QString m_supportDirectory;
    // Files whose content was rejected at start-up; moved aside before their first overwrite.
    bool m_historyRejected = false;
    bool m_preferencesRejected = false;

    // Per-subsystem private state, defined next to the code that uses it.
    std::unique_ptr<ClipSideState> m_clipSide;
    std::unique_ptr<NoteSideState> m_noteSide;
};
