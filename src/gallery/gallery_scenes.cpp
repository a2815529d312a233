#include "gallery_scenes.h"

#include "store/app_store.h"
#include "store/reference_time.h"
#include "views/clipboard/clip_row.h"
#include "views/clipboard/clipboard_view.h"
#include "views/hover/clipboard_hover_notifier.h"
#include "views/hover/clipboard_hover_state.h"
#include "views/style/palette.h"
#include "views/widgets/edge_tab_view.h"
#include "views/widgets/liquid_glass_canvas.h"
#include "views/widgets/search_field.h"
#include "views/widgets/styled_button.h"
#include "views/widgets/visual_effect_view.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QEventLoop>
#include <QLayout>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QTimer>

namespace {

// A colourful stand-in for the desktop, so translucent parts show what lies behind them.
void paintDesktop(QPainter &painter, const QRect &rect)
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomRight());
    gradient.setColorAt(0, Palette::kGalleryDesktopStart);
    gradient.setColorAt(1, Palette::kGalleryDesktopEnd);
    painter.fillRect(rect, gradient);
}

bool save(QWidget &widget, const QString &path, qreal dpr = 1.0)
{
    widget.ensurePolished();
    if (QLayout *layout = widget.layout())
        layout->activate();
    QImage image(widget.size() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    {
        QPainter painter(&image);
        paintDesktop(painter, widget.rect());
    }
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image.save(path);
}

// A host with the panel background behind `child`, padded by `margin`.
struct CanvasHost
{
    QWidget host;
    LiquidGlassCanvas *canvas = new LiquidGlassCanvas(&host);

    void place(QWidget *child, QSize size, int margin)
    {
        host.resize(size.width() + 2 * margin, size.height() + 2 * margin);
        canvas->setGeometry(host.rect());
        child->setParent(&host);
        child->setGeometry(margin, margin, size.width(), size.height());
        child->show();
    }
};

ClipItem clip(ClipKind kind, const QString &content, double age, bool pinned = false,
              const QString &source = ClipItem::sourceClipboard())
{
    ClipItem item = ClipItem::make(kind, content.section(QLatin1Char('\n'), 0, 0).left(64), content, source);
    item.createdAt = ReferenceTime::now() - age;
    item.isPinned = pinned;
    return item;
}

QString storedPicture(const AppStore &store, const QString &name, QColor a, QColor b)
{
    QDir().mkpath(store.imagesDirectory());
    QImage image(640, 400, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 640, 400);
    gradient.setColorAt(0, a);
    gradient.setColorAt(1, b);
    painter.fillRect(image.rect(), gradient);
    painter.end();
    const QString path = store.imagesDirectory() + QLatin1Char('/') + name + QStringLiteral(".png");
    image.save(path);
    return path;
}

QList<ClipItem> sampleHistory(const AppStore &store)
{
    ClipItem picture = clip(ClipKind::image, QString(), 90);
    picture.imagePath =
        storedPicture(store, QStringLiteral("sunset"), Palette::kGalleryPictureStart, Palette::kGalleryPictureEnd);
    picture.title = QStringLiteral("截图 640×400");
    return {
        clip(ClipKind::text, QStringLiteral("明天下午三点在二楼会议室讨论季度计划，请带上上周的数据和新版设计稿。"), 20,
             true),
        clip(ClipKind::link, QStringLiteral("https://example.org/articles/quillo-notes?lang=zh-CN"), 75, false,
             ClipItem::sourceBrowser()),
        picture,
        clip(ClipKind::code, QStringLiteral("func total(items: [Int]) -> Int {\n    items.reduce(0, +)\n}"), 4000),
        clip(ClipKind::file, QStringLiteral("/home/user/文档/季度报告.pdf"), 90000, false, ClipItem::sourceFinder()),
        clip(ClipKind::text, QStringLiteral("<img src=x onerror=alert(1)> <b>不是粗体</b>"), 200000),
    };
}

} // namespace

namespace GalleryScenes {

int renderStyle(const QString &outDir)
{
    int written = 0;
    LiquidGlassCanvas canvas;
    canvas.resize(220, 160);
    written += save(canvas, outDir + QStringLiteral("/liquid_glass_canvas.png"));
    VisualEffectView popover(VisualEffectView::kMaterialPopover, VisualEffectView::kBlendingBehindWindow);
    popover.resize(160, 100);
    written += save(popover, outDir + QStringLiteral("/visual_effect_popover.png"));
    for (bool pressed : {false, true}) {
        const QString state = pressed ? QStringLiteral("pressed") : QStringLiteral("rest");
        PrimaryButton primary(QStringLiteral("复制邮箱"));
        SecondaryButton secondary(QStringLiteral("打开网页"));
        for (StyledButton *button : {static_cast<StyledButton *>(&primary), static_cast<StyledButton *>(&secondary)}) {
            CanvasHost host;
            const QSize size = button->sizeHint();
            button->setDown(pressed);
            host.place(button, size, 12);
            const QString name = button == &primary ? QStringLiteral("primary") : QStringLiteral("secondary");
            written += save(host.host, outDir + QStringLiteral("/button_%1_%2.png").arg(name, state), 2.0);
            button->setParent(nullptr);
        }
    }
    return written;
}

int renderEdgeTab(const QString &outDir)
{
    int written = 0;
    for (bool hovering : {false, true}) {
        EdgeTabView tab;
        tab.resize(tab.sizeHint());
        if (hovering) {
            QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
            QApplication::sendEvent(&tab, &enter);
            QEventLoop loop; // let the 0.14 s growth finish
            QTimer::singleShot(250, &loop, &QEventLoop::quit);
            loop.exec();
        }
        written += save(tab, outDir + QStringLiteral("/edge_tab_%1.png").arg(hovering ? "hover" : "rest"), 3.0);
    }
    return written;
}

int renderSearchField(const QString &outDir)
{
    int written = 0;
    for (const QString &text : {QString(), QStringLiteral("会议")}) {
        CanvasHost host;
        auto *field = new SearchField(QStringLiteral("搜索剪贴板"));
        field->setText(text);
        host.place(field, QSize(404, field->sizeHint().height()), 12);
        written += save(host.host,
                        outDir + QStringLiteral("/search_field_%1.png").arg(text.isEmpty() ? "empty" : "text"), 2.0);
    }
    return written;
}

int renderRows(AppStore &store, const QString &outDir)
{
    const QList<ClipItem> items = sampleHistory(store);
    store.setClips(items);
    int written = 0;
    const char *names[] = {"pinned_text", "link", "image", "code", "file", "markup"};
    for (int i = 0; i < items.size(); ++i) {
        for (bool hovered : {false, true}) {
            ClipboardHoverState hover;
            CanvasHost host;
            auto *row = new ClipRow(store, items[i], hover);
            host.place(row, QSize(404, row->heightForWidth(404)), 12);
            if (hovered)
                hover.update(items[i].id);
            written += save(host.host,
                            outDir + QStringLiteral("/row_%1_%2.png").arg(names[i], hovered ? "hover" : "rest"), 2.0);
        }
    }
    // Copied state, and an image entry whose file is gone (kind tile).
    ClipboardHoverState hover;
    store.setCopiedID(items[1].id);
    CanvasHost copied;
    auto *row = new ClipRow(store, items[1], hover);
    copied.place(row, QSize(404, row->heightForWidth(404)), 12);
    hover.update(items[1].id);
    written += save(copied.host, outDir + QStringLiteral("/row_link_copied.png"), 2.0);
    store.setCopiedID(std::nullopt);
    ClipItem missing = items[2];
    missing.imagePath = store.imagesDirectory() + QStringLiteral("/gone.png");
    CanvasHost tile;
    auto *tileRow = new ClipRow(store, missing, hover);
    tile.place(tileRow, QSize(404, tileRow->heightForWidth(404)), 12);
    written += save(tile.host, outDir + QStringLiteral("/row_image_missing.png"), 2.0);
    return written;
}

int renderPage(AppStore &store, const QString &outDir)
{
    int written = 0;
    struct State
    {
        const char *name;
        bool history;
        QString query;
        bool filtering;
    };
    const State states[] = {
        {"page", true, QString(), true},
        {"page_filter_off", true, QString(), false},
        {"page_empty", false, QString(), true},
        {"page_no_match", true, QStringLiteral("不存在的词"), true},
    };
    const QList<ClipItem> items = sampleHistory(store);
    for (const State &state : states) {
        store.setClips(state.history ? items : QList<ClipItem>{});
        store.setQuery(state.query);
        store.setIgnoreSensitiveField(state.filtering);
        CanvasHost host;
        auto *page = new ClipboardView(store);
        host.place(page, QSize(440, 640), 0);
        if (state.history)
            ClipboardHoverNotifier::instance().postPointerMoved(items[1].id);
        written += save(host.host, outDir + QStringLiteral("/%1.png").arg(state.name));
        if (qstrcmp(state.name, "page") == 0)
            written += save(host.host, outDir + QStringLiteral("/page_2x.png"), 2.0);
    }
    store.setQuery(QString());
    return written;
}

} // namespace GalleryScenes
