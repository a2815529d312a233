#include "gallery_notes_scenes.h"

#include "store/app_store.h"
#include "views/notes/notes_view.h"
#include "views/root/login_startup.h"
#include "views/root/root_view.h"
#include "views/root/settings_card.h"
#include "views/style/palette.h"
#include "views/widgets/toggle_switch.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLayout>
#include <QLinearGradient>
#include <QPainter>

namespace {

// Starting at login without touching the reviewer's autostart folder; `failure` makes every
// change fail with that reason.
class GalleryLoginStartup : public LoginStartup
{
public:
    bool isEnabled() const override { return m_enabled; }
    QString startedProgram() const override { return m_enabled ? thisProgram() : QString(); }
    QString thisProgram() const override { return QStringLiteral("/usr/bin/quillo"); }
    QString setEnabled(bool enabled) override
    {
        if (failure.isEmpty())
            m_enabled = enabled;
        return failure;
    }
    QString failure;

private:
    bool m_enabled = false;
};

const QString kShowcaseNote = QStringLiteral("# 周会记录\n"
                                             "\n"
                                             "## 本周重点\n"
                                             "- 发布 **1.2** 版本\n"
                                             "- 整理 [设计稿](design.md) 的反馈\n"
                                             "> 先把最常用的功能做稳。\n"
                                             "\n"
                                             "### 待办\n"
                                             "* 更新 `README` 截图\n"
                                             "---\n"
                                             "```\n"
                                             "    make gallery OUT=shots\n"
                                             "```\n"
                                             "普通的一段文字，说明这次会议的结论和下一步安排。\n");

void writeNote(const QString &folder, const QString &name, const QString &text, int hoursAgo)
{
    QFile file(folder + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    file.write(text.toUtf8());
    file.flush(); // a later flush would date the file now
    file.setFileTime(QDateTime::currentDateTime().addSecs(-hoursAgo * 3600), QFileDevice::FileModificationTime);
}

void fillNotesFolder(AppStore &store)
{
    const QString folder = store.noteDirectory();
    QDir().mkpath(folder);
    writeNote(folder, QStringLiteral("周会记录.md"), kShowcaseNote, 1);
    writeNote(folder, QStringLiteral("读书笔记.md"),
              QStringLiteral("# 读书笔记\n\n《代码大全》第二章：用隐喻理解软件开发。\n- 构建\n- 生长\n"), 30);
    writeNote(folder, QStringLiteral("购物清单.md"), QStringLiteral("- 牛奶\n- 面包\n- 咖啡豆\n"), 24 * 9);
    writeNote(folder, QStringLiteral("空白.md"), QStringLiteral("# 空白\n"), 24 * 40);
    store.reloadNotes();
}

// Lets layouts and deferred work settle before a widget is captured.
void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

bool save(QWidget &widget, const QString &path)
{
    widget.ensurePolished();
    if (QLayout *layout = widget.layout())
        layout->activate();
    settle();
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&image);
        QLinearGradient desktop(0, 0, widget.width(), widget.height());
        desktop.setColorAt(0, Palette::kGalleryDesktopStart);
        desktop.setColorAt(1, Palette::kGalleryDesktopEnd);
        painter.fillRect(image.rect(), desktop);
    }
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return image.save(path);
}

} // namespace

namespace GalleryNotesScenes {

int renderNotesPage(AppStore &store, const QString &outDir)
{
    fillNotesFolder(store);
    store.setMode(ContentMode::notes);
    RootView root(store, QString());
    root.resize(440, 760);
    root.show();
    NotesView *notes = root.notesView();
    int written = 0;
    written += save(root, outDir + QStringLiteral("/notes-list.png"));

    const QList<NoteFile> list = store.notes();
    for (const NoteFile &note : list) {
        if (note.title() == QStringLiteral("周会记录.md"))
            notes->openNote(note);
    }
    written += save(root, outDir + QStringLiteral("/notes-detail.png"));
    notes->toggleEdit();
    written += save(root, outDir + QStringLiteral("/notes-editor.png"));
    notes->back();
    store.setQuery(QStringLiteral("没有这个词"));
    written += save(root, outDir + QStringLiteral("/notes-no-match.png"));
    store.setQuery(QString());
    return written;
}

int renderRootView(AppStore &store, const QString &outDir)
{
    store.setMode(ContentMode::clipboard);
    RootView root(store, QString());
    GalleryLoginStartup login;
    root.settingsCard()->setLoginStartup(&login);
    root.resize(440, 760);
    root.show();
    int written = 0;
    root.setSettingsOpen(true);
    written += save(root, outDir + QStringLiteral("/root-settings.png"));
    login.failure = QStringLiteral("无法开启登录时启动：没有写入自启动文件夹的权限");
    root.settingsCard()->loginSwitch()->click();
    written += save(root, outDir + QStringLiteral("/root-settings-login-failed.png"));
    root.setSettingsOpen(false);
    root.setSupportOpen(true);
    written += save(root, outDir + QStringLiteral("/root-support.png"));
    return written;
}

} // namespace GalleryNotesScenes
