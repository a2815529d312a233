#include "app_store.h"

#include "capture_queue.h"
#include "clip_pictures.h"
#include "folder_chooser.h"
#include "history_file.h"
#include "log_categories.h"
#include "note_folder.h"
#include "pasteboard.h"
#include "pasteboard_monitor.h"
#include "persistence_queue.h"
#include "preferences_file.h"
#include "qt_store_clock.h"
#include "storage_error.h"
#include "store_paths.h"

#include <QDir>
#include <QFileInfo>

AppStore::AppStore(const Options &options, QObject *parent)
    : QObject(parent)
    , m_pasteboard(options.pasteboard)
    , m_folderChooser(options.folderChooser)
    , m_ownClock(options.clock ? nullptr : std::make_unique<QtStoreClock>())
    , m_clock(options.clock ? options.clock : m_ownClock.get())
    , m_supportDirectory(StorePaths::supportDirectory())
{
    StorePaths::liftImageAllocationLimit();
    m_queue = std::make_unique<PersistenceQueue>();
    // Without a folder it can write, the store runs for this session only and says so.
    if (!StorePaths::createPrivateFolder(m_supportDirectory) || !QFileInfo(m_supportDirectory).isWritable()) {
        m_folderFailure = QStringLiteral("历史不会保存：") + StorageError::reason(historyFilePath());
        qCWarning(lcStore) << "cannot write to" << m_supportDirectory << "- nothing will be saved";
    }
    m_preferencesFile = std::make_unique<PreferencesFile>(preferencesFilePath());
    m_historyFile = std::make_unique<HistoryFile>(historyFilePath(), *m_queue, *m_clock);
    connect(m_historyFile.get(), &HistoryFile::saved, this, &AppStore::historySaved);
    m_pictures = std::make_unique<ClipPictures>(imagesDirectory(), *m_queue);
    connect(m_historyFile.get(), &HistoryFile::failureChanged, this, &AppStore::saveFailureChanged);
    connect(m_pictures.get(), &ClipPictures::failureChanged, this, &AppStore::saveFailureChanged);
    connect(m_historyFile.get(), &HistoryFile::saved, this, [this] {
        // The folder can be written after all (its permissions were mended).
        if (!m_folderFailure.isEmpty() && m_historyFile->failure().isEmpty()) {
            m_folderFailure.clear();
            emit saveFailureChanged();
        }
    });
    m_clipHistory = std::make_unique<ClipHistory>(*m_pictures);
    m_notes = std::make_unique<NoteLibrary>(imagesDirectory());
    relayNoteSignals();
    m_copiedMarkTimer = m_clock->createTimer(StoreClock::Repeat::once, [this] { setCopiedID(std::nullopt); });

    // Preferences, or the default note folder.
    loadPreferences();
    // Whatever is on the clipboard now is never captured.
    m_monitor = std::make_unique<PasteboardMonitor>(m_pasteboard, *m_clock);
    connectCaptures();

    QDir().mkpath(noteDirectory());
    if (std::optional<QList<ClipItem>> stored = m_historyFile->load())
        m_clipHistory->setClips(*stored);
    m_notes->reload(true); // the welcome note in an empty folder
    if (options.startMonitoring)
        m_monitor->start(PasteboardMonitor::kShownInterval);
}

AppStore::~AppStore()
{
    m_monitor.reset(); // no capture after this point
    flush();
}

void AppStore::connectCaptures()
{
    m_captures = std::make_unique<CaptureQueue>(*m_pictures);
    m_monitor->setIgnoreSensitive(m_ignoreSensitive);
    connect(this, &AppStore::ignoreSensitiveChanged, m_monitor.get(),
            [this] { m_monitor->setIgnoreSensitive(m_ignoreSensitive); });
    connect(m_monitor.get(), &PasteboardMonitor::captured, this, [this](const ClipCapture::Capture &capture) {
        m_pictures->retryUnsaved(); // a change: pictures a full disk kept out are written again
        m_captures->add(capture, m_ignoreSensitive);
    });
    connect(m_captures.get(), &CaptureQueue::entryReady, this, &AppStore::addCaptured);
    connect(m_pictures.get(), &ClipPictures::stored, this, &AppStore::addCaptured); // written at a retry
}

QString AppStore::saveFailure() const
{
    for (const QString &failure : {m_historyFile->failure(), m_pictures->failure(), m_preferencesFailure}) {
        if (!failure.isEmpty())
            return QStringLiteral("保存失败：") + failure;
    }
    return m_folderFailure;
}

void AppStore::setPreferencesFailure(const QString &failure)
{
    if (failure == m_preferencesFailure)
        return;
    m_preferencesFailure = failure;
    emit saveFailureChanged();
}

void AppStore::relayNoteSignals()
{
    const auto relay = [this](auto noteSignal, auto storeSignal) {
        connect(m_notes.get(), noteSignal, this, storeSignal);
        connect(m_notes.get(), noteSignal, this, &AppStore::changed);
    };
    relay(&NoteLibrary::notesChanged, &AppStore::notesChanged);
    relay(&NoteLibrary::selectedNoteChanged, &AppStore::selectedNoteChanged);
    relay(&NoteLibrary::noteTextChanged, &AppStore::noteTextChanged);
    relay(&NoteLibrary::isEditingNoteChanged, &AppStore::isEditingNoteChanged);
    relay(&NoteLibrary::directoryChanged, &AppStore::noteDirectoryChanged);
    relay(&NoteLibrary::statusTextChanged, &AppStore::statusTextChanged);
}

QString AppStore::imagesDirectory() const
{
    return m_supportDirectory + QStringLiteral("/ClipboardImages");
}

QString AppStore::historyFilePath() const
{
    return m_supportDirectory + QStringLiteral("/clipboard-history.json");
}

QString AppStore::preferencesFilePath() const
{
    return m_supportDirectory + QStringLiteral("/preferences.json");
}

QString AppStore::folderLabel(const QString &path)
{
    return NoteFolder::label(path);
}

void AppStore::loadPreferences()
{
    if (const std::optional<Preferences> preferences = m_preferencesFile->load()) {
        m_notes->setDirectory(preferences->noteDirectory);
        m_ignoreSensitive = preferences->ignoreSensitive;
        return;
    }
    const QString cloud = StorePaths::cloudDefaultNoteDirectory();
    m_notes->setDirectory(QFileInfo(QFileInfo(cloud).absolutePath()).isDir() ? cloud
                                                                             : StorePaths::localDefaultNoteDirectory());
}

bool AppStore::savePreferences(QString *errorText)
{
    QString failure;
    const bool saved = m_preferencesFile->save(Preferences{noteDirectory(), m_ignoreSensitive}, &failure);
    setPreferencesFailure(failure);
    if (errorText)
        *errorText = failure;
    return saved;
}

void AppStore::flush()
{
    m_historyFile->flush();
}

// --- clipboard -----------------------------------------------------------------------------

void AppStore::setPanelVisible(bool visible)
{
    m_monitor->start(visible ? PasteboardMonitor::kShownInterval : PasteboardMonitor::kCollapsedInterval);
}

double AppStore::monitoringInterval() const
{
    return m_monitor->interval();
}

void AppStore::addCaptured(const ClipItem &entry)
{
    if (m_clipHistory->add(entry))
        clipsEdited();
}

void AppStore::clipsEdited()
{
    emit clipsChanged();
    emit changed();
    m_historyFile->save(clips());
    m_pictures->retryUnsaved();
}

void AppStore::copy(const ClipItem &item)
{
    if (!m_pasteboard)
        return;
    if (item.kind == ClipKind::image) {
        // Without its picture an image entry has nothing worth copying: the placeholder
        // "图片" on the clipboard would look like success and replace what the user had.
        const QImage picture = m_pictures->load(item);
        if (picture.isNull())
            return;
        m_pasteboard->writeImage(picture);
    } else {
        m_pasteboard->writeText(item.content);
    }
    m_monitor->skipCurrentGeneration();
    setCopiedID(item.id);
    m_copiedMarkTimer->start(kCopiedMarkMs); // a later copy moves the end of the mark
}

void AppStore::togglePin(const ClipItem &item)
{
    if (m_clipHistory->togglePin(item.id))
        clipsEdited();
}

void AppStore::deleteClip(const ClipItem &item)
{
    m_clipHistory->remove(item);
    clipsEdited();
}

void AppStore::clearUnpinned()
{
    m_clipHistory->clearUnpinned();
    clipsEdited();
}

// --- settings and notes -------------------------------------------------------------------

void AppStore::setIgnoreSensitive(bool ignore)
{
    setIgnoreSensitiveField(ignore);
    savePreferences();
}

void AppStore::chooseNoteDirectory()
{
    if (!m_folderChooser)
        return;
    const std::optional<QString> chosen = m_folderChooser->chooseFolder(QStringLiteral("选择 Markdown 笔记文件夹"),
                                                                        QStringLiteral("选择"), noteDirectory());
    if (!chosen || chosen->isEmpty())
        return;
    // An edit in progress belongs to the old folder: keep it on disk before the list changes,
    // and change nothing if it cannot be kept.
    if (!m_notes->saveEdit())
        return;
    m_notes->setDirectory(StorePaths::withoutTrailingSlash(QDir::cleanPath(QFileInfo(*chosen).absoluteFilePath())));
    QString error;
    const bool saved = savePreferences(&error);
    m_notes->reload(true);
    // The folder is used for this run either way; the status says whether it will be next time.
    m_notes->setStatusText(saved ? QStringLiteral("存储位置已更新") : QStringLiteral("保存失败：") + error);
}

// --- published fields ---------------------------------------------------------------------

void AppStore::setMode(ContentMode mode)
{
    publish(m_mode, mode, &AppStore::modeChanged);
}

void AppStore::setClips(const QList<ClipItem> &clips)
{
    m_clipHistory->setClips(clips);
    emit clipsChanged();
    emit changed();
}

void AppStore::setQuery(const QString &query)
{
    publish(m_query, query, &AppStore::queryChanged);
}

void AppStore::setCopiedID(std::optional<QUuid> id)
{
    publish(m_copiedID, id, &AppStore::copiedIDChanged);
}

void AppStore::setIsPinned(bool pinned)
{
    publish(m_isPinned, pinned, &AppStore::isPinnedChanged);
}

void AppStore::setIsNoteDetailOpen(bool open)
{
    publish(m_isNoteDetailOpen, open, &AppStore::isNoteDetailOpenChanged);
}

void AppStore::setIgnoreSensitiveField(bool ignore)
{
    publish(m_ignoreSensitive, ignore, &AppStore::ignoreSensitiveChanged);
}
