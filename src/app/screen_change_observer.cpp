#include "screen_change_observer.h"

#include <QGuiApplication>
#include <QScreen>

ScreenChangeObserver::ScreenChangeObserver(QObject *parent)
    : QObject(parent)
{
    m_coalesce.setSingleShot(true);
    m_coalesce.setInterval(0);
    connect(&m_coalesce, &QTimer::timeout, this, &ScreenChangeObserver::screensChanged);

    auto *app = qGuiApp;
    connect(app, &QGuiApplication::screenAdded, this, [this](QScreen *screen) {
        watchScreen(screen);
        m_coalesce.start();
    });
    connect(app, &QGuiApplication::screenRemoved, this, [this] { m_coalesce.start(); });
    connect(app, &QGuiApplication::primaryScreenChanged, this, [this] { m_coalesce.start(); });
    for (QScreen *screen : QGuiApplication::screens())
        watchScreen(screen);
}

void ScreenChangeObserver::watchScreen(QScreen *screen)
{
    connect(screen, &QScreen::geometryChanged, this, [this] { m_coalesce.start(); });
    connect(screen, &QScreen::availableGeometryChanged, this, [this] { m_coalesce.start(); });
}
