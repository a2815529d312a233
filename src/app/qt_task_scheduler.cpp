#include "qt_task_scheduler.h"

#include <QPointer>
#include <QTimer>

namespace {

class TimerTask : public DelayedTask
{
public:
    explicit TimerTask(QTimer *timer)
        : m_timer(timer)
    {
    }
    void cancel() override
    {
        if (m_timer) {
            m_timer->stop();
            m_timer->deleteLater();
        }
    }

private:
    QPointer<QTimer> m_timer;
};

} // namespace

std::shared_ptr<DelayedTask> QtTaskScheduler::schedule(int delayMs, std::function<void()> work)
{
    auto *timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, timer, [timer, work = std::move(work)] {
        timer->deleteLater();
        work();
    });
    timer->start(delayMs);
    return std::make_shared<TimerTask>(timer);
}
