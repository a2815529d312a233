#include "qt_store_clock.h"

#include <QTimer>

namespace {

class QtStoreTimer : public StoreTimer
{
public:
    QtStoreTimer(StoreClock::Repeat repeat, std::function<void()> timeout)
    {
        const bool once = repeat == StoreClock::Repeat::once;
        m_timer.setSingleShot(once);
        // A coarse timer may fire up to 5 % early or late: a single-shot deadline (the save's
        // debounce) must not come early; a poll may come late, which lets the system batch wake-ups.
        m_timer.setTimerType(once ? Qt::PreciseTimer : Qt::CoarseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, std::move(timeout));
    }

    void start(int intervalMs) override { m_timer.start(intervalMs); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

} // namespace

std::unique_ptr<StoreTimer> QtStoreClock::createTimer(Repeat repeat, std::function<void()> timeout)
{
    return std::make_unique<QtStoreTimer>(repeat, std::move(timeout));
}
