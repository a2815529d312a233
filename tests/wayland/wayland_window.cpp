// A plain native Wayland window for the session tests to move the pointer onto. Prints
// "exposed" once the compositor shows it and "entered" whenever the pointer comes in. Run
// on the xcb platform with a text to copy, it plays an X program instead: placed at X, Y,
// a click copies the text (and prints "copied"), as a copy command would in the window
// that has the focus.
// Usage: wayland_window WIDTH HEIGHT [X Y TEXT]
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <cstdio>

class WindowReporter : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Enter) {
            std::puts("entered");
            std::fflush(stdout);
        }
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

class CopyOnClick : public QWidget
{
public:
    QString text;

protected:
    void mousePressEvent(QMouseEvent *) override
    {
        if (text.isEmpty())
            return;
        QGuiApplication::clipboard()->setText(text);
        std::puts("copied");
        std::fflush(stdout);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    CopyOnClick window;
    window.setStyleSheet(QStringLiteral("background: #3a6ea5"));
    const QStringList arguments = QCoreApplication::arguments();
    window.resize(arguments.value(1, QStringLiteral("700")).toInt(), arguments.value(2, QStringLiteral("860")).toInt());
    window.text = arguments.value(5);
    window.setWindowTitle(window.text.isEmpty() ? QStringLiteral("wayland-window") : QStringLiteral("x-window"));
    if (!window.text.isEmpty())
        window.move(arguments.value(3).toInt(), arguments.value(4).toInt());
    window.winId();
    WindowReporter reporter;
    window.windowHandle()->installEventFilter(&reporter);
    window.show();
    return app.exec();
}
