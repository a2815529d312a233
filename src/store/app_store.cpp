#include "app_store.h"

#include "atomic_file.h"
#include "clip_json.h"
#include "clip_side_state.h"
#include "note_side_state.h"
#include "pasteboard.h"
#include "persistence_queue.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr auto kHistoryFile = "clipboard-history.json";
constexpr auto kPreferencesFile = "preferences.json";
constexpr auto kImagesFolder = "ClipboardImages";

// A history or preferences file can be megabytes of text, but never gigabytes.
constexpr qint64 kMaxStoredFileBytes = qint64(1) << 30;

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

// The support folder may hold secrets: owner only. A new folder is created 0700 directly
// (never briefly 0755); an existing one with group or other bits is tightened.
void createPrivateFolder(const QString &path)
{
    const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    if (!QFileInfo(path).isDir()) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QDir().mkdir(path, ownerOnly);
    }
    const QFileInfo info(path);
    const QFileDevice::Permissions groupOrOther = QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                                  | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                                  | QFileDevice::WriteOther | QFileDevice::ExeOther;
    if (info.isDir() && (info.permissions() & groupOrOther))
        QFile::setPermissions(path, ownerOnly);
}

// Keeps a rejected file instead of overwriting it: "<name>.rejected-<unix seconds>", with
// "-2", "-3", ... appended if that name is taken (QFile::rename never replaces a file).
// False when the file is still in place afterwards: the caller must not overwrite it then.
bool moveAside(const QString &path)
{
    if (!QFileInfo::exists(path))
        return true;
    const QString base = path + QStringLiteral(".rejected-") + QString::number(QDateTime::currentSecsSinceEpoch());
    QString aside = base;
    for (int n = 2; QFileInfo::exists(aside) && n < 1000; ++n)
        aside = base + QLatin1Char('-') + QString::number(n);
    return QFile::rename(path, aside);
}

} // namespace

AppStore::AppStore(const Options &options, QObject *parent)
    : QObject(parent)
    , m_pasteboard(options.pasteboard)
    , m_folderChooser(options.folderChooser)
    , m_clipSide(std::make_unique<ClipSideState>())
    , m_noteSide(std::make_unique<NoteSideState>())
{
    // 2. The serial worker.
    m_persistenceQueue = new PersistenceQueue(this);
    m_saveTimer = new QTimer(this);
    m_saveTimer->setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the write must come after the full delay.
    m_saveTimer->setTimerType(Qt::PreciseTimer);
    m_saveTimer->setInterval(kSaveDelayMs);
    connect(m_saveTimer, &QTimer::timeout, this, &AppStore::writePendingClips);

    // 3. Support folder.
    QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    m_supportDirectory = dataHome + QStringLiteral("/Quillo");
    createPrivateFolder(m_supportDirectory);

    // 4-5. Preferences, or the default note folder.
    loadPreferences();

    // 6. Whatever is on the clipboard at launch is never captured.
    if (m_pasteboard)
        m_lastChangeCount = m_pasteboard->changeCount();

    // 7. The note folder.
    QDir().mkpath(m_noteDirectory);

    // 8. History.
    loadHistory();

    // 9. Notes, with the welcome note in an empty folder.
    reloadNotes(true);

    // 10. Polling.
    if (options.startMonitoring)
        startMonitoring(0.9);
}

AppStore::~AppStore()
{
    if (m_timer)
        m_timer->stop();
    flush();
}

QString AppStore::imagesDirectory() const
{
    return m_supportDirectory + QLatin1Char('/') + QLatin1String(kImagesFolder);
}
QString AppStore::historyFilePath() const
{
    return m_supportDirectory + QLatin1Char('/') + QLatin1String(kHistoryFile);
}
QString AppStore::preferencesFilePath() const
{
    return m_supportDirectory + QLatin1Char('/') + QLatin1String(kPreferencesFile);
}

QString AppStore::cloudDefaultNoteDirectory()
{
    return QDir::homePath() + QStringLiteral("/Library/Mobile Documents/com~apple~CloudDocs/Quillo");
}

QString AppStore::localDefaultNoteDirectory()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath() + QStringLiteral("/Documents");
    return withoutTrailingSlash(documents) + QStringLiteral("/Quillo");
}

void AppStore::loadPreferences()
{
    QByteArray data;
    const QString path = preferencesFilePath();
    const bool read = AtomicFile::readRegularFile(path, &data, kMaxStoredFileBytes);
    const std::optional<Preferences> preferences = read ? ClipJson::decodePreferences(data) : std::nullopt;
    if (preferences) {
        m_noteDirectory = withoutTrailingSlash(preferences->noteDirectory);
        m_ignoreSensitive = preferences->ignoreSensitive;
        return;
    }
    m_preferencesRejected = QFileInfo(path).isFile();
    const QString cloud = cloudDefaultNoteDirectory();
    m_noteDirectory = QFileInfo(QFileInfo(cloud).absolutePath()).isDir() ? cloud : localDefaultNoteDirectory();
}

void AppStore::loadHistory()
{
    QByteArray data;
    const QString path = historyFilePath();
    const bool read = AtomicFile::readRegularFile(path, &data, kMaxStoredFileBytes);
    const std::optional<QList<ClipItem>> clips = read ? ClipJson::decodeClips(data) : std::nullopt;
    if (clips) {
        m_clips = *clips;
        return;
    }
    m_historyRejected = QFileInfo(path).isFile();
}

void AppStore::writePendingClips()
{
    if (!m_pendingClipSnapshot)
        return;
    const QByteArray data = ClipJson::encodeClips(*m_pendingClipSnapshot);
    m_pendingClipSnapshot.reset();
    const bool moveRejectedAside = m_historyRejected;
    m_historyRejected = false;
    const QString path = historyFilePath();
    QPointer<AppStore> self(this);
    m_persistenceQueue->post([self, data, path, moveRejectedAside] {
        // A rejected file that cannot be kept aside is left alone rather than lost.
        if (moveRejectedAside && !moveAside(path))
            return;
        AtomicFile::write(path, data, AtomicFile::Mode::OwnerOnly);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self] {
                if (self)
                    emit self->historySaved();
            },
            Qt::QueuedConnection);
    });
}

void AppStore::saveClips()
{
    m_pendingClipSnapshot = m_clips;
    m_saveTimer->start(); // restarting cancels the earlier, not yet started save
}

bool AppStore::savePreferences(QString *errorText)
{
    const QString path = preferencesFilePath();
    if (m_preferencesRejected) {
        if (!moveAside(path)) {
            if (errorText)
                *errorText = QStringLiteral("cannot keep the unreadable preferences file aside");
            return false;
        }
        m_preferencesRejected = false;
    }
    const QByteArray data =
        ClipJson::encodePreferences(Preferences{withoutTrailingSlash(m_noteDirectory), m_ignoreSensitive});
    return AtomicFile::write(path, data, AtomicFile::Mode::OwnerOnly, errorText);
}

void AppStore::flush()
{
    if (m_saveTimer && m_saveTimer->isActive()) {
        m_saveTimer->stop();
        writePendingClips();
    }
    if (m_persistenceQueue)
        m_persistenceQueue->drain();
}

void AppStore::setIgnoreSensitive(bool ignore)
{
    setIgnoreSensitiveField(ignore);
    savePreferences();
}

// --- published fields -------------------------------------------------------------------

#define QUILLO_PUBLISHED_SETTER(Setter, Type, member, Signal)                                                          \
    void AppStore::Setter(Type value)                                                                                  \
    {                                                                                                                  \
        member = value;                                                                                                \
        emit Signal();                                                                                                 \
        emit changed();                                                                                                \
    }

QUILLO_PUBLISHED_SETTER(setMode, ContentMode, m_mode, modeChanged)
QUILLO_PUBLISHED_SETTER(setClips, const QList<ClipItem> &, m_clips, clipsChanged)
QUILLO_PUBLISHED_SETTER(setNotes, const QList<NoteFile> &, m_notes, notesChanged)
QUILLO_PUBLISHED_SETTER(setSelectedNote, const std::optional<NoteFile> &, m_selectedNote, selectedNoteChanged)
QUILLO_PUBLISHED_SETTER(setNoteText, const QString &, m_noteText, noteTextChanged)
QUILLO_PUBLISHED_SETTER(setQuery, const QString &, m_query, queryChanged)
QUILLO_PUBLISHED_SETTER(setCopiedID, std::optional<QUuid>, m_copiedID, copiedIDChanged)
QUILLO_PUBLISHED_SETTER(setIsPinned, bool, m_isPinned, isPinnedChanged)
QUILLO_PUBLISHED_SETTER(setIsEditingNote, bool, m_isEditingNote, isEditingNoteChanged)
QUILLO_PUBLISHED_SETTER(setIsNoteDetailOpen, bool, m_isNoteDetailOpen, isNoteDetailOpenChanged)
QUILLO_PUBLISHED_SETTER(setIgnoreSensitiveField, bool, m_ignoreSensitive, ignoreSensitiveChanged)
QUILLO_PUBLISHED_SETTER(setNoteDirectory, const QString &, m_noteDirectory, noteDirectoryChanged)
QUILLO_PUBLISHED_SETTER(setStatusText, const QString &, m_statusText, statusTextChanged)

#undef QUILLO_PUBLISHED_SETTER
