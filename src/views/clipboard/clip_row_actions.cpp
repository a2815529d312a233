#include "views/clipboard/clip_row_actions.h"

#include "store/app_store.h"
#include "views/clipboard/action_tile_button.h"

#include <QHBoxLayout>
#include <QMenu>

namespace {

void noteAction(QPointer<AppStore> store, ClipItem item)
{
    if (!store || !store->createNote(item))
        return;
    store->setMode(ContentMode::notes);
    if (store)
        store->setQuery(QString());
}

void pinAction(QPointer<AppStore> store, ClipItem item)
{
    if (store)
        store->togglePin(item);
}

void copyAction(QPointer<AppStore> store, ClipItem item)
{
    if (store)
        store->copy(item);
}

void deleteAction(QPointer<AppStore> store, ClipItem item)
{
    if (store)
        store->deleteClip(item);
}

QString pinLabel(bool pinned)
{
    return pinned ? QStringLiteral("取消收藏") : QStringLiteral("收藏");
}

} // namespace

ClipRowActions::ClipRowActions(AppStore &store, int spacing, QWidget *parent)
    : QWidget(parent)
    , m_store(&store)
    , m_noteButton(new ActionTileButton(this))
    , m_pinButton(new ActionTileButton(this))
    , m_copyButton(new ActionTileButton(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    layout->addWidget(m_noteButton);
    layout->addWidget(m_pinButton);
    layout->addWidget(m_copyButton);
    adjustSize();
    connect(m_noteButton, &QAbstractButton::clicked, this, [this] { noteAction(m_store, m_item); });
    connect(m_pinButton, &QAbstractButton::clicked, this, [this] { pinAction(m_store, m_item); });
    connect(m_copyButton, &QAbstractButton::clicked, this, [this] { copyAction(m_store, m_item); });
}

void ClipRowActions::refresh(const ClipItem &item, bool copied)
{
    m_item = item;
    const ActionTileStyle tile = ActionTileStyle::standard();
    m_noteButton->setLook(QStringLiteral("note.text.badge.plus"), tile.icon, tile.fill, QStringLiteral("生成笔记"));
    const bool pinned = item.isPinned;
    m_pinButton->setLook(pinned ? QStringLiteral("pin.fill") : QStringLiteral("pin"),
                         pinned ? tile.iconActive : tile.icon, tile.fill, pinLabel(pinned));
    m_copyButton->setLook(copied ? QStringLiteral("checkmark") : QStringLiteral("doc.on.doc"),
                          copied ? tile.iconCopied : tile.icon, copied ? tile.fillCopied : tile.fill,
                          copied ? QStringLiteral("已复制") : QStringLiteral("复制"));
}

void ClipRowActions::makeNote(QPointer<AppStore> store, const ClipItem &item)
{
    noteAction(std::move(store), item);
}

void ClipRowActions::setOpacity(double opacity)
{
    for (ActionTileButton *button : {m_noteButton, m_pinButton, m_copyButton})
        button->setOpacity(opacity);
}

QMenu *ClipRowActions::createMenu(QPointer<AppStore> store, const ClipItem &item, QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->addAction(QStringLiteral("生成笔记"), menu, [store, item] { noteAction(store, item); });
    menu->addAction(pinLabel(item.isPinned), menu, [store, item] { pinAction(store, item); });
    menu->addAction(QStringLiteral("复制"), menu, [store, item] { copyAction(store, item); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("删除"), menu, [store, item] { deleteAction(store, item); });
    return menu;
}
