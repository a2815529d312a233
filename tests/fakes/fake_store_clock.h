#pragma once

#include "store/store_clock.h"

#include <QList>
#include <QtGlobal>
#include <algorithm>

// A clock that moves only when a test advances it. Due timers fire in time order (equal times
// in the order they were made), each with the clock set to its due time.
class FakeStoreClock : public StoreClock
{
public:
    class Timer : public StoreTimer
    {
    public:
        Timer(FakeStoreClock &clock, Repeat repeat, std::function<void()> timeout)
            : repeat(repeat)
            , m_clock(clock)
            , m_timeout(std::move(timeout))
        {
            m_clock.m_timers.append(this);
        }
        ~Timer() override { m_clock.m_timers.removeOne(this); }

        void start(int intervalMs) override
        {
            interval = intervalMs;
            due = m_clock.now() + std::max(1, intervalMs);
            active = true;
            ++starts;
        }
        void stop() override { active = false; }
        bool isActive() const override { return active; }

        const Repeat repeat;
        int interval = 0;
        qint64 due = 0;
        bool active = false;
        int starts = 0; // start() calls, restarts included

    private:
        friend class FakeStoreClock;
        FakeStoreClock &m_clock;
        std::function<void()> m_timeout;
    };

    std::unique_ptr<StoreTimer> createTimer(Repeat repeat, std::function<void()> timeout) override
    {
        return std::make_unique<Timer>(*this, repeat, std::move(timeout));
    }

    qint64 now() const { return m_now; }
    // The timers alive now, oldest first.
    const QList<Timer *> &timers() const { return m_timers; }

    void advance(qint64 ms)
    {
        const qint64 end = m_now + ms;
        for (;;) {
            Timer *next = nullptr;
            for (Timer *timer : std::as_const(m_timers)) {
                if (timer->active && timer->due <= end && (!next || timer->due < next->due))
                    next = timer;
            }
            if (!next)
                break;
            m_now = next->due;
            if (next->repeat == Repeat::repeating)
                next->due += std::max(1, next->interval);
            else
                next->active = false;
            next->m_timeout(); // may start, stop or destroy timers
        }
        m_now = end;
    }

private:
    qint64 m_now = 0;
    QList<Timer *> m_timers;
};
