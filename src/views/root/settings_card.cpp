#include "views/root/settings_card.h"
#include "views/widgets/icon_label.h"
#include "views/widgets/plain_label.h"

#include "store/app_store.h"
#include "views/root/login_startup.h"
#include "views/root/settings_row.h"
#include "views/style/compositor_status.h"
#include "views/style/glass_painter.h"
#include "views/style/icons.h"
#include "views/widgets/padded_divider.h"
#include "views/widgets/toggle_switch.h"

#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

SettingsCard::SettingsCard(AppStore &store, const SettingsCardStyle &style, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_style(style)
    , m_quit([] { QCoreApplication::quit(); })
{
    setFixedWidth(m_style.width);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(m_style.padding, m_style.padding, m_style.padding, m_style.padding);
    column->setSpacing(0);
    column->addWidget(makePlainLabel(QStringLiteral("快速设置"), m_style.titleFont, m_style.rowText, this));
    column->addSpacing(4);
    column->addWidget(
        makePlainLabel(QStringLiteral("剪贴板历史仅保存在本机"), m_style.noteFont, m_style.noteColor, this));
    column->addSpacing(12);
    column->addWidget(new PaddedDivider(m_style.divider, 0, this));
    column->addWidget(makeSwitchRow(QStringLiteral("checkmark.shield"), QStringLiteral("忽略敏感内容"), m_switch));
    column->addWidget(new PaddedDivider(m_style.divider, 0, this));
    m_loginRow = new QWidget(this);
    auto *login = new QVBoxLayout(m_loginRow);
    login->setContentsMargins(0, 0, 0, 0);
    login->setSpacing(0);
    login->addWidget(makeSwitchRow(QStringLiteral("arrow.right.square"), QStringLiteral("登录时启动"), m_loginSwitch));
    m_loginNote = makePlainLabel(QString(), m_style.pathFont, m_style.pathColor, m_loginRow);
    m_loginNote->setWordWrap(true);
    m_loginNote->setContentsMargins(m_style.iconSize + 8, 0, 0, 10); // under the title, like the folder path
    m_loginNote->hide();
    login->addWidget(m_loginNote);
    login->addWidget(new PaddedDivider(m_style.divider, 0, m_loginRow));
    m_loginRow->hide();
    column->addWidget(m_loginRow);

    SettingsRow::Look folder{QStringLiteral("folder"),
                             m_style.rowFont,
                             m_style.rowText,
                             m_style.pathFont,
                             m_style.pathColor,
                             m_style.iconSize,
                             10,
                             true};
    m_folderRow = new SettingsRow(folder, QStringLiteral("Markdown 文件夹"), this);
    column->addWidget(m_folderRow);
    column->addWidget(new PaddedDivider(m_style.divider, 0, this));

    SettingsRow::Look quit{QStringLiteral("power"),
                           m_style.rowFont,
                           m_style.quitColor,
                           m_style.pathFont,
                           m_style.pathColor,
                           m_style.iconSize,
                           10,
                           false};
    m_quitRow = new SettingsRow(quit, QStringLiteral("退出Quillo"), this);
    column->addWidget(m_quitRow);

    connect(m_switch, &ToggleSwitch::toggled, this, [this](bool on) {
        if (on != m_store.ignoreSensitive())
            m_store.setIgnoreSensitive(on);
    });
    connect(m_loginSwitch, &ToggleSwitch::toggled, this, &SettingsCard::onLoginToggled);
    connect(m_folderRow, &SettingsRow::clicked, &m_store, &AppStore::chooseNoteDirectory);
    connect(m_quitRow, &SettingsRow::clicked, this, [this] {
        if (m_quit)
            m_quit();
    });
    connect(&m_store, &AppStore::ignoreSensitiveChanged, this, &SettingsCard::refresh);
    connect(&m_store, &AppStore::noteDirectoryChanged, this, &SettingsCard::refresh);
    refresh();
}

QWidget *SettingsCard::makeSwitchRow(const QString &symbol, const QString &title, ToggleSwitch *&toggle)
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 11, 0, 11);
    layout->setSpacing(8);
    layout->addWidget(new IconLabel(symbol, m_style.iconSize, m_style.rowText, row));
    layout->addWidget(makePlainLabel(title, m_style.rowFont, m_style.rowText, row), 1);
    toggle = new ToggleSwitch(m_style.toggle, row);
    toggle->setAccessibleName(title);
    layout->addWidget(toggle);
    return row;
}

void SettingsCard::setLoginStartup(LoginStartup *startup)
{
    m_login = startup;
    m_loginError.clear();
    m_loginRow->setVisible(m_login != nullptr);
    refreshLogin();
}

void SettingsCard::onLoginToggled(bool on)
{
    if (!m_login || on == m_login->isEnabled())
        return;
    m_loginError = m_login->setEnabled(on);
    refreshLogin();
}

// The switch shows whether an entry exists. The line under it names the program an entry
// starts when that is not this one (an entry another tool wrote, or an older install), or
// why the last change failed.
void SettingsCard::refreshLogin()
{
    if (!m_login)
        return;
    const bool enabled = m_login->isEnabled();
    m_loginSwitch->setChecked(enabled);
    QString note;
    QColor color = m_style.pathColor;
    if (!m_loginError.isEmpty()) {
        note = m_loginError;
        color = m_style.quitColor;
    } else if (enabled && m_login->startedProgram() != m_login->thisProgram()) {
        const QString program = m_login->startedProgram();
        note = program.isEmpty() ? QStringLiteral("自启动项不是由本程序写入的")
                                 : QStringLiteral("登录时启动的是 %1").arg(program);
    }
    QPalette palette = m_loginNote->palette();
    palette.setColor(QPalette::WindowText, color);
    m_loginNote->setPalette(palette);
    m_loginNote->setText(note);
    m_loginNote->setVisible(!note.isEmpty());
    if (isVisible())
        adjustSize();
}

QString SettingsCard::abbreviatedPath(const QString &path, const QString &home)
{
    QString base = QDir::cleanPath(home);
    if (base.isEmpty() || base == QLatin1String("/") || base == QLatin1String("."))
        return path;
    if (path == base)
        return QStringLiteral("~");
    if (path.startsWith(base + QLatin1Char('/')))
        return QStringLiteral("~") + path.mid(base.size());
    return path;
}

void SettingsCard::refresh()
{
    m_switch->setChecked(m_store.ignoreSensitive());
    m_folderRow->setDetail(abbreviatedPath(m_store.noteDirectory(), QDir::homePath()));
}

void SettingsCard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    GlassStyle glass = m_style.glass;
    glass.shadow.color = Qt::transparent; // drawn by the CardShadow beneath
    GlassPainter::paintCard(painter, QRectF(rect()).adjusted(0.4, 0.4, -0.4, -0.4), glass,
                            CompositorStatus::current().isComposited());
}

void SettingsCard::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_loginError.clear();
    refreshLogin();
}

// Clicks on the card's empty parts stay on the card.
void SettingsCard::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}
