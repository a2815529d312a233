// A plain native Wayland window for the session tests to move the pointer onto.
// Usage: wayland_window WIDTH HEIGHT (run with QT_QPA_PLATFORM=wayland).
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("wayland-window"));
    window.setStyleSheet(QStringLiteral("background: #3a6ea5"));
    const QStringList arguments = QCoreApplication::arguments();
    window.resize(arguments.value(1, QStringLiteral("700")).toInt(), arguments.value(2, QStringLiteral("860")).toInt());
    window.show();
    return app.exec();
}
