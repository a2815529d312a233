// quillo-backdrop X Y WIDTH HEIGHT COLOR [COLOR]: shows a frameless window filled with one
// colour, or a diagonal gradient between two, for screenshots of the panel over a window.
#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

class Backdrop : public QWidget
{
public:
    Backdrop(const QColor &from, const QColor &to)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
        , m_from(from)
        , m_to(to)
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QLinearGradient gradient(rect().topLeft(), rect().bottomRight());
        gradient.setColorAt(0, m_from);
        gradient.setColorAt(1, m_to);
        painter.fillRect(rect(), gradient);
    }

private:
    QColor m_from;
    QColor m_to;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    if (argc != 6 && argc != 7) {
        std::fputs("usage: quillo-backdrop X Y WIDTH HEIGHT COLOR [COLOR]\n", stderr);
        return 2;
    }
    const QColor from(QString::fromLatin1(argv[5]));
    Backdrop backdrop(from, argc == 7 ? QColor(QString::fromLatin1(argv[6])) : from);
    backdrop.setGeometry(std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    backdrop.show();
    return app.exec();
}
