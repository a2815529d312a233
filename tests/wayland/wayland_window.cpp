// A plain native Wayland window for the session tests to move the pointer onto. Prints
// "exposed" once the compositor shows it.
// Usage: wayland_window WIDTH HEIGHT (run with QT_QPA_PLATFORM=wayland).
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <cstdio>

class ExposeReporter : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed() && !m_reported) {
            m_reported = true;
            std::puts("exposed");
            std::fflush(stdout);
        }
        return false;
    }

private:
    bool m_reported = false;
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("wayland-window"));
    window.setStyleSheet(QStringLiteral("background: #3a6ea5"));
    const QStringList arguments = QCoreApplication::arguments();
    window.resize(arguments.value(1, QStringLiteral("700")).toInt(), arguments.value(2, QStringLiteral("860")).toInt());
    window.winId();
    ExposeReporter reporter;
    window.windowHandle()->installEventFilter(&reporter);
    window.show();
    return app.exec();
}
